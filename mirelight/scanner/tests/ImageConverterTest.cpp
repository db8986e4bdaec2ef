// Raw-row converters on small hand-made images.
#include "QXImageConverter.h"

#include <mirelight/QX_SCANNER_IMAGE_INFO.h>

#include <hollin/ZKRBuffer.h>
#include <pellmark/ZKBitmapHandle.h>

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

namespace
{
QX_SCANNER_IMAGE_INFO TwainInfo(int width, int height, int bpp, int type, int rowSize)
{
    QX_SCANNER_IMAGE_INFO info;
    info.ImageWidth = width;
    info.ImageLength = height;
    info.BitsPerPixel = static_cast<WORD>(bpp);
    info.RowSize = static_cast<WORD>(rowSize);
    info.imageType.value = static_cast<BYTE>(type);
    info.XResolution = 150;
    info.YResolution = 100;
    return info;
}

ZK_ISIS_IMAGE_INFO IsisInfo(uint32_t width, uint32_t height, int samples, int bits, int photometric)
{
    ZK_ISIS_IMAGE_INFO info;
    info.ImageWidth = width;
    info.ImageLength = height;
    info.SamplesPerPixel = static_cast<int16_t>(samples);
    info.BitsPerSample = static_cast<int16_t>(bits);
    info.Photometric = static_cast<int16_t>(photometric);
    info.XResolution = 200.9;
    info.YResolution = 300;
    return info;
}

std::vector<BYTE> Row(const CZKBitmapHandle& bitmap, int y, size_t count)
{
    const BYTE* row = bitmap.GetPtr() + static_cast<size_t>(y) * bitmap.GetBytesPerLine();
    return std::vector<BYTE>(row, row + count);
}

ZK_RGBQUAD PaletteEntry(const CZKBitmapHandle& bitmap, int index)
{
    ZK_RGBQUAD entry{};
    bitmap.GetPalette(index, 1, &entry);
    return entry;
}
} // namespace

TEST(TwainRowsTest, ColourRowsAreReversedPerPixelAndPaddingIsDropped)
{
    // Two pixels per row, RowSize 8: two padding bytes the bitmap must not get.
    const BYTE rows[] = {1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 7, 8, 9, 10, 11, 12, 0xEE, 0xEE};
    CZKRBuffer data(rows, sizeof(rows));
    CZKBitmapHandle bitmap;
    ASSERT_TRUE(SQXImageConverter::TwainRowsToBitmap(data, TwainInfo(2, 2, 24, 3, 8), bitmap));
    EXPECT_EQ(bitmap.GetBytesPerLine(), 8u);
    EXPECT_EQ(Row(bitmap, 0, 8), (std::vector<BYTE>{3, 2, 1, 6, 5, 4, 0, 0}));
    EXPECT_EQ(Row(bitmap, 1, 8), (std::vector<BYTE>{9, 8, 7, 12, 11, 10, 0, 0}));
    EXPECT_EQ(bitmap.GetXResolution(), 150);
}

TEST(TwainRowsTest, GreyAndBitonalRowsAreRestridedWithTheirPalettes)
{
    // 3 grey pixels, tight rows of 3 bytes: the bitmap pads each to 4.
    const BYTE grey[] = {10, 20, 30, 40, 50, 60};
    CZKRBuffer greyData(grey, sizeof(grey));
    CZKBitmapHandle bitmap;
    ASSERT_TRUE(SQXImageConverter::TwainRowsToBitmap(greyData, TwainInfo(3, 2, 8, 2, 3), bitmap));
    EXPECT_EQ(Row(bitmap, 1, 4), (std::vector<BYTE>{40, 50, 60, 0}));
    const ZK_RGBQUAD entry = PaletteEntry(bitmap, 77);
    EXPECT_EQ(entry.rgbRed, 77);
    EXPECT_EQ(entry.rgbBlue, 77);

    // Source rows wider than the bitmap's: only the pixel bytes are taken,
    // the bitmap's row padding stays clear.
    std::vector<BYTE> bits(2 * 6, 0x11);
    bits[6] = 0xA5;
    CZKRBuffer bitData(bits.data(), bits.size());
    ASSERT_TRUE(SQXImageConverter::TwainRowsToBitmap(bitData, TwainInfo(16, 2, 1, 1, 6), bitmap));
    EXPECT_EQ(Row(bitmap, 1, 4), (std::vector<BYTE>{0xA5, 0x11, 0, 0}));
    EXPECT_EQ(PaletteEntry(bitmap, 0).rgbRed, 0); // black on white
}

TEST(TwainRowsTest, RefusesWhatItCannotReadInFull)
{
    const std::vector<BYTE> rows(12, 0);
    CZKRBuffer data(rows.data(), rows.size());
    CZKBitmapHandle bitmap;
    // Two rows of 6 bytes hold exactly two 2-pixel colour rows.
    EXPECT_TRUE(SQXImageConverter::TwainRowsToBitmap(data, TwainInfo(2, 2, 24, 3, 6), bitmap));
    EXPECT_FALSE(SQXImageConverter::TwainRowsToBitmap(data, TwainInfo(2, 3, 24, 3, 6), bitmap));
    EXPECT_FALSE(SQXImageConverter::TwainRowsToBitmap(data, TwainInfo(3, 2, 24, 3, 6), bitmap));
    EXPECT_FALSE(SQXImageConverter::TwainRowsToBitmap(data, TwainInfo(0, 2, 24, 3, 6), bitmap));
    EXPECT_FALSE(SQXImageConverter::TwainRowsToBitmap(data, TwainInfo(2, 0, 24, 3, 6), bitmap));
    EXPECT_FALSE(SQXImageConverter::TwainRowsToBitmap(data, TwainInfo(2, 2, 8, 3, 6), bitmap));
    EXPECT_FALSE(SQXImageConverter::TwainRowsToBitmap(data, TwainInfo(2, 2, 24, 3, 0), bitmap));
    CZKRBuffer empty;
    EXPECT_FALSE(SQXImageConverter::TwainRowsToBitmap(empty, TwainInfo(2, 2, 24, 3, 6), bitmap));
}

TEST(IsisRowsTest, BitonalRowsGetThePaletteOfTheirPhotometric)
{
    const BYTE rows[] = {0xC3, 0x3C};
    CZKRBuffer data(rows, sizeof(rows));
    CZKBitmapHandle bitmap;
    ASSERT_TRUE(SQXImageConverter::IsisRowsToBitmap(data, IsisInfo(8, 2, 1, 1, 0), bitmap));
    EXPECT_EQ(Row(bitmap, 1, 1), std::vector<BYTE>{0x3C});
    EXPECT_EQ(PaletteEntry(bitmap, 0).rgbRed, 255); // white is zero
    EXPECT_EQ(bitmap.GetXResolution(), 200);
    ASSERT_TRUE(SQXImageConverter::IsisRowsToBitmap(data, IsisInfo(8, 2, 1, 1, 1), bitmap));
    EXPECT_EQ(PaletteEntry(bitmap, 0).rgbRed, 0); // black is zero
}

TEST(IsisRowsTest, FourBitGreyTakesTheHighNibbleAsTheLeftPixel)
{
    // One row of 3 pixels: 0x1, 0xF, 0x8 (the last low nibble is padding).
    const BYTE rows[] = {0x1F, 0x80};
    CZKRBuffer data(rows, sizeof(rows));
    CZKBitmapHandle bitmap;
    ASSERT_TRUE(SQXImageConverter::IsisRowsToBitmap(data, IsisInfo(3, 1, 1, 4, 1), bitmap));
    EXPECT_EQ(bitmap.GetBitsPerPixel(), 8);
    EXPECT_EQ(Row(bitmap, 0, 3), (std::vector<BYTE>{0x11, 0xFF, 0x88}));
    ASSERT_TRUE(SQXImageConverter::IsisRowsToBitmap(data, IsisInfo(3, 1, 1, 4, 0), bitmap));
    EXPECT_EQ(Row(bitmap, 0, 3), (std::vector<BYTE>{0xEE, 0x00, 0x77}));
}

TEST(IsisRowsTest, EightBitGreyIsCopiedOrInverted)
{
    const BYTE rows[] = {0, 100, 255, 7, 8, 9};
    CZKRBuffer data(rows, sizeof(rows));
    CZKBitmapHandle bitmap;
    ASSERT_TRUE(SQXImageConverter::IsisRowsToBitmap(data, IsisInfo(3, 2, 1, 8, 1), bitmap));
    EXPECT_EQ(Row(bitmap, 1, 3), (std::vector<BYTE>{7, 8, 9}));
    ASSERT_TRUE(SQXImageConverter::IsisRowsToBitmap(data, IsisInfo(3, 2, 1, 8, 0), bitmap));
    EXPECT_EQ(Row(bitmap, 0, 3), (std::vector<BYTE>{255, 155, 0}));
    EXPECT_EQ(PaletteEntry(bitmap, 200).rgbGreen, 200);
}

TEST(IsisRowsTest, ColourLayouts)
{
    const BYTE rgb[] = {1, 2, 3, 4, 5, 6};
    CZKRBuffer data(rgb, sizeof(rgb));
    CZKBitmapHandle bitmap;
    ASSERT_TRUE(SQXImageConverter::IsisRowsToBitmap(data, IsisInfo(2, 1, 3, 8, 2), bitmap));
    EXPECT_EQ(Row(bitmap, 0, 6), (std::vector<BYTE>{3, 2, 1, 6, 5, 4}));
    ASSERT_TRUE(SQXImageConverter::IsisRowsToBitmap(data, IsisInfo(2, 1, 3, 8, 120), bitmap));
    EXPECT_EQ(Row(bitmap, 0, 6), (std::vector<BYTE>{1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(SQXImageConverter::IsisRowsToBitmap(data, IsisInfo(2, 1, 3, 8, 1), bitmap));
    EXPECT_FALSE(SQXImageConverter::IsisRowsToBitmap(data, IsisInfo(2, 1, 1, 2, 1), bitmap));
}

TEST(IsisRowsTest, PaletteImagesLookUpTheColourMap)
{
    // Four entries per table; 16-bit values scale down to their high byte.
    const uint32_t map[] = {0x0000, 0xFF00, 0x1000, 0x2000,  // red
                            0x0000, 0x8000, 0x1100, 0x2100,  // green
                            0x0000, 0x4000, 0x1200, 0x2200}; // blue
    const BYTE eightBit[] = {1, 3, 9}; // 9 is outside the map
    CZKRBuffer data(eightBit, sizeof(eightBit));
    ZK_ISIS_IMAGE_INFO info = IsisInfo(3, 1, 1, 8, 3);
    CZKBitmapHandle bitmap;
    EXPECT_FALSE(SQXImageConverter::IsisRowsToBitmap(data, info, bitmap)); // no map
    info.ColorMap.assign(std::begin(map), std::end(map));
    info.ColorMapLength = 12;
    ASSERT_TRUE(SQXImageConverter::IsisRowsToBitmap(data, info, bitmap));
    EXPECT_EQ(bitmap.GetBitsPerPixel(), 24);
    EXPECT_EQ(Row(bitmap, 0, 9), (std::vector<BYTE>{0x40, 0x80, 0xFF, 0x22, 0x21, 0x20, 0, 0, 0}));

    const BYTE fourBit[] = {0x21}; // pixels 2 then 1
    CZKRBuffer nibbles(fourBit, sizeof(fourBit));
    info = IsisInfo(2, 1, 1, 4, 3);
    info.ColorMap.assign(std::begin(map), std::end(map));
    info.ColorMapLength = 12;
    ASSERT_TRUE(SQXImageConverter::IsisRowsToBitmap(nibbles, info, bitmap));
    EXPECT_EQ(Row(bitmap, 0, 6), (std::vector<BYTE>{0x12, 0x11, 0x10, 0x40, 0x80, 0xFF}));

    // A map of byte values is used as it is.
    const uint32_t byteMap[] = {0, 200, 0, 100, 0, 50};
    info = IsisInfo(1, 1, 1, 8, 3);
    info.ColorMap.assign(std::begin(byteMap), std::end(byteMap));
    info.ColorMapLength = 6;
    const BYTE one[] = {1};
    CZKRBuffer single(one, 1);
    ASSERT_TRUE(SQXImageConverter::IsisRowsToBitmap(single, info, bitmap));
    EXPECT_EQ(Row(bitmap, 0, 3), (std::vector<BYTE>{50, 100, 200}));

    // A map announced longer than the values the driver sent is refused.
    info.ColorMapLength = 12;
    EXPECT_FALSE(SQXImageConverter::IsisRowsToBitmap(single, info, bitmap));
}

TEST(IsisRowsTest, InPlaceRestridesAndReportsTheDepth)
{
    // 1-bit rows already 4 bytes wide stay as they are.
    const BYTE aligned[] = {1, 2, 3, 4, 5, 6, 7, 8};
    CZKRBuffer data(aligned, sizeof(aligned));
    WORD bpp = 0;
    ASSERT_TRUE(SQXImageConverter::IsisRowsInPlace(data, IsisInfo(32, 2, 1, 1, 0), bpp));
    EXPECT_EQ(bpp, 1);
    EXPECT_EQ(std::vector<BYTE>(data.GetPtr(), data.GetPtr() + data.GetSize()),
              std::vector<BYTE>(aligned, aligned + sizeof(aligned)));

    // 5 grey pixels per row: rows grow to 8 bytes.
    const BYTE grey[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    CZKRBuffer greyData(grey, sizeof(grey));
    ASSERT_TRUE(SQXImageConverter::IsisRowsInPlace(greyData, IsisInfo(5, 2, 1, 8, 1), bpp));
    EXPECT_EQ(bpp, 8);
    EXPECT_EQ(std::vector<BYTE>(greyData.GetPtr(), greyData.GetPtr() + greyData.GetSize()),
              (std::vector<BYTE>{1, 2, 3, 4, 5, 0, 0, 0, 6, 7, 8, 9, 10, 0, 0, 0}));

    // A failure leaves the buffer and the depth alone.
    bpp = 77;
    EXPECT_FALSE(SQXImageConverter::IsisRowsInPlace(greyData, IsisInfo(5, 2, 3, 8, 1), bpp));
    EXPECT_EQ(bpp, 77);
    EXPECT_EQ(greyData.GetSize(), 16u);
}

TEST(IsisRowsTest, RowsThatKeepTheirLengthAreConvertedWhereTheyAre)
{
    // 5 grey pixels in rows the driver padded to 8 bytes: its padding is
    // cleared as in a new bitmap.
    const BYTE grey[] = {1, 2, 3, 4, 5, 99, 99, 99, 6, 7, 8, 9, 10, 99, 99, 99};
    CZKRBuffer greyData(grey, sizeof(grey));
    const BYTE* block = greyData.GetPtr();
    WORD bpp = 0;
    ASSERT_TRUE(SQXImageConverter::IsisRowsInPlace(greyData, IsisInfo(5, 2, 1, 8, 1), bpp));
    EXPECT_EQ(bpp, 8);
    EXPECT_EQ(greyData.GetPtr(), block) << "no second block";
    EXPECT_EQ(std::vector<BYTE>(greyData.GetPtr(), greyData.GetPtr() + greyData.GetSize()),
              (std::vector<BYTE>{1, 2, 3, 4, 5, 0, 0, 0, 6, 7, 8, 9, 10, 0, 0, 0}));

    // 5 colour pixels and a byte of padding a row: red and blue change places.
    std::vector<BYTE> colour(32, 77);
    for (size_t i = 0; i < 15; ++i)
        colour[i] = colour[16 + i] = BYTE(i + 1);
    CZKRBuffer colourData(colour.data(), colour.size());
    ASSERT_TRUE(SQXImageConverter::IsisRowsInPlace(colourData, IsisInfo(5, 2, 3, 8, 2), bpp));
    EXPECT_EQ(bpp, 24);
    const std::vector<BYTE> row = {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 0};
    std::vector<BYTE> expected(row);
    expected.insert(expected.end(), row.begin(), row.end());
    EXPECT_EQ(std::vector<BYTE>(colourData.GetPtr(), colourData.GetPtr() + colourData.GetSize()), expected);
}

TEST(IsisRowsTest, RefusesRowsShorterThanThePixels)
{
    const BYTE rows[] = {1, 2, 3, 4, 5};
    CZKRBuffer data(rows, sizeof(rows));
    CZKBitmapHandle bitmap;
    WORD bpp = 0;
    // 5 bytes over 2 rows is a stride of 2: too short for 3 grey pixels.
    EXPECT_FALSE(SQXImageConverter::IsisRowsToBitmap(data, IsisInfo(3, 2, 1, 8, 1), bitmap));
    EXPECT_FALSE(SQXImageConverter::IsisRowsInPlace(data, IsisInfo(3, 2, 1, 8, 1), bpp));
    EXPECT_FALSE(SQXImageConverter::IsisRowsToBitmap(data, IsisInfo(0, 2, 1, 8, 1), bitmap));
    EXPECT_FALSE(SQXImageConverter::IsisRowsToBitmap(data, IsisInfo(2, 0, 1, 8, 1), bitmap));
    EXPECT_FALSE(SQXImageConverter::IsisRowsToBitmap(data, IsisInfo(6, 1, 3, 8, 2), bitmap));
    CZKRBuffer empty;
    EXPECT_FALSE(SQXImageConverter::IsisRowsToBitmap(empty, IsisInfo(1, 1, 1, 8, 1), bitmap));
}
