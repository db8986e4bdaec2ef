#include "QXImageConverter.h"
#include "QXRedBlueSwap.h"

#include <mirelight/QX_SCANNER_IMAGE_INFO.h>

#include <hollin/ZKBuffer.h>
#include <hollin/ZKRBuffer.h>
#include <pellmark/ZKBitmapHandle.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
enum class PaletteKind
{
    None,
    WhiteOnBlack,
    BlackOnWhite,
    Gray
};

// The ISIS colour map split into its three tables. Maps holding values above
// a byte are 16-bit TIFF-style and are scaled down by their high byte.
struct ColorTables
{
    const uint32_t* red = nullptr;
    const uint32_t* green = nullptr;
    const uint32_t* blue = nullptr;
    size_t entries = 0;
    unsigned shift = 0;

    // The announced length is the driver's word; only the values actually
    // held are read.
    bool Load(const ZK_ISIS_IMAGE_INFO& info)
    {
        if (info.ColorMapLength < 3 || info.ColorMap.size() < static_cast<size_t>(info.ColorMapLength))
            return false;
        entries = static_cast<size_t>(info.ColorMapLength) / 3;
        red = info.ColorMap.data();
        green = red + entries;
        blue = green + entries;
        const uint32_t* end = red + entries * 3;
        shift = *std::max_element(red, end) > 0xFF ? 8 : 0;
        return true;
    }

    // Indices outside the map come out black rather than reading past it.
    void WriteBGR(unsigned index, BYTE* out) const
    {
        if (index >= entries)
        {
            out[0] = out[1] = out[2] = 0;
            return;
        }
        out[0] = static_cast<BYTE>(blue[index] >> shift);
        out[1] = static_cast<BYTE>(green[index] >> shift);
        out[2] = static_cast<BYTE>(red[index] >> shift);
    }
};

unsigned Nibble(const BYTE* row, uint32_t x)
{
    const BYTE b = row[x / 2];
    return (x % 2 == 0) ? (b >> 4) : (b & 0x0F);
}

typedef void (*RowConverter)(const BYTE* src, BYTE* dst, uint32_t width, const ColorTables& map);

void CopyBits1(const BYTE* src, BYTE* dst, uint32_t width, const ColorTables&)
{
    std::memcpy(dst, src, (static_cast<size_t>(width) + 7) / 8);
}

template <bool Invert> void Gray4(const BYTE* src, BYTE* dst, uint32_t width, const ColorTables&)
{
    for (uint32_t x = 0; x < width; ++x)
    {
        const BYTE level = static_cast<BYTE>(Nibble(src, x) * 0x11);
        dst[x] = Invert ? static_cast<BYTE>(~level) : level;
    }
}

template <bool Invert> void Gray8(const BYTE* src, BYTE* dst, uint32_t width, const ColorTables&)
{
    for (uint32_t x = 0; x < width; ++x)
        dst[x] = Invert ? static_cast<BYTE>(~src[x]) : src[x];
}

void Palette4(const BYTE* src, BYTE* dst, uint32_t width, const ColorTables& map)
{
    for (uint32_t x = 0; x < width; ++x)
        map.WriteBGR(Nibble(src, x), dst + 3 * static_cast<size_t>(x));
}

void Palette8(const BYTE* src, BYTE* dst, uint32_t width, const ColorTables& map)
{
    for (uint32_t x = 0; x < width; ++x)
        map.WriteBGR(src[x], dst + 3 * static_cast<size_t>(x));
}

void SwapRedBlue(const BYTE* src, BYTE* dst, uint32_t width, const ColorTables&)
{
    SQXRedBlueSwap::Row(src, dst, width);
}

void Copy24(const BYTE* src, BYTE* dst, uint32_t width, const ColorTables&)
{
    std::memcpy(dst, src, static_cast<size_t>(width) * 3);
}

struct IsisLayout
{
    int samples;
    int bits;
    int photometric;
    unsigned outBits;
    PaletteKind palette;
    bool needsMap;
    RowConverter convert;
};

const IsisLayout kIsisLayouts[] = {
    {1, 1, 0, 1, PaletteKind::WhiteOnBlack, false, &CopyBits1},
    {1, 1, 1, 1, PaletteKind::BlackOnWhite, false, &CopyBits1},
    {1, 4, 0, 8, PaletteKind::Gray, false, &Gray4<true>},
    {1, 4, 1, 8, PaletteKind::Gray, false, &Gray4<false>},
    {1, 4, 3, 24, PaletteKind::None, true, &Palette4},
    {1, 8, 0, 8, PaletteKind::Gray, false, &Gray8<true>},
    {1, 8, 1, 8, PaletteKind::Gray, false, &Gray8<false>},
    {1, 8, 3, 24, PaletteKind::None, true, &Palette8},
    {3, 8, 2, 24, PaletteKind::None, false, &SwapRedBlue},
    {3, 8, 120, 24, PaletteKind::None, false, &Copy24},
};

const IsisLayout* FindIsisLayout(const ZK_ISIS_IMAGE_INFO& info)
{
    for (const IsisLayout& layout : kIsisLayouts)
    {
        if (layout.samples == info.SamplesPerPixel && layout.bits == info.BitsPerSample &&
            layout.photometric == info.Photometric)
            return &layout;
    }
    return nullptr;
}

size_t PackedRowBytes(size_t width, unsigned bitsPerPixel)
{
    return (width * bitsPerPixel + 7) / 8;
}

void ApplyPalette(CZKBitmapHandle& bitmap, PaletteKind kind)
{
    switch (kind)
    {
    case PaletteKind::WhiteOnBlack: bitmap.SetWOBPalette_1BPP(); break;
    case PaletteKind::BlackOnWhite: bitmap.SetBOWPalette_1BPP(); break;
    case PaletteKind::Gray: bitmap.SetGrayscalePalette_8BPP(); break;
    case PaletteKind::None: break;
    }
}

// The rows of an ISIS buffer, checked once so the converters can trust them.
struct IsisSource
{
    const IsisLayout* layout = nullptr;
    ColorTables map;
    size_t stride = 0;

    bool Prepare(const CZKBuffer& data, const ZK_ISIS_IMAGE_INFO& info)
    {
        if (info.ImageWidth < 1 || info.ImageLength < 1 || data.IsEmpty())
            return false;
        layout = FindIsisLayout(info);
        if (!layout || (layout->needsMap && !map.Load(info)))
            return false;
        stride = data.GetSize() / info.ImageLength;
        const unsigned srcBits = static_cast<unsigned>(layout->samples * layout->bits);
        return stride >= PackedRowBytes(info.ImageWidth, srcBits);
    }

    void ConvertRows(const BYTE* src, BYTE* dst, size_t dstStride, const ZK_ISIS_IMAGE_INFO& info) const
    {
        for (uint32_t y = 0; y < info.ImageLength; ++y)
            layout->convert(src + y * stride, dst + y * dstStride, info.ImageWidth, map);
    }

    // Rows that keep their length: each is converted from a copy of itself
    // into its own place, cleared first as a new block would be.
    void ConvertRowsInPlace(BYTE* rows, const ZK_ISIS_IMAGE_INFO& info) const
    {
        std::vector<BYTE> row(stride);
        for (uint32_t y = 0; y < info.ImageLength; ++y)
        {
            BYTE* at = rows + y * stride;
            std::memcpy(row.data(), at, stride);
            std::memset(at, 0, stride);
            layout->convert(row.data(), at, info.ImageWidth, map);
        }
    }
};

bool TwainRowsFit(size_t size, const QX_SCANNER_IMAGE_INFO& info)
{
    if (size == 0 || info.ImageWidth <= 0 || info.ImageLength <= 0)
        return false;
    const size_t rowBytes = PackedRowBytes(static_cast<size_t>(info.ImageWidth), info.BitsPerPixel);
    if (rowBytes == 0 || info.RowSize < rowBytes)
        return false;
    const size_t needed = static_cast<size_t>(info.ImageLength - 1) * info.RowSize + rowBytes;
    return size >= needed;
}

// Colour rows are converted three bytes a pixel; other depths are copied.
bool TwainRowsConvertible(size_t size, const QX_SCANNER_IMAGE_INFO& info)
{
    const bool colour = info.imageType.value == 3;
    return TwainRowsFit(size, info) && (!colour || info.BitsPerPixel == 24);
}
} // namespace

size_t SQXImageConverter::BitmapStride(size_t width, unsigned bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

BOOL SQXImageConverter::TwainRowsToBitmapRows(const CZKBuffer& data, const QX_SCANNER_IMAGE_INFO& info, BYTE* out,
                                              size_t outSize)
{
    return TwainRowsToBitmapRows(data.GetPtr(), data.GetSize(), info, out, outSize);
}

BOOL SQXImageConverter::TwainRowsToBitmapRows(const BYTE* src, size_t size, const QX_SCANNER_IMAGE_INFO& info,
                                              BYTE* out, size_t outSize)
{
    if (!src || !out || !TwainRowsConvertible(size, info))
        return FALSE;
    const bool colour = info.imageType.value == 3;
    const size_t dstStride = BitmapStride(static_cast<size_t>(info.ImageWidth), info.BitsPerPixel);
    if (outSize < dstStride * static_cast<size_t>(info.ImageLength))
        return FALSE;
    const size_t rowBytes = PackedRowBytes(static_cast<size_t>(info.ImageWidth), info.BitsPerPixel);
    const ColorTables noMap;
    for (int y = 0; y < info.ImageLength; ++y)
    {
        const BYTE* srcRow = src + static_cast<size_t>(y) * info.RowSize;
        BYTE* dstRow = out + static_cast<size_t>(y) * dstStride;
        if (colour)
            SwapRedBlue(srcRow, dstRow, static_cast<uint32_t>(info.ImageWidth), noMap);
        else
            std::memcpy(dstRow, srcRow, rowBytes);
        // Padding carries no pixels but must not carry stale bytes either.
        std::memset(dstRow + rowBytes, 0, dstStride - rowBytes);
    }
    return TRUE;
}

BOOL SQXImageConverter::TwainRowsToBitmap(const CZKBuffer& data, const QX_SCANNER_IMAGE_INFO& info,
                                          CZKBitmapHandle& bitmap)
{
    // Checked before the bitmap is made: every row, padding included, is
    // written below, so a refusal must not leave unwritten pixels behind.
    if (!TwainRowsConvertible(data.GetSize(), info) ||
        !bitmap.CreateForOverwrite(info.ImageWidth, info.ImageLength, info.BitsPerPixel))
        return FALSE;
    BYTE* dst = bitmap.Access();
    if (!dst)
        return FALSE;
    const BOOL converted = TwainRowsToBitmapRows(data, info, dst, bitmap.GetImageSize());
    bitmap.Release();
    if (!converted)
        return FALSE;
    if (info.imageType.value == 1)
        bitmap.SetBOWPalette_1BPP();
    else if (info.imageType.value == 2)
        bitmap.SetGrayscalePalette_8BPP();
    bitmap.SetResolution(static_cast<LONG>(info.XResolution), static_cast<LONG>(info.YResolution));
    return TRUE;
}

BOOL SQXImageConverter::IsisRowsToBitmap(const CZKBuffer& data, const ZK_ISIS_IMAGE_INFO& info,
                                         CZKBitmapHandle& bitmap)
{
    IsisSource source;
    if (!source.Prepare(data, info))
        return FALSE;
    const int outBits = static_cast<int>(source.layout->outBits);
    // Every layout writes each pixel of each row; the bitmap clears the padding.
    if (!bitmap.CreateForOverwrite(static_cast<LONG>(info.ImageWidth), static_cast<LONG>(info.ImageLength),
                                   outBits))
        return FALSE;
    BYTE* dst = bitmap.Access();
    if (!dst)
        return FALSE;
    source.ConvertRows(data.GetPtr(), dst, bitmap.GetBytesPerLine(), info);
    bitmap.Release();
    ApplyPalette(bitmap, source.layout->palette);
    bitmap.SetResolution(static_cast<LONG>(info.XResolution), static_cast<LONG>(info.YResolution));
    return TRUE;
}

BOOL SQXImageConverter::IsisRowsInPlace(CZKBuffer& data, const ZK_ISIS_IMAGE_INFO& info,
                                        WORD& bitsPerPixel)
{
    IsisSource source;
    if (!source.Prepare(data, info))
        return FALSE;
    const size_t dstStride = BitmapStride(info.ImageWidth, source.layout->outBits);
    const WORD outBits = static_cast<WORD>(source.layout->outBits);
    // No second block for a page whose rows keep their length (colour rows
    // and most grey ones).
    if (dstStride == source.stride && data.GetSize() == dstStride * info.ImageLength)
    {
        source.ConvertRowsInPlace(data.GetPtr(), info);
        bitsPerPixel = outBits;
        return TRUE;
    }
    CZKRBuffer rows;
    if (!rows.Alloc(dstStride * info.ImageLength))
        return FALSE;
    source.ConvertRows(data.GetPtr(), rows.GetPtr(), dstStride, info);
    if (!data.CopyFrom(rows))
        return FALSE;
    bitsPerPixel = outBits;
    return TRUE;
}
