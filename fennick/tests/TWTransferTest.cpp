// Acquisitions end to end against the simulated source: every transfer mode
// delivers each image once, complete and in order; cancels and device faults
// end the batch cleanly and are reported once.
#include "common/TwainTestSetup.h"

#include <fennick/ZKTWExtraImageInfo.h>

#include <ZKSimPageGenerator.h>

#include <wincompat/ZKGlobalMemory.h>
#include <wincompat/ZKThread.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

namespace
{
const char* const kProduct = "ZK Virtual Production Duplex";
constexpr int kSheets = 3;

bool WaitFor(const std::function<bool()>& condition)
{
    for (int i = 0; i < 10000 && !condition(); ++i)
        ZKSleep(1);
    return condition();
}

struct RECEIVED_IMAGE
{
    std::vector<BYTE> bytes; // memory: the strips joined; native: the DIB
    std::vector<DWORD> stripOffsets;
    ZKTWIMAGEINFO info;
    std::unique_ptr<CZKTWExtraImageInfo> extra;
    std::string file;
};

// Records the images and the order of the acquisition events.
class CImageCollector : public CRecordingObserver
{
public:
    void OnAcquireBegin() override
    {
        CRecordingObserver::OnAcquireBegin();
        if (onBegin)
            onBegin();
    }
    void OnAcquireEnd(BOOL cancelled) override
    {
        endedCancelled = cancelled;
        endedAfterImages = Images();
        CRecordingObserver::OnAcquireEnd(cancelled);
    }
    void OnCreateExtraImageInfo(CZKTWExtraImageInfo*& info) override { info = new CZKTWExtraImageInfo; }
    void OnDeviceEvent(TW_DEVICEEVENT* event) override
    {
        lastDeviceEvent = event->Event;
        CRecordingObserver::OnDeviceEvent(event);
    }
    void OnNativeImage(HGLOBAL dib, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra) override
    {
        RECEIVED_IMAGE image;
        if (const BYTE* data = static_cast<const BYTE*>(CZKGlobalMemory::Lock(dib)))
        {
            image.bytes.assign(data, data + CZKGlobalMemory::Size(dib));
            CZKGlobalMemory::Unlock(dib);
        }
        CZKGlobalMemory::Free(dib);
        _Finish(std::move(image), info, extra);
    }
    void OnSetupFileTransfer(TW_SETUPFILEXFER* setup) override
    {
        std::snprintf(setup->FileName, sizeof(setup->FileName), "%s/image_%d.tif", folder.c_str(), Images());
        setup->Format = TWFF_TIFF;
    }
    void OnFileTransferred(TW_SETUPFILEXFER* setup) override
    {
        RECEIVED_IMAGE image;
        image.file = setup->FileName;
        _Finish(std::move(image), nullptr, nullptr);
    }
    // With placeStrips, strips go straight into the image being received,
    // StripLength bytes at a time; every refuseEvery-th block offered is too
    // small, so that strip comes through the manager's buffer.
    BOOL OnGetStripDestination(ZKTW_STRIP_DESTINATION& destination) override
    {
        if (!placeStrips)
            return FALSE;
        ++m_offered;
        const bool refused = refuseEvery && m_offered % refuseEvery == 0;
        m_current.bytes.resize(static_cast<size_t>(destination.ByteOffset) + destination.StripLength);
        destination.Memory = m_current.bytes.data() + destination.ByteOffset;
        destination.Length = refused ? destination.MinimumLength - 1 : destination.StripLength;
        return TRUE;
    }
    void OnMemoryBlockInPlace(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info,
                              CZKTWExtraImageInfo* extra) override
    {
        ++placedStrips;
        m_received += block->BytesWritten;
        _AfterStrip(*block, last, info, extra);
    }
    void OnMemoryBlock(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra) override
    {
        ++copiedStrips;
        const BYTE* data = static_cast<const BYTE*>(block->Memory.TheMem);
        m_current.bytes.resize(m_received);
        m_current.bytes.insert(m_current.bytes.end(), data, data + block->BytesWritten);
        m_received += block->BytesWritten;
        _AfterStrip(*block, last, info, extra);
    }

    int Images()
    {
        std::lock_guard<std::mutex> guard(m_imagesLock);
        return static_cast<int>(images.size());
    }

    std::string folder;
    std::function<void()> onBegin;
    std::function<void()> onStrip;
    std::vector<RECEIVED_IMAGE> images;
    std::atomic<int> ownershipViolations{0};
    std::atomic<BOOL> endedCancelled{FALSE};
    std::atomic<int> endedAfterImages{-1};
    std::atomic<int> lastDeviceEvent{-1};

    bool placeStrips = false;
    int refuseEvery = 0;
    std::atomic<int> placedStrips{0};
    std::atomic<int> copiedStrips{0};

private:
    void _AfterStrip(const TW_IMAGEMEMXFER& block, BOOL last, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra)
    {
        const DWORD firstRow = block.YOffset; // the record is packed
        m_current.stripOffsets.push_back(firstRow);
        if (onStrip)
            onStrip();
        if (!last)
        {
            if (info || extra)
                ++ownershipViolations;
            return;
        }
        m_current.bytes.resize(m_received);
        _Finish(std::move(m_current), info, extra);
        m_current = RECEIVED_IMAGE{};
        m_received = 0;
    }

    void _Finish(RECEIVED_IMAGE&& image, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra)
    {
        std::unique_ptr<ZKTWIMAGEINFO> owned(info);
        if (info)
            image.info = *info;
        image.extra.reset(extra);
        std::lock_guard<std::mutex> guard(m_imagesLock);
        images.push_back(std::move(image));
    }

    std::mutex m_imagesLock;
    RECEIVED_IMAGE m_current;
    size_t m_received = 0;
    int m_offered = 0;
};

std::string SampleWithSheets(int sheets)
{
    std::ifstream in(std::string(ZK_FENNICK_SIM_PROFILES) + "/production_duplex.profile", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string profile = text.str();
    const std::string from = "Sheets = 10";
    profile.replace(profile.find(from), from.size(), "Sheets = " + std::to_string(sheets));
    return profile;
}

class TWTransferTest : public ::testing::Test
{
protected:
    void Start(WORD mode, const std::string& faults = "", const std::string& deviceLines = "")
    {
        std::string profile = SampleWithSheets(kSheets);
        profile.replace(profile.find("[Device]"), 8, "[Device]\n" + deviceLines);
        m_folder.AddProfile("e2e", profile + "\n[Faults]\n" + faults + "\n");
        m_observer.folder = m_folder.Path();
        RegisterTestApp(m_manager);
        m_manager.SetObserver(&m_observer);
        m_manager.SetTransferMode(mode);
        ASSERT_TRUE(m_manager.Open());
        TW_IDENTITY source{};
        ASSERT_TRUE(FindSource(m_manager, kProduct, source));
        ASSERT_TRUE(m_manager.OpenSource(source));
    }
    void AcquireAll()
    {
        ASSERT_TRUE(m_manager.Acquire(nullptr, -1, FALSE));
        EXPECT_EQ(1, m_observer.acquireBegins.load());
        WaitForEnd();
    }
    void WaitForEnd()
    {
        ASSERT_TRUE(WaitFor([&] { return m_observer.acquireEnds.load() >= 1; }));
        EXPECT_TRUE(WaitFor([&] { return m_manager.GetState() == ZKTW_STATE_SOURCE_OPEN; }));
        EXPECT_EQ(1, m_observer.acquireEnds.load());
        // Nothing arrives after the end.
        EXPECT_EQ(m_observer.endedAfterImages.load(), m_observer.Images());
    }
    void TearDown() override
    {
        if (m_manager.IsSourceOpen())
            m_manager.CloseSource();
        m_manager.Close();
    }
    // Sheet and side of the n-th image (from 0) of a duplex batch.
    static unsigned SheetOf(size_t n) { return static_cast<unsigned>(n / 2 + 1); }

    void ExpectExtraInfoInOrder(size_t firstImage = 0)
    {
        for (size_t i = firstImage; i < m_observer.images.size(); ++i)
        {
            const CZKTWExtraImageInfo* extra = m_observer.images[i].extra.get();
            ASSERT_NE(nullptr, extra);
            unsigned document = 0, page = 0;
            WORD flavor = 0;
            std::wstring camera;
            EXPECT_TRUE(extra->GetDocumentNumber(document));
            EXPECT_EQ(SheetOf(i), document);
            EXPECT_TRUE(extra->GetPageNumber(page));
            EXPECT_EQ(i + 1, page);
            EXPECT_TRUE(extra->GetPixelFlavor(flavor));
            EXPECT_EQ(TWPF_CHOCOLATE, flavor);
            EXPECT_TRUE(extra->GetCamera(camera));
            EXPECT_EQ(i % 2 ? L"/Camera_Bitonal_Bottom" : L"/Camera_Bitonal_Top", camera);
        }
    }

    CTestSystemFolder m_folder{std::vector<std::string>{}};
    CImageCollector m_observer;
    CZKTWSourceManager m_manager;
};

// The page the source generated for the n-th image, as unpadded 1-bit rows.
std::vector<BYTE> ExpectedBitonalRows(size_t n, const ZKTWIMAGEINFO& info)
{
    ZK_SIM_PAGE_FORMAT format;
    format.width = info.ImageWidth;
    format.height = info.ImageLength;
    format.bitsPerPixel = 1;
    format.xDpi = static_cast<LONG>(info.XResolution);
    format.yDpi = static_cast<LONG>(info.YResolution);
    CZKBitmapHandle page;
    if (!SZKSimPageGenerator::Generate(format, SZKSimPageGenerator::Seed(kProduct, static_cast<int>(n / 2 + 1),
                                                                         static_cast<int>(n % 2), 0),
                                       page))
        return {};
    const size_t rowBytes = (static_cast<size_t>(info.ImageWidth) + 7) / 8;
    std::vector<BYTE> rows;
    for (LONG y = 0; y < info.ImageLength; ++y)
    {
        const BYTE* row = page.GetPtr() + static_cast<size_t>(y) * page.GetBytesPerLine();
        rows.insert(rows.end(), row, row + rowBytes);
    }
    return rows;
}

// The rows of a packed 1-bit DIB, top-down and unpadded, with 0 for black
// whichever palette entry the DIB uses for it.
std::vector<BYTE> BitonalRowsOfDib(const std::vector<BYTE>& dib)
{
    if (dib.size() < 48)
        return {};
    int32_t width = 0, height = 0;
    uint16_t bits = 0;
    std::memcpy(&width, dib.data() + 4, 4);
    std::memcpy(&height, dib.data() + 8, 4);
    std::memcpy(&bits, dib.data() + 14, 2);
    const size_t stride = (static_cast<size_t>(width) + 31) / 32 * 4;
    const size_t rows = static_cast<size_t>(height < 0 ? -height : height);
    if (bits != 1 || dib.size() < 48 + stride * rows)
        return {};
    const bool zeroIsBlack = dib[40] < 128; // blue of palette entry 0
    const size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
    std::vector<BYTE> out;
    for (size_t y = 0; y < rows; ++y)
    {
        const BYTE* row = dib.data() + 48 + (height > 0 ? rows - 1 - y : y) * stride;
        for (size_t x = 0; x < rowBytes; ++x)
            out.push_back(static_cast<BYTE>(zeroIsBlack ? row[x] : ~row[x]));
        if (width % 8) // bits past the last pixel are 0, as the generated rows have them
            out.back() = static_cast<BYTE>(out.back() & (0xFF << (8 - width % 8)));
    }
    return out;
}
} // namespace

TEST_F(TWTransferTest, MemoryStripsReassembleToTheGeneratedPages)
{
    Start(TWSX_MEMORY);
    AcquireAll();
    ASSERT_EQ(2u * kSheets, m_observer.images.size());
    EXPECT_FALSE(m_observer.endedCancelled.load());
    EXPECT_TRUE(m_observer.Errors().empty());
    EXPECT_EQ(0, m_observer.ownershipViolations.load());
    for (size_t i = 0; i < m_observer.images.size(); ++i)
    {
        const RECEIVED_IMAGE& image = m_observer.images[i];
        EXPECT_EQ(200.0, image.info.XResolution);
        EXPECT_EQ(TWPT_BW, image.info.PixelType);
        const size_t rowBytes = (static_cast<size_t>(image.info.ImageWidth) + 7) / 8;
        EXPECT_EQ(rowBytes, image.info.BytesPerRow);
        EXPECT_GT(image.stripOffsets.size(), 1u);
        EXPECT_EQ(0u, image.stripOffsets.front());
        EXPECT_EQ(ExpectedBitonalRows(i, image.info), image.bytes) << "image " << i;
    }
    ExpectExtraInfoInOrder();
}

TEST_F(TWTransferTest, StripsPlacedInTheObserversImageAreTheGeneratedPagesToo)
{
    // Every third block refused: placed and copied strips mix in one image.
    m_observer.placeStrips = true;
    m_observer.refuseEvery = 3;
    Start(TWSX_MEMORY);
    AcquireAll();
    ASSERT_EQ(2u * kSheets, m_observer.images.size());
    EXPECT_TRUE(m_observer.Errors().empty());
    EXPECT_EQ(0, m_observer.ownershipViolations.load());
    EXPECT_GT(m_observer.placedStrips.load(), m_observer.copiedStrips.load());
    EXPECT_GT(m_observer.copiedStrips.load(), 0);
    for (size_t i = 0; i < m_observer.images.size(); ++i)
    {
        const RECEIVED_IMAGE& image = m_observer.images[i];
        EXPECT_EQ((static_cast<size_t>(image.info.ImageWidth) + 7) / 8, image.info.BytesPerRow);
        EXPECT_EQ(0u, image.stripOffsets.front());
        EXPECT_EQ(ExpectedBitonalRows(i, image.info), image.bytes) << "image " << i;
    }
    ExpectExtraInfoInOrder();
}

TEST_F(TWTransferTest, NativeImagesArriveInOrderAsGlobalDibs)
{
    Start(TWSX_NATIVE);
    AcquireAll();
    ASSERT_EQ(2u * kSheets, m_observer.images.size());
    EXPECT_TRUE(m_observer.Errors().empty());
    for (const RECEIVED_IMAGE& image : m_observer.images)
    {
        ASSERT_GE(image.bytes.size(), 40u);
        int32_t width = 0, height = 0;
        std::memcpy(&width, image.bytes.data() + 4, 4);
        std::memcpy(&height, image.bytes.data() + 8, 4);
        EXPECT_EQ(image.info.ImageWidth, width);
        EXPECT_EQ(image.info.ImageLength, height < 0 ? -height : height);
        const size_t stride = (static_cast<size_t>(width) + 31) / 32 * 4;
        EXPECT_EQ(40u + 2 * 4 + stride * image.info.ImageLength, image.bytes.size());
    }
    ExpectExtraInfoInOrder();
}

// A native image is a packed DIB for the observer whether the source hands
// over a DIB or a TIFF file (uncompressed or Group 4).
class TWNativeFormatTest : public TWTransferTest, public ::testing::WithParamInterface<std::pair<const char*, WORD>>
{
};

TEST_P(TWNativeFormatTest, NativeImagesAreDibsOfTheGeneratedPages)
{
    Start(TWSX_NATIVE, "", std::string("NativeFormat = ") + GetParam().first);
    const WORD compression = GetParam().second;
    ASSERT_EQ(ZKTW_CAP_SUCCESS, m_manager.SetCapOnevalue(ICAP_COMPRESSION, TWTY_UINT16, &compression));
    AcquireAll();
    ASSERT_EQ(2u * kSheets, m_observer.images.size());
    EXPECT_TRUE(m_observer.Errors().empty());
    for (size_t i = 0; i < m_observer.images.size(); ++i)
    {
        const RECEIVED_IMAGE& image = m_observer.images[i];
        const std::vector<BYTE> expected = ExpectedBitonalRows(i, image.info);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(expected, BitonalRowsOfDib(image.bytes)) << "image " << i;
    }
    ExpectExtraInfoInOrder();
}

INSTANTIATE_TEST_SUITE_P(Formats, TWNativeFormatTest,
                         ::testing::Values(std::make_pair("DIB", WORD(TWCP_NONE)), std::make_pair("TIFF", WORD(TWCP_NONE)),
                                           std::make_pair("TIFF", WORD(TWCP_GROUP4))));

// A native image that cannot be read is reported and skipped, never handed
// over as an empty success; the batch goes on.
class TWDamagedNativeTest : public TWTransferTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(TWDamagedNativeTest, UnreadableImagesAreErrorsAndTheBatchGoesOn)
{
    Start(TWSX_NATIVE, "DamagedNative = 2", std::string("NativeFormat = ") + GetParam());
    AcquireAll();
    ASSERT_EQ(2u * kSheets - 2, m_observer.images.size());
    for (size_t i = 0; i < m_observer.images.size(); ++i)
    {
        const size_t generated = i < 2 ? i : i + 2; // both sides of sheet 2 are lost
        EXPECT_EQ(ExpectedBitonalRows(generated, m_observer.images[i].info),
                  BitonalRowsOfDib(m_observer.images[i].bytes));
    }
    const std::vector<RECORDED_ERROR> errors = m_observer.Errors();
    ASSERT_EQ(2u, errors.size());
    for (const RECORDED_ERROR& error : errors)
    {
        EXPECT_EQ(DAT_IMAGENATIVEXFER, error.DAT);
        EXPECT_EQ(TWRC_FAILURE, error.rc);
    }
    EXPECT_FALSE(m_observer.endedCancelled.load());
}

INSTANTIATE_TEST_SUITE_P(Formats, TWDamagedNativeTest, ::testing::Values("DIB", "TIFF"));

TEST_F(TWTransferTest, FilesAreWrittenWhereTheObserverSays)
{
    Start(TWSX_FILE);
    AcquireAll();
    ASSERT_EQ(2u * kSheets, m_observer.images.size());
    EXPECT_TRUE(m_observer.Errors().empty());
    for (size_t i = 0; i < m_observer.images.size(); ++i)
    {
        EXPECT_EQ(m_folder.Path() + "/image_" + std::to_string(i) + ".tif", m_observer.images[i].file);
        std::ifstream file(m_observer.images[i].file, std::ios::binary | std::ios::ate);
        EXPECT_GT(static_cast<long>(file.tellg()), 0) << m_observer.images[i].file;
        EXPECT_EQ(nullptr, m_observer.images[i].extra);
    }
}

TEST_F(TWTransferTest, CancelDuringATransferEndsAfterThatImage)
{
    Start(TWSX_MEMORY);
    m_observer.onStrip = [this] {
        if (m_observer.Images() == 0)
            m_manager.CancelAcquire(FALSE);
    };
    AcquireAll();
    EXPECT_EQ(1u, m_observer.images.size());
    EXPECT_TRUE(m_observer.endedCancelled.load());
    EXPECT_TRUE(m_observer.Errors().empty());
    if (!m_observer.images.empty())
    {
        EXPECT_EQ(ExpectedBitonalRows(0, m_observer.images[0].info), m_observer.images[0].bytes);
    }
}

TEST_F(TWTransferTest, CancelBeforeTheFirstImageEndsCleanly)
{
    Start(TWSX_MEMORY);
    // No image is transferred before the begin has been told, so a cancel
    // made there (waiting, which must not wait on itself) comes first.
    m_observer.onBegin = [this] { m_manager.CancelAcquire(TRUE); };
    ASSERT_TRUE(m_manager.Acquire(nullptr, -1, FALSE));
    WaitForEnd();
    EXPECT_TRUE(m_observer.endedCancelled.load());
    EXPECT_TRUE(m_observer.Errors().empty());
    // The feeder stops after the sheet under way at most.
    EXPECT_LE(m_observer.images.size(), 2u);
    for (size_t i = 0; i < m_observer.images.size(); ++i)
        EXPECT_EQ(ExpectedBitonalRows(i, m_observer.images[i].info), m_observer.images[i].bytes);
}

TEST_F(TWTransferTest, CancelRightAfterAcquireWaitsForTheSourceToClose)
{
    // Pages 40 ms apart: the batch cannot be over before the cancel.
    Start(TWSX_MEMORY, "", "PageDelay = 40\n");
    ASSERT_TRUE(m_manager.Acquire(nullptr, -1, FALSE));
    m_manager.CancelAcquire(TRUE);
    EXPECT_EQ(ZKTW_STATE_SOURCE_OPEN, m_manager.GetState()) << "the waiting cancel returns once closed";
    WaitForEnd();
    EXPECT_TRUE(m_observer.endedCancelled.load());
    EXPECT_TRUE(m_observer.Errors().empty());
    // How far the batch got depends on when the cancel landed; it never
    // runs the feeder dry.
    EXPECT_LT(m_observer.images.size(), 2u * kSheets);
    for (size_t i = 0; i < m_observer.images.size(); ++i)
        EXPECT_EQ(ExpectedBitonalRows(i, m_observer.images[i].info), m_observer.images[i].bytes);
}

namespace
{
struct FAULT_CASE
{
    const char* fault;
    WORD mode;
    WORD rc;
    WORD cc;
    size_t images; // delivered, all from the first sheets in order
};

class TWTransferFaultTest : public TWTransferTest, public ::testing::WithParamInterface<FAULT_CASE>
{
};
} // namespace

TEST_P(TWTransferFaultTest, FaultIsReportedOnceAndNoImageIsLost)
{
    const FAULT_CASE& fault = GetParam();
    Start(fault.mode, std::string(fault.fault) + " = 2");
    AcquireAll();
    const std::vector<RECORDED_ERROR> errors = m_observer.Errors();
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ(fault.rc, errors[0].rc);
    EXPECT_EQ(fault.cc, errors[0].cc);
    EXPECT_EQ(DG_IMAGE, errors[0].DG);
    ASSERT_EQ(fault.images, m_observer.images.size());
    if (fault.mode == TWSX_MEMORY)
    {
        for (size_t i = 0; i < 2; ++i)
            EXPECT_EQ(ExpectedBitonalRows(i, m_observer.images[i].info), m_observer.images[i].bytes);
    }
    ExpectExtraInfoInOrder();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, TWTransferFaultTest,
    ::testing::Values(FAULT_CASE{"PaperJam", TWSX_MEMORY, TWRC_FAILURE, TWCC_PAPERJAM, 2},
                      FAULT_CASE{"DoubleFeed", TWSX_NATIVE, TWRC_FAILURE, TWCC_PAPERDOUBLEFEED, 2},
                      FAULT_CASE{"Offline", TWSX_MEMORY, TWRC_FAILURE, TWCC_CHECKDEVICEONLINE, 2},
                      FAULT_CASE{"RefuseMemory", TWSX_MEMORY, TWRC_FAILURE, TWCC_LOWMEMORY, 2}));

TEST_F(TWTransferTest, SourceCancelSkipsOneImageAndGoesOn)
{
    Start(TWSX_MEMORY, "Cancel = 2");
    AcquireAll();
    const std::vector<RECORDED_ERROR> errors = m_observer.Errors();
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ(TWRC_CANCEL, errors[0].rc);
    EXPECT_FALSE(m_observer.endedCancelled.load());
    // The front of sheet 2 never came; everything else did, in order.
    ASSERT_EQ(2u * kSheets - 1, m_observer.images.size());
    unsigned document = 0, page = 0;
    ASSERT_TRUE(m_observer.images[2].extra->GetDocumentNumber(document));
    ASSERT_TRUE(m_observer.images[2].extra->GetPageNumber(page));
    EXPECT_EQ(2u, document);
    EXPECT_EQ(4u, page);
}

TEST_F(TWTransferTest, DeviceGoingOfflineIsRememberedWithoutAskingTheSource)
{
    Start(TWSX_MEMORY, "Offline = 1");
    EXPECT_TRUE(m_manager.IsDeviceOnline());
    AcquireAll();
    EXPECT_TRUE(m_observer.images.empty());
    EXPECT_FALSE(m_manager.IsDeviceOnline());
}

namespace
{
// Ends each transfer itself and stops the feeder instead of dropping the
// pending images when the application cancels.
class CStopFeederInterceptor : public IZKTWInterceptor
{
public:
    explicit CStopFeederInterceptor(std::atomic<int>& calls) : m_calls(calls) {}
    BOOL OnBeforeAcquire(CZKTWSourceManager*) override { return TRUE; }
    DWORD OnEndTransfer(CZKTWSourceManager* manager, TW_PENDINGXFERS* pending) override
    {
        ++m_calls;
        const DWORD result = _EndXfer(manager, pending);
        if (ZKTWSucceeded(result) && pending->Count != 0)
            _CheckCancelRequest(manager, pending, MSG_STOPFEEDER);
        return result;
    }

private:
    std::atomic<int>& m_calls;
};
} // namespace

TEST_F(TWTransferTest, InterceptorEndsEveryTransferAndMayStopTheFeeder)
{
    Start(TWSX_MEMORY);
    std::atomic<int> calls{0};
    m_manager.SetInterceptor(new CStopFeederInterceptor(calls));
    AcquireAll();
    EXPECT_EQ(2 * kSheets, calls.load());
    ASSERT_EQ(2u * kSheets, m_observer.images.size());
}

TEST_F(TWTransferTest, InterceptorCancelKeepsTheRestOfTheSheet)
{
    Start(TWSX_MEMORY);
    std::atomic<int> calls{0};
    m_manager.SetInterceptor(new CStopFeederInterceptor(calls));
    m_observer.onStrip = [this] {
        if (m_observer.Images() == 0)
            m_manager.CancelAcquire(FALSE);
    };
    AcquireAll();
    EXPECT_TRUE(m_observer.endedCancelled.load());
    EXPECT_EQ(2u, m_observer.images.size());
    EXPECT_EQ(2, calls.load());
    EXPECT_TRUE(m_observer.Errors().empty());
}

TEST_F(TWTransferTest, DeviceEventsOfAFaultReachTheObserver)
{
    Start(TWSX_MEMORY, "PaperJam = 1");
    const WORD events[] = {TWDE_PAPERJAM, TWDE_PAPERDOUBLEFEED};
    ASSERT_EQ(ZKTW_CAP_SUCCESS, m_manager.SetCapArray(CAP_DEVICEEVENT, TWTY_UINT16, events, 2));
    AcquireAll();
    EXPECT_TRUE(WaitFor([&] { return m_observer.deviceEvents.load() == 1; }));
    EXPECT_EQ(TWDE_PAPERJAM, m_observer.lastDeviceEvent.load());
    EXPECT_TRUE(m_observer.images.empty());
}

TEST_F(TWTransferTest, ATransferThatNeverStartsEndsTheBatchInsteadOfRetrying)
{
    // The source keeps memory transfers, but from the second image on the
    // layer has no routine for the mode: each attempt answers without a
    // transfer while the source still reports pending images.
    Start(TWSX_MEMORY);
    m_observer.onStrip = [this] { m_manager.SetTransferMode(TWSX_MEMFILE); };
    AcquireAll();
    EXPECT_EQ(1u, m_observer.images.size());
    EXPECT_FALSE(m_observer.endedCancelled.load());
    EXPECT_TRUE(m_observer.Errors().empty());
}
