// The simulated manager treats sources as a standard TWAIN manager does: it
// identifies each data-source file once, with DAT_IDENTITY / MSG_GET and a
// copy of the application's identity, sends a source only triplets meant for
// sources (the strict source aborts on anything else), lets an open source
// report its own status, and opens regular files only.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <string>

#include "common/TwainCapability.h"
#include "common/TwainTempFolder.h"
#include "common/TwainTestApp.h"
#include "strictds/StrictSourceFile.h"

namespace
{
const char kStrict[] = "ZK Strict Source";
const char kDesktop[] = "ZK Virtual Desktop Simplex";

bool Lists(const std::vector<TW_IDENTITY>& sources, const std::string& name)
{
    for (const TW_IDENTITY& source : sources)
        if (name == source.ProductName)
            return true;
    return false;
}

// A source folder with the strict source and the desktop virtual scanner.
class DsmStandardSourceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_sources.CopyFrom(TWAIN_TEST_FOLDERS::SourceFile(), "desktop_simplex.ds");
        CTwainTestApp::UseFolders(m_sources.Path(), TWAIN_TEST_FOLDERS::SampleProfiles());
    }

    CTwainTempFolder m_sources;
    CStrictSourceFile m_strict{ZK_TWAIN_STRICT_SOURCE, m_sources.Path()};
};
} // namespace

TEST_F(DsmStandardSourceTest, IdentifiesEachFileOnceOnTheApplicationsBehalf)
{
    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    EXPECT_STREQ("Simulator Test", app.Identity().ProductName) << "the source wrote into a copy only";
    const std::vector<TW_IDENTITY> sources = app.ListSources();
    EXPECT_TRUE(Lists(sources, kStrict));
    EXPECT_TRUE(Lists(sources, kDesktop)) << "the virtual scanner answers an application's MSG_GET";
    app.ListSources();

    STRICT_SOURCE_REPORT report = m_strict.Report();
    EXPECT_EQ(1, report.identifications);
    EXPECT_EQ(+app.Identity().Id, +report.identifiedBy.Id);
    EXPECT_STREQ("Simulator Test", report.identifiedBy.ProductName);

    ASSERT_EQ(TWRC_SUCCESS, app.OpenSource(kStrict));
    report = m_strict.Report();
    EXPECT_EQ(1, report.opens);
    EXPECT_EQ(1, report.entryPoints) << "a TWAIN 2 source learns the entry points before it opens";
    EXPECT_EQ(+app.Identity().Id, +report.openedBy.Id);
    EXPECT_EQ(TWRC_SUCCESS, app.CloseSource());
    EXPECT_EQ(1, m_strict.Report().identifications);
}

TEST_F(DsmStandardSourceTest, AnOpenSourceReportsItsOwnStatus)
{
    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    ASSERT_EQ(TWRC_SUCCESS, app.OpenSource(kStrict));
    // A refusal of the manager's own is still pending when the source fails.
    EXPECT_EQ(TWRC_FAILURE, app.Call(nullptr, DG_CONTROL, DAT_PASSTHRU, MSG_PASSTHRU, nullptr));
    CTwainCapability cap(ICAP_XRESOLUTION);
    EXPECT_EQ(TWRC_FAILURE, app.Call(&app.Source(), DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &cap));
    const int queries = m_strict.Report().statusQueries;
    EXPECT_EQ(TWCC_CAPUNSUPPORTED, app.Condition(&app.Source()));
    EXPECT_EQ(queries + 1, m_strict.Report().statusQueries);
    EXPECT_EQ(TWCC_BADPROTOCOL, app.Condition()) << "the manager keeps its own for itself";
}

TEST_F(DsmStandardSourceTest, OnlyRegularFilesAreOpened)
{
    // A FIFO blocks whoever opens it until a writer comes: it must never be
    // opened, neither as a data source nor as a profile.
    CTwainTempFolder profiles;
    profiles.CopyFrom(TWAIN_TEST_FOLDERS::SampleProfiles() + "/desktop_simplex.profile", "desktop_simplex.profile");
    ASSERT_EQ(0, mkfifo((profiles.Path() + "/jam.profile").c_str(), 0600));
    ASSERT_EQ(0, mkfifo((m_sources.Path() + "/fifo.ds").c_str(), 0600));
    m_sources.CopyFrom(TWAIN_TEST_FOLDERS::SourceFile(), "jam.ds");
    CTwainTestApp::UseFolders(m_sources.Path(), profiles.Path());

    CTwainTestApp app;
    ASSERT_EQ(TWRC_SUCCESS, app.OpenDsm());
    const std::vector<TW_IDENTITY> sources = app.ListSources();
    EXPECT_EQ(2u, sources.size());
    EXPECT_TRUE(Lists(sources, kStrict));
    EXPECT_TRUE(Lists(sources, kDesktop));
}
