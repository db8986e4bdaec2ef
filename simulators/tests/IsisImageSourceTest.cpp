// The virtual ISIS driver's images: the generated page's pixels in the form
// the scan window asks for, kept in a bounded cache whose evictions never
// pull an image from under the transfer sending it.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "ZKSimImageEncoder.h"
#include "ZKSimIsisImageSource.h"

namespace
{
const char kScanner[] = "ZKTEST.isd";

ZK_SIM_ISIS_IMAGE_FORMAT Format(int samples, int bits, int compression, double widthInches = 3.01)
{
    ZK_SIM_ISIS_IMAGE_FORMAT format;
    format.samplesPerPixel = samples;
    format.bitsPerSample = bits;
    format.compression = compression;
    format.xDpi = 100;
    format.yDpi = 100;
    format.widthInches = widthInches;
    format.heightInches = 2.0;
    return format;
}

CZKBitmapHandle Bitmap(const ZK_SIM_ISIS_IMAGE_FORMAT& isis, int sheet, int side)
{
    ZK_SIM_PAGE_FORMAT format;
    format.width = static_cast<LONG>(isis.widthInches * isis.xDpi);
    format.height = static_cast<LONG>(isis.heightInches * isis.yDpi);
    format.bitsPerPixel = isis.samplesPerPixel * isis.bitsPerSample;
    format.xDpi = isis.xDpi;
    format.yDpi = isis.yDpi;
    CZKBitmapHandle page;
    EXPECT_TRUE(SZKSimPageGenerator::Generate(format, SZKSimPageGenerator::Seed(kScanner, sheet, side, 0), page));
    return page;
}

// The raw rows an ISIS image must carry, worked out pixel by pixel from the
// bitmap: unpadded, colour red first, bitonal white-is-zero.
std::vector<BYTE> ExpectedRows(const CZKBitmapHandle& page)
{
    const size_t rowBytes = (static_cast<size_t>(page.GetWidth()) * page.GetBitsPerPixel() + 7) / 8;
    std::vector<BYTE> rows;
    for (LONG y = 0; y < page.GetHeight(); ++y)
    {
        const BYTE* row = page.GetPtr() + static_cast<size_t>(y) * page.GetBytesPerLine();
        for (size_t x = 0; x < rowBytes; ++x)
        {
            BYTE byte = row[x];
            if (page.GetBitsPerPixel() == 24)
                byte = row[x - x % 3 + 2 - x % 3];
            else if (page.GetBitsPerPixel() == 1)
                byte = static_cast<BYTE>(~byte);
            rows.push_back(byte);
        }
    }
    return rows;
}

std::vector<BYTE> Bytes(const ZK_SIM_ISIS_IMAGE& image)
{
    return std::vector<BYTE>(image.Data(), image.Data() + image.Size());
}
} // namespace

TEST(IsisImageSourceTest, RawRowsAreTheGeneratedPixels)
{
    CZKSimPageCache cache;
    CZKSimIsisImageSource source(cache);
    // Widths around the encoder's 16-pixel blocks and odd bit counts.
    for (double inches : {0.01, 0.15, 0.17, 0.33, 3.01})
        for (auto type : {std::make_pair(1, 1), std::make_pair(1, 8), std::make_pair(3, 8)})
        {
            const ZK_SIM_ISIS_IMAGE_FORMAT format = Format(type.first, type.second, 1, inches);
            SCOPED_TRACE(::testing::Message() << inches << " in, " << type.first * type.second << " bpp");
            const CZKBitmapHandle page = Bitmap(format, 2, 1);
            const ZK_SIM_ISIS_IMAGE image = source.Get(kScanner, 2, 1, format);
            ASSERT_TRUE(image.bytes);
            EXPECT_EQ(image.width, page.GetWidth());
            EXPECT_EQ(image.length, page.GetHeight());
            const int bitsPerPixel = type.first * type.second;
            EXPECT_EQ(image.photometric, bitsPerPixel == 1 ? 0 : bitsPerPixel == 8 ? 1 : 2);
            const std::vector<BYTE> expected = ExpectedRows(page);
            EXPECT_EQ(Bytes(image), expected);
            // The TWAIN encoder's rows are the same pixels in black-is-zero.
            std::vector<BYTE> rows = SZKSimImageEncoder::Rows(page);
            if (page.GetBitsPerPixel() == 1)
                SZKSimImageEncoder::Invert(rows.data(), rows.size());
            EXPECT_EQ(rows, expected);
        }
}

TEST(IsisImageSourceTest, CodedImagesAreThePagesEncoding)
{
    CZKSimPageCache cache;
    CZKSimIsisImageSource source(cache);
    std::vector<BYTE> expected;
    const CZKBitmapHandle bitonal = Bitmap(Format(1, 1, 4), 1, 0);
    ASSERT_TRUE(SZKSimImageEncoder::Encode(bitonal, TWCP_GROUP4, expected));
    EXPECT_EQ(Bytes(source.Get(kScanner, 1, 0, Format(1, 1, 4))), expected);
    // A coding the layer does not know still gets coded data.
    EXPECT_EQ(Bytes(source.Get(kScanner, 1, 0, Format(1, 1, 99))), expected);
    const CZKBitmapHandle grey = Bitmap(Format(1, 8, 6), 1, 0);
    ASSERT_TRUE(SZKSimImageEncoder::Encode(grey, TWCP_JPEG, expected));
    EXPECT_EQ(Bytes(source.Get(kScanner, 1, 0, Format(1, 8, 6))), expected);
    // A coding the image type cannot have gives raw rows.
    EXPECT_EQ(Bytes(source.Get(kScanner, 1, 0, Format(1, 8, 4))), ExpectedRows(grey));
    EXPECT_EQ(Bytes(source.Get(kScanner, 1, 0, Format(1, 1, 6))), ExpectedRows(bitonal));
}

TEST(IsisImageSourceTest, ImpossibleFormatsGiveNoImage)
{
    CZKSimPageCache cache;
    CZKSimIsisImageSource source(cache);
    std::vector<ZK_SIM_ISIS_IMAGE_FORMAT> formats(7, Format(1, 1, 1));
    formats[0].bitsPerSample = 4;
    formats[1].samplesPerPixel = 3; // three 1-bit samples
    formats[2].xDpi = 0;
    formats[3].widthInches = -1;
    formats[4].widthInches = std::numeric_limits<double>::quiet_NaN();
    formats[5].heightInches = 1e12; // beyond any bitmap
    formats[6].widthInches = formats[6].heightInches = 300; // too many bytes
    formats[6].samplesPerPixel = 3;
    formats[6].bitsPerSample = 8;
    for (const ZK_SIM_ISIS_IMAGE_FORMAT& format : formats)
    {
        const ZK_SIM_ISIS_IMAGE image = source.Get(kScanner, 1, 0, format);
        EXPECT_FALSE(image.bytes);
        EXPECT_EQ(image.Size(), 0u);
    }
    EXPECT_EQ(cache.KeptPages(), 0u);
}

TEST(IsisImageSourceTest, TheStoreIsBoundedAndAnImageInUseSurvivesEviction)
{
    const ZK_SIM_ISIS_IMAGE_FORMAT format = Format(3, 8, 1);
    const std::vector<BYTE> firstPage = ExpectedRows(Bitmap(format, 1, 0));
    const size_t pageBytes = firstPage.size();
    CZKSimPageCache cache(pageBytes * 2);
    CZKSimIsisImageSource source(cache);

    const ZK_SIM_ISIS_IMAGE held = source.Get(kScanner, 1, 0, format);
    ASSERT_EQ(held.Size(), pageBytes);
    const std::vector<BYTE> heldBytes = Bytes(held);
    // A long scan: many more pages than the store keeps.
    for (int sheet = 2; sheet <= 12; ++sheet)
    {
        ASSERT_TRUE(source.Get(kScanner, sheet, 0, format).bytes);
        EXPECT_LE(cache.KeptBytes(), pageBytes * 2);
    }
    EXPECT_EQ(cache.KeptPages(), 2u);
    // The first page went long ago, yet its holder's bytes are untouched by
    // the pages made since (evicted buffers nobody holds are reused).
    EXPECT_EQ(Bytes(held), heldBytes);
    EXPECT_EQ(heldBytes, firstPage);
    // Asked for again it is made anew, the same pixels in another buffer.
    const ZK_SIM_ISIS_IMAGE again = source.Get(kScanner, 1, 0, format);
    EXPECT_NE(again.Data(), held.Data());
    EXPECT_EQ(Bytes(again), heldBytes);
    // The most recent ones are kept: the same buffer comes back.
    const ZK_SIM_ISIS_IMAGE recent = source.Get(kScanner, 12, 0, format);
    EXPECT_EQ(source.Get(kScanner, 12, 0, format).Data(), recent.Data());
}
