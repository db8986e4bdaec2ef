#include "TestPages.h"

#include <cstdio> // before jpeglib.h, which uses FILE

#include <jpeglib.h>
#include <sys/mman.h>
#include <tiffio.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace testpages
{
namespace
{
void SetBlack(CZKBitmapHandle& page, LONG x, LONG y)
{
    if (x < 0 || y < 0 || x >= page.GetWidth() || y >= page.GetHeight())
        return;
    page.GetPtr()[size_t(y) * page.GetBytesPerLine() + size_t(x >> 3)] |= BYTE(0x80 >> (x & 7));
}

void FillRect(CZKBitmapHandle& page, LONG x0, LONG y0, LONG w, LONG h)
{
    for (LONG y = y0; y < y0 + h; ++y)
        for (LONG x = x0; x < x0 + w; ++x)
            SetBlack(page, x, y);
}

struct Lcg
{
    uint32_t state;
    uint32_t Next(uint32_t range)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % range;
    }
};

// One "glyph": a few vertical and horizontal strokes and maybe a diagonal, in a
// cell of roughly text size at 300 dpi.
void DrawGlyph(CZKBitmapHandle& page, LONG x, LONG y, LONG cellW, LONG cellH, Lcg& rng)
{
    const LONG stroke = 2 + LONG(rng.Next(3));
    if (rng.Next(2))
        FillRect(page, x, y, stroke, cellH);
    if (rng.Next(2))
        FillRect(page, x + cellW - stroke, y + cellH / 3, stroke, cellH - cellH / 3);
    if (rng.Next(3) == 0)
        FillRect(page, x, y, cellW, stroke);
    if (rng.Next(2))
        FillRect(page, x, y + cellH / 2, cellW, stroke);
    if (rng.Next(2))
        FillRect(page, x, y + cellH - stroke, cellW, stroke);
    if (rng.Next(4) == 0)
        for (LONG i = 0; i < cellH; ++i)
            FillRect(page, x + i * cellW / cellH, y + i, stroke, 1);
}

uint64_t MemorySize(int fd)
{
    const off_t end = lseek(fd, 0, SEEK_END);
    lseek(fd, 0, SEEK_SET);
    return uint64_t(end);
}
} // namespace

CZKBitmapHandle MakeTextPage(LONG width, LONG height, uint32_t seed)
{
    CZKBitmapHandle page;
    if (!page.Create(width, height, 1))
        throw std::runtime_error("cannot create page");
    page.SetWOBPalette_1BPP();
    page.SetResolution(300, 300);
    Lcg rng{seed};
    const LONG margin = width / 12, cellW = 22, cellH = 30, lineGap = 18;
    for (LONG y = margin; y + cellH < height - margin; y += cellH + lineGap)
    {
        LONG x = margin;
        const LONG lineEnd = width - margin - LONG(rng.Next(uint32_t(width / 3 + 1)));
        while (x + cellW < lineEnd)
        {
            const LONG word = 2 + LONG(rng.Next(8));
            for (LONG c = 0; c < word && x + cellW < lineEnd; ++c, x += cellW + 4)
                DrawGlyph(page, x, y, cellW, cellH, rng);
            x += cellW; // word gap
        }
    }
    FillRect(page, margin, height - margin, width - 2 * margin, 6); // a rule line
    return page;
}

CZKBitmapHandle MakeContonePage(LONG width, LONG height, int bitsPerPixel)
{
    CZKBitmapHandle page;
    if (!page.Create(width, height, bitsPerPixel))
        throw std::runtime_error("cannot create page");
    // Smooth ramps in a different direction per channel, so a mixed-up channel
    // order shows; no hard edges, so JPEG keeps values close.
    const int channels = bitsPerPixel / 8;
    const uint64_t span = uint64_t(width) + uint64_t(height);
    for (LONG y = 0; y < height; ++y)
    {
        BYTE* row = page.GetPtr() + size_t(y) * page.GetBytesPerLine();
        for (LONG x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c)
            {
                const uint64_t along = c == 0 ? uint64_t(x) + y : c == 1 ? uint64_t(width - 1 - x) + y : uint64_t(x) + (height - 1 - y);
                row[size_t(x) * channels + c] = BYTE(along * 255 / span);
            }
    }
    page.SetResolution(200, 200);
    return page;
}

std::vector<uint8_t> EncodeWithLibtiff(const CZKBitmapHandle& page, uint16_t compression, uint32_t group3Options)
{
    const int fd = memfd_create("reference-tiff", 0);
    if (fd < 0)
        throw std::runtime_error("memfd_create failed");
    TIFF* out = TIFFFdOpen(dup(fd), "reference", "w");
    TIFFSetField(out, TIFFTAG_IMAGEWIDTH, uint32_t(page.GetWidth()));
    TIFFSetField(out, TIFFTAG_IMAGELENGTH, uint32_t(page.GetHeight()));
    TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(out, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(out, TIFFTAG_COMPRESSION, compression);
    TIFFSetField(out, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFSetField(out, TIFFTAG_ROWSPERSTRIP, uint32_t(page.GetHeight()));
    if (compression == COMPRESSION_CCITTFAX3)
        TIFFSetField(out, TIFFTAG_GROUP3OPTIONS, group3Options);
    std::vector<uint8_t> row(page.GetBytesPerLine());
    for (LONG y = 0; y < page.GetHeight(); ++y)
    {
        std::memcpy(row.data(), page.GetPtr() + size_t(y) * page.GetBytesPerLine(), row.size());
        if (TIFFWriteScanline(out, row.data(), uint32_t(y), 0) < 0)
            throw std::runtime_error("libtiff refused a row");
    }
    TIFFClose(out);
    if (MemorySize(fd) == 0)
        throw std::runtime_error("nothing written");
    TIFF* in = TIFFFdOpen(dup(fd), "reference", "r");
    std::vector<uint8_t> strip(TIFFGetStrileByteCount(in, 0));
    const tmsize_t got = TIFFReadRawStrip(in, 0, strip.data(), tmsize_t(strip.size()));
    TIFFClose(in);
    close(fd);
    if (got != tmsize_t(strip.size()))
        throw std::runtime_error("raw strip not read");
    return strip;
}

std::vector<uint8_t> EncodeWithLibjpeg(const std::vector<uint8_t>& pixels, int width, int height, int components,
                                       int quality, int dpi)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.density_unit = 1;
    cinfo.X_density = UINT16(dpi);
    cinfo.Y_density = UINT16(dpi);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height)
    {
        JSAMPROW row = const_cast<uint8_t*>(pixels.data()) + size_t(cinfo.next_scanline) * width * components;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

bool IsInk(const CZKBitmapHandle& bitmap, LONG x, LONG y)
{
    ZK_RGBQUAD palette[2];
    bitmap.GetPalette(0, 2, palette);
    const int inkIndex = palette[0].rgbRed < palette[1].rgbRed ? 0 : 1;
    const BYTE byte = bitmap.GetPtr()[size_t(y) * bitmap.GetBytesPerLine() + size_t(x >> 3)];
    return int((byte >> (7 - (x & 7))) & 1) == inkIndex;
}

bool SameInk(const CZKBitmapHandle& a, const CZKBitmapHandle& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() || a.GetBitsPerPixel() != 1 ||
        b.GetBitsPerPixel() != 1)
        return false;
    for (LONG y = 0; y < a.GetHeight(); ++y)
        for (LONG x = 0; x < a.GetWidth(); ++x)
            if (IsInk(a, x, y) != IsInk(b, x, y))
                return false;
    return true;
}
} // namespace testpages
