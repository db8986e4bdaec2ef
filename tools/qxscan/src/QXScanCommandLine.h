// The tool's command line: its subcommands and options, the help text with
// the exit codes, and the one-line message of every failure.
#pragma once

#include "QXScanExitCode.h"

class CQXScanCommandLine
{
public:
    static int Run(int argc, char** argv);
};
