// One delivered image as a PDF image: its stream bytes with the filter they
// are coded in and what a reader needs to draw them. G4 and JPEG data are
// kept exactly as the scanner coded them; raw rows are packed top-down.
#pragma once

#include "QXScanImage.h"

#include <string>

struct QXSCAN_PDF_PAGE
{
    int width = 0;
    int height = 0;
    double xResolution = 0;
    double yResolution = 0;
    int bitsPerComponent = 8;
    bool colour = false;
    // "", "/CCITTFaxDecode" or "/DCTDecode".
    std::string filter;
    // For 1-bit images: a 1 bit is black.
    bool oneIsBlack = false;
    std::string data;

    // FALSE with a message when the image cannot go into a PDF.
    bool From(const QXSCAN_IMAGE& image, std::string& error);

private:
    bool _FromRaw(const QXSCAN_IMAGE& image, std::string& error);
};
