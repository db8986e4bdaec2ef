// `qxscan config show FILE`: a scanner configuration file or a job's scanner
// group file, shown as JSON.
#pragma once

#include "QXScanExitCode.h"

#include <cstdio>
#include <string>

class CQXScanConfigCommand
{
public:
    static EQXScanExitCode Show(const std::string& path, std::FILE* out);
};
