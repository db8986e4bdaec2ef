// Scan runs end to end against virtual drivers: page delivery, stops,
// flatbed repeats, application refusals, driver faults and bad drivers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <hollin/ZKDebugLog.h>
#include <wincompat/ZKThread.h>

#include "ZKISISFileOutput.h"
#include "ZKSimImageEncoder.h"
#include "ZKSimPageGenerator.h"
#include "common/IsisTestSetup.h"

namespace
{
const char kSmallPage[] = "PageSize = 2 x 3";

class ISISScanSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        manager.SetObserver(&recorder);
        ASSERT_TRUE(manager.Initialize());
    }
    void TearDown() override
    {
        manager.StopRun(1);
        manager.Close();
        manager.Uninitialize();
        SZKDebugLog::Disable();
    }
    // The duplex sample on small pages with the given sheets and extras.
    void OpenDuplex(int sheets, const std::string& driverLines = "", std::map<std::string, std::string> replace = {})
    {
        replace.emplace("PageSize = A4", kSmallPage);
        replace.emplace("Sheets = 5", "Sheets = " + std::to_string(sheets));
        folder.AddDriver("ZKDUPLEX", IsisSampleProfile("ZKDUPLEX", replace, driverLines));
        ASSERT_TRUE(manager.Open(L"ZKDUPLEX"));
    }
    void Run(int pages)
    {
        ASSERT_TRUE(manager.StartRun(pages));
        ASSERT_TRUE(recorder.WaitSessionEnd());
        EXPECT_FALSE(manager.DeviceBusy());
        EXPECT_EQ(CZKISISManager::GetState(), ZKISIS_STATE_DRIVER_OPEN);
    }
    std::vector<int32_t> ErrorIds()
    {
        std::vector<int32_t> ids;
        for (const ZK_ISIS_ERROR& error : recorder.Errors())
            ids.push_back(error.Id);
        return ids;
    }

    CIsisTestFolder folder;
    CIsisRecorder recorder;
    CZKISISManager manager;
};

// The module behind the manager's file output object; reached past the
// class, whose type information the library does not export.
__attribute__((no_sanitize("vptr"))) ZKISIS_MODULE* FileOutputModule(CZKISISManager& manager)
{
    return manager.GetFileOutputHandler()->Module();
}

// The uncompressed rows the virtual driver sends for a bitonal 200 dpi page.
std::vector<BYTE> ExpectedBitonalRows(int sheet, int side)
{
    ZK_SIM_PAGE_FORMAT format;
    format.width = 400;
    format.height = 600;
    CZKBitmapHandle page;
    SZKSimPageGenerator::Generate(format, SZKSimPageGenerator::Seed("ZKDUPLEX.isd", sheet, side, 0), page);
    std::vector<BYTE> rows = SZKSimImageEncoder::Rows(page);
    for (BYTE& byte : rows)
        byte = static_cast<BYTE>(~byte);
    return rows;
}

TEST_F(ISISScanSessionTest, DuplexRunDeliversEveryImageOnceWithItsInfo)
{
    OpenDuplex(3);
    manager.SetCompressionType(ZKISIS_COMPRESSION_NONE);
    Run(-1);
    const std::vector<ZK_TEST_IMAGE> images = recorder.Images();
    ASSERT_EQ(images.size(), 6u);
    for (size_t i = 0; i < images.size(); ++i)
    {
        const ZK_ISIS_IMAGE_INFO& info = images[i].info;
        SCOPED_TRACE(i);
        EXPECT_EQ(info.ImageWidth, 400u);
        EXPECT_EQ(info.ImageLength, 600u);
        EXPECT_EQ(info.SamplesPerPixel, 1);
        EXPECT_EQ(info.BitsPerSample, 1);
        EXPECT_EQ(info.Photometric, 0);
        EXPECT_EQ(info.Compression, 1);
        EXPECT_DOUBLE_EQ(info.XResolution, 200.0);
        EXPECT_EQ(info.Side, static_cast<SHORT>(i % 2));
        EXPECT_EQ(info.PageNumber, i / 2);
        EXPECT_EQ(info.ImageDataSize, images[i].data.size());
        EXPECT_EQ(images[i].data, ExpectedBitonalRows(static_cast<int>(i / 2) + 1, static_cast<int>(i % 2)));
    }
    const std::vector<std::string> events = recorder.Events();
    EXPECT_EQ(events.front(), "begin");
    EXPECT_EQ(events.back(), "session end");
    EXPECT_TRUE(recorder.Errors().empty());
}

TEST_F(ISISScanSessionTest, PageCountLimitsTheRunAndRunsRepeat)
{
    OpenDuplex(5);
    Run(2);
    EXPECT_EQ(recorder.Images().size(), 4u);
    Run(1);
    EXPECT_EQ(recorder.Images().size(), 6u);
    EXPECT_EQ(recorder.Images()[5].info.PageNumber, 0u) << "page numbers count per run";
}

TEST_F(ISISScanSessionTest, MultistreamWithBestCompression)
{
    OpenDuplex(1, "", {{"[Tag.1708]", "[Tag.1708]\nRange = 1, 2, 1\nValue = 2"},
                       {"[Tag.1707]", "[Tag.1707]\nRange = 1, 2, 1\nValue = 2"}});
    Run(-1);
    const std::vector<ZK_TEST_IMAGE> images = recorder.Images();
    ASSERT_EQ(images.size(), 4u);
    // Windows 1, 2 on the front, -1, -2 on the back; 2 and -2 are colour.
    EXPECT_EQ(images[0].info.Compression, 1) << "raw rows of a bitonal window are relabelled";
    EXPECT_EQ(images[1].info.SamplesPerPixel, 3);
    EXPECT_EQ(images[1].info.Compression, 6);
    ASSERT_GE(images[1].data.size(), 2u);
    EXPECT_EQ(images[1].data[0], 0xFF) << "JPEG data";
    EXPECT_EQ(images[1].data[1], 0xD8);
    EXPECT_EQ(images[2].info.Side, 1);
    EXPECT_EQ(images[3].info.PageNumber, 0u);
}

TEST_F(ISISScanSessionTest, StopAtPageBoundaryFinishesThePageUnderWay)
{
    OpenDuplex(5);
    recorder.onImageEnd = [this](size_t ended) {
        if (ended == 3)
            manager.StopRun(0);
    };
    Run(-1);
    EXPECT_EQ(recorder.Images().size(), 4u);
    EXPECT_EQ(recorder.NotAccepted(), 0);
}

TEST_F(ISISScanSessionTest, StopWhileIdleOrWithoutRunIsRefusedOrImmediate)
{
    OpenDuplex(2);
    EXPECT_FALSE(manager.StopRun(1));
    CZKEvent imageEnded;
    CZKEvent release(true, false);
    recorder.onImageEnd = [&](size_t) {
        imageEnded.Set();
        release.Wait(20000);
    };
    ASSERT_TRUE(manager.StartRun(-1));
    ASSERT_EQ(imageEnded.Wait(20000), WAIT_OBJECT_0);
    EXPECT_FALSE(manager.StartRun(-1)) << "a run is in progress";
    EXPECT_TRUE(manager.DeviceBusy());
    release.Set();
    ASSERT_TRUE(recorder.WaitSessionEnd());
    EXPECT_EQ(recorder.Images().size(), 4u);
}

TEST_F(ISISScanSessionTest, FlatbedDelayEndsAtOnceWhenStopped)
{
    folder.AddDriver("ZKFLATBED", IsisSampleProfile("ZKFLATBED", {{"PageSize = LETTER", kSmallPage}}));
    ASSERT_TRUE(manager.Open(L"ZKFLATBED"));
    manager.SetScanMode(ZKISIS_SCAN_REPEATED);
    manager.SetFlabedDelay(600000);
    CZKEvent firstImage;
    recorder.onImageEnd = [&firstImage](size_t) { firstImage.Set(); };
    ASSERT_TRUE(manager.StartRun(3));
    ASSERT_EQ(firstImage.Wait(20000), WAIT_OBJECT_0);
    // Once the first scan is over the run waits out the delay.
    for (int i = 0; i < 20000 && CZKISISManager::GetState() != ZKISIS_STATE_RUN_REQUESTED; ++i)
        ZKSleep(1);
    ASSERT_EQ(CZKISISManager::GetState(), ZKISIS_STATE_RUN_REQUESTED);
    EXPECT_TRUE(manager.StopRun(1));
    EXPECT_FALSE(manager.DeviceBusy()) << "the ten-minute delay was cut short";
    EXPECT_TRUE(recorder.WaitSessionEnd());
    EXPECT_EQ(recorder.Images().size(), 1u);
}

TEST_F(ISISScanSessionTest, FlatbedRunsRepeatUntilThePagesAreScanned)
{
    folder.AddDriver("ZKFLATBED", IsisSampleProfile("ZKFLATBED", {{"PageSize = LETTER", kSmallPage}}));
    ASSERT_TRUE(manager.Open(L"ZKFLATBED"));
    manager.SetScanMode(ZKISIS_SCAN_REPEATED);
    manager.SetFlabedDelay(10);
    Run(3);
    const std::vector<ZK_TEST_IMAGE> images = recorder.Images();
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[2].info.BitsPerSample, 8);
    EXPECT_EQ(images[2].info.PageNumber, 2u);
}

TEST_F(ISISScanSessionTest, RefusedDataStopsTheRunAndDropsTheImage)
{
    std::vector<std::string> lines;
    SZKDebugLog::SetSink([&lines](const std::string& line) { lines.push_back(line); }, 0);
    OpenDuplex(3, "BlockSize = 1000\n");
    recorder.refuseDataOfImage = 1;
    Run(-1);
    EXPECT_EQ(recorder.Images().size(), 1u);
    EXPECT_EQ(recorder.NotAccepted(), 1);
    EXPECT_EQ(ErrorIds(), std::vector<int32_t>{-8001});
    EXPECT_EQ(recorder.Errors()[0].Text, L"customer application out of memory ");
    bool logged = false;
    for (const std::string& line : lines)
        logged |= line.find("discard image data for application error") != std::string::npos;
    EXPECT_TRUE(logged);
    SZKDebugLog::Disable();
}

TEST_F(ISISScanSessionTest, UnknownCompressionIsNotAccepted)
{
    OpenDuplex(1, "", {{"Choices = 1, 4, 6", "Choices = 1, 4, 5, 6"}, {"Value = 4", "Value = 3"}});
    manager.SetCompressionType(ZKISIS_COMPRESSION_PER_WINDOW);
    manager.SetCompression(1, 5);
    Run(-1);
    EXPECT_TRUE(recorder.Images().empty());
    EXPECT_EQ(recorder.NotAccepted(), 1);
}

TEST_F(ISISScanSessionTest, PerWindowCompressionAppliesToBackWindowsToo)
{
    OpenDuplex(1);
    manager.SetCompressionType(ZKISIS_COMPRESSION_PER_WINDOW);
    manager.SetCompression(-1, 4);
    Run(-1);
    const std::vector<ZK_TEST_IMAGE> images = recorder.Images();
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].info.Compression, 1);
    EXPECT_EQ(images[1].info.Compression, 4);
    EXPECT_LT(images[1].data.size(), images[0].data.size());
}

struct FaultCase
{
    const char* fault;
    int32_t error;
};

class ISISScanFaultTest : public ISISScanSessionTest, public ::testing::WithParamInterface<FaultCase>
{
};

TEST_P(ISISScanFaultTest, FaultEndsTheRunReportedOnceKeepingEarlierImages)
{
    OpenDuplex(4, std::string("Fault = ") + GetParam().fault + " 2\n");
    Run(-1);
    EXPECT_EQ(ErrorIds(), std::vector<int32_t>{GetParam().error});
    EXPECT_EQ(recorder.Images().size(), 2u) << "the first sheet's images";
    // The manager stays usable.
    ASSERT_TRUE(manager.Close());
    folder.AddDriver("ZKDUPLEX", IsisSampleProfile("ZKDUPLEX", {{"PageSize = A4", kSmallPage}, {"Sheets = 5", "Sheets = 1"}}));
    ASSERT_TRUE(manager.Open(L"ZKDUPLEX"));
    Run(-1);
    EXPECT_EQ(recorder.Images().size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Faults, ISISScanFaultTest,
                         ::testing::Values(FaultCase{"PaperJam", -4426}, FaultCase{"DoubleFeed", -4619},
                                           FaultCase{"OutOfMemory", -4500}, FaultCase{"Cancel", -4401},
                                           FaultCase{"Throw", -8006}));

TEST_F(ISISScanSessionTest, DataBeyondTheImageIsAnErrorNotAnOverrun)
{
    OpenDuplex(2, "Fault = LongBlock 1\n");
    Run(-1);
    EXPECT_EQ(ErrorIds(), std::vector<int32_t>{-8004});
    EXPECT_TRUE(recorder.Images().empty());
    EXPECT_EQ(recorder.NotAccepted(), 2) << "both images of the failing sheet, then the run ends";
}

TEST_F(ISISScanSessionTest, ImageEndWithoutBeginIsAnError)
{
    OpenDuplex(2, "Fault = EndWithoutBegin 1\n");
    Run(-1);
    EXPECT_EQ(ErrorIds(), std::vector<int32_t>{-8005});
    EXPECT_TRUE(recorder.Images().empty());
}

TEST_F(ISISScanSessionTest, FileTransferNamesEachFileAndSetsItsFormat)
{
    namespace fs = std::filesystem;
    recorder.fileFolder = folder.Path();
    recorder.fileFormat = 4;
    manager.SetTransferType(ZKISIS_TRANSFER_FILE);
    manager.SetCompressionType(ZKISIS_COMPRESSION_NONE);
    OpenDuplex(1);
    Run(-1);
    ASSERT_EQ(recorder.Images().size(), 2u);
    EXPECT_EQ(fs::file_size(folder.Path() + "/image1.bin"), 50u * 600u);
    EXPECT_EQ(fs::file_size(folder.Path() + "/image2.bin"), 50u * 600u);
    ZKISIS_MODULE* fileOutput = FileOutputModule(manager);
    ZKISIS_VALUE format = {};
    ASSERT_EQ(fileOutput->proc(fileOutput, ZKISIS_MSG_GET_LONG, ZKISIS_TAG_FILE_FORMAT, &format), ZKISIS_OK);
    EXPECT_EQ(format.longValue, 0xB0000);
}

TEST_F(ISISScanSessionTest, ScanAheadModeIsReadWhenAScanStarts)
{
    OpenDuplex(1);
    EXPECT_FALSE(manager.ScanAheadMode());
    Run(-1);
    EXPECT_TRUE(manager.ScanAheadMode()) << "tag 1283 has 0x200000";
}

TEST_F(ISISScanSessionTest, OptionFileDriversTakeTheCompressionOfTheWindows)
{
    const std::string options = folder.Path() + "/ISISOption.cfg";
    std::ofstream(options) << "[General]\nCompressionOptionDriver = other; zkduplex\n";
    OpenDuplex(1);
    manager.SetCompressionType(ZKISIS_COMPRESSION_PER_WINDOW);
    manager.SetCompression(1, 4);
    Run(-1);
    setenv("ZK_ISIS_OPTION_FILE", options.c_str(), 1);
    Run(-1);
    unsetenv("ZK_ISIS_OPTION_FILE");
    const std::vector<ZK_TEST_IMAGE> images = recorder.Images();
    ASSERT_EQ(images.size(), 4u);
    EXPECT_EQ(images[0].info.Compression, 4);
    EXPECT_EQ(images[1].info.Compression, 1) << "the back window is uncompressed";
    EXPECT_EQ(images[3].info.Compression, 4) << "listed: one G4 window makes every bitonal image G4";
}

TEST_F(ISISScanSessionTest, AStallingDriverNeverBlocksAStopAndEndsCleanly)
{
    OpenDuplex(3, "Fault = Stall 2\nStallMs = 1500\n");
    CZKEvent firstSheet;
    recorder.onImageEnd = [&firstSheet](size_t ended) {
        if (ended == 2)
            firstSheet.Set();
    };
    ASSERT_TRUE(manager.StartRun(-1));
    ASSERT_EQ(firstSheet.Wait(20000), WAIT_OBJECT_0);
    // Feeding the stalled sheet the stop takes effect at its end (4 images);
    // caught between sheets it ends the run at once (2 images). Either way
    // whole sheets only, and the third is never fed.
    EXPECT_TRUE(manager.StopRun(1));
    EXPECT_TRUE(manager.Uninitialize());
    EXPECT_EQ(recorder.Events().back(), "session end");
    const size_t images = recorder.Images().size();
    EXPECT_TRUE(images == 2u || images == 4u) << images;
    EXPECT_TRUE(recorder.Errors().empty());
}

TEST_F(ISISScanSessionTest, UninitializeDuringARunEndsTheSessionCleanly)
{
    // The second sheet stalls, so the run is still going when Uninitialize
    // comes, however late the test thread hears of the first image.
    OpenDuplex(50, "Fault = Stall 2\nStallMs = 1000\n");
    CZKEvent firstImage;
    recorder.onImageEnd = [&firstImage](size_t) { firstImage.Set(); };
    ASSERT_TRUE(manager.StartRun(-1));
    ASSERT_EQ(firstImage.Wait(20000), WAIT_OBJECT_0);
    EXPECT_TRUE(manager.Uninitialize());
    EXPECT_EQ(recorder.Events().back(), "session end");
    EXPECT_LT(recorder.Images().size(), 100u);
    EXPECT_FALSE(manager.StartRun(1)) << "no session after Uninitialize";
}
} // namespace
