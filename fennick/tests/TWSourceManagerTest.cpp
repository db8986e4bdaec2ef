// The source manager end to end against the simulated DSM and virtual source.
#include "common/TwainTestSetup.h"

#include <fennick/ZKTWHelper.h>

#include <hollin/ZKDebugLog.h>
#include <wincompat/ZKGlobalMemory.h>
#include <wincompat/ZKMessageBox.h>
#include <wincompat/ZKThread.h>

#include <gtest/gtest.h>

#include <strictds/StrictSourceFile.h>

#include <cstring>
#include <thread>

namespace
{
const char* const kProduction = "ZK Virtual Production Duplex";
const char* const kDesktop = "ZK Virtual Desktop Simplex";
const char* const kLegacy = "ZK Virtual Legacy";

class TWSourceManagerTest : public ::testing::Test
{
protected:
    void OpenManager()
    {
        RegisterTestApp(m_manager);
        m_manager.SetObserver(&m_observer);
        ASSERT_TRUE(m_manager.Open());
    }
    void OpenProduction()
    {
        OpenManager();
        TW_IDENTITY source{};
        ASSERT_TRUE(FindSource(m_manager, kProduction, source));
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
} // namespace

TEST_F(TWSourceManagerTest, OpenCloseAndReopenInOneProcess)
{
    CTestSystemFolder folder({"production_duplex"});
    EXPECT_EQ(ZKTW_STATE_UNLOADED, m_manager.GetState());
    for (int round = 0; round < 2; ++round)
    {
        RegisterTestApp(m_manager);
        ASSERT_TRUE(m_manager.Open()) << "round " << round;
        EXPECT_EQ(ZKTW_STATE_DSM_OPEN, m_manager.GetState());
        TW_IDENTITY source{};
        ASSERT_TRUE(FindSource(m_manager, kProduction, source));
        ASSERT_TRUE(m_manager.OpenSource(source));
        EXPECT_TRUE(m_manager.IsSourceOpen());
        EXPECT_FALSE(m_manager.IsAcquiring());
        TW_IDENTITY current{};
        m_manager.GetCurrentSource(current);
        EXPECT_STREQ(kProduction, current.ProductName);
        EXPECT_NE(0u, current.Id);
        m_manager.CloseSource();
        EXPECT_EQ(ZKTW_STATE_DSM_OPEN, m_manager.GetState());
        m_manager.GetCurrentSource(current);
        EXPECT_EQ(0u, current.Id);
        m_manager.Close();
        EXPECT_EQ(ZKTW_STATE_UNLOADED, m_manager.GetState());
    }
}

TEST_F(TWSourceManagerTest, OpenFailsWithoutTheLibraryAndCallsFailCleanly)
{
    CTestSystemFolder folder({}, false);
    RegisterTestApp(m_manager);
    EXPECT_FALSE(m_manager.Open());
    EXPECT_EQ(ZKTW_STATE_UNLOADED, m_manager.GetState());
    std::vector<TW_IDENTITY> sources;
    EXPECT_FALSE(m_manager.QueryAvailableSources(sources));
    WORD value = 0;
    EXPECT_EQ(ZKTW_CAP_FAILURE, m_manager.GetCapOnevalue(ICAP_UNITS, ZKTW_GETCAP_CURRENT, TWTY_UINT16, &value));
}

TEST_F(TWSourceManagerTest, ListsNoneOneOrSeveralSourcesAndAppends)
{
    {
        CTestSystemFolder folder;
        OpenManager();
        std::vector<TW_IDENTITY> sources;
        EXPECT_TRUE(m_manager.QueryAvailableSources(sources));
        EXPECT_TRUE(sources.empty());
        m_manager.Close();
    }
    {
        CTestSystemFolder folder({"desktop_simplex"});
        OpenManager();
        std::vector<TW_IDENTITY> sources(1); // kept: the list is appended to
        EXPECT_TRUE(m_manager.QueryAvailableSources(sources));
        ASSERT_EQ(2u, sources.size());
        EXPECT_STREQ(kDesktop, sources[1].ProductName);
        TW_IDENTITY preferred{};
        EXPECT_TRUE(m_manager.GetDefaultSource(preferred));
        EXPECT_STREQ(kDesktop, preferred.ProductName);
        m_manager.Close();
    }
    {
        CTestSystemFolder folder({"desktop_simplex", "legacy_noxfermech", "production_duplex"});
        OpenManager();
        std::vector<TW_IDENTITY> sources;
        EXPECT_TRUE(m_manager.QueryAvailableSources(sources));
        ASSERT_EQ(3u, sources.size());
        TW_IDENTITY chosen{};
        std::strcpy(chosen.ProductName, "left over");
        EXPECT_TRUE(m_manager.UISelectSource(chosen, nullptr));
        EXPECT_NE(0u, chosen.Id);
    }
}

TEST_F(TWSourceManagerTest, SourceWithoutTransferMechanismStillOpens)
{
    CTestSystemFolder folder({"legacy_noxfermech"});
    OpenManager();
    TW_IDENTITY source{};
    ASSERT_TRUE(FindSource(m_manager, kLegacy, source));
    EXPECT_TRUE(m_manager.OpenSource(source));
    EXPECT_EQ(ZKTW_STATE_SOURCE_OPEN, m_manager.GetState());
    EXPECT_TRUE(m_manager.IsCapSupported(ICAP_PIXELTYPE));
    EXPECT_FALSE(m_manager.IsCapSupported(ICAP_XFERMECH));
    EXPECT_TRUE(m_observer.Errors().empty());
}

TEST_F(TWSourceManagerTest, OpenSourceSetsTheTransferModeAndReadsSupportedCaps)
{
    CTestSystemFolder folder({"production_duplex"});
    m_manager.SetTransferMode(TWSX_FILE);
    OpenProduction();
    WORD mechanism = 99;
    EXPECT_EQ(ZKTW_CAP_SUCCESS,
              m_manager.GetCapOnevalue(ICAP_XFERMECH, ZKTW_GETCAP_CURRENT, TWTY_UINT16, &mechanism));
    EXPECT_EQ(TWSX_FILE, mechanism);
    EXPECT_TRUE(m_manager.IsCapSupported(0x8006));
    EXPECT_TRUE(m_manager.IsDeviceOnline());
}

TEST_F(TWSourceManagerTest, OpeningAnUnknownSourceFails)
{
    CTestSystemFolder folder({"production_duplex"});
    OpenManager();
    TW_IDENTITY missing{};
    std::strcpy(missing.ProductName, "No Such Scanner");
    EXPECT_FALSE(m_manager.OpenSource(missing));
    EXPECT_EQ(ZKTW_STATE_DSM_OPEN, m_manager.GetState());
}

TEST_F(TWSourceManagerTest, CallsFromForeignThreadsRunOnTheWindowThread)
{
    CTestSystemFolder folder({"production_duplex"});
    OpenProduction();
    std::vector<std::thread> callers;
    std::atomic<int> failures{0};
    // Two different questions at once: an answer meant for another caller
    // shows as a failure.
    for (int i = 0; i < 6; ++i)
        callers.emplace_back([&, i] {
            for (int n = 0; n < 50; ++n)
            {
                if (i % 2)
                {
                    TW_UINT16 pixelType = 0xFFFF;
                    if (m_manager.GetCapOnevalue(ICAP_PIXELTYPE, ZKTW_GETCAP_CURRENT, TWTY_UINT16, &pixelType) != 0 ||
                        pixelType != TWPT_BW)
                        ++failures;
                    continue;
                }
                TW_FIX32 resolution{};
                if (m_manager.GetCapOnevalue(ICAP_XRESOLUTION, ZKTW_GETCAP_CURRENT, TWTY_FIX32, &resolution) != 0 ||
                    resolution.Whole != 200)
                    ++failures;
            }
        });
    for (std::thread& caller : callers)
        caller.join();
    EXPECT_EQ(0, failures.load());

    // The failing call below is reported on the window thread, not on ours.
    TW_CAPABILITY capability{};
    capability.Cap = 0x7777;
    capability.ConType = TWON_DONTCARE16;
    const DWORD result = m_manager.InvokeDSCommand(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability, TRUE);
    EXPECT_EQ(TWRC_FAILURE, ZKTWReturnCode(result));
    EXPECT_NE(0u, m_observer.errorThread.load());
    EXPECT_NE(CZKThread::CurrentId(), m_observer.errorThread.load());
}

TEST_F(TWSourceManagerTest, CallFromInsideAnObserverSlotGoesStraightThrough)
{
    CTestSystemFolder folder({"production_duplex"});
    OpenProduction();
    std::atomic<WORD> nestedResult{0xFFFF};
    TW_FIX32 nestedValue{};
    m_observer.onError = [&] {
        nestedResult = m_manager.GetCapOnevalue(ICAP_YRESOLUTION, ZKTW_GETCAP_CURRENT, TWTY_FIX32, &nestedValue);
    };
    TW_CAPABILITY capability{};
    capability.Cap = 0x7777;
    m_manager.InvokeDSCommand(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability, TRUE);
    EXPECT_EQ(ZKTW_CAP_SUCCESS, nestedResult.load());
    EXPECT_EQ(200, nestedValue.Whole);
}

TEST_F(TWSourceManagerTest, FailuresAreReportedOnlyWhenAsked)
{
    CTestSystemFolder folder({"production_duplex"});
    OpenProduction();
    TW_CAPABILITY capability{};
    capability.Cap = 0x7777;
    m_manager.InvokeDSCommand(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability, FALSE);
    EXPECT_TRUE(m_observer.Errors().empty());
    const DWORD result = m_manager.InvokeDSCommand(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability, TRUE);
    const auto errors = m_observer.Errors();
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ(DG_CONTROL, errors[0].DG);
    EXPECT_EQ(DAT_CAPABILITY, errors[0].DAT);
    EXPECT_EQ(MSG_GET, errors[0].MSG);
    EXPECT_EQ(TWRC_FAILURE, errors[0].rc);
    EXPECT_EQ(ZKTWConditionCode(result), errors[0].cc);
    EXPECT_EQ(TWCC_CAPUNSUPPORTED, errors[0].cc);
}

TEST_F(TWSourceManagerTest, CustomDataTravelsBothWays)
{
    CTestSystemFolder folder({"production_duplex"});
    OpenProduction();
    HGLOBAL initial = nullptr;
    ASSERT_TRUE(m_manager.GetCustomDSData(initial));
    ASSERT_EQ(6u, CZKGlobalMemory::Size(initial));
    const BYTE expected[] = {0x5A, 0x4B, 0x01, 0x00, 0x02, 0x00};
    EXPECT_EQ(0, std::memcmp(expected, CZKGlobalMemory::Lock(initial), 6));
    CZKGlobalMemory::Unlock(initial);
    CZKGlobalMemory::Free(initial);

    HGLOBAL mine = CZKGlobalMemory::Alloc(3);
    std::memcpy(CZKGlobalMemory::Lock(mine), "abc", 3);
    CZKGlobalMemory::Unlock(mine);
    ASSERT_TRUE(m_manager.SetCustomDSData(mine));
    EXPECT_TRUE(CZKGlobalMemory::IsValid(mine)); // still the caller's
    CZKGlobalMemory::Free(mine);

    HGLOBAL back = nullptr;
    ASSERT_TRUE(m_manager.GetCustomDSData(back));
    ASSERT_EQ(3u, CZKGlobalMemory::Size(back));
    EXPECT_EQ(0, std::memcmp("abc", CZKGlobalMemory::Lock(back), 3));
    CZKGlobalMemory::Free(back);
    EXPECT_FALSE(m_manager.SetCustomDSData(nullptr));
}

TEST_F(TWSourceManagerTest, ChangeDirectoryReachesTheCameras)
{
    CTestSystemFolder folder({"production_duplex"});
    OpenProduction();
    char camera[256] = "/Camera_Color_Top";
    EXPECT_TRUE(ZKTWSucceeded(m_manager.ChangeDirectory(camera)));
    char missing[256] = "/Camera_Nowhere";
    EXPECT_FALSE(ZKTWSucceeded(m_manager.ChangeDirectory(missing)));
}

TEST_F(TWSourceManagerTest, CheckDeviceOnlineClearsTheOnlineFlag)
{
    CTestSystemFolder folder;
    folder.AddSampleProfile("production_duplex", "[Faults]\nFail = 0x1 0x1 0x3 0x17\n");
    OpenProduction();
    EXPECT_TRUE(m_manager.IsDeviceOnline());
    TW_BOOL value = 0;
    // Error reports are off here; the flag is cleared all the same.
    EXPECT_EQ(ZKTW_CAP_FAILURE, m_manager.GetCapOnevalue(CAP_FEEDERLOADED, ZKTW_GETCAP_DEFAULT, TWTY_BOOL, &value));
    EXPECT_FALSE(m_manager.IsDeviceOnline());
    EXPECT_TRUE(m_observer.Errors().empty());
    m_manager.CloseSource();
    TW_IDENTITY source{};
    ASSERT_TRUE(FindSource(m_manager, kProduction, source));
    ASSERT_TRUE(m_manager.OpenSource(source));
    EXPECT_TRUE(m_manager.IsDeviceOnline());
}

TEST_F(TWSourceManagerTest, ASourceThatThrowsIsSurvived)
{
    CTestSystemFolder folder;
    folder.AddSampleProfile("production_duplex", "[Faults]\nThrow = 0x1 0x1 0x3\n");
    std::atomic<int> boxes{0};
    CZKMessageBox::SetSink([&](const std::wstring&, const std::wstring& text) {
        if (text == L"Crash from twain!")
            ++boxes;
    });
    OpenProduction();
    TW_CAPABILITY capability{};
    capability.Cap = ICAP_XRESOLUTION;
    capability.ConType = TWON_DONTCARE16;
    const DWORD result = m_manager.InvokeDSCommand(DG_CONTROL, DAT_CAPABILITY, MSG_GETDEFAULT, &capability, TRUE);
    CZKMessageBox::SetSink(nullptr);
    EXPECT_EQ(TWRC_FAILURE, ZKTWReturnCode(result));
    EXPECT_EQ(1, boxes.load());
    ASSERT_EQ(1u, m_observer.Errors().size());
    EXPECT_EQ(TWRC_FAILURE, m_observer.Errors()[0].rc);
    TW_FIX32 resolution{};
    EXPECT_EQ(ZKTW_CAP_SUCCESS,
              m_manager.GetCapOnevalue(ICAP_XRESOLUTION, ZKTW_GETCAP_CURRENT, TWTY_FIX32, &resolution));
}

TEST_F(TWSourceManagerTest, TraceLinesNameTheTripletAndItsCondition)
{
    CTestSystemFolder folder({"production_duplex"});
    CTraceCapture trace;
    OpenProduction();
    EXPECT_TRUE(trace.Contains("FENNICK 0: Load TWAIN"));
    EXPECT_TRUE(trace.Contains("FENNICK 0: Open DSM"));
    EXPECT_TRUE(trace.Contains("FENNICK 0: Open source"));
    EXPECT_TRUE(trace.Contains("FENNICK 1: Before call DG_CONTROL/DAT_IDENTITY/MSG_OPENDS"));
    EXPECT_TRUE(trace.Contains("Async Begin: DEST=0 DG=DG_CONTROL DAT=DAT_PARENT MSG=MSG_OPENDSM DATA="));
    EXPECT_TRUE(trace.Contains("Async End: RC=TWRC_SUCCESS DEST=0 DG=DG_CONTROL DAT=DAT_PARENT MSG=MSG_OPENDSM"));
    EXPECT_TRUE(trace.Contains("DSMEntry: RC=TWRC_SUCCESS DEST=0 DG=DG_CONTROL DAT=DAT_IDENTITY MSG=MSG_OPENDS DATA="));

    TW_CAPABILITY capability{};
    capability.Cap = 0x7777;
    m_manager.InvokeDSCommand(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability, FALSE);
    EXPECT_TRUE(trace.Contains("DSMEntry: RC=TWRC_FAILURE DEST="));
    EXPECT_TRUE(trace.Contains("Get Condition Code: RC=TWRC_SUCCESS DEST="));
    EXPECT_TRUE(trace.Contains("DAT=DAT_CAPABILITY MSG=MSG_GET DATA="));
    EXPECT_TRUE(trace.Contains("CC=TWCC_CAPUNSUPPORTED"));

    // Codes outside the tables print as empty names.
    m_manager.InvokeDSCommand(DG_CONTROL, 0x7A7A, 0x7B7B, nullptr, FALSE);
    EXPECT_TRUE(trace.Contains("DG=DG_CONTROL DAT= MSG= DATA=0"));
    m_manager.CloseSource();
    m_manager.Close();
    EXPECT_TRUE(trace.Contains("FENNICK 0: Close source"));
    EXPECT_TRUE(trace.Contains("FENNICK 0: Close DSM"));
}

// A strictly standard source sees a TWAIN 2 application and nothing but
// triplets meant for sources (it aborts the test on anything else).
TEST_F(TWSourceManagerTest, StandardSourceSeesATwain2Application)
{
    CTestSystemFolder folder;
    CStrictSourceFile strict(ZK_FENNICK_STRICT_SOURCE, folder.Path() + "/twain_32");
    OpenManager();
    TW_IDENTITY source{};
    ASSERT_TRUE(FindSource(m_manager, "ZK Strict Source", source));
    ASSERT_TRUE(m_manager.OpenSource(source)) << "unsupported capabilities do not stop the opening";
    const STRICT_SOURCE_REPORT report = strict.Report();
    EXPECT_EQ(1, report.identifications);
    for (const TW_IDENTITY& application : {report.identifiedBy, report.openedBy})
    {
        EXPECT_EQ(TWON_PROTOCOLMAJOR, application.ProtocolMajor);
        EXPECT_EQ(TWON_PROTOCOLMINOR, application.ProtocolMinor);
        EXPECT_TRUE(application.SupportedGroups & DF_APP2);
        EXPECT_STREQ("fennick tests", application.ProductName);
    }
    m_manager.CloseSource();
    m_manager.Close();
}
