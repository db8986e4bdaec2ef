// One image as the bridge hands it to TWAIN: the rows of a finished scan in
// TWAIN's packing (top-down, chunky, no row padding, bitonal 0 = black), or
// the condition that kept the image from coming.
#pragma once

#include <cstdint>
#include <vector>

#include <twaindefs/ZKTwainDefs.h>

struct ZK_SANE_PAGE
{
    TW_UINT16 condition = TWCC_SUCCESS; // not TWCC_SUCCESS: the transfer fails with it
    TW_UINT16 deviceEvent = 0xFFFF;     // TWDE_ the failure raises, if any
    TW_UINT32 width = 0;
    TW_UINT32 height = 0;
    TW_UINT16 bitsPerPixel = 0; // 1, 8 or 24
    TW_UINT16 pixelType = TWPT_BW;
    double xDpi = 0;
    double yDpi = 0;
    std::vector<uint8_t> rows;

    bool Failed() const { return condition != TWCC_SUCCESS; }
    TW_UINT32 BytesPerRow() const { return static_cast<TW_UINT32>((uint64_t(width) * bitsPerPixel + 7) / 8); }
    TW_UINT16 Samples() const { return bitsPerPixel == 24 ? 3 : 1; }
};
