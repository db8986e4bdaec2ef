// CCITT coding of bitonal pages: our G4 encoder and every decoder against
// data libtiff produced, and refusal of damaged data without output.
#include "common/TestPages.h"

#include <hollin/ZKRBuffer.h>
#include <pellmark/ZKBitmapHandle.h>

#include <gtest/gtest.h>
#include <tiffio.h>

#include <atomic>
#include <cstring>
#include <thread>

using testpages::EncodeWithLibtiff;
using testpages::MakeTextPage;
using testpages::SameInk;

namespace
{
const LONG kA4Width = 2480, kA4Height = 3508;

struct Variant
{
    const char* name;
    uint16_t compression;
    uint32_t group3Options;
    BOOL (CZKBitmapHandle::*decode)(const CZKBuffer&, LONG, LONG, LONG, LONG);
};

const Variant kVariants[] = {
    {"G3_1D", COMPRESSION_CCITTFAX3, 0, &CZKBitmapHandle::Decompress_G3_1D},
    {"G3_1D_fillbits", COMPRESSION_CCITTFAX3, GROUP3OPT_FILLBITS, &CZKBitmapHandle::Decompress_G3_1D},
    {"G3_1D_NOEOL", COMPRESSION_CCITTRLE, 0, &CZKBitmapHandle::Decompress_G3_1D_NOEOL},
    {"G3_2D", COMPRESSION_CCITTFAX3, GROUP3OPT_2DENCODING, &CZKBitmapHandle::Decompress_G3_2D},
    {"G4", COMPRESSION_CCITTFAX4, 0, &CZKBitmapHandle::Decompress_G4},
};

BOOL Decode(const Variant& v, CZKBitmapHandle& bitmap, const std::vector<uint8_t>& data, LONG width, LONG height)
{
    CZKRBuffer buffer(data.data(), data.size());
    return (bitmap.*v.decode)(buffer, width, height, 300, 200);
}

class CCITTVariantTest : public ::testing::TestWithParam<Variant>
{
};
} // namespace

TEST(CCITTCodingTest, G4RoundTripOfA4TextPageKeepsEveryPixel)
{
    const CZKBitmapHandle page = MakeTextPage(kA4Width, kA4Height, 7);
    CZKRBuffer coded;
    ASSERT_TRUE(page.Compress_G4(coded));
    // Text pages compress well; a raw copy would be 1 MB.
    EXPECT_LT(coded.GetSize(), page.GetImageSize() / 4);

    CZKBitmapHandle decoded;
    ASSERT_TRUE(decoded.Decompress_G4(coded, kA4Width, kA4Height, 300, 300));
    EXPECT_EQ(decoded.GetBitsPerPixel(), 1);
    EXPECT_EQ(decoded.GetXResolution(), 300);
    EXPECT_TRUE(SameInk(page, decoded));
    // Decoded pages use the white-on-black palette, so the bits match too.
    EXPECT_EQ(0, std::memcmp(page.GetPtr(), decoded.GetPtr(), page.GetImageSize()));
}

TEST(CCITTCodingTest, G4EncodingFollowsThePaletteNotTheBitValue)
{
    CZKBitmapHandle page = MakeTextPage(301, 157, 3);
    CZKBitmapHandle inverted(page);
    BYTE* bits = inverted.Access();
    for (DWORD i = 0; i < inverted.GetImageSize(); ++i)
        bits[i] = BYTE(~bits[i]);
    inverted.Release();
    inverted.SetBOWPalette_1BPP(); // now a clear bit is black: same picture

    CZKRBuffer a, b;
    ASSERT_TRUE(page.Compress_G4(a));
    ASSERT_TRUE(inverted.Compress_G4(b));
    EXPECT_TRUE(a.IsEqual(b));
}

TEST(CCITTCodingTest, OurG4MatchesLibtiffsOwnEncoding)
{
    const CZKBitmapHandle page = MakeTextPage(1728, 600, 11);
    const std::vector<uint8_t> reference = EncodeWithLibtiff(page, COMPRESSION_CCITTFAX4, 0);
    std::vector<BYTE> ours;
    ASSERT_TRUE(page.Compress_G4(ours));
    EXPECT_EQ(ours, reference);
}

TEST_P(CCITTVariantTest, DecodesLibtiffDataToTheSamePixels)
{
    const Variant& v = GetParam();
    for (LONG width : {LONG(2480), LONG(1001)}) // stride with and without padding
    {
        const CZKBitmapHandle page = MakeTextPage(width, 900, uint32_t(width));
        CZKBitmapHandle decoded;
        ASSERT_TRUE(Decode(v, decoded, EncodeWithLibtiff(page, v.compression, v.group3Options), width, 900));
        EXPECT_EQ(decoded.GetYResolution(), 200);
        EXPECT_TRUE(SameInk(page, decoded)) << "width " << width;
    }
}

TEST_P(CCITTVariantTest, RefusesDamagedDataSilentlyAndKeepsTheBitmap)
{
    const Variant& v = GetParam();
    const CZKBitmapHandle page = MakeTextPage(800, 400, 5);
    const std::vector<uint8_t> good = EncodeWithLibtiff(page, v.compression, v.group3Options);
    std::vector<uint8_t> truncated(good.begin(), good.begin() + good.size() / 2);
    std::vector<uint8_t> garbage(good.size());
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = uint8_t(i * 37 + 11);

    CZKBitmapHandle bitmap;
    ASSERT_TRUE(bitmap.Create(10, 10, 8));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Decode(v, bitmap, truncated, 800, 400));
    EXPECT_FALSE(Decode(v, bitmap, garbage, 800, 400));
    EXPECT_FALSE(Decode(v, bitmap, good, 800, 800)); // more rows than coded
    EXPECT_FALSE(Decode(v, bitmap, {}, 800, 400));
    EXPECT_FALSE(Decode(v, bitmap, good, 0, 400));
    EXPECT_FALSE(Decode(v, bitmap, good, 800, 0));
    EXPECT_FALSE(Decode(v, bitmap, good, -800, 400));
    // Far beyond the size limit: refused before anything is allocated.
    EXPECT_FALSE(Decode(v, bitmap, good, 1000000, 1000000));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(bitmap.GetBitsPerPixel(), 8);
    EXPECT_EQ(bitmap.GetWidth(), 10);
}

INSTANTIATE_TEST_SUITE_P(AllVariants, CCITTVariantTest, ::testing::ValuesIn(kVariants),
                         [](const ::testing::TestParamInfo<Variant>& info) { return std::string(info.param.name); });

TEST(CCITTCodingTest, OneDimensionalDecodersAcceptTheOtherForm)
{
    const CZKBitmapHandle page = MakeTextPage(1728, 300, 21);
    const std::vector<uint8_t> withEol = EncodeWithLibtiff(page, COMPRESSION_CCITTFAX3, 0);
    const std::vector<uint8_t> withoutEol = EncodeWithLibtiff(page, COMPRESSION_CCITTRLE, 0);
    CZKBitmapHandle a, b;
    ASSERT_TRUE(a.Decompress_G3_1D_NOEOL(withEol.data(), withEol.size(), 1728, 300, 200, 200));
    ASSERT_TRUE(b.Decompress_G3_1D(withoutEol.data(), withoutEol.size(), 1728, 300, 200, 200));
    EXPECT_TRUE(SameInk(page, a));
    EXPECT_TRUE(SameInk(page, b));
    // Two-dimensional data is not one-dimensional data of either form.
    const std::vector<uint8_t> twoD = EncodeWithLibtiff(page, COMPRESSION_CCITTFAX3, GROUP3OPT_2DENCODING);
    EXPECT_FALSE(a.Decompress_G3_1D(twoD.data(), twoD.size(), 1728, 300, 200, 200));
}

// Each decode owns its error trap: a failing decode on one thread must not
// fail (or pass) a decode running at the same time on another.
TEST(CCITTCodingTest, ConcurrentDecodesKeepTheirErrorsApart)
{
    const CZKBitmapHandle page = MakeTextPage(1200, 400, 9);
    std::vector<BYTE> good;
    ASSERT_TRUE(page.Compress_G4(good));
    const std::vector<BYTE> truncated(good.begin(), good.begin() + good.size() / 3);
    std::atomic<int> wrong{0};
    auto run = [&](const std::vector<BYTE>& data, bool expected) {
        CZKBitmapHandle bitmap;
        for (int i = 0; i < 30; ++i)
            if ((bitmap.Decompress_G4(data.data(), data.size(), 1200, 400, 300, 300) != FALSE) != expected)
                ++wrong;
    };
    std::thread a(run, std::cref(good), true), b(run, std::cref(truncated), false);
    a.join();
    b.join();
    EXPECT_EQ(wrong.load(), 0);
}

// Damage anywhere in the data: each decode either fails, leaving the bitmap
// as it was, or yields a page of the requested size; never a crash, an
// overrun (under the sanitizers) or output on stderr.
TEST(CCITTCodingTest, ScatteredDamageIsContained)
{
    const CZKBitmapHandle page = MakeTextPage(640, 200, 13);
    for (const Variant& v : kVariants)
    {
        const std::vector<uint8_t> good = EncodeWithLibtiff(page, v.compression, v.group3Options);
        ::testing::internal::CaptureStderr();
        for (size_t k = 0; k < 60; ++k)
        {
            std::vector<uint8_t> damaged(good);
            for (size_t i = k % 7; i < damaged.size(); i += 97 + k)
                damaged[i] = uint8_t(damaged[i] ^ (0x5A + k));
            CZKBitmapHandle bitmap;
            ASSERT_TRUE(bitmap.Create(3, 3, 8));
            if (Decode(v, bitmap, damaged, 640, 200))
                EXPECT_EQ(bitmap.GetWidth(), 640);
            else
                EXPECT_EQ(bitmap.GetWidth(), 3);
        }
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << v.name;
    }
}

TEST(CCITTCodingTest, G4EncodingNeedsAOneBitBitmap)
{
    CZKBitmapHandle grey;
    CZKRBuffer out;
    EXPECT_FALSE(grey.Compress_G4(out));
    ASSERT_TRUE(grey.Create(64, 64, 8));
    EXPECT_FALSE(grey.Compress_G4(out));
}
