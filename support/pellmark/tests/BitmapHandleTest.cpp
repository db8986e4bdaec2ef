// Geometry, palettes and ownership of the bitmap itself.
#include <pellmark/ZKBitmapHandle.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
const ZK_RGBQUAD kBlack = {0, 0, 0, 0};
const ZK_RGBQUAD kWhite = {255, 255, 255, 0};

ZK_RGBQUAD Entry(const CZKBitmapHandle& b, int index)
{
    ZK_RGBQUAD c = {1, 2, 3, 4};
    EXPECT_TRUE(b.GetPalette(index, 1, &c));
    return c;
}
} // namespace

TEST(BitmapHandleTest, RowsArePaddedToFourBytes)
{
    struct
    {
        LONG width;
        int bpp;
        DWORD stride;
    } const cases[] = {{1, 1, 4}, {32, 1, 4}, {33, 1, 8}, {2480, 1, 312}, {7, 4, 4}, {9, 4, 8},
                       {5, 8, 8},  {4, 8, 4},  {1, 24, 4}, {3, 24, 12},    {5, 24, 16}};
    for (const auto& c : cases)
    {
        CZKBitmapHandle b;
        ASSERT_TRUE(b.Create(c.width, 3, c.bpp)) << c.width << "x" << c.bpp;
        EXPECT_EQ(b.GetBytesPerLine(), c.stride) << c.width << "x" << c.bpp;
        EXPECT_EQ(b.GetImageSize(), c.stride * 3);
        EXPECT_EQ(b.GetPaletteSize(), c.bpp == 24 ? 0 : 1 << c.bpp);
        for (DWORD i = 0; i < b.GetImageSize(); ++i)
            ASSERT_EQ(b.GetPtr()[i], 0);
    }
}

TEST(BitmapHandleTest, RefusesBadGeometryWithoutAllocating)
{
    CZKBitmapHandle b;
    for (int bpp : {0, 2, 16, 32})
        EXPECT_FALSE(b.Create(10, 10, bpp));
    EXPECT_FALSE(b.Create(0, 10, 8));
    EXPECT_FALSE(b.Create(10, 0, 8));
    EXPECT_FALSE(b.Create(-5, 10, 8));
    EXPECT_FALSE(b.Create(CZKBitmapHandle::kMaxDimension + 1, 1, 1));
    // Each side allowed, the product (3 TB) not: must not wrap or allocate.
    EXPECT_FALSE(b.Create(CZKBitmapHandle::kMaxDimension, CZKBitmapHandle::kMaxDimension, 24));
    EXPECT_FALSE(b.Create(0x10000, 0x10000, 8)); // 4 GB would wrap a 32-bit size
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(b.GetPtr(), nullptr);
    EXPECT_EQ(b.Access(), nullptr);
}

TEST(BitmapHandleTest, PalettesFollowTheDocumentedConvention)
{
    CZKBitmapHandle b;
    ASSERT_TRUE(b.Create(8, 8, 1));
    EXPECT_EQ(Entry(b, 0), kWhite); // new 1-bit bitmaps: set bit = black
    EXPECT_EQ(Entry(b, 1), kBlack);
    ASSERT_TRUE(b.SetBOWPalette_1BPP());
    EXPECT_EQ(Entry(b, 0), kBlack);
    EXPECT_EQ(Entry(b, 1), kWhite);
    ASSERT_TRUE(b.SetWOBPalette_1BPP());
    EXPECT_EQ(Entry(b, 0), kWhite);
    EXPECT_FALSE(b.SetGrayscalePalette_8BPP());

    ASSERT_TRUE(b.Create(8, 8, 8));
    EXPECT_FALSE(b.SetBOWPalette_1BPP());
    const ZK_RGBQUAD red = {0, 0, 255, 0};
    ASSERT_TRUE(b.SetPalette(255, 1, &red));
    EXPECT_EQ(Entry(b, 255), red);
    ASSERT_TRUE(b.SetGrayscalePalette_8BPP());
    EXPECT_EQ(Entry(b, 128), (ZK_RGBQUAD{128, 128, 128, 0}));
    EXPECT_FALSE(b.SetPalette(255, 2, &red));
    EXPECT_FALSE(b.SetPalette(-1, 1, &red));
    EXPECT_FALSE(b.SetPalette(0, 1, nullptr));

    ASSERT_TRUE(b.Create(8, 8, 24));
    EXPECT_FALSE(b.SetPalette(0, 1, &red));
}

TEST(BitmapHandleTest, CopyIsDeepAndAttachTakesOver)
{
    CZKBitmapHandle a;
    ASSERT_TRUE(a.Create(40, 30, 8));
    ASSERT_TRUE(a.SetResolution(300, 150));
    BYTE* bits = a.Access();
    ASSERT_NE(bits, nullptr);
    bits[5] = 77;
    EXPECT_TRUE(a.Release());
    EXPECT_FALSE(a.Release()); // nothing left to release

    CZKBitmapHandle copy;
    ASSERT_TRUE(copy.Create(a));
    copy.GetPtr()[5] = 1;
    EXPECT_EQ(a.GetPtr()[5], 77);
    EXPECT_EQ(copy.GetYResolution(), 150);

    CZKBitmapHandle taker;
    const BYTE* before = a.GetPtr();
    ASSERT_TRUE(taker.Attach(a));
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(taker.GetPtr(), before);
    EXPECT_EQ(taker.GetWidth(), 40);
    EXPECT_EQ(taker.GetXResolution(), 300);

    CZKBitmapHandle empty;
    EXPECT_FALSE(copy.Create(empty));
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_TRUE(taker.Free());
    EXPECT_TRUE(taker.IsEmpty());
    EXPECT_FALSE(taker.SetResolution(1, 1));
}

// The overwrite form differs from Create only in leaving the pixels as the
// allocator hands them over: same geometry, palette and limits, and rows
// whose padding is cleared even when the block held other bytes before.
TEST(BitmapHandleTest, CreateForOverwriteKeepsGeometryPaletteAndClearPadding)
{
    struct
    {
        LONG width;
        int bpp;
        size_t pixelBytes; // whole bytes of pixels in a row
    } const cases[] = {{3, 1, 0}, {33, 1, 4}, {7, 4, 3}, {5, 8, 5}, {5, 24, 15}, {4, 8, 4}};
    for (const auto& c : cases)
    {
        CZKBitmapHandle used;
        ASSERT_TRUE(used.Create(c.width, 9, c.bpp));
        std::fill(used.GetPtr(), used.GetPtr() + used.GetImageSize(), BYTE(0xFF));
        used.Free(); // the next block of this size is likely this one

        CZKBitmapHandle fresh, reference;
        ASSERT_TRUE(fresh.CreateForOverwrite(c.width, 9, c.bpp)) << c.width << "x" << c.bpp;
        ASSERT_TRUE(reference.Create(c.width, 9, c.bpp));
        EXPECT_EQ(fresh.GetBytesPerLine(), reference.GetBytesPerLine());
        EXPECT_EQ(fresh.GetImageSize(), reference.GetImageSize());
        EXPECT_EQ(fresh.GetPaletteSize(), reference.GetPaletteSize());
        for (int i = 0; i < reference.GetPaletteSize(); ++i)
            EXPECT_TRUE(Entry(fresh, i) == Entry(reference, i)) << "entry " << i;
        for (LONG y = 0; y < 9; ++y)
        {
            const BYTE* row = fresh.GetPtr() + size_t(y) * fresh.GetBytesPerLine();
            for (size_t x = c.pixelBytes; x < fresh.GetBytesPerLine(); ++x)
                ASSERT_EQ(row[x], 0) << c.width << "x" << c.bpp << " row " << y << " byte " << x;
        }
    }
    CZKBitmapHandle b;
    EXPECT_FALSE(b.CreateForOverwrite(0, 10, 8));
    EXPECT_FALSE(b.CreateForOverwrite(10, 10, 16));
    EXPECT_FALSE(b.CreateForOverwrite(0x10000, 0x10000, 8));
    EXPECT_TRUE(b.IsEmpty());
    const ZK_RGBQUAD given[2] = {kWhite, kBlack};
    ASSERT_TRUE(b.CreateForOverwrite(8, 1, 1, given));
    EXPECT_EQ(Entry(b, 0).rgbRed, 255);
    EXPECT_EQ(Entry(b, 1).rgbRed, 0);
}
