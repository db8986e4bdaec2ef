// Synthetic scanned pages. A page depends only on its format and a seed made
// from the scanner, the sheet number, the side and the long-paper segment, so
// a test can build the very pixels the source delivers and compare.
//
// Pixels follow the bitmap conventions of CZKBitmapHandle: top-down rows;
// 1 bit with the black-on-white palette (0 = black, the raw sense of scanner
// rows); 8 bits grey; 24 bits blue, green, red.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <pellmark/ZKBitmapHandle.h>

struct ZK_SIM_PAGE_FORMAT
{
    LONG width = 0;
    LONG height = 0;
    int bitsPerPixel = 1; // 1, 8 or 24
    LONG xDpi = 200;
    LONG yDpi = 200;
};

// Where a page's rows go: the top row's address and the distance from one
// row to the next one down (negative for bottom-up images). Bytes of a row
// beyond its pixels (padding, unused bits) are written as zero.
struct ZK_SIM_PAGE_ROWS
{
    BYTE* top = nullptr;
    ptrdiff_t stride = 0;
    bool redFirst = false; // 24 bits: red, green, blue instead of blue first
};

class SZKSimPageGenerator
{
public:
    // sheet counts from 1; side 0 is the front, 1 the back; segment counts
    // from 0 along a long sheet.
    static uint32_t Seed(const std::string& scanner, int sheet, int side, int segment);
    // Text-like lines on white paper; grey and colour pages add a tinted
    // background and photo-like patches. False for an impossible format. A
    // page that already has the format's size and depth is painted over.
    static bool Generate(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed, CZKBitmapHandle& page);
    // The same pixels straight into memory laid out as rows says; every byte
    // of |stride| per row is written.
    static bool Paint(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed,
                      const ZK_SIM_PAGE_ROWS& rows);
    // Paint into top-down unpadded rows, colour red first, as scanners send
    // raw rows: RowBytes(format) * height bytes from out.
    static bool PaintScannerRows(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed, BYTE* out);
    // Bytes of one unpadded row.
    static size_t RowBytes(const ZK_SIM_PAGE_FORMAT& format);
};
