// `qxscan info SCANNER`: what the scanner says about itself, as JSON: its
// family, capabilities, duplex and sheet facts, serial number, driver
// profiles and scanner-side features.
#pragma once

#include "QXScanExitCode.h"

#include <cstdio>
#include <string>

class CQXScanInfoCommand
{
public:
    static EQXScanExitCode Run(const std::string& scanner, std::FILE* out);
};
