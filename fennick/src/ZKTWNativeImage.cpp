#include "ZKTWNativeImage.h"

#include <pellmark/ZKBitmapHandle.h>
#include <wincompat/ZKGlobalMemory.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kRgb = 0;       // BI_RGB
constexpr uint32_t kBitFields = 3; // BI_BITFIELDS: three colour masks follow a plain header

uint32_t ReadU32(const BYTE* p)
{
    uint32_t v;
    std::memcpy(&v, p, sizeof(v));
    return v;
}

int32_t ReadI32(const BYTE* p)
{
    int32_t v;
    std::memcpy(&v, p, sizeof(v));
    return v;
}

uint16_t ReadU16(const BYTE* p)
{
    uint16_t v;
    std::memcpy(&v, p, sizeof(v));
    return v;
}

void PutU32(std::vector<BYTE>& out, size_t at, uint32_t v)
{
    std::memcpy(out.data() + at, &v, sizeof(v));
}

void PutU16(std::vector<BYTE>& out, size_t at, uint16_t v)
{
    std::memcpy(out.data() + at, &v, sizeof(v));
}

LONG PixelsPerMetre(LONG dpi)
{
    return LONG(std::lround(dpi / 0.0254));
}
} // namespace

// The header is only read once the block is known to hold one.
size_t SZKTWNativeImage::DibSize(const BYTE* block, size_t size)
{
    if (!block || size < kInfoHeaderSize)
        return 0;
    const uint32_t headerSize = ReadU32(block);
    if (headerSize < kInfoHeaderSize || headerSize > 1024 || headerSize > size)
        return 0;
    const int32_t width = ReadI32(block + 4);
    const int32_t height = ReadI32(block + 8);
    const uint16_t bitCount = ReadU16(block + 14);
    const uint32_t compression = ReadU32(block + 16);
    const uint32_t imageSize = ReadU32(block + 20);
    const uint32_t colorsUsed = ReadU32(block + 32);
    if (width <= 0 || height == 0 || bitCount == 0 || bitCount > 32 || colorsUsed > 256)
        return 0;
    const uint64_t masks = compression == kBitFields && headerSize == kInfoHeaderSize ? 12 : 0;
    const uint64_t paletteEntries = colorsUsed ? colorsUsed : (bitCount <= 8 ? (1u << bitCount) : 0u);
    const uint64_t stride = (uint64_t(width) * bitCount + 31) / 32 * 4;
    const uint64_t rows = height < 0 ? uint64_t(-int64_t(height)) : uint64_t(height);
    // Uncompressed rows are read in full whatever the header's size field says.
    const bool raw = compression == kRgb || compression == kBitFields;
    const uint64_t pixels = raw ? stride * rows : imageSize;
    const uint64_t total = headerSize + masks + paletteEntries * 4 + pixels;
    return pixels == 0 || total > size ? 0 : size_t(total);
}

HGLOBAL SZKTWNativeImage::ToDib(const BYTE* block, size_t size)
{
    if (const size_t dibSize = DibSize(block, size))
        return _Copy(block, dibSize);
    if (CZKBitmapHandle::IsTIFF(block, size))
        return _FromTiff(block, size);
    return nullptr;
}

HGLOBAL SZKTWNativeImage::_Copy(const BYTE* bytes, size_t size)
{
    HGLOBAL handle = CZKGlobalMemory::Alloc(size, false);
    void* target = handle ? CZKGlobalMemory::Lock(handle) : nullptr;
    if (!target)
    {
        CZKGlobalMemory::Free(handle);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    CZKGlobalMemory::Unlock(handle);
    return handle;
}

HGLOBAL SZKTWNativeImage::_FromTiff(const BYTE* block, size_t size)
{
    CZKBitmapHandle page;
    if (!page.Decompress_TIFF(block, size))
        return nullptr;
    return _Pack(page);
}

// Bitmaps hold top-down rows padded to 4 bytes with the same pixel layout as
// a DIB, so packing is a header, the palette and the rows in reverse order.
HGLOBAL SZKTWNativeImage::_Pack(const CZKBitmapHandle& page)
{
    const int paletteSize = page.GetPaletteSize();
    const size_t stride = page.GetBytesPerLine();
    const size_t rows = size_t(page.GetHeight());
    const size_t pixelsAt = kInfoHeaderSize + size_t(paletteSize) * 4;
    std::vector<BYTE> dib(pixelsAt + stride * rows, 0);
    PutU32(dib, 0, kInfoHeaderSize);
    PutU32(dib, 4, uint32_t(page.GetWidth()));
    PutU32(dib, 8, uint32_t(page.GetHeight()));
    PutU16(dib, 12, 1);
    PutU16(dib, 14, uint16_t(page.GetBitsPerPixel()));
    PutU32(dib, 16, kRgb);
    PutU32(dib, 20, uint32_t(stride * rows));
    PutU32(dib, 24, uint32_t(PixelsPerMetre(page.GetXResolution())));
    PutU32(dib, 28, uint32_t(PixelsPerMetre(page.GetYResolution())));
    PutU32(dib, 32, uint32_t(paletteSize));
    if (paletteSize > 0)
    {
        std::vector<ZK_RGBQUAD> palette(static_cast<size_t>(paletteSize));
        page.GetPalette(0, paletteSize, palette.data());
        std::memcpy(dib.data() + kInfoHeaderSize, palette.data(), palette.size() * 4);
    }
    const BYTE* pixels = page.GetPtr();
    for (size_t y = 0; y < rows; ++y)
        std::memcpy(dib.data() + pixelsAt + (rows - 1 - y) * stride, pixels + y * stride, stride);
    return _Copy(dib.data(), dib.size());
}
