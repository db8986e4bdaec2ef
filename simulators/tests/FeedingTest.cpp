// How the virtual production scanner feeds: extended image info per image,
// long paper, the transfer count, stopping the feeder, and the faults a
// profile injects at a sheet.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "common/TwainCapability.h"
#include "common/TwainScan.h"

namespace
{
// The extended image info of the image just transferred.
class CExtInfo
{
public:
    explicit CExtInfo(const std::vector<TW_UINT16>& ids)
        : m_block(sizeof(TW_UINT32) + ids.size() * sizeof(TW_INFO)), m_count(ids.size())
    {
        const auto count = static_cast<TW_UINT32>(ids.size());
        std::memcpy(m_block.data(), &count, sizeof(count));
        for (size_t i = 0; i < ids.size(); ++i)
        {
            TW_INFO entry{};
            entry.InfoID = ids[i];
            Put(i, entry);
        }
    }
    ~CExtInfo()
    {
        for (size_t i = 0; i < m_count; ++i)
            if (Size(i) > 4)
                std::free(reinterpret_cast<void*>(static_cast<uintptr_t>(Entry(i).Item)));
    }
    CExtInfo(const CExtInfo&) = delete;
    CExtInfo& operator=(const CExtInfo&) = delete;

    TW_MEMREF Data() { return m_block.data(); }
    TW_INFO Entry(size_t i) const
    {
        TW_INFO entry;
        std::memcpy(&entry, m_block.data() + sizeof(TW_UINT32) + i * sizeof(TW_INFO), sizeof(entry));
        return entry;
    }
    size_t Size(size_t i) const
    {
        const TW_INFO entry = Entry(i);
        if (entry.CondCode != TWRC_SUCCESS)
            return 0;
        switch (entry.ItemType)
        {
        case TWTY_STR255:
            return sizeof(TW_STR255);
        case TWTY_FRAME:
            return sizeof(TW_FRAME);
        case TWTY_UINT16:
        case TWTY_BOOL:
            return 2;
        default:
            return 4;
        }
    }
    TW_UINT32 Number(size_t i) const
    {
        const TW_INFO entry = Entry(i);
        return Size(i) == 2 ? static_cast<TW_UINT16>(entry.Item) : static_cast<TW_UINT32>(entry.Item);
    }
    std::string Text(size_t i) const
    {
        return Size(i) > 4 ? std::string(reinterpret_cast<const char*>(static_cast<uintptr_t>(Entry(i).Item))) : "";
    }

private:
    void Put(size_t i, const TW_INFO& entry)
    {
        std::memcpy(m_block.data() + sizeof(TW_UINT32) + i * sizeof(TW_INFO), &entry, sizeof(entry));
    }
    std::vector<uint8_t> m_block;
    size_t m_count;
};

void Prepare(CTwainScan& scan, TW_UINT16 mechanism, bool duplex)
{
    ASSERT_TRUE(scan.SetUint16(ICAP_XFERMECH, mechanism));
    ASSERT_TRUE(scan.SetResolution(100));
    TW_BOOL enabled = duplex;
    CTwainCapability cap(CAP_DUPLEXENABLED, TWON_ONEVALUE,
                         CTwainCapability::OneValue(TWTY_BOOL, &enabled, sizeof(enabled)));
    ASSERT_EQ(TWRC_SUCCESS, scan.Control(DAT_CAPABILITY, MSG_SET, &cap));
}

TW_UINT16 Native(CTwainScan& scan)
{
    TW_HANDLE handle = nullptr;
    const TW_UINT16 rc = scan.Image(DAT_IMAGENATIVEXFER, &handle);
    std::free(handle);
    return rc;
}

TEST(FeedingTest, ExtendedImageInfoDescribesEachImage)
{
    CTwainScan scan(2, "LongPaper = 2 2\n");
    Prepare(scan, TWSX_NATIVE, true);
    ASSERT_TRUE(scan.Start());
    ASSERT_EQ(6, scan.Pending(MSG_GET)) << "sheet 2 is long: two segments a side";
    const std::vector<TW_UINT16> ids = {TWEI_DOCUMENTNUMBER, TWEI_PAGENUMBER, TWEI_PAGESIDE,      TWEI_CAMERA,
                                        TWEI_SEGMENTNUMBER,  TWEI_LASTSEGMENT, TWEI_PIXELFLAVOR, 0x8101,
                                        0x8102,              TWEI_DESKEWSTATUS, TWEI_FRAME};
    struct Expected
    {
        TW_UINT32 document, side, segment, last;
        const char* camera;
    };
    const Expected images[] = {{1, TWCS_TOP, 1, 1, "/Camera_Bitonal_Top"},
                               {1, TWCS_BOTTOM, 1, 1, "/Camera_Bitonal_Bottom"},
                               {2, TWCS_TOP, 1, 0, "/Camera_Bitonal_Top"},
                               {2, TWCS_BOTTOM, 1, 0, "/Camera_Bitonal_Bottom"},
                               {2, TWCS_TOP, 2, 1, "/Camera_Bitonal_Top"},
                               {2, TWCS_BOTTOM, 2, 1, "/Camera_Bitonal_Bottom"}};
    TW_UINT32 page = 0;
    for (const Expected& image : images)
    {
        ++page;
        SCOPED_TRACE(page);
        CExtInfo early(ids);
        EXPECT_EQ(TWRC_FAILURE, scan.Image(DAT_EXTIMAGEINFO, early.Data())) << "only after the transfer";
        EXPECT_EQ(TWCC_SEQERROR, scan.Condition());
        ASSERT_EQ(TWRC_XFERDONE, Native(scan));
        CExtInfo info(ids);
        ASSERT_EQ(TWRC_SUCCESS, scan.Image(DAT_EXTIMAGEINFO, info.Data()));
        EXPECT_EQ(image.document, info.Number(0));
        EXPECT_EQ(page, info.Number(1));
        EXPECT_EQ(image.side, info.Number(2));
        EXPECT_EQ(image.camera, info.Text(3));
        EXPECT_EQ(image.segment, info.Number(4));
        EXPECT_EQ(image.last, info.Number(5));
        EXPECT_EQ(TWPF_CHOCOLATE, info.Number(6));
        EXPECT_EQ(page, info.Number(7)) << "vendor counter";
        EXPECT_EQ("1." + std::to_string(image.document) + "." + std::to_string(page) + ".0", info.Text(8));
        EXPECT_EQ(TWRC_INFONOTSUPPORTED, info.Entry(9).CondCode);
        ASSERT_EQ(TWRC_SUCCESS, info.Entry(10).CondCode);
        TW_FRAME frame;
        std::memcpy(&frame, reinterpret_cast<const void*>(static_cast<uintptr_t>(info.Entry(10).Item)), sizeof(frame));
        EXPECT_EQ(8, frame.Right.Whole);
        EXPECT_EQ(11, frame.Bottom.Whole);
        TW_IMAGELAYOUT layout{};
        ASSERT_EQ(TWRC_SUCCESS, scan.Image(DAT_IMAGELAYOUT, &layout));
        EXPECT_EQ(image.document, layout.DocumentNumber);
        EXPECT_EQ(page, layout.PageNumber);
        scan.Pending(MSG_ENDXFER);
    }
    EXPECT_EQ(TWRC_SUCCESS, scan.App().Disable());
}

TEST(FeedingTest, TransferCountAndStoppingTheFeeder)
{
    CTwainScan scan(5);
    Prepare(scan, TWSX_NATIVE, true);
    TW_INT16 count = 3;
    CTwainCapability limit(CAP_XFERCOUNT, TWON_ONEVALUE, CTwainCapability::OneValue(TWTY_INT16, &count, 2));
    ASSERT_EQ(TWRC_SUCCESS, scan.Control(DAT_CAPABILITY, MSG_SET, &limit));
    ASSERT_TRUE(scan.Start());
    EXPECT_EQ(3, scan.Pending(MSG_GET)) << "three images: sheet 1 both sides, sheet 2 front";
    for (int left = 2; left >= 0; --left)
    {
        ASSERT_EQ(TWRC_XFERDONE, Native(scan));
        EXPECT_EQ(left, scan.Pending(MSG_ENDXFER));
    }
    ASSERT_EQ(TWRC_SUCCESS, scan.App().Disable());
    EXPECT_EQ(1, scan.ReadUint16(CAP_FEEDERLOADED)) << "three sheets are left";

    CTwainCapability all(CAP_XFERCOUNT);
    ASSERT_EQ(TWRC_SUCCESS, scan.Control(DAT_CAPABILITY, MSG_RESET, &all));
    ASSERT_TRUE(scan.Start());
    EXPECT_EQ(6, scan.Pending(MSG_GET));
    ASSERT_EQ(TWRC_XFERDONE, Native(scan));
    EXPECT_EQ(5, scan.Pending(MSG_ENDXFER));
    EXPECT_EQ(1, scan.Pending(MSG_STOPFEEDER)) << "the back of the sheet under way still comes";
    CExtInfo info({TWEI_DOCUMENTNUMBER, TWEI_PAGESIDE});
    ASSERT_EQ(TWRC_XFERDONE, Native(scan));
    ASSERT_EQ(TWRC_SUCCESS, scan.Image(DAT_EXTIMAGEINFO, info.Data()));
    EXPECT_EQ(3u, info.Number(0));
    EXPECT_EQ(TWCS_BOTTOM, info.Number(1));
    EXPECT_EQ(0, scan.Pending(MSG_ENDXFER));
    ASSERT_EQ(TWRC_SUCCESS, scan.App().Disable());

    ASSERT_TRUE(scan.Start());
    EXPECT_EQ(4, scan.Pending(MSG_GET)) << "sheets 4 and 5";
    ASSERT_EQ(TWRC_XFERDONE, Native(scan));
    EXPECT_EQ(3, scan.Pending(MSG_ENDXFER));
    EXPECT_EQ(0, scan.Pending(MSG_RESET));
    ASSERT_EQ(TWRC_SUCCESS, scan.App().Disable());
    ASSERT_TRUE(scan.Start()) << "a reset in the middle of a sheet still fed it";
    EXPECT_EQ(2, scan.Pending(MSG_GET));
}

TEST(FeedingTest, TransfersFollowTheNegotiatedMechanism)
{
    CTwainScan scan(1);
    Prepare(scan, TWSX_MEMORY, false);
    ASSERT_TRUE(scan.Start());
    EXPECT_EQ(TWRC_FAILURE, Native(scan));
    EXPECT_EQ(TWCC_SEQERROR, scan.Condition());
    EXPECT_EQ(TWRC_FAILURE, scan.Image(DAT_IMAGEFILEXFER, nullptr));
    EXPECT_EQ(TWCC_SEQERROR, scan.Condition());
    TW_IMAGEMEMXFER tooSmall{};
    BYTE byte = 0;
    tooSmall.Memory = TW_MEMORY{TWMF_APPOWNS | TWMF_POINTER, 1, &byte};
    EXPECT_EQ(TWRC_FAILURE, scan.Image(DAT_IMAGEMEMXFER, &tooSmall)) << "not even one row fits";
    EXPECT_EQ(TWCC_BADVALUE, scan.Condition());
    EXPECT_EQ(1, scan.Pending(MSG_GET)) << "nothing was lost";
}

TEST(FeedingTest, JamAndDoubleFeedFailTheirSheetAndRaiseDeviceEvents)
{
    const struct
    {
        const char* fault;
        TW_UINT16 condition, event;
    } cases[] = {{"PaperJam", TWCC_PAPERJAM, TWDE_PAPERJAM}, {"DoubleFeed", TWCC_PAPERDOUBLEFEED, TWDE_PAPERDOUBLEFEED}};
    for (const auto& fault : cases)
    {
        SCOPED_TRACE(fault.fault);
        CTwainScan scan(3, "", std::string("[Faults]\n") + fault.fault + " = 2\n");
        Prepare(scan, TWSX_NATIVE, false);
        ASSERT_TRUE(scan.SetDeviceEvents({TWDE_PAPERJAM, TWDE_PAPERDOUBLEFEED}));
        ASSERT_TRUE(scan.Start());
        ASSERT_EQ(TWRC_XFERDONE, Native(scan));
        EXPECT_EQ(2, scan.Pending(MSG_ENDXFER));
        EXPECT_EQ(TWRC_FAILURE, Native(scan));
        EXPECT_EQ(fault.condition, scan.Condition());
        EXPECT_EQ(MSG_DEVICEEVENT, scan.App().WaitForEvent());
        TW_DEVICEEVENT event{};
        ASSERT_EQ(TWRC_SUCCESS, scan.Control(DAT_DEVICEEVENT, MSG_GET, &event));
        EXPECT_EQ(fault.event, event.Event);
        EXPECT_STREQ(CTwainScan::kProduct, event.DeviceName);
        EXPECT_EQ(TWRC_FAILURE, scan.Control(DAT_DEVICEEVENT, MSG_GET, &event)) << "one event per fault";
        EXPECT_EQ(TWRC_FAILURE, Native(scan)) << "the sheet stays stuck";
        EXPECT_EQ(fault.condition, scan.Condition());
        EXPECT_EQ(0, scan.Pending(MSG_RESET));
        EXPECT_EQ(TWRC_SUCCESS, scan.App().Disable());
    }
}

TEST(FeedingTest, DeviceGoingOfflineStaysOffline)
{
    CTwainScan scan(3, "", "[Faults]\nOffline = 2\n");
    Prepare(scan, TWSX_NATIVE, false);
    ASSERT_TRUE(scan.SetDeviceEvents({TWDE_DEVICEOFFLINE}));
    ASSERT_TRUE(scan.Start());
    EXPECT_EQ(1, scan.ReadUint16(CAP_DEVICEONLINE));
    ASSERT_EQ(TWRC_XFERDONE, Native(scan));
    EXPECT_EQ(2, scan.Pending(MSG_ENDXFER));
    EXPECT_EQ(TWRC_FAILURE, Native(scan));
    EXPECT_EQ(TWCC_CHECKDEVICEONLINE, scan.Condition());
    EXPECT_EQ(MSG_DEVICEEVENT, scan.App().WaitForEvent());
    TW_DEVICEEVENT event{};
    ASSERT_EQ(TWRC_SUCCESS, scan.Control(DAT_DEVICEEVENT, MSG_GET, &event));
    EXPECT_EQ(TWDE_DEVICEOFFLINE, event.Event);
    EXPECT_EQ(0, scan.ReadUint16(CAP_DEVICEONLINE));
    EXPECT_EQ(0, scan.Pending(MSG_RESET));
    ASSERT_EQ(TWRC_SUCCESS, scan.App().Disable());
    EXPECT_EQ(TWRC_FAILURE, scan.App().Enable(MSG_ENABLEDS, false));
    EXPECT_EQ(TWCC_CHECKDEVICEONLINE, scan.Condition());
}

TEST(FeedingTest, SourceCancelAndRefusedMemoryTransfer)
{
    {
        CTwainScan scan(2, "PageDelay = 5\n", "[Faults]\nCancel = 1\n");
        Prepare(scan, TWSX_NATIVE, true);
        ASSERT_TRUE(scan.Start());
        EXPECT_EQ(TWRC_CANCEL, Native(scan));
        EXPECT_EQ(TWRC_FAILURE, Native(scan)) << "state 7 until the transfer ends";
        EXPECT_EQ(TWCC_SEQERROR, scan.Condition());
        EXPECT_EQ(3, scan.Pending(MSG_ENDXFER));
        ASSERT_EQ(TWRC_XFERDONE, Native(scan)) << "only the front was cancelled";
        EXPECT_EQ(2, scan.Pending(MSG_ENDXFER));
    }
    CTwainScan scan(2, "", "[Faults]\nRefuseMemory = 2\n");
    Prepare(scan, TWSX_MEMORY, false);
    ASSERT_TRUE(scan.Start());
    std::vector<BYTE> buffer(64 * 1024);
    TW_IMAGEMEMXFER block{};
    block.Memory = TW_MEMORY{TWMF_APPOWNS | TWMF_POINTER, static_cast<TW_UINT32>(buffer.size()), buffer.data()};
    EXPECT_EQ(TWRC_SUCCESS, scan.Image(DAT_IMAGEMEMXFER, &block)) << "sheet 1 goes through";
    EXPECT_EQ(1, scan.Pending(MSG_ENDXFER));
    EXPECT_EQ(TWRC_FAILURE, scan.Image(DAT_IMAGEMEMXFER, &block));
    EXPECT_EQ(TWCC_LOWMEMORY, scan.Condition());
    EXPECT_EQ(1, scan.Pending(MSG_GET));
}

TEST(FeedingTest, MalformedFeedingKeysLeaveTheProfileOut)
{
    for (const char* device : {"PageSize = B9\n", "LongPaper = 2\n", "PageDelay = soon\n"})
    {
        SCOPED_TRACE(device);
        CTwainScan scan(1, device);
        EXPECT_TRUE(scan.App().ListSources().empty());
    }
    CTwainScan scan(1, "", "[Faults]\nPaperJam = 0\n");
    EXPECT_TRUE(scan.App().ListSources().empty());
}
} // namespace
