// `qxscan list`: every scanner of both protocols, one protocol-qualified name
// a line, or a JSON array for machines.
#pragma once

#include "QXScanExitCode.h"

#include <cstdio>

class CQXScanListCommand
{
public:
    static EQXScanExitCode Run(bool json, std::FILE* out);
};
