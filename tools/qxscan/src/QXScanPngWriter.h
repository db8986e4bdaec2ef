// Writes one uncompressed image as a PNG file: bitonal pages as 1-bit grey
// (black 0, as PNG readers expect), grey as 8-bit, colour as 8-bit RGB.
#pragma once

#include "QXScanImage.h"

#include <string>

class CQXScanPngWriter
{
public:
    // FALSE with a one-line message when the image is not raw rows or the
    // file cannot be written.
    static bool Write(const QXSCAN_IMAGE& image, const std::string& path, std::string& error);
};
