// A growable in-memory file for benchmarks that call libtiff directly, and
// the fields of a one-strip CCITT G4 page ("white is zero" rows).
#pragma once

#include <tiffio.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

struct TiffMemoryFile
{
    std::vector<uint8_t> bytes;
    uint64_t pos = 0;

    static tmsize_t Read(thandle_t h, void* buf, tmsize_t size)
    {
        auto* f = static_cast<TiffMemoryFile*>(h);
        const uint64_t n =
            f->pos >= f->bytes.size() ? 0 : std::min<uint64_t>(size, f->bytes.size() - f->pos);
        std::memcpy(buf, f->bytes.data() + f->pos, n);
        f->pos += n;
        return tmsize_t(n);
    }
    static tmsize_t Write(thandle_t h, void* buf, tmsize_t size)
    {
        auto* f = static_cast<TiffMemoryFile*>(h);
        if (f->pos + size > f->bytes.size())
            f->bytes.resize(f->pos + size);
        std::memcpy(f->bytes.data() + f->pos, buf, size_t(size));
        f->pos += size;
        return size;
    }
    static toff_t Seek(thandle_t h, toff_t off, int whence)
    {
        auto* f = static_cast<TiffMemoryFile*>(h);
        f->pos = (whence == SEEK_SET ? 0 : whence == SEEK_CUR ? f->pos : f->bytes.size()) + off;
        return f->pos;
    }
    static int Close(thandle_t) { return 0; }
    static toff_t Size(thandle_t h) { return static_cast<TiffMemoryFile*>(h)->bytes.size(); }
    static int Map(thandle_t, void**, toff_t*) { return 0; }
    static void Unmap(thandle_t, void*, toff_t) {}

    TIFF* Open(const char* mode)
    {
        pos = 0;
        return TIFFClientOpen("bench", mode, this, Read, Write, Seek, Close, Size, Map, Unmap);
    }
};

inline void SetTiffG4Fields(TIFF* tif, uint32_t width, uint32_t height)
{
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, height);
}
