// The SANE bridge end to end: the scanner facade drives SANE's test backend
// through the source manager and the bridge, and every page is compared
// with what libsane itself delivers for the same settings.
#include "common/DeferredReaderCancel.h"
#include "common/SaneReferenceScan.h"
#include "common/SaneTestSystem.h"
#include "common/ScannerRecorder.h"

#include <mirelight/QXScanner.h>

#include <twaindefs/ZKTwainConstants.h>
#include <wincompat/ZKThread.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>

namespace
{
const wchar_t* const kScanner = L"frontend-tester";
const char kColourPattern[] = "test-picture \"Color pattern\"";

uint32_t ReadU32(const std::vector<BYTE>& bytes, size_t at)
{
    uint32_t value = 0;
    if (at + 4 <= bytes.size())
        std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

// The delivered image's rows (4-byte aligned, colour as blue, green, red;
// a native image as a bottom-up DIB) as SANE's rows (packed, colour as red,
// green, blue, bitonal 1 = black).
std::vector<uint8_t> AsSaneRows(const RECORDED_SCANNER_IMAGE& image)
{
    const int width = image.info.ImageWidth;
    const int height = image.info.ImageLength;
    const int bits = image.info.BitsPerPixel;
    const size_t stride = (size_t(width) * bits + 31) / 32 * 4;
    const size_t rowBytes = (size_t(width) * bits + 7) / 8;
    const bool dib = ReadU32(image.bytes, 0) == 40 && ReadU32(image.bytes, 4) == uint32_t(width);
    const uint32_t colours = dib ? ReadU32(image.bytes, 32) : 0;
    const size_t pixelsAt = dib ? 40 + colours * 4 : 0;
    std::vector<uint8_t> rows;
    for (int y = 0; y < height && pixelsAt + (y + 1) * stride <= image.bytes.size(); ++y)
    {
        const uint8_t* row = image.bytes.data() + pixelsAt + (dib ? height - 1 - y : y) * stride;
        for (size_t i = 0; i < rowBytes; ++i)
        {
            if (bits == 24)
                rows.push_back(row[i - i % 3 + 2 - i % 3]);
            else
                rows.push_back(bits == 1 ? uint8_t(~row[i]) : row[i]);
        }
    }
    CSaneReferenceScan::ClearBitsPastRowEnd(rows, rowBytes, size_t(width) * bits);
    return rows;
}


class SaneScannerTest : public ::testing::Test
{
protected:
    // The test backend's settings, and the reference page they give.
    void Use(const std::vector<std::string>& options)
    {
        m_system = std::make_unique<CSaneTestSystem>(options);
        m_reference = CSaneReferenceScan::Scan();
    }

    void Open(WORD transferMode = TWSX_MEMORY)
    {
        m_scanner.SetObserver(&m_recorder);
        m_scanner.Initialize();
        ASSERT_TRUE(m_scanner.SetTagValue(14, static_cast<int>(transferMode)));
        ASSERT_TRUE(m_scanner.Open(kScanner, QX_SCANNER_PROTOCOL_TWAIN));
    }

    void AcquireAll(int count = -1)
    {
        ASSERT_TRUE(m_scanner.Acquire(nullptr, count));
        ASSERT_TRUE(m_recorder.WaitForSessionEnds(1));
    }

    void ExpectReferencePixels(const RECORDED_SCANNER_IMAGE& image)
    {
        ASSERT_FALSE(m_reference.empty()) << "SANE's test backend gave no page";
        const SANE_Parameters& p = m_reference.front().parameters;
        EXPECT_EQ(p.pixels_per_line, image.info.ImageWidth);
        EXPECT_EQ(p.lines, image.info.ImageLength);
        EXPECT_EQ(CSaneReferenceScan::PixelRows(m_reference.front()), AsSaneRows(image));
    }

    void TearDown() override
    {
        m_scanner.Close();
        m_scanner.Uninitialize();
    }

    std::unique_ptr<CSaneTestSystem> m_system;
    std::vector<SANE_REFERENCE_PAGE> m_reference;
    CScannerRecorder m_recorder;
    CQXScanner m_scanner;
};
} // namespace

TEST_F(SaneScannerTest, ListsTheSaneDeviceAsATwainSource)
{
    Use({});
    Open();
    std::vector<QX_SCANNER_NAMELIST_ITEM> list;
    ASSERT_TRUE(m_scanner.QueryAvailableScanners(list));
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(kScanner, list[0].name);
    EXPECT_EQ(QX_SCANNER_PROTOCOL_TWAIN, list[0].protocol);
}

TEST_F(SaneScannerTest, GreyPageArrivesWithTheBackendsGeometryAndPattern)
{
    Use({"mode Gray", "depth 8", kColourPattern, "resolution 75"});
    Open();
    AcquireAll(1);
    const auto images = m_recorder.Images();
    ASSERT_EQ(1u, images.size());
    EXPECT_EQ(8, images[0].info.BitsPerPixel);
    EXPECT_DOUBLE_EQ(75, images[0].info.XResolution);
    ExpectReferencePixels(images[0]);
    EXPECT_TRUE(m_recorder.Errors().empty());
}

TEST_F(SaneScannerTest, ColourPageKeepsItsChannels)
{
    Use({"mode Color", "depth 8", kColourPattern, "resolution 60"});
    Open();
    AcquireAll(1);
    const auto images = m_recorder.Images();
    ASSERT_EQ(1u, images.size());
    EXPECT_EQ(24, images[0].info.BitsPerPixel);
    ExpectReferencePixels(images[0]);
}

TEST_F(SaneScannerTest, LineartPageIsBitonal)
{
    Use({"mode Gray", "depth 1", "test-picture \"Grid\"", "resolution 100"});
    Open();
    AcquireAll(1);
    const auto images = m_recorder.Images();
    ASSERT_EQ(1u, images.size());
    EXPECT_EQ(1, images[0].info.BitsPerPixel);
    ExpectReferencePixels(images[0]);
}

TEST_F(SaneScannerTest, NativeTransferCarriesTheSamePixels)
{
    Use({"mode Color", "depth 8", kColourPattern, "resolution 50"});
    Open(TWSX_NATIVE);
    AcquireAll(1);
    const auto images = m_recorder.Images();
    ASSERT_EQ(1u, images.size());
    ExpectReferencePixels(images[0]);
}

TEST_F(SaneScannerTest, ThreePassFramesJoinIntoOneColourPage)
{
    // The single-pass page is the reference; the bridge then reads three frames.
    Use({"mode Color", "depth 8", kColourPattern, "resolution 50"});
    std::ofstream(m_system->ConfigFolder() + "/test.conf", std::ios::app) << "three-pass true\n";
    Open();
    AcquireAll(1);
    const auto images = m_recorder.Images();
    ASSERT_EQ(1u, images.size());
    EXPECT_EQ(24, images[0].info.BitsPerPixel);
    ExpectReferencePixels(images[0]);
}

TEST_F(SaneScannerTest, FeederBatchEndsWhenTheFeederIsEmpty)
{
    Use({"mode Gray", "resolution 25"});
    Open();
    AcquireAll();
    EXPECT_EQ(10u, m_recorder.Images().size()) << "the test backend's feeder holds ten sheets";
    EXPECT_TRUE(m_recorder.Errors().empty()) << "an empty feeder after pages is the end of the batch";
}

TEST_F(SaneScannerTest, BackendReaderThreadsWaitToBeCancelled)
{
    // Without this every run of these tests could hang in the allocator.
    Use({"mode Gray", "resolution 25"});
    EXPECT_GT(ZKSaneDeferredCancellations(), 0) << "the test program does not keep the reader threads deferred";
}

TEST_F(SaneScannerTest, TransferCountLimitsTheFeederBatch)
{
    Use({"mode Gray", "resolution 25"});
    Open();
    AcquireAll(3);
    EXPECT_EQ(3u, m_recorder.Images().size());
}

TEST_F(SaneScannerTest, JamArrivesAsPaperJam)
{
    Use({"mode Gray", "read-status-code \"SANE_STATUS_JAMMED\""});
    Open();
    AcquireAll();
    EXPECT_TRUE(m_recorder.Images().empty());
    EXPECT_EQ(std::vector<int>{QX_SCANNER_ERROR_PAPERJAM}, m_recorder.Errors());
}

TEST_F(SaneScannerTest, CancelMidBatchEndsTheSessionCleanly)
{
    Use({"mode Gray", "resolution 25"});
    Open();
    m_recorder.onImage = [this] {
        if (m_recorder.images == 2)
            m_scanner.CancelAcquire(FALSE);
    };
    AcquireAll();
    const size_t images = m_recorder.Images().size();
    EXPECT_GE(images, 2u);
    EXPECT_LT(images, 10u);
    // The device is free again: a new batch scans.
    m_recorder.onImage = nullptr;
    ASSERT_TRUE(m_scanner.Acquire(nullptr, 1));
    ASSERT_TRUE(m_recorder.WaitForSessionEnds(2));
    EXPECT_EQ(images + 1, m_recorder.Images().size());
}

TEST_F(SaneScannerTest, TheBridgeScansOnlyAFewSheetsAheadOfTheApplication)
{
    // The application dwells on its first image long enough for the device
    // to feed every sheet, then cancels: the sheets fed ahead are lost, and
    // the next batch scans what is left. (The test backend's feeder holds
    // ten sheets and fills again once it has said it is empty.)
    Use({"mode Gray", "resolution 25"});
    Open();
    m_recorder.onImage = [this] {
        if (m_recorder.images == 1)
        {
            ZKSleep(300);
            m_scanner.CancelAcquire(FALSE);
        }
    };
    AcquireAll();
    ASSERT_EQ(1u, m_recorder.Images().size());
    m_recorder.onImage = nullptr;
    ASSERT_TRUE(m_scanner.Acquire(nullptr, -1));
    ASSERT_TRUE(m_recorder.WaitForSessionEnds(2));
    const size_t left = m_recorder.Images().size() - 1;
    EXPECT_GE(left, 6u) << 10 - left << " sheets were fed during the first batch";
    EXPECT_LT(left, 10u) << "the first batch fed every sheet";
    EXPECT_TRUE(m_recorder.Errors().empty());
}
