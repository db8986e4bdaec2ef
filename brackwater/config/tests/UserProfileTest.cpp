// Users, groups and name lists; the user profile's preferences and window
// layout, their normalisation and the measurement-system default.
#include <brackwater/QXRecordScript.h>
#include <brackwater/QX_USRCFG_GENERAL_TYPE.h>
#include <brackwater/QX_USRCFG_GROUP_TYPE.h>
#include <brackwater/QX_USRCFG_USER_TYPE.h>
#include <brackwater/QX_USRPRO_GENERAL_TYPE.h>
#include <brackwater/QX_USRPRO_WORKSPACE_TYPE.h>

#include <hollin/ZKScript.h>
#include <orrin/ZKRCM.h>

#include "common/RecordSamples.h"
#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
// Sets (or, with nullptr, removes) a variable of the process environment
// for the test's duration.
class CScopedEnv
{
public:
    CScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old, m_had = true;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~CScopedEnv()
    {
        if (m_had)
            ::setenv(m_name, m_old.c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

std::string WriteEnvResource(const CTempFolder& folder, const char* measurement)
{
    const std::string path = folder.Path() + "/env.zks";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f)
    {
        std::fprintf(f, "[Environment]\nMEASUREMENT_SYSTEM = %s\n", measurement);
        std::fclose(f);
    }
    return path;
}

int SectionItemCount(const CZKScript& script, const wchar_t* section)
{
    CZKScriptItemList items;
    return script.GetSectionItems(section, items) ? items.GetCount() : -1;
}

} // namespace

TEST(UserConfig, UserAndGeneralRoundTrip)
{
    const QX_USRCFG_USER_TYPE user = SampleUser();
    QX_USRCFG_GENERAL_TYPE general;
    general.bEnableWindowsUsers = TRUE;

    CZKScript script;
    script.SetDefaultSection(L"Users.anna");
    ASSERT_TRUE(user.toscript(script));
    ASSERT_TRUE(general.toscript(script));
    std::wstring stored;
    ASSERT_TRUE(script.GetKeyValue(L"Full name", stored));
    EXPECT_EQ(stored, L"Anna Berg");
    ASSERT_TRUE(script.GetKeyValue(L"Password", stored));
    EXPECT_EQ(stored, user.strPassword); // stored as held, no cipher

    CZKScript loaded;
    ASSERT_TRUE(loaded.LoadFromText(script.SaveToText()));
    loaded.SetDefaultSection(L"Users.anna");
    QX_USRCFG_USER_TYPE readUser;
    QX_USRCFG_GENERAL_TYPE readGeneral;
    ASSERT_TRUE(readUser.fromscript(loaded));
    ASSERT_TRUE(readGeneral.fromscript(loaded));
    EXPECT_EQ(readUser, user);
    EXPECT_EQ(readGeneral, general);

    loaded.RemoveKey(L"SysAdmin");
    EXPECT_FALSE(readUser.fromscript(loaded));
    EXPECT_EQ(readUser, QX_USRCFG_USER_TYPE());
}

TEST(UserConfig, NameListsOwnTheirSection)
{
    CZKScript script;
    script.SetDefaultSection(L"Jobs");
    script.SetKeyValue(L"Stale", L"x");
    script.AddScript(L"Job = old");
    QX_USRCFG_JOBLIST_TYPE jobs;
    jobs.names.AddTail(L"Claims");
    jobs.names.AddTail(L"Invoices 2");
    ASSERT_TRUE(jobs.toscript(script));
    EXPECT_EQ(SectionItemCount(script, L"Jobs"), 2);

    QX_USRCFG_JOBLIST_TYPE read;
    ASSERT_TRUE(read.fromscript(script));
    EXPECT_EQ(read, jobs);

    // An empty list is a list, not a failure.
    QX_USRCFG_FEATURELIST_TYPE features;
    features.names.AddTail(L"left over");
    script.SetDefaultSection(L"Features");
    EXPECT_TRUE(features.fromscript(script));
    EXPECT_EQ(features.names.GetCount(), 0);
}

TEST(UserConfig, GroupKeepsItsUsersInUserListSection)
{
    CZKScript script;
    script.SetDefaultSection(L"User list");
    script.AddScript(L"User = someone else");
    script.AddScript(L"Other = item");
    script.SetDefaultSection(L"Groups.Scan");

    const QX_USRCFG_GROUP_TYPE group = SampleUserGroup();
    ASSERT_TRUE(group.toscript(script));
    EXPECT_EQ(SectionItemCount(script, L"User list"), 2);
    EXPECT_EQ(SQXRecordScript::GetSection(script), L"Groups.Scan");

    QX_USRCFG_GROUP_TYPE read;
    ASSERT_TRUE(read.fromscript(script));
    EXPECT_EQ(read, group);
}

TEST(UserProfile, DefaultsAndNormalisation)
{
    QX_USRPRO_GENERAL_TYPE profile;
    EXPECT_EQ(profile.strLanguage, SZKRCM::GetCurrentLanguage());
    EXPECT_EQ(profile.iconSize.value, 32);
    EXPECT_EQ(profile.zoomMode.value, 1);
    EXPECT_EQ(profile.nRowsInImageViewer, 2);
    EXPECT_EQ(profile.nColsInImageViewer, 4);
    EXPECT_EQ(profile.nMagnificationRatio, 100);
    EXPECT_TRUE(profile.bRegionApplyMessage);
    EXPECT_TRUE(profile.ivFilter.bFilterGrayscale);
    EXPECT_EQ(profile.removeBlankImages.nGrayscaleSizeBelow, 10000);
    EXPECT_TRUE(profile.check());

    profile.iconSize.value = 30;
    profile.zoomMode.value = 7;
    profile.flagUnit.value = 3;
    profile.removeBlankImages.nColumns = 0;
    profile.nToolType = 77; // free value, left alone
    EXPECT_FALSE(profile.check());
    profile.normalize();
    EXPECT_TRUE(profile.check());
    EXPECT_EQ(profile.iconSize.value, 32);
    EXPECT_EQ(profile.zoomMode.value, 1);
    EXPECT_EQ(profile.flagUnit.value, 0);
    EXPECT_EQ(profile.removeBlankImages.nColumns, 6);
    EXPECT_EQ(profile.nToolType, 77);
}

TEST(UserProfile, GeneralRoundTripAndSections)
{
    const QX_USRPRO_GENERAL_TYPE profile = SampleProfile();

    CZKScript script;
    script.SetDefaultSection(L"Profile");
    ASSERT_TRUE(profile.toscript(script));
    int value = 0;
    EXPECT_TRUE(script.R_int(L"RowsInImageViewerC", value, 0, L"Profile"));
    EXPECT_EQ(value, 6);
    EXPECT_TRUE(script.R_int(L"FilterFront", value, 0, L"TVFilterType"));
    EXPECT_TRUE(script.R_int(L"BlackWhiteSizeBlow", value, 0, L"RemoveBlankImages"));

    QX_USRPRO_GENERAL_TYPE read;
    ASSERT_TRUE(read.fromscript(script));
    EXPECT_EQ(read, profile);
    EXPECT_EQ(SQXRecordScript::GetSection(script), L"Profile");
}

TEST(UserProfile, WorkspaceRoundTripPanesAndKeys)
{
    const QX_USRPRO_WORKSPACE_TYPE w = SampleWorkspace();
    CZKScript script;
    script.SetDefaultSection(L"Workspace");
    ASSERT_TRUE(w.toscript(script));
    int value = 0;
    EXPECT_TRUE(script.R_int(L"RowsInImageViewer", value, 0, L"Workspace"));
    EXPECT_FALSE(script.R_int(L"RowsInImageViewerC", value, 0, L"Workspace"));
    EXPECT_TRUE(script.R_int(L"VWCount", value, 0, L"Workspace"));
    EXPECT_EQ(value, 2);

    CZKScript loaded;
    ASSERT_TRUE(loaded.LoadFromText(script.SaveToText()));
    loaded.SetDefaultSection(L"Workspace");
    QX_USRPRO_WORKSPACE_TYPE read;
    ASSERT_TRUE(read.fromscript(loaded));
    EXPECT_EQ(read, w);

    // A pane count beyond what the record holds, or a missing pane, refuses
    // the whole workspace.
    loaded.W_int(L"VWCount", 1000000);
    EXPECT_FALSE(read.fromscript(loaded));
    EXPECT_EQ(read, QX_USRPRO_WORKSPACE_TYPE());
    loaded.W_int(L"VWCount", 3);
    EXPECT_FALSE(read.fromscript(loaded));
    EXPECT_TRUE(read.panes.empty());
}

// The image-view preferences both records keep: every one of them is
// copied, compared and reset, in either record.
template <class Record> class ImageViewPreferences : public ::testing::Test
{
};
using RecordsWithImageView = ::testing::Types<QX_USRPRO_GENERAL_TYPE, QX_USRPRO_WORKSPACE_TYPE>;
TYPED_TEST_SUITE(ImageViewPreferences, RecordsWithImageView);

TYPED_TEST(ImageViewPreferences, EachIsCopiedComparedAndReset)
{
    using Change = void (*)(TypeParam&);
    const Change changes[] = {
        [](TypeParam& r) { r.imageDisplayType.value = 1; },
        [](TypeParam& r) { r.selectUnit.value = 2; },
        [](TypeParam& r) { r.flagUnit.value = 1; },
        [](TypeParam& r) { r.zoomMode.value = 0; },
        [](TypeParam& r) { r.ivFilter.bFilterBack = FALSE; },
        [](TypeParam& r) { r.tvFilter.bFilterColor = FALSE; },
        [](TypeParam& r) { r.removeBlankImages.nRows = 9; },
        [](TypeParam& r) { r.nEnterKeyAction = 2; },
        [](TypeParam& r) { r.nRowsInImageViewer = 3; },
        [](TypeParam& r) { r.nColsInImageViewer = 5; },
    };
    const TypeParam defaults;
    for (size_t i = 0; i < sizeof(changes) / sizeof(changes[0]); ++i)
    {
        SCOPED_TRACE(i);
        TypeParam changed;
        changes[i](changed);
        EXPECT_NE(changed, defaults);
        TypeParam copy;
        copy = changed;
        EXPECT_EQ(copy, changed);
        changed.reset();
        EXPECT_EQ(changed, defaults);
    }
}

TYPED_TEST(ImageViewPreferences, InvalidOnesAreFoundAndRepaired)
{
    TypeParam r;
    r.zoomMode.value = 7;
    r.removeBlankImages.nColumns = 0;
    EXPECT_FALSE(r.check());
    r.normalize();
    EXPECT_TRUE(r.check());
    EXPECT_EQ(r.zoomMode.value, 1);
    EXPECT_EQ(r.removeBlankImages.nColumns, 6);
}

TEST(UserProfile, MeasurementSystemDefault)
{
    CTempFolder folder;
    CScopedEnv lcAll("LC_ALL", nullptr);
    CScopedEnv lcMeasurement("LC_MEASUREMENT", nullptr);
    CScopedEnv language("LANGUAGE", nullptr);
    {
        CScopedEnv resource("ZK_ENV_RESOURCE", WriteEnvResource(folder, "us").c_str());
        CScopedEnv lang("LANG", "de_DE.UTF-8");
        EXPECT_EQ(QX_USRPRO_GENERAL_TYPE().ms.value, 0); // the override wins
    }
    CScopedEnv resource("ZK_ENV_RESOURCE", WriteEnvResource(folder, "").c_str());
    {
        // Locales that are not installed still tell their country.
        CScopedEnv lang("LANG", "en_US.UTF-8");
        EXPECT_EQ(QX_USRPRO_GENERAL_TYPE().ms.value, 0);
        CScopedEnv measurement("LC_MEASUREMENT", "en_GB.UTF-8");
        EXPECT_EQ(QX_USRPRO_GENERAL_TYPE().ms.value, 1);
    }
    {
        CScopedEnv lang("LANG", "C");
        CScopedEnv languages("LANGUAGE", "en_US:en");
        EXPECT_EQ(QX_USRPRO_GENERAL_TYPE().ms.value, 0);
    }
    CScopedEnv lang("LANG", "C");
    EXPECT_EQ(QX_USRPRO_GENERAL_TYPE().ms.value, 1);
}
