// `qxscan info SCANNER`: what the scanner says about itself: its family,
// capabilities, duplex and sheet facts, serial number, device information,
// driver profiles, cameras and scanner-side features; as text, or as JSON
// for machines.
#pragma once

#include "QXScanExitCode.h"

#include <cstdio>
#include <string>

class CQXScanInfoCommand
{
public:
    static EQXScanExitCode Run(const std::string& scanner, bool json, std::FILE* out);
};
