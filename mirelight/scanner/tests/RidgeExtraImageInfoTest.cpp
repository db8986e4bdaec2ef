#include <mirelight/QXRidgeExtraImageInfo.h>

#include <hollin/ZKRBuffer.h>
#include <twaindefs/ZKTwainConstants.h>
#include <wincompat/ZKGlobalMemory.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
// Plays the source: fills entries the way a driver's answer would.
class HeaderUnderTest : public CQXRidgeExtraImageInfo
{
public:
    unsigned Count() { return GetBlock()->NumInfos; }
    WORD IdAt(unsigned index) { return _At(GetBlock(), index)->InfoID; }
    TW_INFO* Entry(WORD id) { return _Entry(id); }

    void DeliverNumber(WORD id, unsigned value)
    {
        TW_INFO* entry = _Entry(id);
        entry->ItemType = TWTY_UINT32;
        entry->NumItems = 1;
        entry->CondCode = TWRC_SUCCESS;
        entry->Item = value;
    }

    void DeliverBlock(WORD id, WORD itemType, WORD count, const void* data, size_t size)
    {
        HGLOBAL handle = CZKGlobalMemory::Alloc(size);
        std::memcpy(CZKGlobalMemory::Lock(handle), data, size);
        CZKGlobalMemory::Unlock(handle);
        TW_INFO* entry = _Entry(id);
        entry->ItemType = itemType;
        entry->NumItems = count;
        entry->CondCode = TWRC_SUCCESS;
        entry->Item = reinterpret_cast<TW_UINTPTR>(handle);
    }
};
} // namespace

TEST(RidgeExtraImageInfoTest, RequestBlockHoldsStandardThenVendorItems)
{
    HeaderUnderTest header;
    ASSERT_EQ(header.Count(), 58u);
    const WORD standard[] = {TWEI_DESKEWSTATUS, TWEI_SKEWORIGINALANGLE, TWEI_BOOKNAME, TWEI_CHAPTERNUMBER,
                             TWEI_DOCUMENTNUMBER, TWEI_PAGENUMBER, TWEI_CAMERA, TWEI_FRAMENUMBER,
                             TWEI_FRAME, TWEI_PIXELFLAVOR};
    for (unsigned i = 0; i < 10; ++i)
        EXPECT_EQ(header.IdAt(i), standard[i]) << i;
    size_t count = 0;
    const WORD* vendor = CQXRidgeExtraImageInfo::VendorItems(count);
    ASSERT_EQ(count, 48u);
    for (unsigned i = 0; i < count; ++i)
        EXPECT_EQ(header.IdAt(10 + i), vendor[i]) << i;
    EXPECT_EQ(header.IdAt(10), 0x8011);
    EXPECT_EQ(header.IdAt(57), 0x8020);
}

TEST(RidgeExtraImageInfoTest, NumbersReadOnlyWhenDelivered)
{
    HeaderUnderTest header;
    unsigned int value = 99;
    EXPECT_FALSE(header.GetHdrDocumentCount(value));
    EXPECT_EQ(value, 99u);

    header.DeliverNumber(0x8002, 41);
    header.DeliverNumber(0x8036, 1);
    header.DeliverNumber(0x8033, static_cast<unsigned>(-5));
    EXPECT_TRUE(header.GetHdrDocumentCount(value));
    EXPECT_EQ(value, 41u);
    EXPECT_TRUE(header.GetHdrLongPaperLastSegment(value));
    EXPECT_EQ(value, 1u);
    int angle = 0;
    EXPECT_TRUE(header.GetHdrDeskewAngleActual(angle));
    EXPECT_EQ(angle, -5);

    header.Entry(0x8002)->CondCode = TWRC_FAILURE;
    value = 7;
    EXPECT_FALSE(header.GetHdrDocumentCount(value));
    EXPECT_EQ(value, 7u);
    // Neighbouring ids are not mixed up.
    EXPECT_FALSE(header.GetHdrLength(value));
    EXPECT_FALSE(header.GetHdrLongPaperSegment(value));
}

TEST(RidgeExtraImageInfoTest, StringsAndByteTablesComeFromTheValueBlock)
{
    HeaderUnderTest header;
    char text[256] = "BC-\xC3\xA9-42"; // UTF-8 e acute
    header.DeliverBlock(0x8011, TWTY_STR255, 1, text, sizeof(text));
    std::wstring barcode;
    ASSERT_TRUE(header.GetHdrBarcode(barcode));
    EXPECT_EQ(barcode, L"BC-\u00E9-42");

    unsigned char gamma[100];
    for (unsigned i = 0; i < sizeof(gamma); ++i)
        gamma[i] = static_cast<unsigned char>(i + 1);
    header.DeliverBlock(0x8031, TWTY_UINT8, 100, gamma, sizeof(gamma));
    CQXRidgeExtraImageInfo::Histogram table;
    std::memset(table, 0xAB, sizeof(table));
    ASSERT_TRUE(header.GetHdrGammaTable(table));
    EXPECT_EQ(table[0], 1);
    EXPECT_EQ(table[99], 100);
    EXPECT_EQ(table[100], 0); // the rest of the caller's table is cleared
    EXPECT_FALSE(header.GetHdrSumHistogram(table));
}

TEST(RidgeExtraImageInfoTest, SettersFillTheirEntries)
{
    HeaderUnderTest header;
    unsigned int page = 12;
    unsigned int index = 3000;
    ASSERT_TRUE(header.SetHdrPageNumber(page));
    ASSERT_TRUE(header.SetHdrPrinterIndex(index));
    unsigned int value = 0;
    EXPECT_TRUE(header.GetHdrPageNumber(value));
    EXPECT_EQ(value, 12u);
    EXPECT_TRUE(header.GetHdrPrinterIndex(value));
    EXPECT_EQ(value, 3000u);
    EXPECT_EQ(header.Entry(0x8018)->ItemType, TWTY_UINT32);

    std::wstring text = L"BATCH 0007";
    ASSERT_TRUE(header.SetHdrPrinterString(text));
    EXPECT_EQ(header.Entry(0x8015)->ItemType, TWTY_STR255);
    std::wstring read;
    ASSERT_TRUE(header.GetHdrPrinterString(read));
    EXPECT_EQ(read, text);

    // A second text reuses the block and replaces the whole old one.
    std::wstring shorter = L"B2";
    ASSERT_TRUE(header.SetHdrPrinterString(shorter));
    ASSERT_TRUE(header.GetHdrPrinterString(read));
    EXPECT_EQ(read, L"B2");
}

TEST(RidgeExtraImageInfoTest, CopiesAndSavedFormKeepTheVendorValues)
{
    HeaderUnderTest header;
    std::wstring text = L"SEGMENT 1";
    ASSERT_TRUE(header.SetHdrPrinterString(text));
    header.DeliverNumber(0x8035, 2);

    CQXRidgeExtraImageInfo copy(header);
    std::wstring other = L"changed";
    ASSERT_TRUE(header.SetHdrPrinterString(other));
    std::wstring read;
    ASSERT_TRUE(copy.GetHdrPrinterString(read));
    EXPECT_EQ(read, L"SEGMENT 1");

    CZKRBuffer saved;
    ASSERT_TRUE(copy.Save(saved));
    CQXRidgeExtraImageInfo loaded;
    ASSERT_TRUE(loaded.Load(saved));
    ASSERT_TRUE(loaded.GetHdrPrinterString(read));
    EXPECT_EQ(read, L"SEGMENT 1");
    unsigned int segment = 0;
    EXPECT_TRUE(loaded.GetHdrLongPaperSegment(segment));
    EXPECT_EQ(segment, 2u);
}
