// The TWAIN-backed scanner end to end: the facade against the simulated
// source manager and virtual source, with an application observer that
// records every record it is handed.
#include "TWAINScannerFixture.h"
#include "common/DetachingRecorder.h"

#include <mirelight/QXScanner.h>
#include <mirelight/QXScannerHelper.h>

#include <ZKSimPageGenerator.h>

#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>
#include <hollin/ZKRBuffer.h>
#include <pellmark/ZKBitmapHandle.h>
#include <twaindefs/ZKTwainConstants.h>
#include <wincompat/ZKThread.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>

namespace
{
const char* const kProduct = "ZK Virtual Production Duplex";

std::string SampleProfile(int sheets, const std::string& extra = "")
{
    std::string profile = SampleProfileText("production_duplex", extra);
    const std::string from = "Sheets = 10";
    profile.replace(profile.find(from), from.size(), "Sheets = " + std::to_string(sheets));
    return profile;
}

// The profile text with the current value of one capability replaced.
std::string WithCurrent(std::string profile, const std::string& section, const std::string& current)
{
    const size_t at = profile.find("Current = ", profile.find("[" + section + "]"));
    profile.replace(at, profile.find('\n', at) - at, "Current = " + current);
    return profile;
}

// The page the source generated for a sheet side, as the bitmap the facade
// delivers.
CZKBitmapHandle ExpectedPage(const QX_SCANNER_IMAGE_INFO& info, int sheet, int side,
                             int segment = 0)
{
    ZK_SIM_PAGE_FORMAT format;
    format.width = info.ImageWidth;
    format.height = info.ImageLength;
    format.bitsPerPixel = info.BitsPerPixel;
    format.xDpi = static_cast<LONG>(info.XResolution);
    format.yDpi = static_cast<LONG>(info.YResolution);
    CZKBitmapHandle page;
    SZKSimPageGenerator::Generate(format, SZKSimPageGenerator::Seed(kProduct, sheet, side, segment),
                                  page);
    return page;
}

std::vector<BYTE> Bits(const CZKBitmapHandle& page)
{
    const BYTE* bits = page.GetPtr();
    return bits ? std::vector<BYTE>(bits, bits + page.GetImageSize()) : std::vector<BYTE>();
}

using TWAINScannerTest = TWAINScannerFixture;
} // namespace

TEST_F(TWAINScannerTest, ListsOpensAndReportsTheSourceCapabilities)
{
    Open(SampleProfile(1));
    std::vector<QX_SCANNER_NAMELIST_ITEM> list;
    ASSERT_TRUE(m_scanner.QueryAvailableScanners(list));
    ASSERT_EQ(1u, list.size());
    EXPECT_EQ(L"ZK Virtual Production Duplex", list[0].name);
    EXPECT_EQ(QX_SCANNER_PROTOCOL_TWAIN, list[0].protocol);

    EXPECT_TRUE(m_scanner.IsOpen());
    std::wstring current;
    m_scanner.GetCurrentScanner(current);
    EXPECT_EQ(L"ZK Virtual Production Duplex", current);
    EXPECT_EQ(QX_SCANNER_FAMILY_GENERIC, m_scanner.GetCurrentScannerFamily());
    EXPECT_NE(nullptr, m_scanner.GetSessionManager().GetTWAIN());

    // Duplex only: no imprinter, no vendor extras.
    unsigned int mask = 0;
    ASSERT_TRUE(m_scanner.GetCapabilityMask(mask));
    EXPECT_EQ(0x2u, mask); // the profile lists no CAP_CUSTOMDSDATA

    std::wstring serial;
    EXPECT_TRUE(m_scanner.GetTagValue(1001, serial));
    EXPECT_EQ(L"ZKV-PD-000123", serial);
    int duplexFlags = 0;
    EXPECT_TRUE(m_scanner.GetTagValue(2, duplexFlags));
    EXPECT_EQ(7, duplexFlags);
    EXPECT_FALSE(m_scanner.GetTagValue(9999, duplexFlags));

    m_scanner.Close();
    EXPECT_FALSE(m_scanner.IsOpen());
    EXPECT_FALSE(m_scanner.GetCapabilityMask(mask));
}

TEST_F(TWAINScannerTest, OpeningAnUnknownOrOverlongNameFails)
{
    m_folder.AddProfile("e2e", SampleProfile(1));
    m_scanner.Initialize();
    EXPECT_FALSE(m_scanner.Open(L"No Such Scanner", QX_SCANNER_PROTOCOL_TWAIN));
    EXPECT_FALSE(m_scanner.Open(std::wstring(40, L'x').c_str(), QX_SCANNER_PROTOCOL_TWAIN));
    EXPECT_FALSE(m_scanner.IsOpen());
}

TEST_F(TWAINScannerTest, ConfigurationRoundTripsThroughTheDriverDataBlock)
{
    Open(SampleProfile(1));
    QX_SCNCFG_CONFIGDATA_TYPE config;
    ASSERT_TRUE(m_scanner.GetConfig(config));
    EXPECT_EQ(L"ZK Virtual Production Duplex", config.strScannerName);
    EXPECT_EQ(QX_SCNCFG_CONFIGDATA_TYPE::MODE_DATA, config.configMode.value);
    const BYTE initial[] = {0x5A, 0x4B, 0x01, 0x00, 0x02, 0x00};
    EXPECT_EQ(CZKRBuffer(initial, sizeof(initial)), CZKRBuffer(config.driverData));

    const BYTE changed[] = {0x5A, 0x4B, 0x07, 0x08};
    ASSERT_TRUE(config.driverData.CopyFrom(changed, sizeof(changed)));
    ASSERT_TRUE(m_scanner.SetConfig(config));
    QX_SCNCFG_CONFIGDATA_TYPE reread;
    ASSERT_TRUE(m_scanner.GetConfig(reread));
    EXPECT_EQ(CZKRBuffer(changed, sizeof(changed)), CZKRBuffer(reread.driverData));

    QX_SCNCFG_CONFIGDATA_TYPE foreign = reread;
    foreign.strScannerName = L"Another Scanner";
    EXPECT_FALSE(m_scanner.SetConfig(foreign));

    // A generic source has no scanner-side extras: nothing to read or write.
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE advanced;
    EXPECT_TRUE(m_scanner.GetAdvancedConfig(advanced, nullptr));
    EXPECT_EQ(L"ZK Virtual Production Duplex", advanced.strScannerName);
    std::wstring error;
    EXPECT_TRUE(m_scanner.SetAdvancedConfig(advanced, error));
    advanced.strScannerName = L"Another Scanner";
    EXPECT_FALSE(m_scanner.SetAdvancedConfig(advanced, error));
}

TEST_F(TWAINScannerTest, MemoryTransferDeliversEveryPageOnceAsABitmapWithItsRecordAndTags)
{
    constexpr int kSheets = 3;
    Open(SampleProfile(kSheets));
    AcquireAll();
    const std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    ASSERT_EQ(2u * kSheets, images.size());
    EXPECT_TRUE(m_recorder.Errors().empty());
    for (size_t i = 0; i < images.size(); ++i)
    {
        const RECORDED_SCANNER_IMAGE& image = images[i];
        const int sheet = static_cast<int>(i / 2 + 1);
        const int side = static_cast<int>(i % 2);
        EXPECT_EQ(200.0, image.info.XResolution);
        EXPECT_EQ(1, image.info.BitsPerPixel);
        EXPECT_EQ((image.info.ImageWidth + 7) / 8, image.info.RowSize);
        EXPECT_EQ(1, image.info.imageType.value);
        EXPECT_EQ(1, image.info.imageFormat.value);
        EXPECT_EQ(side + 1, image.info.imageSide.value) << "image " << i;
        EXPECT_EQ(0, image.info.bWhiteIsZero);
        EXPECT_EQ(Bits(ExpectedPage(image.info, sheet, side)), image.bytes) << "image " << i;
        EXPECT_EQ(side, Tag(image, 1));
        EXPECT_EQ(sheet, Tag(image, 202));
        // A generic source sends no vendor header: no header tags.
        EXPECT_FALSE(image.tags.HasTag(203));
    }
    const std::vector<std::string> events = m_recorder.Events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ("begin", events.front());
    EXPECT_EQ("end", events.back());
}

TEST_F(TWAINScannerTest, BytesAnObserverDetachesStayItsWhileLaterImagesArrive)
{
    // Bytes left in the buffer hold the next image; detached ones must not.
    constexpr int kSheets = 3;
    Open(SampleProfile(kSheets));
    CDetachingRecorder observer;
    ASSERT_TRUE(observer.AcquireOnce(m_scanner, m_recorder));
    const std::vector<RECORDED_SCANNER_IMAGE> images = observer.Images();
    ASSERT_EQ(2u * kSheets, images.size());
    const std::vector<std::vector<BYTE>> kept = observer.Kept();
    ASSERT_EQ(size_t(kSheets), kept.size());
    for (size_t i = 0; i < images.size(); ++i)
    {
        const std::vector<BYTE> expected = Bits(ExpectedPage(images[i].info, static_cast<int>(i / 2 + 1),
                                                             static_cast<int>(i % 2)));
        EXPECT_EQ(expected, images[i].bytes) << "image " << i;
        if (i % 2 == 0)
        {
            EXPECT_EQ(expected, kept[i / 2]) << "image " << i;
        }
    }
}

TEST_F(TWAINScannerTest, CompressedStripsArePassedOnWhole)
{
    Open(WithCurrent(SampleProfile(1), "Cap.ICAP_COMPRESSION", "5"));
    AcquireAll();
    const std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    ASSERT_EQ(2u, images.size());
    for (size_t i = 0; i < images.size(); ++i)
    {
        const RECORDED_SCANNER_IMAGE& image = images[i];
        EXPECT_EQ(3, image.info.imageFormat.value);
        EXPECT_EQ(1, image.info.bWhiteIsZero);
        // Joined, not decoded: exactly the bytes the source coded.
        std::vector<BYTE> coded;
        ASSERT_TRUE(ExpectedPage(image.info, 1, static_cast<int>(i)).Compress_G4(coded));
        EXPECT_EQ(coded, image.bytes) << "image " << i;
    }
}

TEST_F(TWAINScannerTest, NativeTransferDeliversEachImageWithItsRecord)
{
    Open(SampleProfile(2), TWSX_NATIVE);
    AcquireAll();
    const std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    ASSERT_EQ(4u, images.size());
    for (size_t i = 0; i < images.size(); ++i)
    {
        EXPECT_FALSE(images[i].bytes.empty());
        EXPECT_EQ(static_cast<int>(i % 2) + 1, images[i].info.imageSide.value);
        EXPECT_EQ(static_cast<LONG>(i / 2 + 1), Tag(images[i], 202));
    }
}

TEST_F(TWAINScannerTest, FileTransferWritesWhereTheObserverSays)
{
    Open(SampleProfile(2), TWSX_FILE);
    AcquireAll();
    const std::vector<QX_SCANNER_IMAGEFILE_END_INFO> files = m_recorder.Files();
    ASSERT_EQ(4u, files.size());
    for (size_t i = 0; i < files.size(); ++i)
    {
        const std::string path = m_folder.Path() + "/image_" + std::to_string(i) + ".tif";
        EXPECT_EQ(std::wstring(path.begin(), path.end()), files[i].strFileName);
        EXPECT_TRUE(std::ifstream(path).good()) << path;
    }
    EXPECT_TRUE(m_recorder.Images().empty());
}

TEST_F(TWAINScannerTest, APaperJamStopsDeliveryForTheRestOfTheSession)
{
    Open(SampleProfile(4, "[Faults]\nPaperJam = 2\n"));
    AcquireAll();
    const std::vector<int> errors = m_recorder.Errors();
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ(QX_SCANNER_ERROR_PAPERJAM, errors[0]);
    // Only the first sheet's images; none after the error.
    const std::vector<std::string> events = m_recorder.Events();
    EXPECT_EQ((std::vector<std::string>{"begin", "image", "image", "error", "end"}), events);
}

TEST_F(TWAINScannerTest, SessionRecordsCarryTheSerialNumberAndImagesPerSheet)
{
    Open(SampleProfile(1));
    AcquireAll();
    const std::vector<QX_SCANNER_SESSION_BEGIN_INFO> begins = m_recorder.Begins();
    ASSERT_EQ(1u, begins.size());
    EXPECT_EQ(L"ZKV-PD-000123", begins[0].strSerialNumber);
    EXPECT_EQ(1, begins[0].nImagesPerSheet);
    EXPECT_FALSE(begins[0].bImageAddress);
    ASSERT_EQ(1u, m_recorder.Ends().size());
    EXPECT_EQ(0, m_recorder.Ends()[0].nNextCounter); // no imprinter
}

namespace
{
// One sheet a pass, front only: the operator puts a sheet in for every pass.
std::string RepeatProfile()
{
    return WithCurrent(SampleProfile(1, "[Device]\nReload = 1\n"), "Cap.CAP_DUPLEXENABLED", "0");
}
} // namespace

TEST_F(TWAINScannerTest, RepeatModeStopsWhenThePageLimitIsReached)
{
    Open(RepeatProfile());
    ASSERT_TRUE(m_scanner.SetTagValue(7, 1));
    ASSERT_TRUE(m_scanner.Acquire(nullptr, 3));
    ASSERT_TRUE(m_recorder.WaitForSessionEnds(1));
    EXPECT_EQ((std::vector<std::string>{"begin", "image", "image", "image", "end"}),
              m_recorder.Events());
    const std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    for (size_t i = 0; i < images.size(); ++i)
        EXPECT_EQ(static_cast<LONG>(i + 1), Tag(images[i], 203))
            << "pages are numbered across passes";
    EXPECT_TRUE(m_recorder.Errors().empty());
    EXPECT_FALSE(m_scanner.IsAcquiring());
}

TEST_F(TWAINScannerTest, RepeatModeWithoutALimitRunsUntilCancel)
{
    Open(RepeatProfile());
    ASSERT_TRUE(m_scanner.SetTagValue(7, 1));
    ASSERT_TRUE(m_scanner.Acquire(nullptr, -1));
    for (int i = 0; i < 10000 && m_recorder.images < 4; ++i)
        ZKSleep(1);
    ASSERT_GE(m_recorder.images.load(), 4);
    EXPECT_TRUE(m_scanner.IsAcquiring());
    m_scanner.CancelAcquire(TRUE);
    EXPECT_FALSE(m_scanner.IsAcquiring());
    EXPECT_EQ(1, m_recorder.sessionEnds.load());
    const std::vector<std::string> events = m_recorder.Events();
    EXPECT_EQ("begin", events.front());
    EXPECT_EQ("end", events.back());
    EXPECT_EQ(1, std::count(events.begin(), events.end(), "begin"));
}

TEST_F(TWAINScannerTest, CancelEndsThePauseBetweenPassesEarly)
{
    Open(RepeatProfile());
    ASSERT_TRUE(m_scanner.SetTagValue(7, 1));
    ASSERT_TRUE(m_scanner.SetTagValue(8, 30000)); // far beyond any test's run time
    int pause = 0;
    ASSERT_TRUE(m_scanner.GetTagValue(8, pause));
    EXPECT_EQ(30000, pause);
    ASSERT_TRUE(m_scanner.Acquire(nullptr, -1));
    for (int i = 0; i < 10000 && m_recorder.images < 1; ++i)
        ZKSleep(1);
    ASSERT_EQ(1, m_recorder.images.load());
    m_scanner.CancelAcquire(TRUE);
    // Returning at all shows the pause was cut short: the next pass would
    // only start after 30 s.
    EXPECT_EQ(1, m_recorder.sessionEnds.load());
    EXPECT_EQ(1, m_recorder.images.load());
}

TEST_F(TWAINScannerTest, EverySegmentOfALongPageCarriesTheFirstSegmentsImprint)
{
    const std::string header =
        "[ExtInfo.HDR_PRINTERSTRING]\nId = 0x8015\nType = STR255\nValue = IMPRINT {segment}\n"
        "[ExtInfo.HDR_PRINTERINDEX]\nId = 0x8016\nType = UINT32\nValue = {segment}00\n"
        "[ExtInfo.HDR_LONGPAPERSEGMENT]\nId = 0x8035\nType = UINT32\nValue = {segment}\n";
    std::string profile = WithCurrent(SampleProfile(2, header), "Cap.CAP_DUPLEXENABLED", "0");
    profile.replace(profile.find("PageDelay = 0"), 13, "PageDelay = 0\nLongPaper = 1 3");
    Open(profile);
    AcquireAll();
    const std::vector<RECORDED_SCANNER_IMAGE> images = m_recorder.Images();
    ASSERT_EQ(4u, images.size());
    std::wstring imprint;
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(100, Tag(images[i], 300)) << "segment " << i + 1;
        ASSERT_TRUE(images[i].tags.GetValue(301, imprint));
        EXPECT_EQ(L"IMPRINT 1", imprint);
    }
    // The next sheet is a page of its own again.
    EXPECT_EQ(100, Tag(images[3], 300));
    EXPECT_TRUE(m_recorder.Errors().empty());
}
