// Page setup records, the split layout and its order operations, blank-image
// deletion rules, the settings blocks and the image records and holders.
#include <brackwater/QXSettingsBlocks.h>
#include <brackwater/QX_IMAGEINFO_TYPE.h>
#include <brackwater/QX_IMAGEPARTINFO_TYPE.h>
#include <brackwater/QX_IMAGEPOSINFO_TYPE.h>
#include <brackwater/QX_IMGDAT_IMAGE_EX_TYPE.h>
#include <brackwater/QX_PAGCFG_AUTODEL_TYPE.h>
#include <brackwater/QX_PAGCFG_IMAGE_TYPE.h>
#include <brackwater/QX_PAGCFG_MERGE_TYPE.h>
#include <brackwater/QX_PAGCFG_SPLIT_TYPE.h>

#include <hollin/ZKScript.h>

#include "common/RecordSamples.h"
#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
typedef QX_SPLITCFG_TYPE Split;

// A script whose default section is the one given.
struct CScriptIn : CZKScript
{
    explicit CScriptIn(const wchar_t* section) { SetDefaultSection(section); }
};

bool SameRange(const QX_RANGE_L_TYPE& range, BYTE lowMode, LONG low, BYTE highMode, LONG high)
{
    return range.byLowMode == lowMode && range.low == low && range.byHighMode == highMode &&
           range.high == high;
}
} // namespace

TEST(SplitLayout, PieceIdentifiers)
{
    EXPECT_EQ(Split::order_get_pieceid(Split::SIDE_FRONT, 3), 3);
    EXPECT_EQ(Split::order_get_pieceid(Split::SIDE_REAR, 10), 0x8A);
    EXPECT_EQ(Split::order_get_pieceid(Split::SIDE_REAR, 11), 0);
    EXPECT_EQ(Split::order_get_pieceid(Split::SIDE_FRONT, 0), 0);
    EXPECT_EQ(Split::order_get_pieceid(3, 1), 0);
    int side = 0;
    EXPECT_EQ(Split::order_get_pieceindex(0x85, side), 5);
    EXPECT_EQ(side, Split::SIDE_REAR);
    EXPECT_EQ(Split::max_pieces, 10);
}

TEST(SplitLayout, OrderOperations)
{
    Split split = SampleSplitLayout();
    EXPECT_EQ(split.order_count(), 3);
    EXPECT_FALSE(split.order_add(2));    // already there
    EXPECT_FALSE(split.order_add(0x8B)); // number 11
    EXPECT_TRUE(split.order_isadded(0x81));
    EXPECT_TRUE(split.piece_remove()); // rear piece 2 is missing
    EXPECT_TRUE(split.check());

    std::wstring text;
    split.order_getdesc(text, L"");
    EXPECT_EQ(text, L"3; 2; 1");
    split.order_getdesc(text, L",");
    EXPECT_EQ(text, L"3,2,1");

    EXPECT_TRUE(split.order_remove(2));
    EXPECT_FALSE(split.order_remove(2));
    EXPECT_EQ(split.order_count(), 2);
    EXPECT_EQ(split.order[1], 1);
    EXPECT_EQ(split.order[2], 0);

    split.byFrontPieces = 11;
    split.order_getdesc(text, L";");
    EXPECT_TRUE(text.empty());

    // The full order takes twenty identifiers and no more.
    Split full;
    for (int number = 1; number <= 10; ++number)
    {
        EXPECT_TRUE(full.order_add(Split::order_get_pieceid(Split::SIDE_FRONT, number)));
        EXPECT_TRUE(full.order_add(Split::order_get_pieceid(Split::SIDE_REAR, number)));
    }
    EXPECT_EQ(full.order_count(), Split::ORDER_SIZE);
    full.order_reset();
    EXPECT_EQ(full.order_count(), 0);
}

TEST(SplitLayout, NormalizeOrderKeepsEnabledPieces)
{
    Split split = SampleSplitLayout();
    split.order_add(Split::order_get_pieceid(Split::SIDE_REAR, 2));
    EXPECT_FALSE(split.piece_remove());
    split.rearMode.value = 0;
    split.byFrontPieces = 1;
    split.order_normalize();
    EXPECT_EQ(split.order_count(), 1);
    EXPECT_EQ(split.order[0], 1);
    EXPECT_FALSE(split.piece_remove());
}

TEST(SplitLayout, CheckAndNormalize)
{
    Split split = SampleSplitLayout();
    split.order[3] = split.order[0]; // the same piece twice
    EXPECT_FALSE(split.check());
    split = SampleSplitLayout();
    split.byFrontPieces = 1; // front piece 2 is ordered
    EXPECT_FALSE(split.check());
    split.normalize();
    EXPECT_EQ(split, Split());

    split = SampleSplitLayout();
    split.frontMode.value = 3;
    EXPECT_FALSE(split.check());
    split = SampleSplitLayout();
    split.rearMode.value = 0;
    split.byRearPieces = 40; // a disabled side's count is not limited
    split.order_remove(0x81);
    EXPECT_TRUE(split.check());
}

TEST(SplitLayout, ScriptOwnsItsSectionAndResetsOnReading)
{
    CScriptIn script(L"Layout");
    script.SetKeyValue(L"Leftover", L"1");
    const Split written = SampleSplitLayout();
    ASSERT_TRUE(written.toscript(script));
    CZKScriptItemList items;
    ASSERT_TRUE(script.GetSectionItems(L"Layout", items));
    EXPECT_EQ(items.GetCount(), 7); // four numbers and three pieces

    Split read;
    ASSERT_TRUE(read.fromscript(script));
    EXPECT_EQ(read, written);

    // Front piece 3 while the front has two pieces: the layout resets, and
    // the read still succeeds.
    script.AddScript(L"Piece = 3");
    EXPECT_TRUE(read.fromscript(script));
    EXPECT_EQ(read, Split());

    // A piece that is no byte, or missing numbers, also leave the defaults.
    ASSERT_TRUE(written.toscript(script));
    script.AddScript(L"Piece = 257");
    EXPECT_TRUE(read.fromscript(script));
    EXPECT_EQ(read, Split());
    script.RemoveKey(L"RearMode");
    EXPECT_TRUE(read.fromscript(script));
    EXPECT_EQ(read, Split());
}

TEST(PageSetup, SplitAndMergeRoundTrip)
{
    QX_PAGCFG_SPLIT_TYPE split;
    split.bEnable = TRUE;
    split.widthRange = QX_RANGE_D_TYPE(2, 8.5, 1, 17.25);
    split.split = SampleSplitLayout();
    QX_PAGCFG_MERGE_TYPE merge;
    merge.bRangeOnWidth = TRUE;
    merge.heightRange = QX_RANGE_D_TYPE(0, 0.0, 2, 4.0);
    merge.mode.value = 4;

    CScriptIn script(L"Page.Split");
    ASSERT_TRUE(split.toscript(script));
    std::wstring stored;
    ASSERT_TRUE(script.GetKeyValue(L"WidthRange", stored));
    EXPECT_EQ(stored, L"2, 8.500000000000, 1, 17.250000000000");
    EXPECT_TRUE(script.HasSection(L"Page.Split.SplitConfig"));
    EXPECT_TRUE(script.GetKeyValue(L"Enable", stored)); // not cleared by the layout
    script.SetDefaultSection(L"Page.Merge");
    ASSERT_TRUE(merge.toscript(script));

    CZKScript loaded;
    ASSERT_TRUE(loaded.LoadFromText(script.SaveToText()));
    loaded.SetDefaultSection(L"Page.Split");
    QX_PAGCFG_SPLIT_TYPE readSplit;
    ASSERT_TRUE(readSplit.fromscript(loaded));
    EXPECT_EQ(readSplit, split);
    loaded.SetDefaultSection(L"Page.Merge");
    QX_PAGCFG_MERGE_TYPE readMerge;
    ASSERT_TRUE(readMerge.fromscript(loaded));
    EXPECT_EQ(readMerge, merge);

    merge.mode.value = 5;
    merge.widthRange = QX_RANGE_D_TYPE(2, 9.0, 2, 1.0);
    EXPECT_FALSE(merge.check());
    merge.normalize();
    EXPECT_EQ(merge.mode.value, 0);
    EXPECT_EQ(merge.widthRange, QX_RANGE_D_TYPE());
}

TEST(PageSetup, ImageRoundTripAndChecks)
{
    EXPECT_EQ(QX_PAGCFG_IMAGE_TYPE().imageOrder.value, 13);
    QX_PAGCFG_IMAGE_TYPE image = SamplePageImage();

    CScriptIn script(L"Page.Image");
    ASSERT_TRUE(image.toscript(script));
    QX_PAGCFG_IMAGE_TYPE read;
    ASSERT_TRUE(read.fromscript(script));
    EXPECT_EQ(read, image);

    image.imageOrder.value = 24;
    image.overcropSize.value = -1.0;
    EXPECT_FALSE(image.check());
    image.normalize();
    EXPECT_EQ(image.imageOrder.value, 13);
    EXPECT_EQ(image.overcropSize.value, 0.0);
}

TEST(PageAutoDelete, CheckNormalizeAndKeys)
{
    QX_PAGCFG_AUTODEL_TYPE del;
    del.mode[QX_PAGCFG_AUTODEL_TYPE::REAR].value = 3;
    del.nBitonalContentRef[0] = 101;
    del.nColorGrayscaleContentRef[1] = 100;
    EXPECT_FALSE(del.check());
    del.normalize();
    EXPECT_TRUE(del.check());
    EXPECT_EQ(del.mode[1].value, 0);
    EXPECT_EQ(del.nBitonalContentRef[0], 100);

    del.nColorGrayscaleSizeRef[1] = 12345;
    del.bDeleteBothImageOfASide = TRUE;
    CScriptIn script(L"AutoDel");
    ASSERT_TRUE(del.toscript(script));
    int value = 0;
    EXPECT_TRUE(script.R_int(L"ColorGrayscaleRearSizeRef", value));
    EXPECT_EQ(value, 12345);
    EXPECT_TRUE(script.R_int(L"BitonalFrontContentRef", value));
    EXPECT_TRUE(script.R_int(L"DeleteBothImageOfASide", value));
    QX_PAGCFG_AUTODEL_TYPE read;
    ASSERT_TRUE(read.fromscript(script));
    EXPECT_EQ(read, del);
}

TEST(PageAutoDelete, RangesAndDeletionRule)
{
    QX_PAGCFG_AUTODEL_TYPE del;
    del.mode[0].value = QX_PAGCFG_AUTODEL_TYPE::MODE_SIZE;
    del.bSizeBelowRef[0] = TRUE;
    del.nBitonalSizeRef[0] = 3000;
    del.nColorGrayscaleSizeRef[0] = 9000;
    del.mode[1].value = QX_PAGCFG_AUTODEL_TYPE::MODE_CONTENT;
    del.bContentBelowRef[1] = FALSE;
    del.nColorGrayscaleContentRef[1] = 12;

    QX_RANGE_L_TYPE range(2, 1, 2, 2);
    EXPECT_TRUE(del.get_bf_size_range(range));
    EXPECT_TRUE(SameRange(range, 0, 0, 1, 3000));
    EXPECT_FALSE(del.get_bf_content_range(range)); // front deletes by size
    EXPECT_TRUE(SameRange(range, 0, 0, 0, 0));
    EXPECT_TRUE(del.get_cr_content_range(range));
    EXPECT_TRUE(SameRange(range, 1, 12, 0, 0));

    QX_AUTODELMODE_TYPE mode;
    EXPECT_TRUE(del.GetDelConfig(3, 1, mode, range));
    EXPECT_EQ(mode.value, 1);
    EXPECT_TRUE(SameRange(range, 0, 0, 1, 9000));
    EXPECT_TRUE(del.GetDelConfig(2, 2, mode, range));
    EXPECT_EQ(mode.value, 2);
    EXPECT_FALSE(del.GetDelConfig(4, 1, mode, range));
    EXPECT_FALSE(del.GetDelConfig(1, 3, mode, range));
    del.mode[1].value = 0;
    EXPECT_FALSE(del.GetDelConfig(1, 2, mode, range));
    EXPECT_EQ(mode.value, 0);
}

TEST(SettingsBlocks, ByteCopiesAndComparison)
{
    QX_JOBCFG_IMPRINTER_TYPE a;
    const BYTE bytes[] = {1, 2, 3, 0, 255};
    ASSERT_TRUE(a.CopyFrom(bytes, sizeof(bytes)));
    QX_JOBCFG_IMPRINTER_TYPE b(a);
    EXPECT_EQ(b, a);
    EXPECT_NE(b.GetPtr(), a.GetPtr());
    b.GetPtr()[4] = 254;
    EXPECT_NE(b, a);
    EXPECT_TRUE(b.check());
    b.reset();
    EXPECT_TRUE(b.IsEmpty());
    b = a;
    EXPECT_EQ(b.compare(a), 0);
    QX_JOBCFG_PATCH_TYPE empty;
    EXPECT_EQ(empty, QX_JOBCFG_PATCH_TYPE());
}

TEST(ImageRecords, InfoPositionAndPart)
{
    QX_IMAGEINFO_TYPE info;
    info.type.value = 3;
    info.nWidth = 2480;
    info.nHeight = 3508;
    info.xRes.value = 300;
    info.yRes.value = 2400;
    CScriptIn script(L"Img");
    ASSERT_TRUE(info.toscript(script));
    QX_IMAGEINFO_TYPE readInfo;
    ASSERT_TRUE(readInfo.fromscript(script));
    EXPECT_EQ(readInfo, info);
    info.yRes.value = 2401;
    EXPECT_FALSE(info.check());
    info.normalize();
    EXPECT_EQ(info, QX_IMAGEINFO_TYPE()); // cleared as a whole

    QX_IMAGEPOSINFO_TYPE pos;
    EXPECT_FALSE(pos.check());
    pos.documentId.value = 1;
    pos.pageId.value = 2;
    pos.imageId.value = 3;
    EXPECT_TRUE(pos.check());
    QX_IMAGEPARTINFO_TYPE part;
    part.nPageNo = 4;
    part.side.value = 2;
    part.swPartIndex.value = 200;
    ASSERT_TRUE(pos.toscript(script));
    ASSERT_TRUE(part.toscript(script));
    QX_IMAGEPOSINFO_TYPE readPos;
    QX_IMAGEPARTINFO_TYPE readPart;
    ASSERT_TRUE(readPos.fromscript(script));
    ASSERT_TRUE(readPart.fromscript(script));
    EXPECT_EQ(readPos, pos);
    EXPECT_EQ(readPart, part);
    int value = 0;
    EXPECT_TRUE(script.R_int(L"SWPartIndex", value));
    EXPECT_TRUE(script.R_int(L"IMGID", value));
}

TEST(ImageHolders, BitmapBufferAndDisk)
{
    CZKBitmapHandle bitmap;
    ASSERT_TRUE(bitmap.Create(16, 8, 8));
    bitmap.GetPtr()[5] = 77;
    QX_IMGDAT_IMAGE_EX_TYPE holder;
    EXPECT_FALSE(holder.bitmap_isavailable());
    CZKBitmapHandle empty;
    EXPECT_FALSE(holder.bitmap_attach(empty));
    EXPECT_FALSE(holder.bitmap_set(empty));
    ASSERT_TRUE(holder.bitmap_set(bitmap));
    QX_IMGDAT_IMAGE_EX_TYPE copy(holder);
    EXPECT_EQ(copy, holder);
    copy.bitmap_reset();
    EXPECT_NE(copy, holder);

    CZKBitmapHandle out;
    ASSERT_TRUE(holder.bitmap_detach(out));
    EXPECT_FALSE(holder.bitmap_isavailable());
    EXPECT_EQ(out.GetPtr()[5], 77);
    ASSERT_TRUE(holder.bitmap_attach(out));
    EXPECT_TRUE(out.IsEmpty());

    CZKRBuffer encoded(100);
    encoded.GetPtr()[0] = 0xFF;
    ASSERT_TRUE(holder.buffer_attach(encoded));
    EXPECT_TRUE(encoded.IsEmpty());
    CZKRBuffer got;
    ASSERT_TRUE(holder.buffer_get(got));
    EXPECT_EQ(got.GetSize(), 100u);
    ASSERT_TRUE(holder.buffer_detach(encoded));
    EXPECT_FALSE(holder.buffer_isavailable());
    EXPECT_FALSE(holder.buffer_detach(encoded));

    CTempFolder folder;
    holder.disk_set(folder.File("page.tif"));
    EXPECT_FALSE(holder.disk_isavailable());
    std::FILE* f = std::fopen((folder.Path() + "/page.tif").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_TRUE(holder.disk_isavailable());
    holder.disk_set(L"");
    EXPECT_FALSE(holder.disk_isavailable());
}
