// Source events, acquisition start and cancel: through the simulated DSM's
// callbacks and through MSG_PROCESSEVENT polling of the scriptable fake DSM.
#include "common/TwainTestSetup.h"

#include <wincompat/ZKThread.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace
{
// Waits up to five seconds for a condition that another thread brings about.
bool WaitFor(const std::function<bool()>& condition)
{
    for (int i = 0; i < 5000 && !condition(); ++i)
        ZKSleep(1);
    return condition();
}

class TWEventTest : public ::testing::Test
{
protected:
    void OpenSource(const char* productName)
    {
        RegisterTestApp(m_manager);
        m_manager.SetObserver(&m_observer);
        ASSERT_TRUE(m_manager.Open());
        TW_IDENTITY source{};
        ASSERT_TRUE(FindSource(m_manager, productName, source));
        ASSERT_TRUE(m_manager.OpenSource(source));
    }
    void TearDown() override
    {
        if (m_manager.IsSourceOpen())
            m_manager.CloseSource();
        m_manager.Close();
    }

    CRecordingObserver m_observer;
    CZKTWSourceManager m_manager;
};

class TWFakeDsmEventTest : public TWEventTest
{
protected:
    void SetUp() override { OpenSource("Fake Source 0"); }

    CFakeDsm m_fake;
};

// Counts interceptor calls and may veto the acquisition.
class CVetoInterceptor : public IZKTWInterceptor
{
public:
    CVetoInterceptor(BOOL allow, std::atomic<int>& deletions) : m_allow(allow), m_deletions(deletions) {}
    ~CVetoInterceptor() override { ++m_deletions; }
    BOOL OnBeforeAcquire(CZKTWSourceManager*) override { return m_allow; }
    DWORD OnEndTransfer(CZKTWSourceManager* manager, TW_PENDINGXFERS* pending) override
    {
        return _EndXfer(manager, pending);
    }

private:
    BOOL m_allow;
    std::atomic<int>& m_deletions;
};
} // namespace

TEST_F(TWEventTest, DialogOutcomeArrivesThroughTheCallback)
{
    CTestSystemFolder folder({"desktop_simplex", "production_duplex"});
    OpenSource("ZK Virtual Production Duplex");
    EXPECT_EQ(ZKTW_UI_OK, m_manager.ShowGUI(nullptr, MSG_ENABLEDSUIONLY));
    EXPECT_EQ(ZKTW_STATE_SOURCE_OPEN, m_manager.GetState());
    m_manager.CloseSource();

    TW_IDENTITY desktop{};
    ASSERT_TRUE(FindSource(m_manager, "ZK Virtual Desktop Simplex", desktop));
    ASSERT_TRUE(m_manager.OpenSource(desktop));
    EXPECT_EQ(ZKTW_UI_CANCEL, m_manager.ShowGUI(nullptr, MSG_ENABLEDS));
    EXPECT_EQ(ZKTW_STATE_SOURCE_OPEN, m_manager.GetState());
}

TEST_F(TWEventTest, TransferReadyEndsTheAcquisitionOnTheWindowThread)
{
    CTestSystemFolder folder({"production_duplex"});
    OpenSource("ZK Virtual Production Duplex");
    // Two images keep the batch short under the sanitizers.
    ASSERT_TRUE(m_manager.Acquire(nullptr, 2, FALSE));
    EXPECT_EQ(1, m_observer.acquireBegins.load());
    ASSERT_TRUE(WaitFor([&] { return m_observer.acquireEnds.load() == 1; }));
    EXPECT_TRUE(WaitFor([&] { return m_manager.GetState() == ZKTW_STATE_SOURCE_OPEN; }));
    // The source is usable again afterwards.
    TW_FIX32 resolution{};
    EXPECT_EQ(ZKTW_CAP_SUCCESS,
              m_manager.GetCapOnevalue(ICAP_XRESOLUTION, ZKTW_GETCAP_CURRENT, TWTY_FIX32, &resolution));
}

namespace
{
// Takes its time over the begin and calls the source from inside it, as an
// application reading the scanner's counters at the start would.
class CSlowBeginObserver : public CRecordingObserver
{
public:
    explicit CSlowBeginObserver(CZKTWSourceManager& manager) : m_manager(manager) {}
    void OnAcquireBegin() override
    {
        TW_FIX32 resolution{};
        callInsideBegin = m_manager.GetCapOnevalue(ICAP_XRESOLUTION, ZKTW_GETCAP_CURRENT, TWTY_FIX32, &resolution);
        ZKSleep(150);
        imagesBeforeBeginEnded = Images();
        CRecordingObserver::OnAcquireBegin();
    }
    int Images() const { return memoryImages.load(); }

    std::atomic<int> imagesBeforeBeginEnded{-1};
    std::atomic<WORD> callInsideBegin{0};

private:
    CZKTWSourceManager& m_manager;
};
} // namespace

TEST_F(TWEventTest, NoImageArrivesBeforeTheAcquisitionBeginHasBeenTold)
{
    CTestSystemFolder folder({"production_duplex"});
    OpenSource("ZK Virtual Production Duplex");
    CSlowBeginObserver observer(m_manager);
    m_manager.SetObserver(&observer);
    for (int batch = 0; batch < 2; ++batch)
    {
        SCOPED_TRACE(batch);
        observer.memoryImages = 0;
        ASSERT_TRUE(m_manager.Acquire(nullptr, 2, FALSE));
        EXPECT_EQ(0, observer.imagesBeforeBeginEnded.load()) << "the source was ready at once";
        EXPECT_EQ(ZKTW_CAP_SUCCESS, observer.callInsideBegin.load()) << "the window thread served the call";
        ASSERT_TRUE(WaitFor([&] { return observer.acquireEnds.load() == batch + 1; }));
        EXPECT_EQ(2, observer.Images());
        ASSERT_TRUE(WaitFor([&] { return m_manager.GetState() == ZKTW_STATE_SOURCE_OPEN; }));
    }
    m_manager.SetObserver(&m_observer);
}

TEST_F(TWEventTest, InterceptorMayVetoAndIsOwned)
{
    CTestSystemFolder folder({"production_duplex"});
    OpenSource("ZK Virtual Production Duplex");
    std::atomic<int> deletions{0};
    m_manager.SetInterceptor(new CVetoInterceptor(FALSE, deletions));
    EXPECT_FALSE(m_manager.Acquire(nullptr, 1, FALSE));
    EXPECT_EQ(0, m_observer.acquireBegins.load());
    EXPECT_EQ(ZKTW_STATE_SOURCE_OPEN, m_manager.GetState());
    m_manager.SetInterceptor(new CVetoInterceptor(TRUE, deletions));
    EXPECT_EQ(1, deletions.load());
    m_manager.SetInterceptor(nullptr);
    EXPECT_EQ(2, deletions.load());
}

TEST_F(TWFakeDsmEventTest, WithoutCallbacksTheWindowThreadPollsForEvents)
{
    m_fake.QueueEvent(MSG_CLOSEDSOK);
    EXPECT_EQ(ZKTW_UI_OK, m_manager.ShowGUI(nullptr, MSG_ENABLEDS));
    m_fake.QueueEvent(MSG_CLOSEDSREQ);
    EXPECT_EQ(ZKTW_UI_CANCEL, m_manager.ShowGUI(nullptr, MSG_ENABLEDS));
    EXPECT_GT(m_fake.Calls(DAT_EVENT), 0);
    EXPECT_EQ(ZKTW_STATE_SOURCE_OPEN, m_manager.GetState());
}

TEST_F(TWFakeDsmEventTest, AcquireGoesOnWithoutTransferCountAndReportsDeviceEvents)
{
    // The fake source answers every capability as unsupported.
    ASSERT_TRUE(m_manager.Acquire(nullptr, 2, FALSE));
    EXPECT_EQ(ZKTW_STATE_SOURCE_ENABLED, m_manager.GetState());
    EXPECT_TRUE(m_manager.IsAcquiring());
    m_fake.QueueEvent(MSG_DEVICEEVENT);
    EXPECT_TRUE(WaitFor([&] { return m_observer.deviceEvents.load() == 1; }));
    m_fake.QueueEvent(MSG_XFERREADY);
    EXPECT_TRUE(WaitFor([&] { return m_observer.acquireEnds.load() == 1; }));
    EXPECT_TRUE(WaitFor([&] { return m_manager.GetState() == ZKTW_STATE_SOURCE_OPEN; }));
}

TEST_F(TWFakeDsmEventTest, CancelAfterApplicationCancelIsNotReportedButFailureIs)
{
    TW_PENDINGXFERS pending{};
    m_fake.Answer(DAT_PENDINGXFERS, TWRC_CANCEL, TWCC_SUCCESS);
    m_manager.InvokeDSCommand(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending, TRUE);
    ASSERT_EQ(1u, m_observer.Errors().size());
    EXPECT_EQ(TWRC_CANCEL, m_observer.Errors()[0].rc);

    m_manager.CancelAcquire(FALSE);
    const DWORD cancelled = m_manager.InvokeDSCommand(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending, TRUE);
    EXPECT_EQ(TWRC_CANCEL, ZKTWReturnCode(cancelled));
    EXPECT_EQ(1u, m_observer.Errors().size());

    m_fake.Answer(DAT_PENDINGXFERS, TWRC_FAILURE, TWCC_PAPERJAM);
    m_manager.InvokeDSCommand(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending, TRUE);
    ASSERT_EQ(2u, m_observer.Errors().size());
    EXPECT_EQ(TWRC_FAILURE, m_observer.Errors()[1].rc);
    EXPECT_EQ(TWCC_PAPERJAM, m_observer.Errors()[1].cc);
}

TEST_F(TWFakeDsmEventTest, StripClaimingMoreThanItsBufferFailsTheImage)
{
    m_fake.OverrunStrips(true);
    m_manager.SetTransferMode(TWSX_MEMORY);
    ASSERT_TRUE(m_manager.Acquire(nullptr, 1, FALSE));
    m_fake.QueueEvent(MSG_XFERREADY);
    ASSERT_TRUE(WaitFor([&] { return m_observer.acquireEnds.load() == 1; }));
    EXPECT_EQ(0, m_observer.memoryImages.load());
    const auto errors = m_observer.Errors();
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ(DAT_IMAGEMEMXFER, errors[0].DAT);
    EXPECT_EQ(TWRC_FAILURE, errors[0].rc);
}

TEST_F(TWFakeDsmEventTest, UnknownReturnCodePrintsAnEmptyName)
{
    CTraceCapture trace;
    m_fake.Answer(DAT_XFERGROUP, 0x0077, 0);
    const DWORD result = m_manager.InvokeDSCommand(DG_CONTROL, DAT_XFERGROUP, MSG_GET, nullptr, TRUE);
    EXPECT_EQ(0x0077u, ZKTWReturnCode(result));
    EXPECT_EQ(0u, ZKTWConditionCode(result)); // no condition asked for a non-failure
    EXPECT_TRUE(trace.Contains("DSMEntry: RC= DEST="));
    EXPECT_TRUE(trace.Contains("Async End: RC= DEST="));
    EXPECT_TRUE(m_observer.Errors().empty());
}

namespace
{
// Stands in for the transfer loop: while it claims to be transferring, a
// call from another thread must come back at once without reaching the DSM.
class CTransferringManager : public CZKTWSourceManager
{
public:
    explicit CTransferringManager(CFakeDsm& fake) : m_fake(fake) {}
    std::atomic<DWORD> foreignResult{0xFFFFFFFF};
    std::atomic<int> capabilityCallsBefore{-1};
    std::atomic<int> capabilityCallsAfter{-2};

protected:
    BOOL _DoTransfers() override
    {
        _SetState(ZKTW_STATE_TRANSFERRING);
        capabilityCallsBefore = m_fake.Calls(DAT_CAPABILITY);
        std::thread caller([this] {
            TW_CAPABILITY capability{};
            capability.Cap = ICAP_UNITS;
            foreignResult = InvokeDSCommand(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability, TRUE);
        });
        caller.join();
        capabilityCallsAfter = m_fake.Calls(DAT_CAPABILITY);
        _SetState(ZKTW_STATE_TRANSFER_READY);
        return CZKTWSourceManager::_DoTransfers();
    }

private:
    CFakeDsm& m_fake;
};
} // namespace

TEST(TWTransferringTest, ForeignCallsAreRefusedWhileTransferring)
{
    CFakeDsm fake;
    CRecordingObserver observer;
    CTransferringManager manager(fake);
    RegisterTestApp(manager);
    manager.SetObserver(&observer);
    ASSERT_TRUE(manager.Open());
    TW_IDENTITY source{};
    ASSERT_TRUE(FindSource(manager, "Fake Source 0", source));
    ASSERT_TRUE(manager.OpenSource(source));
    ASSERT_TRUE(manager.Acquire(nullptr, 1, FALSE));
    fake.QueueEvent(MSG_XFERREADY);
    ASSERT_TRUE(WaitFor([&] { return observer.acquireEnds.load() == 1; }));
    EXPECT_EQ(1u, manager.foreignResult.load());
    EXPECT_EQ(manager.capabilityCallsBefore.load(), manager.capabilityCallsAfter.load());
    EXPECT_TRUE(observer.Errors().empty());
    manager.CloseSource();
    manager.Close();
}
