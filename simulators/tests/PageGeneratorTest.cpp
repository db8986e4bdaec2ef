// The generated pages are what every transfer test compares against, and
// pages that drift make earlier captures incomparable: digests recorded from
// the generator pin its pixels, padding included, for each pixel type over
// sizes, resolutions and seeds.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

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
// page smaller than its margins exercise the layout's corner cases; narrow
// margins put glyphs into a bitonal row's last bytes, and at 2400 dpi a
// glyph is wider than the 64 pixels bitonal glyphs are gathered in.
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
    {100, 120, 1, 72, 72, 99, 0xde8e9255b989ba81ull},
    {100, 120, 8, 72, 72, 99, 0xa53dc18e138e6247ull},
    {2481, 300, 1, 600, 600, 5, 0xa89ea386634d6f3dull},
    {2481, 300, 24, 600, 600, 5, 0x7cc0611bae7a9b29ull},
    {3000, 400, 1, 2400, 2400, 6, 0x6b613b6746581825ull},
};
} // namespace

TEST(PageGeneratorTest, PagesKeepTheirRecordedPixels)
{
    for (const PINNED_PAGE& pinned : kPinned)
    {
        SCOPED_TRACE(testing::Message()
                     << pinned.width << "x" << pinned.height << " bpp " << pinned.bitsPerPixel
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

namespace
{
ZK_SIM_PAGE_FORMAT Format(LONG width, LONG height, int bitsPerPixel, LONG dpi)
{
    ZK_SIM_PAGE_FORMAT format;
    format.width = width;
    format.height = height;
    format.bitsPerPixel = bitsPerPixel;
    format.xDpi = format.yDpi = dpi;
    return format;
}

// The bitmap's row y as the other layout must hold it.
std::vector<BYTE> ExpectedRow(const CZKBitmapHandle& page, LONG y, size_t span, bool redFirst)
{
    const size_t rowBytes = (static_cast<size_t>(page.GetWidth()) * page.GetBitsPerPixel() + 7) / 8;
    const BYTE* from = page.GetPtr() + static_cast<size_t>(y) * page.GetBytesPerLine();
    std::vector<BYTE> row(from, from + rowBytes);
    if (redFirst && page.GetBitsPerPixel() == 24)
        for (size_t x = 0; x < rowBytes; x += 3)
            std::swap(row[x], row[x + 2]);
    row.resize(span, 0);
    return row;
}
} // namespace

// Transfers paint straight into the layout they serve: unpadded red-first
// rows, or bottom-up padded rows. Every byte is written, whatever the
// memory held before.
TEST(PageGeneratorTest, PaintedLayoutsHoldTheBitmapsPixels)
{
    for (int bpp : {1, 8, 24})
        for (bool bottomUp : {false, true})
        {
            SCOPED_TRACE(testing::Message()
                         << "bpp " << bpp << (bottomUp ? " bottom-up" : " top-down"));
            const ZK_SIM_PAGE_FORMAT format = Format(403, 287, bpp, 200);
            const uint32_t seed = ProductionSeed(4, 1);
            CZKBitmapHandle page;
            ASSERT_TRUE(SZKSimPageGenerator::Generate(format, seed, page));
            const size_t rowBytes = SZKSimPageGenerator::RowBytes(format);
            const size_t span = bottomUp ? page.GetBytesPerLine() : rowBytes;
            std::vector<BYTE> memory(span * format.height, 0xA5);
            ZK_SIM_PAGE_ROWS rows;
            rows.top = bottomUp ? memory.data() + span * (format.height - 1) : memory.data();
            rows.stride = bottomUp ? -static_cast<ptrdiff_t>(span) : static_cast<ptrdiff_t>(span);
            rows.redFirst = !bottomUp;
            ASSERT_TRUE(SZKSimPageGenerator::Paint(format, seed, rows));
            for (LONG y = 0; y < format.height; ++y)
            {
                const BYTE* row = rows.top + y * rows.stride;
                ASSERT_EQ(ExpectedRow(page, y, span, rows.redFirst),
                          std::vector<BYTE>(row, row + span))
                    << "row " << y;
            }
        }
}

TEST(PageGeneratorTest, ABitmapPaintedOverHoldsOnlyTheNewPage)
{
    for (int bpp : {1, 8, 24})
    {
        SCOPED_TRACE(bpp);
        const ZK_SIM_PAGE_FORMAT format = Format(331, 250, bpp, 150);
        CZKBitmapHandle fresh, reused;
        ASSERT_TRUE(SZKSimPageGenerator::Generate(format, 2, fresh));
        ASSERT_TRUE(SZKSimPageGenerator::Generate(format, 1, reused));
        std::memset(reused.GetPtr(), 0x3C, reused.GetImageSize()); // padding too
        ASSERT_TRUE(SZKSimPageGenerator::Generate(format, 2, reused));
        EXPECT_EQ(0, std::memcmp(fresh.GetPtr(), reused.GetPtr(), fresh.GetImageSize()));
        EXPECT_EQ(fresh.GetPaletteSize(), reused.GetPaletteSize());
    }
}

TEST(PageGeneratorTest, ImpossibleFormatsAndLayoutsAreRefused)
{
    CZKBitmapHandle page;
    EXPECT_FALSE(SZKSimPageGenerator::Generate(Format(100, 100, 4, 100), 1, page));
    EXPECT_FALSE(SZKSimPageGenerator::Generate(Format(100, 100, 8, 0), 1, page));
    EXPECT_FALSE(SZKSimPageGenerator::Generate(Format(0, 100, 8, 100), 1, page));
    std::vector<BYTE> memory(100 * 3 * 10);
    ZK_SIM_PAGE_ROWS rows;
    rows.top = memory.data();
    rows.stride = 299; // one byte short of a 24-bit row
    EXPECT_FALSE(SZKSimPageGenerator::Paint(Format(100, 10, 24, 100), 1, rows));
    rows.top = nullptr;
    rows.stride = 300;
    EXPECT_FALSE(SZKSimPageGenerator::Paint(Format(100, 10, 24, 100), 1, rows));
}
