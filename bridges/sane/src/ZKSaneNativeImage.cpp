#include "ZKSaneNativeImage.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "ZKSaneMemory.h"

namespace
{
constexpr size_t kHeaderSize = 40;

void Put32(uint8_t* at, uint32_t value)
{
    std::memcpy(at, &value, sizeof(value));
}

void Put16(uint8_t* at, uint16_t value)
{
    std::memcpy(at, &value, sizeof(value));
}

uint32_t PixelsPerMetre(double dpi)
{
    return static_cast<uint32_t>(std::lround(dpi / 0.0254));
}
} // namespace

TW_HANDLE SZKSaneNativeImage::Dib(const ZK_SANE_PAGE& page)
{
    const uint32_t colours = page.bitsPerPixel == 1 ? 2 : page.bitsPerPixel == 8 ? 256 : 0;
    const size_t stride = (size_t(page.width) * page.bitsPerPixel + 31) / 32 * 4;
    const size_t pixelsAt = kHeaderSize + colours * 4;
    const size_t size = pixelsAt + stride * page.height;
    TW_HANDLE handle = SZKSaneMemory::Alloc(size);
    auto* dib = handle ? static_cast<uint8_t*>(SZKSaneMemory::Lock(handle)) : nullptr;
    if (!dib)
    {
        if (handle)
            SZKSaneMemory::Free(handle);
        return nullptr;
    }
    Put32(dib, kHeaderSize);
    Put32(dib + 4, page.width);
    Put32(dib + 8, page.height); // positive: bottom-up rows
    Put16(dib + 12, 1);
    Put16(dib + 14, page.bitsPerPixel);
    Put32(dib + 20, static_cast<uint32_t>(stride * page.height));
    Put32(dib + 24, PixelsPerMetre(page.xDpi));
    Put32(dib + 28, PixelsPerMetre(page.yDpi));
    Put32(dib + 32, colours);
    // Grey ramps; bitonal 0 is black, as the page holds it.
    for (uint32_t i = 0; i < colours; ++i)
    {
        const auto level = static_cast<uint8_t>(colours == 2 ? i * 255 : i);
        uint8_t* entry = dib + kHeaderSize + i * 4;
        entry[0] = entry[1] = entry[2] = level;
    }
    const size_t rowBytes = page.BytesPerRow();
    for (uint32_t y = 0; y < page.height; ++y)
    {
        const uint8_t* source = page.rows.data() + size_t(y) * rowBytes;
        uint8_t* target = dib + pixelsAt + size_t(page.height - 1 - y) * stride;
        if (page.bitsPerPixel != 24)
        {
            std::memcpy(target, source, rowBytes);
            continue;
        }
        // DIB colour pixels are blue, green, red.
        for (uint32_t x = 0; x < page.width; ++x)
        {
            target[x * 3] = source[x * 3 + 2];
            target[x * 3 + 1] = source[x * 3 + 1];
            target[x * 3 + 2] = source[x * 3];
        }
    }
    SZKSaneMemory::Unlock(handle);
    return handle;
}
