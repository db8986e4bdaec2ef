// What the raw-row converters need to know about an uncompressed ISIS image:
// the fields of the ISIS layer's image record that describe the rows.
#pragma once

#include <wincompat/WinTypes.h>

#include <cstdint>

struct QX_ISIS_RAW_IMAGE_INFO
{
    double XResolution = 0;
    double YResolution = 0;
    uint32_t ImageWidth = 0;
    uint32_t ImageLength = 0;
    int16_t SamplesPerPixel = 0;
    int16_t BitsPerSample = 0;
    // As TIFF numbers it: 0 white is zero, 1 black is zero, 2 RGB, 3 palette;
    // 120 is a driver's three-byte layout already in bitmap order.
    int16_t Photometric = 0;
    // Three consecutive tables (red, green, blue) of ColorMapLength / 3 entries.
    int32_t ColorMapLength = 0;
    const uint32_t* ColorMap = nullptr;
};
