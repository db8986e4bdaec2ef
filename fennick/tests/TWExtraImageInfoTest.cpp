// Extended image info: typed answers, independent copies and the serial form,
// including buffers that lie about their contents.
#include <fennick/ZKTWExtraImageInfo.h>
#include <fennick/ZKTWHelper.h>

#include <hollin/ZKRBuffer.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace
{
TW_INFO& EntryOf(CZKTWExtraImageInfo& info, WORD id)
{
    TW_EXTIMAGEINFO* block = info.GetBlock();
    auto* entries = reinterpret_cast<TW_INFO*>(reinterpret_cast<unsigned char*>(block) + offsetof(TW_EXTIMAGEINFO, Info));
    for (unsigned i = 0; i < block->NumInfos; ++i)
        if (entries[i].InfoID == id)
            return entries[i];
    throw std::runtime_error("id not requested");
}

// What a source does: short values in Item, long ones in a heap block.
void Deliver(CZKTWExtraImageInfo& info, WORD id, WORD type, TW_UINTPTR value)
{
    TW_INFO& entry = EntryOf(info, id);
    entry.ItemType = type;
    entry.NumItems = 1;
    entry.CondCode = TWRC_SUCCESS;
    entry.Item = value;
}

void DeliverBlock(CZKTWExtraImageInfo& info, WORD id, WORD type, const void* data, size_t size)
{
    void* block = std::calloc(1, CZKTWHelper::TWSizeOf(type));
    std::memcpy(block, data, size);
    Deliver(info, id, type, reinterpret_cast<TW_UINTPTR>(block));
}

TW_FIX32 Fix(double value) { return CZKTWHelper::DoubleToFix32(value); }

// A filled object as the transfer code leaves it, in centimetres.
void Fill(CZKTWExtraImageInfo& info)
{
    info.SetUnit(ZKTW_UNIT_CENTIMETERS);
    Deliver(info, TWEI_DOCUMENTNUMBER, TWTY_UINT32, 4);
    Deliver(info, TWEI_PAGENUMBER, TWTY_UINT32, 8);
    Deliver(info, TWEI_FRAMENUMBER, TWTY_UINT32, 1);
    Deliver(info, TWEI_PIXELFLAVOR, TWTY_UINT16, TWPF_CHOCOLATE);
    const char camera[] = "/Camera_Bitonal_Top";
    DeliverBlock(info, TWEI_CAMERA, TWTY_STR255, camera, sizeof(camera));
    const TW_FRAME frame{Fix(0), Fix(2.54), Fix(21.59), Fix(27.94)};
    DeliverBlock(info, TWEI_FRAME, TWTY_FRAME, &frame, sizeof(frame));
    info.GetBlock()->NumInfos = 10;
    info.AdoptSourceValues();
}

void ExpectFilledAnswers(const CZKTWExtraImageInfo& info)
{
    unsigned number = 0;
    EXPECT_TRUE(info.GetDocumentNumber(number));
    EXPECT_EQ(4u, number);
    EXPECT_TRUE(info.GetPageNumber(number));
    EXPECT_EQ(8u, number);
    WORD flavor = 9;
    EXPECT_TRUE(info.GetPixelFlavor(flavor));
    EXPECT_EQ(TWPF_CHOCOLATE, flavor);
    std::wstring camera;
    EXPECT_TRUE(info.GetCamera(camera));
    EXPECT_EQ(L"/Camera_Bitonal_Top", camera);
    ZKTWFRAME frame;
    ASSERT_TRUE(info.GetFrame(frame));
    EXPECT_NEAR(1.0, frame.Top, 1e-3);
    EXPECT_NEAR(8.5, frame.Right, 1e-3);
    EXPECT_NEAR(11.0, frame.Bottom, 1e-3);
    EXPECT_FALSE(info.GetBookName(camera)); // not delivered
    EXPECT_FALSE(info.GetDeskewStatus(number));
}
} // namespace

TEST(TWExtraImageInfoTest, FreshObjectAnswersNothingAndSavesTenEmptyEntries)
{
    CZKTWExtraImageInfo info;
    unsigned number = 0;
    WORD flavor = 0;
    std::wstring text;
    ZKTWFRAME frame;
    EXPECT_FALSE(info.GetDeskewStatus(number));
    EXPECT_FALSE(info.GetSkewOriginalAngle(number));
    EXPECT_FALSE(info.GetChapterNumber(number));
    EXPECT_FALSE(info.GetDocumentNumber(number));
    EXPECT_FALSE(info.GetPageNumber(number));
    EXPECT_FALSE(info.GetFrameNumber(number));
    EXPECT_FALSE(info.GetPixelFlavor(flavor));
    EXPECT_FALSE(info.GetBookName(text));
    EXPECT_FALSE(info.GetCamera(text));
    EXPECT_FALSE(info.GetFrame(frame));
    EXPECT_EQ(4u + 64u * sizeof(TW_INFO), CZKTWExtraImageInfo::GetBlockSize());

    CZKRBuffer buffer;
    ASSERT_TRUE(info.Save(buffer));
    ASSERT_EQ(8u + 10u * 8u, buffer.GetSize());
    const BYTE* bytes = buffer.GetPtr();
    EXPECT_EQ(0, bytes[0]);                  // unit
    EXPECT_EQ(10, bytes[4]);                 // NumInfos
    EXPECT_EQ(TWEI_DESKEWSTATUS & 0xFF, bytes[8]);
    EXPECT_EQ(1, bytes[8 + 6]);              // CondCode of the first entry
    EXPECT_EQ(TWEI_PIXELFLAVOR & 0xFF, bytes[8 + 9 * 8]);
}

TEST(TWExtraImageInfoTest, SourceValuesAreReadTypedAndConverted)
{
    CZKTWExtraImageInfo info;
    Fill(info);
    ExpectFilledAnswers(info);
    unsigned page = 7;
    EXPECT_TRUE(info.SetPageNumber(page));
    EXPECT_TRUE(info.GetPageNumber(page));
    EXPECT_EQ(7u, page);
}

TEST(TWExtraImageInfoTest, CopiesOwnTheirValues)
{
    auto original = std::make_unique<CZKTWExtraImageInfo>();
    Fill(*original);
    CZKTWExtraImageInfo copy(*original);
    CZKTWExtraImageInfo assigned;
    assigned = *original;
    original.reset(); // frees the original's handles
    ExpectFilledAnswers(copy);
    ExpectFilledAnswers(assigned);
    const CZKTWExtraImageInfo& self = assigned; // self-assignment, through a reference
    assigned = self;
    ExpectFilledAnswers(assigned);
}

TEST(TWExtraImageInfoTest, SaveLoadRoundTripKeepsEveryAnswer)
{
    CZKTWExtraImageInfo info;
    Fill(info);
    CZKRBuffer buffer;
    ASSERT_TRUE(info.Save(buffer));
    CZKTWExtraImageInfo loaded;
    ASSERT_TRUE(loaded.Load(buffer));
    EXPECT_EQ(ZKTW_UNIT_CENTIMETERS, loaded.GetUnit());
    ExpectFilledAnswers(loaded);
    // Loading again over filled values releases them first.
    ASSERT_TRUE(loaded.Load(buffer));
    ExpectFilledAnswers(loaded);
}

TEST(TWExtraImageInfoTest, LoadRefusesBuffersThatDoNotHoldWhatTheyClaim)
{
    CZKTWExtraImageInfo info;
    Fill(info);
    CZKRBuffer good;
    ASSERT_TRUE(info.Save(good));

    // Every truncation fails without reading past the end.
    for (size_t size = 0; size < good.GetSize(); ++size)
    {
        CZKRBuffer cut(good.GetPtr(), size);
        CZKTWExtraImageInfo target;
        EXPECT_FALSE(target.Load(cut)) << size;
    }

    CZKRBuffer tooMany(good);
    tooMany.GetPtr()[4] = 65;
    CZKTWExtraImageInfo target;
    EXPECT_FALSE(target.Load(tooMany));

    // A count of items far beyond the bytes that follow.
    CZKRBuffer hugeValue;
    ASSERT_TRUE(hugeValue.RWOpenWrite());
    hugeValue.RW_W_ulong(0);
    hugeValue.RW_W_ulong(1);
    for (WORD field : {TWEI_CAMERA, TWTY_STR255, WORD(0xFFFF), WORD(TWRC_SUCCESS)})
        hugeValue.RW_W_WORD(field);
    hugeValue.RWWrite("abc", 3);
    hugeValue.RWClose();
    EXPECT_FALSE(target.Load(hugeValue));
}
