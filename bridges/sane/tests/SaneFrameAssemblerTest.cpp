// Joining what sane_read delivers into TWAIN rows: backends' padding, 16-bit
// samples, three single-colour frames in any order, short scans, and
// parameters no image can have.
#include "ZKSaneFrameAssembler.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
// format as a number: backends may send values SANE_Frame does not name.
SANE_Parameters Frame(int format, int depth, int pixels, int bytesPerLine, int lines, bool last = true)
{
    SANE_Parameters p{};
    std::memcpy(&p.format, &format, sizeof(format));
    p.last_frame = last;
    p.depth = depth;
    p.pixels_per_line = pixels;
    p.bytes_per_line = bytesPerLine;
    p.lines = lines;
    return p;
}

bool Feed(CZKSaneFrameAssembler& assembler, const SANE_Parameters& p, const std::vector<uint8_t>& bytes)
{
    TW_UINT16 condition = TWCC_SUCCESS;
    return assembler.BeginFrame(p, condition) && assembler.Append(bytes.data(), bytes.size(), condition);
}
} // namespace

TEST(SaneFrameAssemblerTest, PaddingPastTheLastPixelIsCutAndAShortScanKeepsItsWholeLines)
{
    CZKSaneFrameAssembler assembler;
    // Two pixels in lines of four bytes; the third line stops half way.
    ASSERT_TRUE(Feed(assembler, Frame(SANE_FRAME_GRAY, 8, 2, 4, 3), {1, 2, 99, 99, 3, 4, 99, 99, 5, 6}));
    ZK_SANE_PAGE page;
    TW_UINT16 condition = TWCC_SUCCESS;
    ASSERT_TRUE(assembler.Finish(300, page, condition));
    EXPECT_EQ(2u, page.width);
    EXPECT_EQ(2u, page.height);
    EXPECT_EQ(TWPT_GRAY, page.pixelType);
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 4}), page.rows);
}

TEST(SaneFrameAssemblerTest, BitonalOneIsBlackInSaneAndWhiteInTwain)
{
    CZKSaneFrameAssembler assembler;
    ASSERT_TRUE(Feed(assembler, Frame(SANE_FRAME_GRAY, 1, 8, 1, 2), {0xF0, 0x0F}));
    ZK_SANE_PAGE page;
    TW_UINT16 condition = TWCC_SUCCESS;
    ASSERT_TRUE(assembler.Finish(200, page, condition));
    EXPECT_EQ(1, page.bitsPerPixel);
    EXPECT_EQ((std::vector<uint8_t>{0x0F, 0xF0}), page.rows);
}

TEST(SaneFrameAssemblerTest, SixteenBitSamplesKeepTheirHighByte)
{
    CZKSaneFrameAssembler assembler;
    const uint16_t samples[] = {0x1234, 0xABCD, 0x00FF};
    std::vector<uint8_t> bytes(reinterpret_cast<const uint8_t*>(samples), reinterpret_cast<const uint8_t*>(samples) + 6);
    ASSERT_TRUE(Feed(assembler, Frame(SANE_FRAME_RGB, 16, 1, 6, 1), bytes));
    ZK_SANE_PAGE page;
    TW_UINT16 condition = TWCC_SUCCESS;
    ASSERT_TRUE(assembler.Finish(100, page, condition));
    EXPECT_EQ(24, page.bitsPerPixel);
    EXPECT_EQ((std::vector<uint8_t>{0x12, 0xAB, 0x00}), page.rows);
}

TEST(SaneFrameAssemblerTest, ThreePassFramesInterleaveWhateverTheirOrder)
{
    CZKSaneFrameAssembler assembler;
    ASSERT_TRUE(Feed(assembler, Frame(SANE_FRAME_BLUE, 8, 2, 2, 1, false), {5, 6}));
    ASSERT_TRUE(Feed(assembler, Frame(SANE_FRAME_RED, 8, 2, 2, 1, false), {1, 2}));
    ASSERT_TRUE(Feed(assembler, Frame(SANE_FRAME_GREEN, 8, 2, 2, 1), {3, 4}));
    ZK_SANE_PAGE page;
    TW_UINT16 condition = TWCC_SUCCESS;
    ASSERT_TRUE(assembler.Finish(100, page, condition));
    EXPECT_EQ((std::vector<uint8_t>{1, 3, 5, 2, 4, 6}), page.rows);
}

TEST(SaneFrameAssemblerTest, RefusesParametersNoImageCanHave)
{
    const SANE_Parameters bad[] = {
        Frame(SANE_FRAME_GRAY, 8, 10, 5, 1),           // lines shorter than their pixels
        Frame(SANE_FRAME_GRAY, 8, 0, 4, 1),            // no pixels
        Frame(SANE_FRAME_GRAY, 12, 4, 8, 1),           // a depth TWAIN has no form for
        Frame(SANE_FRAME_RGB, 1, 8, 3, 1),             // colour at one bit
        Frame(SANE_FRAME_GRAY, 8, 1, 0x7FFFFFFF, 1),   // lines larger than the bridge holds
        Frame(9, 8, 4, 4, 1),                          // a frame type of a later SANE
    };
    for (const SANE_Parameters& p : bad)
    {
        CZKSaneFrameAssembler assembler;
        TW_UINT16 condition = TWCC_SUCCESS;
        EXPECT_FALSE(assembler.BeginFrame(p, condition)) << p.depth << " " << p.bytes_per_line;
        EXPECT_EQ(TWCC_BADVALUE, condition);
    }
    // A page of missing colour frames is no image.
    CZKSaneFrameAssembler assembler;
    ASSERT_TRUE(Feed(assembler, Frame(SANE_FRAME_RED, 8, 2, 2, 1), {1, 2}));
    ZK_SANE_PAGE page;
    TW_UINT16 condition = TWCC_SUCCESS;
    EXPECT_FALSE(assembler.Finish(100, page, condition));
}
