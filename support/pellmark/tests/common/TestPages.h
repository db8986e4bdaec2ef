// Reference pages and reference codings for the bitmap tests, produced with
// libtiff and libjpeg directly so the library is checked against them.
#pragma once

#include <pellmark/ZKBitmapHandle.h>

#include <cstdint>
#include <vector>

namespace testpages
{
// A 1-bit page (white-on-black palette, set bit = black) of deterministic
// glyph-like strokes and blocks in text lines, like a scanned letter.
CZKBitmapHandle MakeTextPage(LONG width, LONG height, uint32_t seed);

// 8-bit grey or 24-bit colour page with smooth gradients and a few blocks.
CZKBitmapHandle MakeContonePage(LONG width, LONG height, int bitsPerPixel);

// The raw strip libtiff writes for a 1-bit page (set bit = black) with the
// given compression tag value and Group 3 options (ignored unless
// compression is 3).
std::vector<uint8_t> EncodeWithLibtiff(const CZKBitmapHandle& page, uint16_t compression, uint32_t group3Options);

// JPEG coding by libjpeg of grey (components 1) or RGB (components 3) pixels
// held top-down without padding; density in dots per inch.
std::vector<uint8_t> EncodeWithLibjpeg(const std::vector<uint8_t>& pixels, int width, int height, int components,
                                       int quality, int dpi);

// Whether two 1-bit bitmaps show the same black pixels, whatever palettes.
bool SameInk(const CZKBitmapHandle& a, const CZKBitmapHandle& b);
bool IsInk(const CZKBitmapHandle& bitmap, LONG x, LONG y);
} // namespace testpages
