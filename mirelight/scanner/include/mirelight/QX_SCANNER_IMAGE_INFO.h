// The geometry, format and side of one delivered image.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <wincompat/WinTypes.h>

struct QX_SCANNER_IMAGE_INFO
{
    double XResolution = 0; // dots per inch
    double YResolution = 0;
    int ImageWidth = 0; // pixels
    int ImageLength = 0;
    WORD SamplesPerPixel = 0;
    WORD BitsPerPixel = 0;
    // TWAIN: bytes per row of the transferred strips; ISIS: row length in bits.
    WORD RowSize = 0;
    // 1 when a bitonal 0 means white: such raw images get the white-on-black
    // palette.
    int bWhiteIsZero = 0;
    QX_IMAGETYPE_TYPE imageType;     // 1 bitonal, 2 grey, 3 colour, 0 unknown
    QX_IMAGEFORMAT_TYPE imageFormat; // 1 raw, 2 JPEG, 3 G4, 4 G3 1D, 5 G3 1D no EOL, 6 G3 2D
    QX_IMAGESIDE_TYPE imageSide;     // 1 front, 2 back, 0 unknown
};
