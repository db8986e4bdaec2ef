// The generated pages are what every transfer test compares against, and
// pages that drift make earlier captures incomparable: digests recorded from
// the generator pin its pixels, padding included, for each pixel type over
// sizes, resolutions and seeds.
#include <gtest/gtest.h>

#include <cstdint>

#include "ZKSimPageGenerator.h"

namespace
{
struct PINNED_PAGE
{
    LONG width, height;
    int bitsPerPixel;
    LONG xDpi, yDpi;
    uint32_t seed;
    uint64_t digest;
};

uint64_t Fnv1a64(const BYTE* bytes, size_t size)
{
    uint64_t hash = 14695981039346656037ull;
    for (size_t i = 0; i < size; ++i)
    {
        hash ^= bytes[i];
        hash *= 1099511628211ull;
    }
    return hash;
}

uint32_t ProductionSeed(int sheet, int side)
{
    return SZKSimPageGenerator::Seed("ZK Virtual Production Duplex", sheet, side, 0);
}

// Odd widths leave unused bits and row padding; unequal resolutions and a
// page smaller than its margins exercise the layout's corner cases.
const PINNED_PAGE kPinned[] = {
    {850, 1100, 1, 100, 100, ProductionSeed(1, 0), 0xdb8d659879a5b7aeull},
    {850, 1100, 8, 100, 100, ProductionSeed(1, 1), 0xda2c32bb4405a5f5ull},
    {850, 1100, 24, 100, 100, ProductionSeed(2, 0), 0xeb3c930d33c0779eull},
    {1237, 877, 1, 300, 300, ProductionSeed(3, 1), 0xa896e888d1b256baull},
    {1237, 877, 8, 300, 300, ProductionSeed(3, 1), 0xf8cf2d239b255c3aull},
    {1237, 877, 24, 300, 300, ProductionSeed(3, 1), 0xc2ec0ac01dae1466ull},
    {403, 611, 1, 200, 100, 0, 0x61221b2794e6ca17ull},
    {403, 611, 8, 200, 100, 0, 0x6551a169a4705788ull},
    {403, 611, 24, 200, 100, 0, 0xfe8d702a41d43ad1ull},
    {61, 45, 1, 72, 72, 12345, 0xf856e678ec8f9cb8ull},
    {61, 45, 24, 72, 72, 12345, 0x9bca6ea6248f514full},
    {1, 1, 1, 200, 200, 7, 0x4a7b7aaab8ac5c75ull},
};
} // namespace

TEST(PageGeneratorTest, PagesKeepTheirRecordedPixels)
{
    for (const PINNED_PAGE& pinned : kPinned)
    {
        SCOPED_TRACE(testing::Message() << pinned.width << "x" << pinned.height << " bpp " << pinned.bitsPerPixel
                                        << " dpi " << pinned.xDpi << "/" << pinned.yDpi << " seed " << pinned.seed);
        ZK_SIM_PAGE_FORMAT format;
        format.width = pinned.width;
        format.height = pinned.height;
        format.bitsPerPixel = pinned.bitsPerPixel;
        format.xDpi = pinned.xDpi;
        format.yDpi = pinned.yDpi;
        CZKBitmapHandle page;
        ASSERT_TRUE(SZKSimPageGenerator::Generate(format, pinned.seed, page));
        ASSERT_EQ(pinned.width, page.GetWidth());
        ASSERT_EQ(pinned.height, page.GetHeight());
        EXPECT_EQ(pinned.xDpi, page.GetXResolution());
        EXPECT_EQ(pinned.digest, Fnv1a64(page.GetPtr(), page.GetImageSize())) << std::hex;
    }
}
