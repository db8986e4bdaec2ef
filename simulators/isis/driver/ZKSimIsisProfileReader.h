// Reads a virtual driver's profile file (script format):
//   [Driver]   Model (repeated), Sheets, PageSize (A4, LETTER, ... or
//              "<width> x <height>" in inches), BlockSize, SetupAnswer,
//              Fault = <kind> <sheet or tag> (repeated)
//   [Tag.<n>]  Type (LONG, RATIONAL, ASCII), Value, Choices (comma list),
//              Range (min, max, step), ReadOnly, PerWindow
//   [Window.<id>]  <tag> = value and <tag>.Choices = list, for PerWindow tags
// A window exists for every non-zero choice of tag 1690.
#pragma once

#include <string>

#include "ZKSimIsisProfile.h"

class SZKSimIsisProfileReader
{
public:
    static bool Read(const std::string& path, ZK_SIM_ISIS_PROFILE& profile, std::string& error);
    // The profile of a driver file: the same path with ".profile" for ".isd".
    static std::string ProfilePath(const std::string& driverPath);
};
