// The record convention on the model record, the versioned-read helper and
// the list scheme.
#include <brackwater/QXRecordList.h>
#include <brackwater/QXRecordScript.h>
#include <brackwater/QXScriptSectionGuard.h>
#include <brackwater/QX_JOBCFG_GENERAL_TYPE.h>

#include <hollin/ZKObject.h>
#include <hollin/ZKScript.h>

#include <gtest/gtest.h>

namespace
{
QX_JOBCFG_GENERAL_TYPE FilledGeneral()
{
    QX_JOBCFG_GENERAL_TYPE g;
    g.strJobRoot = L"/jobs/claims";
    g.strDescription = L"Line one\r\nline two  ";
    g.accessLevel.value = 8;
    g.strExportRoot = L"/export";
    g.bAutoImport = TRUE;
    g.strAutoImportDir = L"/in";
    g.bEmuImportPrompt = TRUE;
    g.strEmuImportDir = L"/emu";
    g.bAutoProcess = TRUE;
    g.bAutoClose = FALSE;
    g.bKeepBatch = TRUE;
    g.strPageSetupID = L"PS-7";
    g.nOCRLanguage = 9;
    g.layout.value = 0;
    return g;
}

// A list element that counts as unreadable when its "Value" key is 13.
struct CTestItem : CZKObject
{
    int value = 0;
    CZKObject* Clone() const override { return new CTestItem(*this); }
    BOOL toscript(CZKScript& script) const
    {
        return SQXRecordScript::WriteInt(script, L"Value", value);
    }
    BOOL fromscript(CZKScript& script)
    {
        return SQXRecordScript::ReadInt(script, L"Value", value) && value != 13;
    }
};

void AddItems(CZKObList& list, std::initializer_list<int> values)
{
    for (int v : values)
    {
        auto* item = new CTestItem;
        item->value = v;
        list.AddTail(item);
    }
}
} // namespace

TEST(JobGeneral, DefaultsAndReset)
{
    QX_JOBCFG_GENERAL_TYPE g;
    EXPECT_EQ(2, g.accessLevel.value);
    EXPECT_EQ(2, g.layout.value);
    EXPECT_EQ(-1, g.nOCRLanguage);
    EXPECT_FALSE(g.bAutoImport);
    EXPECT_TRUE(g.check());

    QX_JOBCFG_GENERAL_TYPE filled = FilledGeneral();
    EXPECT_NE(g, filled);
    filled.reset();
    EXPECT_EQ(g, filled);
}

TEST(JobGeneral, CopyAndCompareCoverEveryField)
{
    const QX_JOBCFG_GENERAL_TYPE original = FilledGeneral();
    QX_JOBCFG_GENERAL_TYPE copy(original);
    EXPECT_EQ(0, copy.compare(original));
    QX_JOBCFG_GENERAL_TYPE assigned;
    assigned = original;
    EXPECT_EQ(original, assigned);

    copy.strPageSetupID = L"ps-7"; // texts compare case-sensitively
    EXPECT_EQ(-1, copy.compare(original));
    copy = original;
    copy.nOCRLanguage = 10;
    EXPECT_NE(original, copy);
}

TEST(JobGeneral, CheckAndNormalize)
{
    QX_JOBCFG_GENERAL_TYPE g = FilledGeneral();
    g.strJobRoot = L"  /jobs \t";
    g.strDescription = L"  kept  ";
    g.strExportRoot = L" /x ";
    g.strAutoImportDir = L"\t/a";
    g.strEmuImportDir = L"/e  ";
    g.accessLevel.value = 3;
    g.layout.value = 4;
    EXPECT_FALSE(g.check());
    g.normalize();
    EXPECT_TRUE(g.check());
    EXPECT_EQ(L"/jobs", g.strJobRoot);
    EXPECT_EQ(L"  kept  ", g.strDescription);
    EXPECT_EQ(L"/x", g.strExportRoot);
    EXPECT_EQ(L"/a", g.strAutoImportDir);
    EXPECT_EQ(L"/e", g.strEmuImportDir);
    EXPECT_EQ(2, g.accessLevel.value);
    EXPECT_EQ(2, g.layout.value);
}

TEST(JobGeneral, DescriptionEncoding)
{
    EXPECT_EQ(L"#", QX_JOBCFG_GENERAL_TYPE::EncodeDescription(L""));
    EXPECT_EQ(L"", QX_JOBCFG_GENERAL_TYPE::DecodeDescription(L"#"));
    EXPECT_EQ(L"a\x0008"
              L"b#",
              QX_JOBCFG_GENERAL_TYPE::EncodeDescription(L"a\r\nb"));
    EXPECT_EQ(L"x##", QX_JOBCFG_GENERAL_TYPE::EncodeDescription(L"x#"));
    EXPECT_EQ(L"x#", QX_JOBCFG_GENERAL_TYPE::DecodeDescription(L"x##"));
    // A lone CR or LF is not a line break pair and is kept as it is.
    EXPECT_EQ(L"a\rb\n#", QX_JOBCFG_GENERAL_TYPE::EncodeDescription(L"a\rb\n"));

    CZKScript script;
    script.SetDefaultSection(L"General");
    QX_JOBCFG_GENERAL_TYPE g;
    g.strDescription = L"";
    ASSERT_TRUE(g.toscript(script));
    std::wstring stored;
    ASSERT_TRUE(script.GetKeyValue(L"Description", stored));
    EXPECT_EQ(L"#", stored);
    g.strDescription = L"ends in #";
    ASSERT_TRUE(g.toscript(script));
    QX_JOBCFG_GENERAL_TYPE back;
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_EQ(L"ends in #", back.strDescription);
}

TEST(JobGeneral, ScriptRoundTripThroughText)
{
    CZKScript script;
    script.SetDefaultSection(L"Job.General");
    const QX_JOBCFG_GENERAL_TYPE original = FilledGeneral();
    ASSERT_TRUE(original.toscript(script));
    ASSERT_TRUE(original.SaveExternal(script));
    ASSERT_TRUE(original.SavePageSetupName(script));

    CZKScript reloaded;
    ASSERT_TRUE(reloaded.LoadFromText(script.SaveToText()));
    reloaded.SetDefaultSection(L"Job.General");
    QX_JOBCFG_GENERAL_TYPE back;
    ASSERT_TRUE(back.fromscript(reloaded));
    ASSERT_TRUE(back.LoadExternal(reloaded));
    ASSERT_TRUE(back.LoadPageSetupName(reloaded));
    EXPECT_EQ(original, back);
    EXPECT_EQ(L"Line one\r\nline two  ", back.strDescription);

    // Only the keys of toscript are written by it.
    CZKScript plain;
    original.toscript(plain);
    std::wstring unused;
    EXPECT_FALSE(plain.GetKeyValue(L"PageSetupID", unused));
    EXPECT_FALSE(plain.GetKeyValue(L"OCR Language", unused));
    EXPECT_FALSE(plain.GetKeyValue(L"LayOut", unused));
}

TEST(JobGeneral, FailedReadLeavesDefaults)
{
    CZKScript script;
    ASSERT_TRUE(FilledGeneral().toscript(script));
    script.RemoveKey(L"AutoClose");
    QX_JOBCFG_GENERAL_TYPE g = FilledGeneral();
    EXPECT_FALSE(g.fromscript(script));
    EXPECT_EQ(QX_JOBCFG_GENERAL_TYPE(), g);

    // The access level keeps the low byte of what is stored.
    ASSERT_TRUE(FilledGeneral().toscript(script));
    script.W_int(L"AccessLevel", 0x104);
    ASSERT_TRUE(g.fromscript(script));
    EXPECT_EQ(4, g.accessLevel.value);
}

TEST(JobGeneral, ExternalKeys)
{
    CZKScript script;
    QX_JOBCFG_GENERAL_TYPE g = FilledGeneral();
    EXPECT_FALSE(g.LoadExternal(script));

    script.W_int(L"OCR Language", 5);
    EXPECT_FALSE(g.LoadExternal(script)); // no "LayOut"
    EXPECT_EQ(5, g.nOCRLanguage);
    EXPECT_EQ(2, g.layout.value);

    script.W_int(L"LayOut", 1);
    EXPECT_TRUE(g.LoadExternal(script));
    EXPECT_EQ(1, g.layout.value);

    EXPECT_FALSE(g.LoadPageSetupName(script));
    EXPECT_TRUE(g.strPageSetupID.empty());
}

TEST(ScriptVersion, StoredVersionAgainstFixed)
{
    CZKScript script;
    EXPECT_FALSE(
        SQXRecordScript::IsStoredVersionAtLeast(script, L"1.3.0.0")); // missing: older than all

    script.SetDefaultSection(L"Elsewhere");
    script.SetKeyValue(L"VersionNumber", L"1.2.9.9", 0, L"Version");
    EXPECT_FALSE(SQXRecordScript::IsStoredVersionAtLeast(script, L"1.3.0.0"));
    EXPECT_TRUE(SQXRecordScript::IsStoredVersionAtLeast(script, L"1.1.0.0"));

    script.SetKeyValue(L"VersionNumber", L"1.3.0.0", 0, L"Version");
    EXPECT_TRUE(SQXRecordScript::IsStoredVersionAtLeast(script, L"1.3.0.0"));
    script.SetKeyValue(L"VersionNumber", L"2.0", 0, L"Version");
    EXPECT_TRUE(SQXRecordScript::IsStoredVersionAtLeast(script, L"1.3.0.0"));

    // The version lives in its own section, not the default one.
    script.SetKeyValue(L"VersionNumber", L"9.0.0.0");
    script.SetKeyValue(L"VersionNumber", L"1.0.0.0", 0, L"Version");
    EXPECT_FALSE(SQXRecordScript::IsStoredVersionAtLeast(script, L"1.3.0.0"));
    EXPECT_EQ(L"Elsewhere", script.GetDefaultSection());
}

TEST(RecordList, WritesCountAndElementSections)
{
    CZKScript script;
    script.SetDefaultSection(L"Job");
    CZKObList list;
    AddItems(list, {4, 5, 6});
    ASSERT_TRUE(
        SQXRecordList::Write<CTestItem>(script, list, L"IndexCount", QXSectionBySuffix{L".Index"}));
    EXPECT_EQ(L"Job", script.GetDefaultSection());
    int value = 0;
    ASSERT_TRUE(script.R_int(L"IndexCount", value));
    EXPECT_EQ(3, value);
    ASSERT_TRUE(script.R_int(L"Value", value, 0, L"Job.Index2"));
    EXPECT_EQ(6, value);

    ASSERT_TRUE(
        SQXRecordList::Write<CTestItem>(script, list, L"FileCount", QXSectionAbsolute{L"File"}));
    ASSERT_TRUE(script.R_int(L"Value", value, 0, L"File1"));
    EXPECT_EQ(5, value);

    CZKObList back;
    ASSERT_TRUE(
        SQXRecordList::Read<CTestItem>(script, back, L"IndexCount", QXSectionBySuffix{L".Index"}));
    ASSERT_EQ(3, back.GetCount());
    EXPECT_EQ(4, back.GetAtIndexAs<CTestItem>(0)->value);
    EXPECT_EQ(6, back.GetAtIndexAs<CTestItem>(2)->value);
    EXPECT_EQ(L"Job", script.GetDefaultSection());
}

TEST(RecordList, AnyFailedElementEmptiesTheList)
{
    CZKScript script;
    script.SetDefaultSection(L"Job");
    CZKObList list;
    AddItems(list, {1, 13, 3});
    ASSERT_TRUE(
        SQXRecordList::Write<CTestItem>(script, list, L"IndexCount", QXSectionBySuffix{L".Index"}));

    CZKObList back;
    AddItems(back, {99});
    EXPECT_FALSE(
        SQXRecordList::Read<CTestItem>(script, back, L"IndexCount", QXSectionBySuffix{L".Index"}));
    EXPECT_EQ(0, back.GetCount());
    EXPECT_EQ(L"Job", script.GetDefaultSection());

    // A count without its elements, or a negative count, reads as failure.
    script.W_int(L"IndexCount", 5);
    EXPECT_FALSE(
        SQXRecordList::Read<CTestItem>(script, back, L"IndexCount", QXSectionBySuffix{L".Index"}));
    script.W_int(L"IndexCount", -1);
    EXPECT_FALSE(
        SQXRecordList::Read<CTestItem>(script, back, L"IndexCount", QXSectionBySuffix{L".Index"}));
    EXPECT_EQ(0, back.GetCount());
}

TEST(RecordList, SectionGuardRestoresOnEveryPath)
{
    CZKScript script;
    script.SetDefaultSection(L"Outer");
    {
        CQXScriptSectionGuard guard(script);
        guard.EnterSub(L".Page");
        EXPECT_EQ(L"Outer.Page", script.GetDefaultSection());
    }
    EXPECT_EQ(L"Outer", script.GetDefaultSection());
}
