// Reads the first page of a TIFF file held in memory. Bitonal, grey and RGB
// pages stored in strips keep their depth (1, 8 or 24 bits); anything else
// libtiff can read (palette colour, tiles, other depths) becomes 24-bit
// colour. The bytes are read where they lie, never copied.
#pragma once

#include <pellmark/ZKBitmapHandle.h>

#include <cstddef>
#include <cstdint>
#include <string>

class SZKTIFFFileCodec
{
public:
    // True when the bytes start like a TIFF file ("II*\0" or "MM\0*").
    static bool HasSignature(const uint8_t* data, size_t size);
    // Any libtiff error fails the decode; error names it. On failure page is
    // left as it was.
    static bool Decode(const uint8_t* data, size_t size, CZKBitmapHandle& page, std::string& error);
};
