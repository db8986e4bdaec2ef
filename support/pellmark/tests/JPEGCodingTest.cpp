// JPEG decoding with the decoder's scaling, encoding, and damaged data.
#include "common/TestPages.h"

#include <hollin/ZKRBuffer.h>
#include <pellmark/ZKBitmapHandle.h>

#include <gtest/gtest.h>

#include <cstdlib>

using testpages::EncodeWithLibjpeg;

namespace
{
// RGB test card: left third red, middle green, right blue, top-down.
std::vector<uint8_t> ColourBars(int width, int height)
{
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rgb[(size_t(y) * width + x) * 3 + size_t(x * 3 / width)] = 255;
    return rgb;
}

std::vector<uint8_t> VerticalGreyRamp(int width, int height)
{
    std::vector<uint8_t> grey(size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            grey[size_t(y) * width + x] = uint8_t(y * 255 / (height - 1));
    return grey;
}

const BYTE* Pixel(const CZKBitmapHandle& b, LONG x, LONG y)
{
    return b.GetPtr() + size_t(y) * b.GetBytesPerLine() + size_t(x) * size_t(b.GetBitsPerPixel() / 8);
}

bool Near(int a, int b) { return std::abs(a - b) <= 6; }
} // namespace

TEST(JPEGCodingTest, ColourDecodesAsBlueGreenRedTopDown)
{
    const std::vector<uint8_t> jpeg = EncodeWithLibjpeg(ColourBars(300, 100), 300, 100, 3, 95, 150);
    CZKRBuffer buffer(jpeg.data(), jpeg.size());
    CZKBitmapHandle bitmap;
    ASSERT_TRUE(bitmap.Decompress_JPEG(buffer, 1));
    ASSERT_EQ(bitmap.GetBitsPerPixel(), 24);
    EXPECT_EQ(bitmap.GetBytesPerLine(), 900u);
    EXPECT_EQ(bitmap.GetXResolution(), 150);
    const BYTE* red = Pixel(bitmap, 50, 50);
    const BYTE* blue = Pixel(bitmap, 250, 50);
    EXPECT_TRUE(Near(red[2], 255) && Near(red[1], 0) && Near(red[0], 0));
    EXPECT_TRUE(Near(blue[0], 255) && Near(blue[1], 0) && Near(blue[2], 0));
}

TEST(JPEGCodingTest, GreyDecodesToEightBitsWithGreyRampTopDown)
{
    const std::vector<uint8_t> jpeg = EncodeWithLibjpeg(VerticalGreyRamp(101, 256), 101, 256, 1, 95, 300);
    CZKBitmapHandle bitmap;
    ASSERT_TRUE(bitmap.Decompress_JPEG(jpeg.data(), jpeg.size(), 1));
    ASSERT_EQ(bitmap.GetBitsPerPixel(), 8);
    EXPECT_EQ(bitmap.GetBytesPerLine(), 104u);
    ZK_RGBQUAD entry[1];
    ASSERT_TRUE(bitmap.GetPalette(200, 1, entry));
    EXPECT_EQ(entry[0].rgbRed, 200);
    EXPECT_TRUE(Near(*Pixel(bitmap, 50, 10), 10));
    EXPECT_TRUE(Near(*Pixel(bitmap, 50, 240), 240));
}

TEST(JPEGCodingTest, ScalesWithTheDecoderOrByResizing)
{
    const std::vector<uint8_t> jpeg = EncodeWithLibjpeg(ColourBars(1001, 603), 1001, 603, 3, 90, 300);
    struct
    {
        int scale;
        LONG width, height, dpi;
    } const cases[] = {
        {1, 1001, 603, 300}, {2, 501, 302, 150}, {4, 251, 151, 75}, {8, 126, 76, 37}, {3, 333, 201, 99},
    };
    for (const auto& c : cases)
    {
        CZKBitmapHandle bitmap;
        ASSERT_TRUE(bitmap.Decompress_JPEG(jpeg.data(), jpeg.size(), c.scale)) << c.scale;
        EXPECT_EQ(bitmap.GetWidth(), c.width) << c.scale;
        EXPECT_EQ(bitmap.GetHeight(), c.height) << c.scale;
        EXPECT_EQ(bitmap.GetXResolution(), c.dpi) << c.scale;
        // Colours survive scaling: still red at the left.
        EXPECT_TRUE(Near(Pixel(bitmap, c.width / 6, c.height / 2)[2], 255)) << c.scale;
    }
    CZKBitmapHandle bitmap;
    EXPECT_FALSE(bitmap.Decompress_JPEG(jpeg.data(), jpeg.size(), 0));
    EXPECT_FALSE(bitmap.Decompress_JPEG(jpeg.data(), jpeg.size(), -2));
}

TEST(JPEGCodingTest, EncodesGreyAndColourBitmapsOnly)
{
    for (int bpp : {8, 24})
    {
        const CZKBitmapHandle page = testpages::MakeContonePage(640, 480, bpp);
        CZKRBuffer coded;
        ASSERT_TRUE(page.Compress_JPEG(coded, 92)) << bpp;
        CZKBitmapHandle decoded;
        ASSERT_TRUE(decoded.Decompress_JPEG(coded, 1));
        EXPECT_EQ(decoded.GetBitsPerPixel(), bpp);
        EXPECT_EQ(decoded.GetXResolution(), 200);
        for (LONG y = 5; y < 480; y += 97)
            for (LONG x = 7; x < 640; x += 101)
                for (int c = 0; c < bpp / 8; ++c)
                    EXPECT_TRUE(Near(Pixel(page, x, y)[c], Pixel(decoded, x, y)[c])) << bpp << " at " << x << "," << y;
    }
    CZKBitmapHandle page = testpages::MakeTextPage(64, 64, 1);
    std::vector<BYTE> out;
    EXPECT_FALSE(page.Compress_JPEG(out, 90));
    CZKBitmapHandle grey = testpages::MakeContonePage(64, 64, 8);
    EXPECT_FALSE(grey.Compress_JPEG(out, 0));
    EXPECT_FALSE(grey.Compress_JPEG(out, 101));
    ZK_RGBQUAD red = {0, 0, 255, 0};
    grey.SetPalette(3, 1, &red); // no longer a grey image
    EXPECT_FALSE(grey.Compress_JPEG(out, 90));
}

TEST(JPEGCodingTest, RefusesDamagedDataSilentlyAndKeepsTheBitmap)
{
    const std::vector<uint8_t> jpeg = EncodeWithLibjpeg(ColourBars(640, 480), 640, 480, 3, 90, 300);
    const std::vector<uint8_t> truncated(jpeg.begin(), jpeg.begin() + jpeg.size() / 2);
    const std::vector<uint8_t> headerOnly(jpeg.begin(), jpeg.begin() + 200);
    // A Huffman table whose code counts add up to far more than 256 codes.
    std::vector<uint8_t> corrupted(jpeg);
    size_t dht = 0;
    while (dht + 1 < corrupted.size() && !(corrupted[dht] == 0xFF && corrupted[dht + 1] == 0xC4))
        ++dht;
    ASSERT_LT(dht + 21, corrupted.size());
    for (size_t i = dht + 5; i < dht + 21; ++i)
        corrupted[i] = 0xFF;
    const std::vector<uint8_t> notJpeg(1000, 0x42);

    CZKBitmapHandle bitmap;
    ASSERT_TRUE(bitmap.Create(10, 10, 1));
    ::testing::internal::CaptureStderr();
    for (const std::vector<uint8_t>* data :
         std::initializer_list<const std::vector<uint8_t>*>{&truncated, &headerOnly, &corrupted, &notJpeg})
        for (int scale : {1, 2, 3})
            EXPECT_FALSE(bitmap.Decompress_JPEG(data->data(), data->size(), scale));
    EXPECT_FALSE(bitmap.Decompress_JPEG(nullptr, 0, 1));
    CZKRBuffer empty;
    EXPECT_FALSE(bitmap.Decompress_JPEG(empty, 1));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(bitmap.GetWidth(), 10);
    EXPECT_EQ(bitmap.GetBitsPerPixel(), 1);
}
