// A source that lies: containers that do not hold what they claim, extended
// image info its blocks cannot hold, absurd buffer and image sizes, strips
// that never end, and a manager driven from several threads at once. Every
// case must end with a clear failure, inside the blocks, and without a hang.
#include "common/TwainTestSetup.h"

#include <fennick/ZKTWExtraImageInfo.h>
#include <wincompat/ZKThread.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>

namespace
{
// Generous: every wait here ends in milliseconds when the layer is sound.
bool WaitFor(const std::function<bool()>& condition, int ms = 10000)
{
    for (int i = 0; i < ms && !condition(); ++i)
        ZKSleep(1);
    return condition();
}

void Put16(std::vector<unsigned char>& bytes, size_t at, uint16_t value)
{
    std::memcpy(&bytes[at], &value, 2);
}
void Put32(std::vector<unsigned char>& bytes, size_t at, uint32_t value)
{
    std::memcpy(&bytes[at], &value, 4);
}

// A container of size bytes: item type, then (for arrays and enumerations)
// the count the source claims.
std::vector<unsigned char> Container(size_t size, WORD itemType, uint32_t claimedCount)
{
    std::vector<unsigned char> bytes(size < 6 ? 6 : size, 0);
    Put16(bytes, 0, itemType);
    Put32(bytes, 2, claimedCount);
    bytes.resize(size);
    return bytes;
}

// Records strips, images and their extended info as they arrive.
class CScanObserver : public CRecordingObserver
{
public:
    void OnAcquireEnd(BOOL cancelled) override
    {
        endedCancelled = cancelled;
        CRecordingObserver::OnAcquireEnd(cancelled);
    }
    void OnCreateExtraImageInfo(CZKTWExtraImageInfo*& info) override
    {
        info = new CZKTWExtraImageInfo;
    }
    void OnMemoryBlock(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info,
                       CZKTWExtraImageInfo* extra) override
    {
        ++strips;
        if (onStrip)
            onStrip();
        if (last && extra)
        {
            unsigned page = 0;
            std::wstring camera;
            pageNumber = extra->GetPageNumber(page) ? static_cast<int>(page) : -1;
            cameraDelivered = extra->GetCamera(camera);
        }
        CRecordingObserver::OnMemoryBlock(block, last, info, extra);
    }

    std::function<void()> onStrip;
    std::atomic<int> strips{0};
    std::atomic<BOOL> endedCancelled{FALSE};
    std::atomic<int> pageNumber{0};
    std::atomic<BOOL> cameraDelivered{FALSE};
};

// Places every strip in a page of its own at the offset it is told, giving
// blockLength bytes (0: the rest of the page). Guard bytes follow the page.
class CPlacingObserver : public CScanObserver
{
public:
    static constexpr size_t kPage = 4096;
    static constexpr size_t kGuard = 256;
    static constexpr BYTE kUntouched = 0x3C;

    CPlacingObserver() : page(kPage + kGuard, kUntouched) {}

    BOOL OnGetStripDestination(ZKTW_STRIP_DESTINATION& destination) override
    {
        ++asked;
        lastRowOffset = destination.RowOffset;
        if (destination.ByteOffset >= kPage)
            return FALSE;
        destination.Memory = page.data() + destination.ByteOffset;
        destination.Length = static_cast<TW_UINT32>(blockLength ? blockLength : kPage - destination.ByteOffset);
        return TRUE;
    }
    void OnMemoryBlockInPlace(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info,
                              CZKTWExtraImageInfo* extra) override
    {
        ++placedStrips;
        if (block->Memory.TheMem < page.data() || block->Memory.TheMem >= page.data() + kPage)
            ++foreignBlocks;
        CScanObserver::OnMemoryBlock(block, last, info, extra);
    }
    void OnMemoryBlock(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra) override
    {
        ++copiedStrips;
        CScanObserver::OnMemoryBlock(block, last, info, extra);
    }
    bool GuardIntact() const
    {
        for (size_t i = kPage; i < page.size(); ++i)
            if (page[i] != kUntouched)
                return false;
        return true;
    }

    std::vector<BYTE> page;
    size_t blockLength = 0;
    std::atomic<int> asked{0};
    std::atomic<int> placedStrips{0};
    std::atomic<int> copiedStrips{0};
    std::atomic<int> foreignBlocks{0};
    std::atomic<TW_UINT32> lastRowOffset{0};
};

class TWHostileSourceTest : public ::testing::Test
{
protected:
    void SetUp() override { OpenSource(*m_manager); }
    void TearDown() override
    {
        if (!m_manager)
            return;
        if (m_manager->IsSourceOpen())
            m_manager->CloseSource();
        m_manager->Close();
    }

    void OpenSource(CZKTWSourceManager& manager)
    {
        RegisterTestApp(manager);
        manager.SetObserver(&m_observer);
        m_observerUnderTest = &m_observer;
        ASSERT_TRUE(manager.Open());
        TW_IDENTITY source{};
        ASSERT_TRUE(FindSource(manager, "Fake Source 0", source));
        ASSERT_TRUE(manager.OpenSource(source));
    }

    // One batch through memory transfers, to its end.
    void Scan(const FAKE_DSM_SCAN& scan)
    {
        m_fake.Scan(scan);
        ASSERT_TRUE(m_manager->Acquire(nullptr, 1, FALSE));
        m_fake.QueueEvent(MSG_XFERREADY);
        ASSERT_TRUE(WaitFor([&] { return m_observerUnderTest->acquireEnds.load() == 1; }))
            << "the batch never ended";
        ASSERT_TRUE(WaitFor([&] { return m_manager->GetState() == ZKTW_STATE_SOURCE_OPEN; }));
    }

    // Scans go to observer from now on.
    void Observe(CScanObserver& observer)
    {
        m_manager->SetObserver(&observer);
        m_observerUnderTest = &observer;
    }

    void ExpectOneErrorOn(WORD dat, WORD cc)
    {
        const auto errors = m_observerUnderTest->Errors();
        ASSERT_EQ(1u, errors.size());
        EXPECT_EQ(dat, errors[0].DAT);
        EXPECT_EQ(TWRC_FAILURE, errors[0].rc);
        EXPECT_EQ(cc, errors[0].cc);
    }

    CFakeDsm m_fake;
    CScanObserver m_observer;
    CScanObserver* m_observerUnderTest = &m_observer;
    std::unique_ptr<CZKTWSourceManager> m_manager = std::make_unique<CZKTWSourceManager>();
};
} // namespace

// ---- Containers ------------------------------------------------------------

TEST_F(TWHostileSourceTest, ContainersThatDoNotHoldTheirClaimsAreRefused)
{
    void* items = nullptr;
    unsigned count = 0;
    // 100,000 items claimed in a 10-byte block.
    m_fake.Container(ICAP_XRESOLUTION, TWON_ARRAY, Container(10, TWTY_UINT16, 100000));
    EXPECT_EQ(ZKTW_CAP_FAILURE, m_manager->GetCapArray(ICAP_XRESOLUTION, ZKTW_GETCAP_GET,
                                                       TWTY_UINT16, &items, count));
    EXPECT_EQ(nullptr, items);
    EXPECT_EQ(0u, count);

    // An enumeration of 3 items claiming 40. (The heap's usable size is what
    // is checked; it may exceed the request by a few bytes, which are the
    // block's own.)
    DWORD current = 0, defaultIndex = 0;
    m_fake.Container(ICAP_YRESOLUTION, TWON_ENUMERATION, Container(14 + 3 * 4, TWTY_FIX32, 40));
    EXPECT_EQ(ZKTW_CAP_FAILURE,
              m_manager->GetCapEnumeration(ICAP_YRESOLUTION, ZKTW_GETCAP_GET, TWTY_FIX32, current,
                                           defaultIndex, &items, count));

    // A STR255 one-value in the 6 bytes of a short one.
    char text[256] = {};
    m_fake.Container(CAP_CAPTION, TWON_ONEVALUE, Container(6, TWTY_STR255, 0));
    EXPECT_EQ(ZKTW_CAP_FAILURE,
              m_manager->GetCapOnevalue(CAP_CAPTION, ZKTW_GETCAP_CURRENT, TWTY_STR255, text));

    // A support answer whose stored type is STR1024.
    ZKTW_CAPABILITY_SUPPORT support;
    m_fake.Container(ICAP_CONTRAST, TWON_ONEVALUE, Container(6, TWTY_STR1024, 0));
    EXPECT_FALSE(m_manager->QueryCapSupport(ICAP_CONTRAST, support));
}

TEST_F(TWHostileSourceTest, CountsAndIndexesAreBoundedEvenInABlockThatHoldsThem)
{
    void* items = nullptr;
    unsigned count = 0;
    const uint32_t tooMany = (1u << 20) + 1;
    m_fake.Container(ICAP_CUSTHALFTONE, TWON_ARRAY, Container(6 + tooMany, TWTY_UINT8, tooMany));
    EXPECT_EQ(ZKTW_CAP_FAILURE, m_manager->GetCapArray(ICAP_CUSTHALFTONE, ZKTW_GETCAP_GET,
                                                       TWTY_UINT8, &items, count));

    // Two items, but a current index of 5.
    std::vector<unsigned char> enumeration = Container(14 + 2 * 2, TWTY_UINT16, 2);
    Put32(enumeration, 6, 5);
    m_fake.Container(ICAP_PIXELTYPE, TWON_ENUMERATION, enumeration);
    DWORD current = 0, defaultIndex = 0;
    EXPECT_EQ(ZKTW_CAP_FAILURE,
              m_manager->GetCapEnumeration(ICAP_PIXELTYPE, ZKTW_GETCAP_GET, TWTY_UINT16, current,
                                           defaultIndex, &items, count));
    // The same enumeration with sound indexes is read.
    Put32(enumeration, 6, 1);
    Put16(enumeration, 16, 2);
    m_fake.Container(ICAP_PIXELTYPE, TWON_ENUMERATION, enumeration);
    ASSERT_EQ(ZKTW_CAP_SUCCESS,
              m_manager->GetCapEnumeration(ICAP_PIXELTYPE, ZKTW_GETCAP_GET, TWTY_UINT16, current,
                                           defaultIndex, &items, count));
    EXPECT_EQ(2u, count);
    EXPECT_EQ(1u, current);
    EXPECT_EQ(2, static_cast<WORD*>(items)[1]);
    std::free(items);
}

TEST_F(TWHostileSourceTest, LyingSupportedCapsStillOpenTheSourceWithAnEmptySet)
{
    m_manager->CloseSource();
    m_fake.Container(CAP_SUPPORTEDCAPS, TWON_ARRAY, Container(10, TWTY_UINT16, 100000));
    TW_IDENTITY source{};
    ASSERT_TRUE(FindSource(*m_manager, "Fake Source 0", source));
    ASSERT_TRUE(m_manager->OpenSource(source));
    EXPECT_TRUE(m_manager->GetSupportedCapSet().empty());
}

// ---- Extended image info -----------------------------------------------------

TEST_F(TWHostileSourceTest, ExtendedInfoLargerThanItsBlockIsNotDelivered)
{
    FAKE_DSM_SCAN scan;
    scan.cameraType = TWTY_STR255;
    scan.cameraItems = 4; // 1024 bytes claimed
    scan.cameraBlock = 256;
    Scan(scan);
    EXPECT_EQ(1, m_observer.memoryImages.load());
    EXPECT_FALSE(m_observer.cameraDelivered.load());
    EXPECT_EQ(7, m_observer.pageNumber.load()); // the truthful entry still arrives

    // The same camera entry in a block that holds it is delivered.
    m_observer.acquireEnds = 0;
    scan.cameraItems = 1;
    Scan(scan);
    EXPECT_TRUE(m_observer.cameraDelivered.load());
}

// ---- Strip buffers and strips ------------------------------------------------

TEST_F(TWHostileSourceTest, HugeStripBuffersAreClampedAndImagesStillArrive)
{
    FAKE_DSM_SCAN scan;
    scan.preferred = 0xF0000000u; // about 4 GB for 64-byte strips
    Scan(scan);
    EXPECT_EQ(1, m_observer.memoryImages.load());
    EXPECT_LE(m_fake.LastBufferLength(), 64u * 1024 * 1024);
    EXPECT_TRUE(m_observer.Errors().empty());

    // The source's own maximum wins over its preference.
    m_observer.acquireEnds = 0;
    scan.preferred = 1 << 20;
    scan.maxBufSize = 4096;
    Scan(scan);
    EXPECT_EQ(4096u, m_fake.LastBufferLength());
}

TEST_F(TWHostileSourceTest, ZeroStripBufferEndsTheBatchWithAnError)
{
    FAKE_DSM_SCAN scan;
    scan.preferred = 0;
    Scan(scan);
    EXPECT_EQ(0, m_observer.strips.load());
    ExpectOneErrorOn(DAT_SETUPMEMXFER, TWCC_BADVALUE);
}

TEST_F(TWHostileSourceTest, MinimumBeyondAnySaneBufferEndsTheBatchWithAnError)
{
    FAKE_DSM_SCAN scan;
    scan.preferred = TWON_DONTCARE32;
    scan.minBufSize = 512u * 1024 * 1024;
    Scan(scan);
    EXPECT_EQ(0, m_observer.strips.load());
    ExpectOneErrorOn(DAT_SETUPMEMXFER, TWCC_BADVALUE);
}

TEST_F(TWHostileSourceTest, EndlessStripsStopPastTheAnnouncedImage)
{
    FAKE_DSM_SCAN scan;
    scan.strips = -1;
    Scan(scan);
    EXPECT_EQ(0, m_observer.memoryImages.load());
    ExpectOneErrorOn(DAT_IMAGEMEMXFER, TWCC_BUMMER);
    // The image was ended at the source, so the source is usable again.
    EXPECT_EQ(1, m_fake.MessageCalls(DAT_PENDINGXFERS, MSG_ENDXFER));
    EXPECT_EQ(ZKTW_STATE_SOURCE_OPEN, m_manager->GetState());
}

TEST_F(TWHostileSourceTest, EndlessEmptyStripsOfAnImageOfUnknownSizeStop)
{
    FAKE_DSM_SCAN scan;
    scan.strips = -1;
    scan.stripBytes = 0;
    scan.length = -1;
    Scan(scan);
    EXPECT_EQ(0, m_observer.memoryImages.load());
    ExpectOneErrorOn(DAT_IMAGEMEMXFER, TWCC_BUMMER);
}

TEST_F(TWHostileSourceTest, AbsurdImageInfoDoesNotStopAnHonestTransfer)
{
    FAKE_DSM_SCAN scan;
    scan.width = 0x7FFFFFFF;
    scan.length = 0x7FFFFFFF;
    scan.bitsPerPixel = 0x7FFF;
    Scan(scan);
    EXPECT_EQ(1, m_observer.memoryImages.load());
    EXPECT_TRUE(m_observer.Errors().empty());
}

TEST_F(TWHostileSourceTest, CancelEndsAnImageThatNeverEnds)
{
    FAKE_DSM_SCAN scan;
    scan.strips = -1;
    scan.images = 3;
    m_observer.onStrip = [this]
    {
        if (m_observer.strips.load() == 2)
            m_manager->CancelAcquire(FALSE);
    };
    Scan(scan);
    EXPECT_TRUE(m_observer.endedCancelled.load());
    EXPECT_EQ(0, m_observer.memoryImages.load());
    EXPECT_TRUE(m_observer.Errors().empty());
    // Ended, then the rest of the batch reset.
    EXPECT_EQ(1, m_fake.MessageCalls(DAT_PENDINGXFERS, MSG_ENDXFER));
    EXPECT_EQ(1, m_fake.MessageCalls(DAT_PENDINGXFERS, MSG_RESET));
}

// ---- Strips placed in the observer's own block ---------------------------------

namespace
{
struct PLACED_LIE
{
    const char* name;
    std::function<void(FAKE_DSM_SCAN&)> lie;
};

class TWPlacedStripLieTest : public TWHostileSourceTest, public ::testing::WithParamInterface<PLACED_LIE>
{
};
} // namespace

TEST_F(TWHostileSourceTest, HonestStripsAreWrittenStraightIntoTheObserversBlock)
{
    CPlacingObserver placing;
    Observe(placing);
    FAKE_DSM_SCAN scan;
    scan.bytesPerRow = 64;
    scan.reportYOffset = true;
    scan.maxBufSize = 1 << 20;
    Scan(scan);
    EXPECT_EQ(1, placing.memoryImages.load());
    EXPECT_TRUE(placing.Errors().empty());
    EXPECT_EQ(3, placing.placedStrips.load());
    EXPECT_EQ(0, placing.copiedStrips.load());
    EXPECT_EQ(0, placing.foreignBlocks.load());
    EXPECT_EQ(2u, placing.lastRowOffset.load()); // the rows of the two strips before the last
    for (size_t i = 0; i < 3 * 64; ++i)
        ASSERT_EQ(0xA5, placing.page[i]) << "byte " << i;
    EXPECT_EQ(CPlacingObserver::kUntouched, placing.page[3 * 64]);
    // The source was let write into the rest of the block, which is below its
    // maximum.
    EXPECT_EQ(CPlacingObserver::kPage - 2 * 64, m_fake.LastBufferLength());
}

TEST_P(TWPlacedStripLieTest, LiesAboutAPlacedStripEndTheImageInsideTheBlock)
{
    CPlacingObserver placing;
    placing.blockLength = 64;
    Observe(placing);
    FAKE_DSM_SCAN scan;
    GetParam().lie(scan);
    Scan(scan);
    EXPECT_EQ(0, placing.memoryImages.load());
    EXPECT_EQ(0, placing.placedStrips.load()) << "the observer heard of a strip the source lied about";
    EXPECT_EQ(0, placing.copiedStrips.load());
    ExpectOneErrorOn(DAT_IMAGEMEMXFER, TWCC_BUMMER);
    // The image was ended at the source, which is usable again.
    EXPECT_EQ(1, m_fake.MessageCalls(DAT_PENDINGXFERS, MSG_ENDXFER));
    EXPECT_EQ(ZKTW_STATE_SOURCE_OPEN, m_manager->GetState());
    EXPECT_TRUE(placing.GuardIntact());
}

INSTANTIATE_TEST_SUITE_P(
    Lies, TWPlacedStripLieTest,
    ::testing::Values(PLACED_LIE{"MoreBytesThanTheBlock", [](FAKE_DSM_SCAN& scan) { scan.stripBytes = 65; }},
                      PLACED_LIE{"RowsBeyondTheBytesWritten",
                                 [](FAKE_DSM_SCAN& scan)
                                 {
                                     scan.stripRows = 10;
                                     scan.bytesPerRow = 64;
                                 }},
                      PLACED_LIE{"RowsTimesRowLengthOverflowing",
                                 [](FAKE_DSM_SCAN& scan)
                                 {
                                     scan.stripRows = 0x10000;
                                     scan.bytesPerRow = 0x10000; // 2^32: 0 in 32 bits
                                 }},
                      PLACED_LIE{"RowsElsewhereThanPlaced",
                                 [](FAKE_DSM_SCAN& scan)
                                 {
                                     scan.reportYOffset = true;
                                     scan.yOffsetSkew = 7;
                                 }},
                      PLACED_LIE{"BufferOfItsOwn", [](FAKE_DSM_SCAN& scan) { scan.moveBuffer = true; }}),
    [](const ::testing::TestParamInfo<PLACED_LIE>& info) { return std::string(info.param.name); });

TEST_F(TWHostileSourceTest, CompressedStripsMayCarryFewerBytesThanTheirRows)
{
    CPlacingObserver placing;
    Observe(placing);
    FAKE_DSM_SCAN scan;
    scan.compression = TWCP_GROUP4;
    scan.stripRows = 40;
    scan.bytesPerRow = 64;
    Scan(scan);
    EXPECT_EQ(1, placing.memoryImages.load());
    EXPECT_EQ(3, placing.placedStrips.load());
    EXPECT_TRUE(placing.Errors().empty());
}

TEST_F(TWHostileSourceTest, BlocksTooSmallForTheSourceAreRefusedAndTheStripsCopied)
{
    CPlacingObserver placing;
    placing.blockLength = 63;
    Observe(placing);
    FAKE_DSM_SCAN scan;
    scan.minBufSize = 64;
    Scan(scan);
    EXPECT_EQ(1, placing.memoryImages.load());
    EXPECT_TRUE(placing.Errors().empty());
    EXPECT_EQ(3, placing.asked.load());
    EXPECT_EQ(0, placing.placedStrips.load());
    EXPECT_EQ(3, placing.copiedStrips.load());
    EXPECT_EQ(64u, m_fake.LastBufferLength()); // the manager's own buffer
    EXPECT_EQ(CPlacingObserver::kUntouched, placing.page[0]);

    // Once the page is full the observer declines; the rest is copied.
    m_observerUnderTest->acquireEnds = 0;
    CPlacingObserver filling;
    Observe(filling);
    filling.blockLength = 64;
    scan.strips = 70; // 4480 bytes for a 4096-byte page
    scan.length = 70;
    Scan(scan);
    EXPECT_EQ(1, filling.memoryImages.load());
    EXPECT_EQ(64, filling.placedStrips.load());
    EXPECT_EQ(6, filling.copiedStrips.load());
    EXPECT_TRUE(filling.GuardIntact());
}

// ---- Threads -----------------------------------------------------------------

TEST_F(TWHostileSourceTest, OnlyOneAcquireAtATime)
{
    // A slow capability set keeps the first Acquire busy while the second
    // one arrives.
    m_fake.Delay(DAT_CAPABILITY, 50);
    std::atomic<int> accepted{0};
    std::thread other([&] { accepted += m_manager->Acquire(nullptr, 1, FALSE) ? 1 : 0; });
    accepted += m_manager->Acquire(nullptr, 1, FALSE) ? 1 : 0;
    other.join();
    EXPECT_EQ(1, accepted.load());
    EXPECT_EQ(1, m_fake.MessageCalls(DAT_USERINTERFACE, MSG_ENABLEDS));
    // Enabled: a further one is refused too, and the first ends normally.
    EXPECT_FALSE(m_manager->Acquire(nullptr, 1, FALSE));
    m_fake.QueueEvent(MSG_XFERREADY);
    ASSERT_TRUE(WaitFor([&] { return m_observer.acquireEnds.load() == 1; }));
    ASSERT_TRUE(WaitFor([&] { return m_manager->GetState() == ZKTW_STATE_SOURCE_OPEN; }));
    EXPECT_TRUE(m_manager->Acquire(nullptr, 1, FALSE));
}

TEST_F(TWHostileSourceTest, CloseSourceFromAnotherThreadWaitsForTheTransfer)
{
    FAKE_DSM_SCAN scan;
    scan.strips = 40;
    m_fake.Scan(scan);
    m_fake.Delay(DAT_IMAGEMEMXFER, 5);
    ASSERT_TRUE(m_manager->Acquire(nullptr, 1, FALSE));
    m_fake.QueueEvent(MSG_XFERREADY);
    ASSERT_TRUE(WaitFor([&] { return m_observer.strips.load() > 0; }));
    m_manager->CloseSource();
    // Closed for real: after the image, through the DSM, and reopenable.
    EXPECT_EQ(1, m_observer.memoryImages.load());
    EXPECT_EQ(1, m_fake.MessageCalls(DAT_IDENTITY, MSG_CLOSEDS));
    EXPECT_EQ(ZKTW_STATE_DSM_OPEN, m_manager->GetState());
    TW_IDENTITY source{};
    ASSERT_TRUE(FindSource(*m_manager, "Fake Source 0", source));
    EXPECT_TRUE(m_manager->OpenSource(source));
}

TEST_F(TWHostileSourceTest, CloseFromInsideTheTransferIsRefused)
{
    FAKE_DSM_SCAN scan;
    scan.strips = 4;
    m_observer.onStrip = [this]
    {
        if (m_observer.strips.load() == 1)
        {
            m_manager->CloseSource();
            m_manager->Close();
        }
    };
    Scan(scan);
    EXPECT_EQ(1, m_observer.memoryImages.load());
    EXPECT_EQ(0, m_fake.MessageCalls(DAT_IDENTITY, MSG_CLOSEDS));
    EXPECT_EQ(0, m_fake.MessageCalls(DAT_PARENT, MSG_CLOSEDSM));
    TW_IDENTITY current{};
    m_manager->GetCurrentSource(current);
    EXPECT_STREQ("Fake Source 0", current.ProductName);
}

TEST_F(TWHostileSourceTest, DestroyingDuringABatchCancelsAndStopsCallingTheObserver)
{
    FAKE_DSM_SCAN scan;
    scan.strips = -1;
    scan.images = 50;
    m_fake.Scan(scan);
    m_fake.Delay(DAT_IMAGEMEMXFER, 1);
    ASSERT_TRUE(m_manager->Acquire(nullptr, 1, FALSE));
    m_fake.QueueEvent(MSG_XFERREADY);
    ASSERT_TRUE(WaitFor([&] { return m_observer.strips.load() >= 5; }));

    const int before = m_observer.strips.load();
    const auto start = std::chrono::steady_clock::now();
    m_manager.reset();
    const auto took = std::chrono::steady_clock::now() - start;
    // A strip in flight may still arrive; the batch does not go on.
    EXPECT_LE(m_observer.strips.load(), before + 1);
    EXPECT_EQ(0, m_observer.acquireEnds.load());
    EXPECT_LT(took, std::chrono::seconds(5)) << "the destructor waited for the batch";
}
