#include "ZKTIFFFileCodec.h"

#include "ZKTIFFErrorTrap.h"
#include "ZKTIFFMemoryStream.h"

#include <tiffio.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
struct TIFFCloser
{
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TIFFHandle = std::unique_ptr<TIFF, TIFFCloser>;

struct PAGE_LAYOUT
{
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t bitsPerSample = 1;
    uint16_t samplesPerPixel = 1;
    uint16_t photometric = PHOTOMETRIC_MINISWHITE;
    uint16_t planar = PLANARCONFIG_CONTIG;
};

bool ReadLayout(TIFF* tif, PAGE_LAYOUT& layout)
{
    if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &layout.width) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &layout.height))
        return false;
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &layout.bitsPerSample);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &layout.samplesPerPixel);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &layout.planar);
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &layout.photometric))
        return false;
    return layout.width > 0 && layout.height > 0 && layout.width <= uint32_t(CZKBitmapHandle::kMaxDimension) &&
           layout.height <= uint32_t(CZKBitmapHandle::kMaxDimension);
}

// The depth a page keeps when its rows can be copied as they are; 0 when it
// goes through the RGBA reader instead.
int DirectDepth(TIFF* tif, const PAGE_LAYOUT& layout)
{
    if (TIFFIsTiled(tif) || layout.planar != PLANARCONFIG_CONTIG)
        return 0;
    const bool grey = layout.photometric == PHOTOMETRIC_MINISWHITE || layout.photometric == PHOTOMETRIC_MINISBLACK;
    if (grey && layout.samplesPerPixel == 1 && (layout.bitsPerSample == 1 || layout.bitsPerSample == 8))
        return layout.bitsPerSample;
    if (layout.photometric == PHOTOMETRIC_RGB && layout.samplesPerPixel == 3 && layout.bitsPerSample == 8)
        return 24;
    return 0;
}

// Pixel value 0 is white in a "white is zero" page: the palette says so, the
// bits stay as stored.
bool SetGreyPalette(CZKBitmapHandle& page, int bitsPerPixel, bool whiteIsZero)
{
    const int entries = 1 << bitsPerPixel;
    std::vector<ZK_RGBQUAD> palette(entries);
    for (int i = 0; i < entries; ++i)
    {
        const int level = i * 255 / (entries - 1);
        const BYTE value = BYTE(whiteIsZero ? 255 - level : level);
        palette[i] = ZK_RGBQUAD{value, value, value, 0};
    }
    return page.SetPalette(0, entries, palette.data()) != FALSE;
}

bool ReadRows(TIFF* tif, const PAGE_LAYOUT& layout, int depth, const CZKTIFFErrorTrap& trap, CZKBitmapHandle& page)
{
    if (!page.Create(LONG(layout.width), LONG(layout.height), depth))
        return false;
    if (depth != 24 && !SetGreyPalette(page, depth, layout.photometric == PHOTOMETRIC_MINISWHITE))
        return false;
    const tmsize_t scanline = TIFFScanlineSize(tif);
    if (scanline <= 0 || uint64_t(scanline) > page.GetBytesPerLine())
        return false;
    BYTE* pixels = page.GetPtr();
    for (uint32_t y = 0; y < layout.height; ++y)
    {
        BYTE* row = pixels + size_t(y) * page.GetBytesPerLine();
        if (TIFFReadScanline(tif, row, y, 0) < 0 || trap.Failed())
            return false;
        if (depth == 24) // stored red, green, blue; bitmaps hold blue, green, red
            for (uint32_t x = 0; x < layout.width; ++x)
                std::swap(row[x * 3], row[x * 3 + 2]);
    }
    return true;
}

bool ReadRGBA(TIFF* tif, const PAGE_LAYOUT& layout, const CZKTIFFErrorTrap& trap, CZKBitmapHandle& page)
{
    const uint64_t pixels = uint64_t(layout.width) * layout.height;
    if (pixels * 4 > CZKBitmapHandle::kMaxImageSize || !page.Create(LONG(layout.width), LONG(layout.height), 24))
        return false;
    std::vector<uint32_t> raster(pixels);
    if (!TIFFReadRGBAImageOriented(tif, layout.width, layout.height, raster.data(), ORIENTATION_TOPLEFT, 0) ||
        trap.Failed())
        return false;
    BYTE* out = page.GetPtr();
    for (uint32_t y = 0; y < layout.height; ++y)
    {
        BYTE* row = out + size_t(y) * page.GetBytesPerLine();
        for (uint32_t x = 0; x < layout.width; ++x)
        {
            const uint32_t rgba = raster[size_t(y) * layout.width + x];
            row[x * 3] = BYTE(TIFFGetB(rgba));
            row[x * 3 + 1] = BYTE(TIFFGetG(rgba));
            row[x * 3 + 2] = BYTE(TIFFGetR(rgba));
        }
    }
    return true;
}

void ReadResolution(TIFF* tif, CZKBitmapHandle& page)
{
    float x = 0, y = 0;
    uint16_t unit = RESUNIT_INCH;
    TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
    if (!TIFFGetField(tif, TIFFTAG_XRESOLUTION, &x) || !TIFFGetField(tif, TIFFTAG_YRESOLUTION, &y))
        return;
    const double perInch = unit == RESUNIT_CENTIMETER ? 2.54 : unit == RESUNIT_INCH ? 1.0 : 0.0;
    const double xDpi = x * perInch, yDpi = y * perInch;
    if (std::isfinite(xDpi) && std::isfinite(yDpi) && xDpi >= 0 && yDpi >= 0 && xDpi < 1e6 && yDpi < 1e6)
        page.SetResolution(LONG(std::lround(xDpi)), LONG(std::lround(yDpi)));
}
} // namespace

bool SZKTIFFFileCodec::HasSignature(const uint8_t* data, size_t size)
{
    static const uint8_t little[4] = {'I', 'I', 42, 0};
    static const uint8_t big[4] = {'M', 'M', 0, 42};
    return data && size >= 8 && (std::memcmp(data, little, 4) == 0 || std::memcmp(data, big, 4) == 0);
}

bool SZKTIFFFileCodec::Decode(const uint8_t* data, size_t size, CZKBitmapHandle& page, std::string& error)
{
    if (!HasSignature(data, size))
    {
        error = "not a TIFF file";
        return false;
    }
    CZKTIFFErrorTrap trap;
    CZKTIFFMemoryStream stream({}, data, size);
    TIFFHandle tif(TIFFClientOpenExt("memory", "rm", &stream, &CZKTIFFMemoryStream::ReadProc,
                                     &CZKTIFFMemoryStream::WriteProc, &CZKTIFFMemoryStream::SeekProc,
                                     &CZKTIFFMemoryStream::CloseProc, &CZKTIFFMemoryStream::SizeProc,
                                     &CZKTIFFMemoryStream::MapProc, &CZKTIFFMemoryStream::UnmapProc, trap.Options()));
    PAGE_LAYOUT layout;
    CZKBitmapHandle decoded;
    bool ok = tif && !trap.Failed() && ReadLayout(tif.get(), layout);
    if (ok)
    {
        const int depth = DirectDepth(tif.get(), layout);
        ok = depth ? ReadRows(tif.get(), layout, depth, trap, decoded) : ReadRGBA(tif.get(), layout, trap, decoded);
    }
    if (!ok || trap.Failed())
    {
        error = trap.Failed() ? trap.FirstMessage() : std::string("unreadable TIFF page");
        return false;
    }
    ReadResolution(tif.get(), decoded);
    return page.Attach(decoded) != FALSE;
}
