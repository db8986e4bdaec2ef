// What `qxscan scan` was asked to do, as parsed from the command line.
#pragma once

#include <string>

struct QXSCAN_OPTIONS
{
    std::string scanner;      // protocol-qualified name
    int pages = -1;           // images to transfer; -1 for all the feeder holds
    bool duplex = false;
    std::string mode;         // bw, gray, color; empty keeps the scanner's
    int dpi = 0;              // 0 keeps the scanner's
    std::string transfer = "memory";
    bool repeat = false;
    int pauseMs = 0;
    std::string settingsFile; // scanner configuration file to apply
    std::string outFolder;
    std::string format = "tiff-g4";
    bool multipage = false;
};
