// The job's general group: batch naming and its plug-in selection, range
// warnings, counting rules, the auto-import and restriction records.
#include <brackwater/PLUGIN_SELECTION_TYPE.h>
#include <brackwater/QX_AIPCFG_GENERAL_TYPE.h>
#include <brackwater/QX_JOBCFG_BATCH_TYPE.h>
#include <brackwater/QX_JOBCFG_GENERAL_GROUP_TYPE.h>
#include <brackwater/QX_JOBCFG_GENERAL_NEWITEMRULE_TYPE.h>
#include <brackwater/QX_WELKIN_RESTRICT_TYPE.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKPath.h>
#include <hollin/ZKScript.h>

#include "common/JobRecordSamples.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace
{
// hollin's test plug-in, built beside the libraries.
std::wstring TestPlugin()
{
    std::wstring folder;
    SZKCommon::GetModuleFolderPath(folder);
    return SZKPath::MergePath_PNF(folder, L"libhollin_testplugin.so", L"");
}

#define REQUIRE_TEST_PLUGIN()                                                                   \
    if (::access(SZKPath::ToNative(TestPlugin()).c_str(), R_OK) != 0)                           \
    GTEST_SKIP() << "hollin's test plug-in is not built"

std::wstring Section(const CZKScript& script)
{
    std::wstring name;
    script.GetDefaultSection(name);
    return name;
}
} // namespace

TEST(JobGeneralGroup, DefaultsOfTheParts)
{
    QX_JOBCFG_GENERAL_GROUP_TYPE g;
    EXPECT_EQ(1, g.batchSetting.batchNaming.source.value);
    EXPECT_TRUE(g.batchSetting.bResetCounter);
    EXPECT_EQ(QX_RANGE_L_TYPE(2, 0, 2, 99999999), g.batchSetting.docRange.range);
    EXPECT_EQ(0, g.batchSetting.pageRange.nWarnBeforeMax);
    EXPECT_EQ(100, g.countSep.newBatchRule.nItemNumber);
    EXPECT_EQ(1, g.countSep.newDocumentRule.nItemNumber);
    EXPECT_EQ(0, QX_JOBCFG_GENERAL_NEWITEMRULE_TYPE().nItemNumber);
    EXPECT_TRUE(g.check());
}

TEST(JobGeneralGroup, ScriptRoundTripKeepsEveryFieldAndTheSection)
{
    const QX_JOBCFG_GENERAL_GROUP_TYPE original = SJobRecordSamples::GeneralGroup();
    CZKScript script;
    script.SetDefaultSection(L"General");
    ASSERT_TRUE(original.toscript(script));
    EXPECT_EQ(L"General", Section(script));

    int values[4] = {};
    EXPECT_TRUE(script.R_int4(L"Range", values, 0, L"DOCRANGE"));
    EXPECT_EQ(500, values[3]);
    std::wstring formula;
    EXPECT_TRUE(script.GetKeyValue(L"Fomula", formula, 0, L"General"));
    EXPECT_TRUE(script.HasSection(L"NEWBATRULE") && script.HasSection(L"PAGRANGE"));

    QX_JOBCFG_GENERAL_GROUP_TYPE back;
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_EQ(original, back);
    EXPECT_EQ(L"General", Section(script));

    QX_JOBCFG_GENERAL_GROUP_TYPE copy(original);
    EXPECT_EQ(original, copy);
    copy.countSep.newDocumentRule.nItemNumber = 4;
    EXPECT_NE(original, copy);
}

TEST(JobGeneralGroup, MissingKeysResetWhatWasBeingRead)
{
    const QX_JOBCFG_GENERAL_GROUP_TYPE original = SJobRecordSamples::GeneralGroup();
    CZKScript script;
    script.SetDefaultSection(L"General");
    ASSERT_TRUE(original.toscript(script));

    // Counting rules alone: a missing second rule leaves both at defaults.
    script.RemoveAllScripts(0, L"NEWDOCRULE");
    QX_JOBCFG_COUNTSEP_TYPE rules = original.countSep;
    EXPECT_FALSE(rules.fromscript(script));
    EXPECT_EQ(QX_JOBCFG_COUNTSEP_TYPE(), rules);
    EXPECT_FALSE(rules.newBatchRule.bEnable);
    EXPECT_EQ(100, rules.newBatchRule.nItemNumber);
    EXPECT_EQ(1, rules.newDocumentRule.nItemNumber);

    // The whole group then reads as defaults, source of the naming included.
    QX_JOBCFG_GENERAL_GROUP_TYPE back = original;
    EXPECT_FALSE(back.fromscript(script));
    EXPECT_EQ(QX_JOBCFG_GENERAL_GROUP_TYPE(), back);
    EXPECT_EQ(L"General", Section(script));

    CZKScript noWarning;
    ASSERT_TRUE(original.batchSetting.toscript(noWarning));
    noWarning.RemoveKey(L"WarnBeforeMax", 0, L"PAGRANGE");
    QX_JOBCFG_BATCHSETTING_TYPE settings = original.batchSetting;
    EXPECT_FALSE(settings.fromscript(noWarning));
    EXPECT_EQ(QX_JOBCFG_BATCHSETTING_TYPE(), settings);
}

TEST(JobGeneralGroup, RangeWarningCheckDropsAnUnreachableWarning)
{
    QX_JOBCFG_GENERAL_RANGEWARNING_TYPE w;
    w.range = QX_RANGE_L_TYPE(2, 0, 2, 1000);
    w.nWarnBeforeMax = 999;
    EXPECT_TRUE(w.check());
    EXPECT_EQ(999, w.nWarnBeforeMax);

    w.nWarnBeforeMax = 1000;
    const QX_JOBCFG_GENERAL_RANGEWARNING_TYPE& asConst = w;
    EXPECT_TRUE(asConst.check());
    EXPECT_EQ(1000, w.nWarnBeforeMax); // the const form only answers
    EXPECT_TRUE(w.check());
    EXPECT_EQ(0, w.nWarnBeforeMax);

    w.nWarnBeforeMax = 5000;
    w.range = QX_RANGE_L_TYPE(2, 10, 2, 5); // inverted
    EXPECT_FALSE(w.check());
    w.normalize();
    EXPECT_EQ(QX_JOBCFG_GENERAL_RANGEWARNING_TYPE(), w);
}

TEST(JobGeneralGroup, BatchNamingCheckAndNormalize)
{
    QX_JOBCFG_GENERAL_BATCHNAMING_TYPE naming;
    naming.source.value = 0;
    EXPECT_FALSE(naming.check());
    naming.strFormula = L"<Counter>";
    EXPECT_TRUE(naming.check());

    naming.source.value = 1; // plug-in, none connected
    EXPECT_TRUE(naming.check());

    // reset keeps the chosen source ...
    naming.source.value = 0;
    naming.reset();
    EXPECT_EQ(0, naming.source.value);
    EXPECT_TRUE(naming.strFormula.empty());
    // ... but normalize never leaves an invalid record behind.
    naming.normalize();
    EXPECT_TRUE(naming.check());
    EXPECT_EQ(QX_JOBCFG_GENERAL_BATCHNAMING_TYPE(), naming);

    naming.source.value = 9;
    EXPECT_FALSE(naming.check());
    naming.normalize();
    EXPECT_TRUE(naming.check());
}

TEST(JobGeneralGroup, GroupNormalizeRepairsOrResets)
{
    QX_JOBCFG_GENERAL_GROUP_TYPE g = SJobRecordSamples::GeneralGroup();
    g.general.accessLevel.value = 3;
    g.general.strJobRoot = L"  /jobs  ";
    g.batchSetting.pageRange.nWarnBeforeMax = 40;
    EXPECT_FALSE(g.check());
    g.normalize();
    EXPECT_TRUE(g.check());
    EXPECT_EQ(2, g.general.accessLevel.value);
    EXPECT_EQ(L"/jobs", g.general.strJobRoot);
    EXPECT_EQ(0, g.batchSetting.pageRange.nWarnBeforeMax);
    EXPECT_EQ(L"<Date>-<Counter, 4>", g.batchSetting.batchNaming.strFormula);
}

TEST(PluginSelection, UnconnectedSelectionHasNoSettings)
{
    PLUGIN_SELECTION_TYPE selection;
    EXPECT_TRUE(selection.check());
    CZKGBuffer buffer;
    buffer.CopyFrom("abc", 3);
    EXPECT_FALSE(selection.CopyFrom(buffer));
    EXPECT_FALSE(selection.CopyTo(buffer));

    CZKScript script;
    script.SetDefaultSection(L"Job");
    ASSERT_TRUE(selection.toscript(script));
    EXPECT_TRUE(script.HasSection(L"Job.Locator"));
    PLUGIN_SELECTION_TYPE back;
    EXPECT_TRUE(back.fromscript(script));
    EXPECT_EQ(selection, back);

    CZKScript empty;
    EXPECT_FALSE(back.fromscript(empty));
    EXPECT_FALSE(back.IsConnected());
}

TEST(PluginSelection, ConnectedSelectionKeepsItsSettingsBlock)
{
    REQUIRE_TEST_PLUGIN();
    PLUGIN_SELECTION_TYPE selection;
    ASSERT_TRUE(selection.Connect(TestPlugin()));
    EXPECT_TRUE(selection.check());

    CZKGBuffer settings;
    settings.CopyFrom("\x01\x02\x00\x04", 4);
    ASSERT_TRUE(selection.CopyFrom(settings));
    PLUGIN_SELECTION_TYPE copy(selection);
    EXPECT_EQ(selection, copy);
    CZKGBuffer out;
    ASSERT_TRUE(copy.CopyTo(out));
    EXPECT_EQ(0, out.Compare(settings));

    // The script carries the plug-in, not its private settings.
    CZKScript script;
    ASSERT_TRUE(selection.toscript(script));
    PLUGIN_SELECTION_TYPE back;
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_TRUE(back.IsConnected());
    EXPECT_EQ(selection.GetPluginName(), back.GetPluginName());
    EXPECT_TRUE(back.GetSettings().IsEmpty());

    selection.reset();
    EXPECT_FALSE(selection.IsConnected());
    EXPECT_TRUE(selection.GetSettings().IsEmpty());

    // A plug-in that no longer loads fails the read and leaves nothing.
    script.SetKeyValue(L"PluginPath", L"/nowhere/libgone.so", 0, L"Locator");
    EXPECT_FALSE(back.fromscript(script));
    EXPECT_FALSE(back.IsConnected());
}

TEST(AutoImportConfig, RoundTripAndChecks)
{
    QX_AIPCFG_GENERAL_TYPE a;
    EXPECT_EQ(60, a.nTimeout);
    EXPECT_TRUE(a.check());
    a.strAutoImportFolder = L"/import";
    a.nTimeout = 5;
    a.nFlag = 0;
    a.strJobID = L"J1";
    a.strPageID = L"P1";
    a.bIsBackup = FALSE;
    a.strBackupPath = L"/bak";
    a.nMaxRetries = 3;
    a.strErrorCachePath = L"/err";
    a.nLevel1Separation = 2;
    a.nLevel2Separation = 0;
    a.nEachFileNewDoc = 1;

    CZKScript script;
    script.SetKeyValue(L"VersionNumber", L"1.2.0.0", 0, L"Version");
    ASSERT_TRUE(a.toscript(script));
    QX_AIPCFG_GENERAL_TYPE back;
    ASSERT_TRUE(back.fromscript(script));
    back.nFlag = a.nFlag; // never stored
    EXPECT_EQ(a, back);

    a.nTimeout = 4;
    a.nMaxRetries = 0;
    a.nLevel2Separation = 3;
    EXPECT_FALSE(a.check());
    a.normalize();
    EXPECT_TRUE(a.check());
    EXPECT_EQ(60, a.nTimeout);
    EXPECT_EQ(2, a.nLevel2Separation);
}

TEST(AutoImportConfig, OlderScriptsUseTheSubfolderSwitch)
{
    CZKScript script;
    QX_AIPCFG_GENERAL_TYPE a;
    a.nLevel1Separation = 0;
    ASSERT_TRUE(a.toscript(script));
    ASSERT_TRUE(script.W_BOOL(L"NewBatchForSubfolder", TRUE));

    script.SetKeyValue(L"VersionNumber", L"1.0.9.0", 0, L"Version");
    QX_AIPCFG_GENERAL_TYPE back;
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_EQ(1, back.nLevel1Separation);
    EXPECT_EQ(0, back.nLevel2Separation);
    EXPECT_EQ(0, back.nEachFileNewDoc);

    ASSERT_TRUE(script.W_BOOL(L"NewBatchForSubfolder", FALSE));
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_EQ(0, back.nLevel1Separation);

    script.SetKeyValue(L"VersionNumber", L"1.1.0.0", 0, L"Version");
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_EQ(0, back.nLevel1Separation); // the newer key, as written
    EXPECT_EQ(2, back.nLevel2Separation);
}

TEST(AutoImportConfig, AMissingKeyFailsButTheOthersAreStillRead)
{
    QX_AIPCFG_GENERAL_TYPE a;
    a.strAutoImportFolder = L"/import";
    a.nMaxRetries = 9;
    a.strErrorCachePath = L"/err";
    CZKScript script;
    script.SetKeyValue(L"VersionNumber", L"1.3.0.0", 0, L"Version");
    ASSERT_TRUE(a.toscript(script));
    script.RemoveKey(L"Timeout");

    QX_AIPCFG_GENERAL_TYPE back;
    back.nTimeout = 77;
    EXPECT_FALSE(back.fromscript(script));
    EXPECT_EQ(60, back.nTimeout);
    EXPECT_EQ(9, back.nMaxRetries);
    EXPECT_EQ(L"/err", back.strErrorCachePath);
}

TEST(WelkinRestrict, SlotTableAndBounds)
{
    QX_WELKIN_RESTRICT_TYPE r;
    EXPECT_EQ(L"A", QX_WELKIN_RESTRICT_TYPE::GetDelayKey(1));
    EXPECT_EQ(L"C", QX_WELKIN_RESTRICT_TYPE::GetDelayKey(3));
    EXPECT_EQ(L"C", QX_WELKIN_RESTRICT_TYPE::GetDelayKey(4));
    EXPECT_EQ(L"I", QX_WELKIN_RESTRICT_TYPE::GetDelayKey(10));
    EXPECT_EQ(L"", QX_WELKIN_RESTRICT_TYPE::GetDelayKey(0));
    EXPECT_EQ(L"", QX_WELKIN_RESTRICT_TYPE::GetDelayKey(11));

    EXPECT_FALSE(r.SetDelay(0, 5));
    EXPECT_FALSE(r.SetDelay(11, 5));
    EXPECT_EQ(999999u, r.GetDelay(-3));
    ASSERT_TRUE(r.SetDelay(3, 30));
    EXPECT_EQ(30u, r.GetDelay(4)); // slots 3 and 4 share C
    ASSERT_TRUE(r.SetDelay(10, 4000000000u));
    EXPECT_EQ(999999u, r.delays[9]); // J has no slot

    CZKScript script;
    ASSERT_TRUE(r.toscript(script));
    QX_WELKIN_RESTRICT_TYPE back;
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_EQ(r, back);
    EXPECT_EQ(4000000000u, back.GetDelay(10));

    script.RemoveKey(L"F");
    EXPECT_FALSE(back.fromscript(script));
    EXPECT_EQ(QX_WELKIN_RESTRICT_TYPE(), back);
}

TEST(JobBatchBlock, OpaqueBytes)
{
    QX_JOBCFG_BATCH_TYPE a;
    a.CopyFrom("\x00\x01\x02", 3);
    QX_JOBCFG_BATCH_TYPE b(a);
    EXPECT_EQ(a, b);
    b.GetPtr()[2] = 9;
    EXPECT_NE(a, b);
    b.reset();
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_TRUE(b.check());
}
