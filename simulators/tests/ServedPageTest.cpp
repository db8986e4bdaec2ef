// What the virtual source serves for a page, in each transfer's form, holds
// the generated page exactly as the bitmap-based encoders would give it, and
// a page asked for again is the very same bytes.
#include <gtest/gtest.h>

#include <vector>

#include "ZKSimImageEncoder.h"
#include "ZKSimServedPage.h"

namespace
{
ZK_SIM_PAGE_FORMAT Format(int bitsPerPixel)
{
    ZK_SIM_PAGE_FORMAT format;
    format.width = 517;
    format.height = 389;
    format.bitsPerPixel = bitsPerPixel;
    format.xDpi = format.yDpi = 150;
    return format;
}

std::vector<BYTE> Bytes(const SZKSimServedPage::Page& page)
{
    return page ? std::vector<BYTE>(page->data.get(), page->data.get() + page->size)
                : std::vector<BYTE>();
}

CZKBitmapHandle Bitmap(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed)
{
    CZKBitmapHandle page;
    SZKSimPageGenerator::Generate(format, seed, page);
    return page;
}
} // namespace

TEST(ServedPageTest, UncompressedFormsHoldTheGeneratedPage)
{
    for (int bpp : {1, 8, 24})
    {
        SCOPED_TRACE(bpp);
        const ZK_SIM_PAGE_FORMAT format = Format(bpp);
        const CZKBitmapHandle page = Bitmap(format, 11);
        EXPECT_EQ(SZKSimImageEncoder::Rows(page),
                  Bytes(SZKSimServedPage::Memory(format, 11, TWCP_NONE)));
        EXPECT_EQ(SZKSimImageEncoder::Dib(page), Bytes(SZKSimServedPage::Dib(format, 11)));
    }
}

TEST(ServedPageTest, CompressedFormsAreThePagesEncoding)
{
    const CZKBitmapHandle bitonal = Bitmap(Format(1), 12);
    std::vector<BYTE> expected;
    ASSERT_TRUE(SZKSimImageEncoder::Encode(bitonal, TWCP_GROUP4, expected));
    EXPECT_EQ(expected, Bytes(SZKSimServedPage::Memory(Format(1), 12, TWCP_GROUP4)));
    ASSERT_TRUE(SZKSimImageEncoder::TiffBytes(TWCP_GROUP4, bitonal, expected));
    EXPECT_EQ(expected, Bytes(SZKSimServedPage::Tiff(Format(1), 12, TWCP_GROUP4)));
    ASSERT_TRUE(SZKSimImageEncoder::TiffBytes(TWCP_NONE, bitonal, expected));
    EXPECT_EQ(expected, Bytes(SZKSimServedPage::Tiff(Format(1), 12, TWCP_NONE)));
    const CZKBitmapHandle colour = Bitmap(Format(24), 12);
    ASSERT_TRUE(SZKSimImageEncoder::Encode(colour, TWCP_JPEG, expected));
    EXPECT_EQ(expected, Bytes(SZKSimServedPage::Memory(Format(24), 12, TWCP_JPEG)));
    // A compression the pixel type has no form for gives plain rows.
    EXPECT_EQ(SZKSimImageEncoder::Rows(colour),
              Bytes(SZKSimServedPage::Memory(Format(24), 12, TWCP_GROUP4)));
}

TEST(ServedPageTest, APageAskedForAgainIsTheSameBytes)
{
    const SZKSimServedPage::Page first = SZKSimServedPage::Memory(Format(24), 13, TWCP_NONE);
    const SZKSimServedPage::Page again = SZKSimServedPage::Memory(Format(24), 13, TWCP_NONE);
    ASSERT_TRUE(first && again);
    EXPECT_EQ(first->data.get(), again->data.get());
    const SZKSimServedPage::Page other = SZKSimServedPage::Memory(Format(24), 14, TWCP_NONE);
    EXPECT_NE(first->data.get(), other->data.get());
}

TEST(ServedPageTest, PagesBeyondTheBitmapLimitsAreRefused)
{
    ZK_SIM_PAGE_FORMAT format = Format(24);
    format.width = CZKBitmapHandle::kMaxDimension + 1;
    format.height = 1;
    EXPECT_EQ(nullptr, SZKSimServedPage::Memory(format, 1, TWCP_NONE));
    format.width = 20000;
    format.height = 20000; // 1.2 GB of colour
    EXPECT_EQ(nullptr, SZKSimServedPage::Dib(format, 1));
}

TEST(ServedPageTest, FileFormsAreWholeFilesOfThePage)
{
    const CZKBitmapHandle bitonal = Bitmap(Format(1), 15);
    EXPECT_EQ(SZKSimImageEncoder::BmpFile(bitonal), Bytes(SZKSimServedPage::File(Format(1), 15, TWFF_BMP, TWCP_NONE)));
    std::vector<BYTE> expected;
    ASSERT_TRUE(SZKSimImageEncoder::TiffBytes(TWCP_GROUP4, bitonal, expected));
    EXPECT_EQ(expected, Bytes(SZKSimServedPage::File(Format(1), 15, TWFF_TIFF, TWCP_GROUP4)));
    const CZKBitmapHandle grey = Bitmap(Format(8), 15);
    EXPECT_EQ(SZKSimImageEncoder::BmpFile(grey), Bytes(SZKSimServedPage::File(Format(8), 15, TWFF_BMP, TWCP_NONE)))
        << "the palette comes before the rows";
    ASSERT_TRUE(SZKSimImageEncoder::Encode(grey, TWCP_JPEG, expected));
    EXPECT_EQ(expected, Bytes(SZKSimServedPage::File(Format(8), 15, TWFF_JFIF, TWCP_NONE)));
    // A BMP file and a native DIB of one page are kept apart.
    const std::vector<BYTE> dib = Bytes(SZKSimServedPage::Dib(Format(8), 15));
    EXPECT_EQ(SZKSimImageEncoder::Dib(grey), dib);

    EXPECT_FALSE(SZKSimServedPage::Serves(TWFF_JFIF, 1));
    EXPECT_EQ(nullptr, SZKSimServedPage::File(Format(1), 15, TWFF_JFIF, TWCP_NONE)) << "no bitonal JPEG";
    EXPECT_EQ(nullptr, SZKSimServedPage::File(Format(24), 15, TWFF_PNG, TWCP_NONE));
}
