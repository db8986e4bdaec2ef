// JPEG decode and encode through libjpeg-turbo. Library errors and warnings
// unwind with longjmp out of the library back into this codec and become a
// failure result; nothing reaches stderr or exit().
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CZKBitmapHandle;

class SZKJPEGCodec
{
public:
    // scale must be 1, 2, 4 or 8 (the decoder's own DCT scaling). Any warning
    // (truncated or damaged data) fails the decode.
    static bool Decode(const uint8_t* data, size_t size, int scale, CZKBitmapHandle& out, std::string& error);
    // 8-bit grey-ramp or 24-bit bitmaps; quality 1..100.
    static bool Encode(const CZKBitmapHandle& bitmap, int quality, std::vector<uint8_t>& out, std::string& error);
    // A bitmap for the decoder to fill (not cleared first: every row is written).
    static bool CreateTarget(CZKBitmapHandle& image, long width, long height, int bitsPerPixel);
    static bool IsDCTScale(int scale) { return scale == 1 || scale == 2 || scale == 4 || scale == 8; }
};
