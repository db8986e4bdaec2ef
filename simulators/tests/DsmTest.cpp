// The simulated source manager seen from an application: identities, source
// discovery, the manager's own condition codes, memory entry points and the
// routing of source events.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "common/TwainCapability.h"
#include "common/TwainTempFolder.h"
#include "common/TwainTestApp.h"

namespace
{
const char kProduction[] = "ZK Virtual Production Duplex";
const char kDesktop[] = "ZK Virtual Desktop Simplex";

class DsmTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CTwainTestApp::UseFolders(TWAIN_TEST_FOLDERS::DataSources(), TWAIN_TEST_FOLDERS::SampleProfiles());
    }
};

std::string Name(const TW_IDENTITY& identity)
{
    return identity.ProductName;
}

// Collects the events a callback receives on the source's thread.
struct EventLog
{
    std::mutex lock;
    std::condition_variable changed;
    std::vector<TW_UINT16> messages;
    TW_IDENTITY source{};
    TW_IDENTITY application{};

    TW_UINT16 WaitForFirst()
    {
        std::unique_lock<std::mutex> guard(lock);
        changed.wait_for(guard, std::chrono::seconds(5), [this] { return !messages.empty(); });
        return messages.empty() ? MSG_NULL : messages.front();
    }
};

TW_UINT16 LogEvent(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                   TW_MEMREF refCon)
{
    auto* log = static_cast<EventLog*>(refCon);
    std::lock_guard<std::mutex> guard(log->lock);
    if (dg == DG_CONTROL && dat == DAT_NULL)
    {
        log->messages.push_back(msg);
        log->source = *origin;
        log->application = *dest;
    }
    log->changed.notify_all();
    return TWRC_SUCCESS;
}
} // namespace

TEST_F(DsmTest, OpenAndCloseFollowTheStateRules)
{
    CTwainTestApp app;
    CTwainTestApp other;
    EXPECT_EQ(TWRC_FAILURE, app.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &app.Source()));
    EXPECT_EQ(TWCC_SEQERROR, app.Condition());

    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    ASSERT_EQ(TWRC_SUCCESS, other.OpenDsm());
    EXPECT_NE(0u, +app.Identity().Id);
    EXPECT_NE(+app.Identity().Id, +other.Identity().Id);
    EXPECT_TRUE(app.Identity().SupportedGroups & DF_DSM2);

    EXPECT_EQ(TWRC_FAILURE, app.OpenDsm());
    EXPECT_EQ(TWCC_SEQERROR, app.Condition());
    EXPECT_EQ(TWCC_SUCCESS, app.Condition()) << "reading the status clears it";

    EXPECT_EQ(TWRC_FAILURE, app.Call(nullptr, DG_CONTROL, DAT_PASSTHRU, MSG_PASSTHRU, nullptr));
    EXPECT_EQ(TWCC_BADPROTOCOL, app.Condition());

    EXPECT_EQ(TWRC_SUCCESS, app.CloseDsm());
    EXPECT_EQ(TWRC_FAILURE, app.CloseDsm());
    EXPECT_EQ(TWCC_SEQERROR, app.Condition());
    EXPECT_EQ(TWRC_FAILURE, CTwainTestApp::Entry()(nullptr, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, nullptr));
}

TEST_F(DsmTest, EmptyFolderListsNoSource)
{
    CTwainTempFolder empty;
    CTwainTestApp::UseFolders(empty.Path(), empty.Path());
    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    TW_IDENTITY identity{};
    EXPECT_EQ(TWRC_ENDOFLIST, app.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &identity));
    EXPECT_EQ(TWRC_FAILURE, app.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &identity));
    EXPECT_EQ(TWCC_NODS, app.Condition());
    EXPECT_EQ(TWRC_FAILURE, app.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &identity));
    EXPECT_EQ(TWCC_NODS, app.Condition());
    EXPECT_EQ(TWRC_FAILURE, app.OpenSource(kProduction));
    EXPECT_EQ(TWCC_NODS, app.Condition());
}

TEST_F(DsmTest, ListsEveryScannerOfEveryDataSourceFile)
{
    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    std::vector<TW_IDENTITY> sources = app.ListSources();
    size_t profiles = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ZK_TWAIN_SIM_PROFILES))
        profiles += entry.path().extension() == ".profile" ? 1 : 0;
    ASSERT_EQ(profiles, sources.size());
    ASSERT_GE(sources.size(), 3u);
    EXPECT_EQ(kDesktop, Name(sources[0]));
    EXPECT_EQ("ZK Virtual Legacy", Name(sources[1]));
    EXPECT_EQ(kProduction, Name(sources[2]));
    EXPECT_EQ("Vantrel PX530", Name(sources.back())); // file name order
    EXPECT_STREQ("ZK Simulated Devices", sources[2].Manufacturer);
    EXPECT_STREQ("Production Series", sources[2].ProductFamily);
    EXPECT_EQ(2, sources[2].Version.MajorNum);
    EXPECT_EQ(1, sources[2].Version.MinorNum);
    EXPECT_TRUE(sources[2].SupportedGroups & DF_DS2);
    EXPECT_NE(+sources[0].Id, +sources[1].Id);
    EXPECT_NE(0u, +sources[0].Id);
    TW_IDENTITY past{};
    EXPECT_EQ(TWRC_ENDOFLIST, app.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &past));
}

TEST_F(DsmTest, SkipsFilesThatAreNotDataSources)
{
    CTwainTempFolder sources;
    CTwainTempFolder profiles;
    sources.CopyFrom(TWAIN_TEST_FOLDERS::SourceFile(), "one.ds");
    sources.Write("broken.ds", "not a shared object");
    sources.Write("notes.txt", "ignored");
    profiles.CopyFrom(TWAIN_TEST_FOLDERS::SampleProfiles() + "/desktop_simplex.profile", "one.profile");
    profiles.Write("broken.profile", "[Identity]\nProductName = Broken\n[Cap.X]\nId = 0x1118\nType = NOPE\n");
    CTwainTestApp::UseFolders(sources.Path(), profiles.Path());

    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    std::vector<TW_IDENTITY> listed = app.ListSources();
    ASSERT_EQ(1u, listed.size());
    EXPECT_EQ(kDesktop, Name(listed[0]));
}

TEST_F(DsmTest, DefaultSourceIsTheFirstUntilAnotherIsOpened)
{
    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    TW_IDENTITY identity{};
    ASSERT_EQ(TWRC_SUCCESS, app.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &identity));
    EXPECT_EQ(kDesktop, Name(identity));

    identity = TW_IDENTITY{};
    ASSERT_EQ(TWRC_SUCCESS, app.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &identity));
    EXPECT_EQ(kDesktop, Name(identity));

    ASSERT_EQ(TWRC_SUCCESS, app.OpenSource(kProduction));
    ASSERT_EQ(TWRC_SUCCESS, app.CloseSource());
    identity = TW_IDENTITY{};
    ASSERT_EQ(TWRC_SUCCESS, app.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &identity));
    EXPECT_EQ(kProduction, Name(identity));
    ASSERT_EQ(TWRC_SUCCESS, app.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &identity));
    EXPECT_EQ(kProduction, Name(identity));
}

TEST_F(DsmTest, OpensAndClosesSourcesByName)
{
    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    std::vector<TW_IDENTITY> listed = app.ListSources();

    EXPECT_EQ(TWRC_FAILURE, app.OpenSource("No Such Scanner"));
    EXPECT_EQ(TWCC_NODS, app.Condition());

    ASSERT_EQ(TWRC_SUCCESS, app.OpenSource(kProduction));
    EXPECT_EQ(+listed[2].Id, +app.Source().Id) << "the identity comes back complete";
    EXPECT_STREQ("Production Series", app.Source().ProductFamily);

    TW_IDENTITY again = app.Source();
    EXPECT_EQ(TWRC_FAILURE, app.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &again));
    EXPECT_EQ(TWCC_SEQERROR, app.Condition());
    EXPECT_EQ(TWRC_FAILURE, app.CloseDsm()) << "a source is still open";
    EXPECT_EQ(TWCC_SEQERROR, app.Condition());

    ASSERT_EQ(TWRC_SUCCESS, app.CloseSource());
    EXPECT_EQ(TWRC_FAILURE, app.CloseSource());
    EXPECT_EQ(TWCC_BADDEST, app.Condition());
    EXPECT_EQ(TWRC_SUCCESS, app.CloseDsm());
}

TEST_F(DsmTest, RefusesTripletsForSourcesThatAreNotOpen)
{
    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    TW_IDENTITY closed = app.ListSources().at(2);
    CTwainCapability cap(ICAP_XRESOLUTION);
    EXPECT_EQ(TWRC_FAILURE, app.Call(&closed, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &cap));
    EXPECT_EQ(TWCC_BADDEST, app.Condition(&closed)) << "the manager answers for its own refusal";
    EXPECT_EQ(TWCC_SUCCESS, app.Condition());
}

TEST_F(DsmTest, EntryPointNeedsATwain2ApplicationAndTheExactSize)
{
    CTwainTestApp old(DG_CONTROL | DG_IMAGE);
    ASSERT_EQ(TWRC_SUCCESS, old.OpenDsm());
    TW_ENTRYPOINT entry{};
    entry.Size = sizeof(TW_ENTRYPOINT);
    EXPECT_EQ(TWRC_FAILURE, old.Call(nullptr, DG_CONTROL, DAT_ENTRYPOINT, MSG_GET, &entry));
    EXPECT_EQ(TWCC_BADPROTOCOL, old.Condition());

    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    for (TW_UINT32 size : {0u, 40u, 48u})
    {
        entry.Size = size;
        EXPECT_EQ(TWRC_FAILURE, app.Call(nullptr, DG_CONTROL, DAT_ENTRYPOINT, MSG_GET, &entry)) << size;
        EXPECT_EQ(TWCC_BADVALUE, app.Condition()) << size;
    }
    EXPECT_EQ(TWRC_FAILURE, app.Call(nullptr, DG_CONTROL, DAT_ENTRYPOINT, MSG_GET, nullptr));
    EXPECT_EQ(TWCC_BADVALUE, app.Condition());

    entry.Size = 44;
    ASSERT_EQ(TWRC_SUCCESS, app.Call(nullptr, DG_CONTROL, DAT_ENTRYPOINT, MSG_GET, &entry));
    EXPECT_EQ(CTwainTestApp::Entry(), +entry.DSM_Entry);
    TW_HANDLE handle = entry.DSM_MemAllocate(64);
    ASSERT_NE(nullptr, handle);
    auto* bytes = static_cast<unsigned char*>(entry.DSM_MemLock(handle));
    EXPECT_EQ(handle, bytes) << "a handle is its own address";
    EXPECT_EQ(0, bytes[0] | bytes[63]);
    entry.DSM_MemUnlock(handle);
    entry.DSM_MemFree(handle);
}

TEST_F(DsmTest, HeldEventsComeBackThroughProcessEvent)
{
    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    ASSERT_EQ(TWRC_SUCCESS, app.OpenSource(kProduction));
    TW_EVENT event{nullptr, MSG_XFERREADY};
    EXPECT_EQ(TWRC_NOTDSEVENT, app.Call(&app.Source(), DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event));
    EXPECT_EQ(MSG_NULL, event.TWMessage);

    ASSERT_EQ(TWRC_SUCCESS, app.Enable(MSG_ENABLEDSUIONLY, true));
    EXPECT_EQ(MSG_CLOSEDSOK, app.WaitForEvent());
    EXPECT_EQ(TWRC_NOTDSEVENT, app.Call(&app.Source(), DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event));
    EXPECT_EQ(TWRC_FAILURE, app.Call(&app.Source(), DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, nullptr));
    EXPECT_EQ(TWCC_BADVALUE, app.Condition());
    EXPECT_EQ(TWRC_SUCCESS, app.Disable());
}

TEST_F(DsmTest, CallbacksReceiveEventsInsteadOfTheQueue)
{
    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    ASSERT_EQ(TWRC_SUCCESS, app.OpenSource(kProduction));
    EventLog log;
    TW_CALLBACK2 callback{reinterpret_cast<TW_MEMREF>(&LogEvent), reinterpret_cast<TW_UINTPTR>(&log), 0};
    ASSERT_EQ(TWRC_SUCCESS,
              app.Call(&app.Source(), DG_CONTROL, DAT_CALLBACK2, MSG_REGISTER_CALLBACK, &callback));

    ASSERT_EQ(TWRC_SUCCESS, app.Enable(MSG_ENABLEDS, false));
    EXPECT_EQ(MSG_XFERREADY, log.WaitForFirst());
    {
        std::lock_guard<std::mutex> guard(log.lock);
        EXPECT_EQ(+app.Source().Id, +log.source.Id);
        EXPECT_EQ(+app.Identity().Id, +log.application.Id);
    }
    TW_EVENT event{nullptr, MSG_NULL};
    EXPECT_EQ(TWRC_NOTDSEVENT, app.Call(&app.Source(), DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event));
}

TEST_F(DsmTest, ApplicationWideCallbackServesEverySource)
{
    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    EventLog log;
    // The 32-bit reference of the classic structure cannot carry a pointer,
    // so this callback finds its log through a static.
    static EventLog* current = nullptr;
    current = &log;
    auto relay = [](pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                    TW_MEMREF refCon) -> TW_UINT16 {
        EXPECT_EQ(reinterpret_cast<TW_MEMREF>(uintptr_t{77}), refCon);
        return LogEvent(origin, dest, dg, dat, msg, current);
    };
    TWAINCALLBACKPROC proc = relay;
    TW_CALLBACK callback{reinterpret_cast<TW_MEMREF>(proc), 77, 0};
    ASSERT_EQ(TWRC_SUCCESS, app.Call(nullptr, DG_CONTROL, DAT_CALLBACK, MSG_REGISTER_CALLBACK, &callback));
    EXPECT_EQ(TWRC_FAILURE, app.Call(nullptr, DG_CONTROL, DAT_CALLBACK, MSG_REGISTER_CALLBACK, nullptr));
    EXPECT_EQ(TWCC_BADVALUE, app.Condition());

    ASSERT_EQ(TWRC_SUCCESS, app.OpenSource(kDesktop));
    ASSERT_EQ(TWRC_SUCCESS, app.Enable(MSG_ENABLEDS, true));
    EXPECT_EQ(MSG_CLOSEDSREQ, log.WaitForFirst()) << "this profile's user cancels";
    EXPECT_EQ(TWRC_SUCCESS, app.Disable());
}

TEST_F(DsmTest, RefusesEventsFromSourcesNotOpenOrUnknownMessages)
{
    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    TW_IDENTITY source = app.ListSources().at(2);
    DSMENTRYPROC entry = CTwainTestApp::Entry();
    EXPECT_EQ(TWRC_FAILURE, entry(&source, &app.Identity(), DG_CONTROL, DAT_NULL, MSG_XFERREADY, nullptr));

    ASSERT_EQ(TWRC_SUCCESS, app.OpenSource(kProduction));
    EXPECT_EQ(TWRC_FAILURE, entry(&app.Source(), &app.Identity(), DG_CONTROL, DAT_NULL, MSG_GET, nullptr));
    EXPECT_EQ(TWRC_SUCCESS, entry(&app.Source(), &app.Identity(), DG_CONTROL, DAT_NULL, MSG_DEVICEEVENT, nullptr));
    EXPECT_EQ(MSG_DEVICEEVENT, app.WaitForEvent());
}

TEST_F(DsmTest, ExceptionFromASourceReachesTheCallerAndLeavesTheManagerUsable)
{
    CTwainTempFolder profiles;
    profiles.CopyFrom(TWAIN_TEST_FOLDERS::SampleProfiles() + "/production_duplex.profile", "a.profile");
    {
        std::ofstream(profiles.Path() + "/a.profile", std::ios::app) << "\n[Faults]\nThrow = 0x1 0x9 0x502\n";
    }
    CTwainTestApp::UseProfiles(profiles.Path());
    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    ASSERT_EQ(TWRC_SUCCESS, app.OpenSource(kProduction));
    EXPECT_THROW(app.Enable(MSG_ENABLEDS, false), std::exception);

    CTwainCapability cap(ICAP_XRESOLUTION);
    EXPECT_EQ(TWRC_SUCCESS, app.Call(&app.Source(), DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &cap));
    EXPECT_EQ(TWRC_SUCCESS, app.CloseSource()) << "the source never left state 4";
}

TEST_F(DsmTest, ApplicationsOnSeveralThreadsKeepTheirOwnState)
{
    std::mutex lock;
    std::vector<std::string> failures;
    auto run = [&](const char* product) {
        for (int round = 0; round < 10; ++round)
        {
            CTwainTestApp app;
            const char* failed = app.OpenDsm() != TWRC_SUCCESS                             ? "open the manager"
                                 : app.OpenSource(product) != TWRC_SUCCESS                  ? "open the source"
                                 : app.Enable(MSG_ENABLEDSUIONLY, true) != TWRC_SUCCESS     ? "enable"
                                 : app.WaitForEvent() == MSG_NULL                           ? "wait for the event"
                                 : app.Disable() != TWRC_SUCCESS                            ? "disable"
                                 : app.CloseSource() != TWRC_SUCCESS                        ? "close the source"
                                 : app.CloseDsm() != TWRC_SUCCESS                           ? "close the manager"
                                                                                            : nullptr;
            if (failed)
            {
                std::lock_guard<std::mutex> guard(lock);
                failures.push_back(std::string(product) + ": " + failed + ", condition " +
                                   std::to_string(app.Condition(nullptr)));
            }
        }
    };
    std::vector<std::thread> threads;
    for (const char* product : {kProduction, kDesktop, kProduction, kDesktop})
        threads.emplace_back(run, product);
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(std::vector<std::string>{}, failures);
}
