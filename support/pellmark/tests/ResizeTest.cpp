// Resampling: averages for grey and colour, legible strokes for bitonal pages.
#include "common/TestPages.h"

#include <pellmark/ZKBitmapHandle.h>

#include <gtest/gtest.h>

using testpages::IsInk;

namespace
{
BYTE* Row(CZKBitmapHandle& b, LONG y) { return b.GetPtr() + size_t(y) * b.GetBytesPerLine(); }

LONG InkCount(const CZKBitmapHandle& b)
{
    LONG n = 0;
    for (LONG y = 0; y < b.GetHeight(); ++y)
        for (LONG x = 0; x < b.GetWidth(); ++x)
            n += IsInk(b, x, y) ? 1 : 0;
    return n;
}
} // namespace

TEST(ResizeTest, HalvingKeepsOnePixelStrokesOfEitherPalette)
{
    for (bool blackIsZero : {false, true})
    {
        CZKBitmapHandle page;
        ASSERT_TRUE(page.Create(64, 64, 1));
        if (blackIsZero)
        {
            page.SetBOWPalette_1BPP();
            for (LONG y = 0; y < 64; ++y)
                std::fill(Row(page, y), Row(page, y) + 8, BYTE(0xFF)); // all white
        }
        for (LONG y = 0; y < 64; ++y) // a one-pixel vertical stroke at x = 21
        {
            BYTE& byte = Row(page, y)[21 / 8];
            byte = BYTE(byte ^ (0x80 >> (21 % 8)));
        }
        ASSERT_EQ(InkCount(page), 64);
        ASSERT_TRUE(page.Resize(32, 32, CZKBitmapHandle::kResizeArea));
        EXPECT_EQ(page.GetBitsPerPixel(), 1);
        for (LONG y = 0; y < 32; ++y)
        {
            EXPECT_TRUE(IsInk(page, 10, y)) << "row " << y;
            EXPECT_FALSE(IsInk(page, 11, y));
            EXPECT_FALSE(IsInk(page, 9, y));
        }
        EXPECT_EQ(InkCount(page), 32);
    }
}

TEST(ResizeTest, SparseSpecksDoNotDarkenTheBackground)
{
    CZKBitmapHandle page;
    ASSERT_TRUE(page.Create(90, 90, 1));
    for (LONG y = 0; y < 90; y += 3) // one ink pixel in each 3x3 cell
        Row(page, y)[0] = 0x90; // x = 0 and x = 3
    ASSERT_TRUE(page.Resize(30, 30, CZKBitmapHandle::kResizeArea));
    EXPECT_EQ(InkCount(page), 0);
}

TEST(ResizeTest, AveragesGreyAndEachColourChannelOnItsOwn)
{
    CZKBitmapHandle grey;
    ASSERT_TRUE(grey.Create(4, 2, 8));
    const BYTE greyRows[2][4] = {{0, 255, 10, 10}, {255, 0, 30, 30}};
    for (LONG y = 0; y < 2; ++y)
        std::copy(greyRows[y], greyRows[y] + 4, Row(grey, y));
    ASSERT_TRUE(grey.Resize(2, 1, CZKBitmapHandle::kResizeArea));
    EXPECT_EQ(Row(grey, 0)[0], 128); // 127.5 rounds up
    EXPECT_EQ(Row(grey, 0)[1], 20);

    CZKBitmapHandle colour;
    ASSERT_TRUE(colour.Create(2, 2, 24));
    colour.SetResolution(300, 200);
    for (LONG y = 0; y < 2; ++y)
        for (LONG x = 0; x < 2; ++x)
        {
            Row(colour, y)[x * 3 + 0] = 200;           // blue constant
            Row(colour, y)[x * 3 + 1] = BYTE(x * 100); // green varies across
            Row(colour, y)[x * 3 + 2] = BYTE(y * 40);  // red varies down
        }
    ASSERT_TRUE(colour.Resize(1, 1, CZKBitmapHandle::kResizeArea));
    EXPECT_EQ(Row(colour, 0)[0], 200);
    EXPECT_EQ(Row(colour, 0)[1], 50);
    EXPECT_EQ(Row(colour, 0)[2], 20);
    EXPECT_EQ(colour.GetXResolution(), 150);
    EXPECT_EQ(colour.GetYResolution(), 100);
}

TEST(ResizeTest, EnlargingAndOddFactorsCoverTheWholeImage)
{
    CZKBitmapHandle grey;
    ASSERT_TRUE(grey.Create(3, 1, 8));
    Row(grey, 0)[0] = 10;
    Row(grey, 0)[1] = 20;
    Row(grey, 0)[2] = 30;
    ASSERT_TRUE(grey.Resize(6, 2, CZKBitmapHandle::kResizeArea));
    const BYTE expected[6] = {10, 10, 20, 20, 30, 30};
    for (LONG y = 0; y < 2; ++y)
        for (LONG x = 0; x < 6; ++x)
            EXPECT_EQ(Row(grey, y)[x], expected[x]);

    // 7 -> 3: every output pixel mixes a fractional share of its neighbours.
    CZKBitmapHandle ramp;
    ASSERT_TRUE(ramp.Create(7, 1, 8));
    for (LONG x = 0; x < 7; ++x)
        Row(ramp, 0)[x] = BYTE(x * 30);
    ASSERT_TRUE(ramp.Resize(3, 1, CZKBitmapHandle::kResizeArea));
    EXPECT_EQ(Row(ramp, 0)[0], 21);  // (0*3 + 30*3 + 60*1) / 7
    EXPECT_EQ(Row(ramp, 0)[1], 90);  // (60*2 + 90*3 + 120*2) / 7
    EXPECT_EQ(Row(ramp, 0)[2], 159); // (120*1 + 150*3 + 180*3) / 7, rounded
}

TEST(ResizeTest, PaletteImagesAreNotAveragedAcrossColours)
{
    CZKBitmapHandle b;
    ASSERT_TRUE(b.Create(2, 2, 8));
    const ZK_RGBQUAD red = {0, 0, 255, 0}, blue = {255, 0, 0, 0};
    ASSERT_TRUE(b.SetPalette(0, 1, &red));
    ASSERT_TRUE(b.SetPalette(200, 1, &blue));
    Row(b, 0)[0] = 0;
    Row(b, 0)[1] = 200;
    Row(b, 1)[0] = 200;
    Row(b, 1)[1] = 0;
    ASSERT_TRUE(b.Resize(1, 1, CZKBitmapHandle::kResizeArea));
    // Averaging the indices would give 100, a colour no source pixel had.
    EXPECT_TRUE(Row(b, 0)[0] == 0 || Row(b, 0)[0] == 200);
}

TEST(ResizeTest, RefusesBadRequests)
{
    CZKBitmapHandle b;
    EXPECT_FALSE(b.Resize(10, 10, CZKBitmapHandle::kResizeArea)); // empty
    ASSERT_TRUE(b.Create(10, 10, 8));
    EXPECT_FALSE(b.Resize(0, 10, CZKBitmapHandle::kResizeArea));
    EXPECT_FALSE(b.Resize(5, 5, 7));
    EXPECT_EQ(b.GetWidth(), 10);
    ASSERT_TRUE(b.Resize(5, 5, CZKBitmapHandle::kResizeNearest));
    EXPECT_EQ(b.GetWidth(), 5);
}
