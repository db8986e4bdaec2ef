// TIFF files held in memory decode to bitmaps of the depth they store.
#include <gtest/gtest.h>

#include <pellmark/ZKBitmapHandle.h>

#include <tiffio.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace
{
// Writes a one-page TIFF through libtiff and returns its bytes.
std::vector<uint8_t> MakeTiff(const std::function<void(TIFF*)>& write)
{
    char path[] = "/tmp/zktiffdecode-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return {};
    close(fd);
    if (TIFF* tif = TIFFOpen(path, "w"))
    {
        write(tif);
        TIFFClose(tif);
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(path);
    return bytes;
}

void Header(TIFF* tif, uint32_t width, uint32_t height, uint16_t bits, uint16_t samples, uint16_t photometric,
            uint16_t compression)
{
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, photometric);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, height);
}

void Rows(TIFF* tif, uint32_t height, const std::function<std::vector<uint8_t>(uint32_t)>& row)
{
    for (uint32_t y = 0; y < height; ++y)
    {
        std::vector<uint8_t> bytes = row(y);
        TIFFWriteScanline(tif, bytes.data(), y, 0);
    }
}

const BYTE* Row(const CZKBitmapHandle& b, LONG y)
{
    return b.GetPtr() + size_t(y) * b.GetBytesPerLine();
}
} // namespace

TEST(TIFFFileDecodingTest, BitonalG4PageKeepsItsBitsAndWhiteIsZeroPalette)
{
    const uint32_t width = 37, height = 11;
    const auto pattern = [](uint32_t y) {
        std::vector<uint8_t> row((width + 7) / 8, 0);
        for (uint32_t x = y; x < width; x += 3) // set bit = black in a white-is-zero page
            row[x / 8] |= uint8_t(0x80 >> (x % 8));
        return row;
    };
    const std::vector<uint8_t> file = MakeTiff([&](TIFF* tif) {
        Header(tif, width, height, 1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX4);
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, 300.0f);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, 200.0f);
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        Rows(tif, height, pattern);
    });
    ASSERT_TRUE(CZKBitmapHandle::IsTIFF(file.data(), file.size()));
    CZKBitmapHandle page;
    ASSERT_TRUE(page.Decompress_TIFF(file.data(), file.size()));
    ASSERT_EQ(1, page.GetBitsPerPixel());
    EXPECT_EQ(LONG(width), page.GetWidth());
    EXPECT_EQ(300, page.GetXResolution());
    EXPECT_EQ(200, page.GetYResolution());
    ZK_RGBQUAD palette[2];
    ASSERT_TRUE(page.GetPalette(0, 2, palette));
    EXPECT_EQ(255, palette[0].rgbRed);
    EXPECT_EQ(0, palette[1].rgbRed);
    for (uint32_t y = 0; y < height; ++y)
    {
        const std::vector<uint8_t> expected = pattern(y);
        for (uint32_t x = 0; x < width; ++x)
            ASSERT_EQ((expected[x / 8] >> (7 - x % 8)) & 1, (Row(page, LONG(y))[x / 8] >> (7 - x % 8)) & 1)
                << x << "," << y;
    }
}

TEST(TIFFFileDecodingTest, GreyAndColourPagesKeepDepthAndColourOrder)
{
    const std::vector<uint8_t> grey = MakeTiff([](TIFF* tif) {
        Header(tif, 5, 3, 8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE);
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, 118.11f);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, 118.11f);
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_CENTIMETER);
        Rows(tif, 3, [](uint32_t y) { return std::vector<uint8_t>(5, uint8_t(y * 100)); });
    });
    CZKBitmapHandle page;
    ASSERT_TRUE(page.Decompress_TIFF(grey.data(), grey.size()));
    EXPECT_EQ(8, page.GetBitsPerPixel());
    EXPECT_EQ(200, Row(page, 2)[4]);
    EXPECT_EQ(300, page.GetXResolution());

    const std::vector<uint8_t> colour = MakeTiff([](TIFF* tif) {
        Header(tif, 2, 2, 8, 3, PHOTOMETRIC_RGB, COMPRESSION_LZW);
        Rows(tif, 2, [](uint32_t y) { return std::vector<uint8_t>{10, 20, uint8_t(30 + y), 40, 50, 60}; });
    });
    ASSERT_TRUE(page.Decompress_TIFF(colour.data(), colour.size()));
    ASSERT_EQ(24, page.GetBitsPerPixel());
    EXPECT_EQ(31, Row(page, 1)[0]) << "blue first";
    EXPECT_EQ(20, Row(page, 1)[1]);
    EXPECT_EQ(10, Row(page, 1)[2]);
}

TEST(TIFFFileDecodingTest, OtherLayoutsBecomeColour)
{
    const std::vector<uint8_t> palette = MakeTiff([](TIFF* tif) {
        Header(tif, 4, 2, 8, 1, PHOTOMETRIC_PALETTE, COMPRESSION_NONE);
        std::vector<uint16_t> red(256, 0), green(256, 0), blue(256, 0);
        red[1] = 0xFFFF;
        TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
        Rows(tif, 2, [](uint32_t) { return std::vector<uint8_t>{0, 1, 0, 1}; });
    });
    CZKBitmapHandle page;
    ASSERT_TRUE(page.Decompress_TIFF(palette.data(), palette.size()));
    ASSERT_EQ(24, page.GetBitsPerPixel());
    EXPECT_EQ(255, Row(page, 0)[3 + 2]) << "index 1 is red";
    EXPECT_EQ(0, Row(page, 0)[2]);
}

TEST(TIFFFileDecodingTest, DamagedOrForeignBytesFailAndKeepTheBitmap)
{
    std::vector<uint8_t> file = MakeTiff([](TIFF* tif) {
        Header(tif, 64, 64, 8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE);
        Rows(tif, 64, [](uint32_t y) { return std::vector<uint8_t>(64, uint8_t(y)); });
    });
    CZKBitmapHandle page;
    ASSERT_TRUE(page.Create(3, 3, 8));
    for (size_t cut : {size_t(4), size_t(8), size_t(16), file.size() / 2})
        EXPECT_FALSE(page.Decompress_TIFF(file.data(), cut)) << cut;
    const uint8_t dib[8] = {40, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_FALSE(CZKBitmapHandle::IsTIFF(dib, sizeof(dib)));
    EXPECT_FALSE(page.Decompress_TIFF(dib, sizeof(dib)));
    EXPECT_FALSE(page.Decompress_TIFF(nullptr, 0));
    EXPECT_EQ(3, page.GetWidth());
}
