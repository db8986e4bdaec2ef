// Separation, auto-index and the capture group, and whole job scripts: a
// generated job script read by fresh records and written again is the same
// file, byte for byte.
#include <brackwater/QX_JOBCFG_CAPTURE_GROUP_TYPE.h>

#include <hollin/ZKScript.h>
#include <hollin/ZKScriptItemList.h>

#include "common/JobRecordSamples.h"
#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(PatchList, ThreePatchesGoToTheirCodeSections)
{
    const QX_JOBCFG_SEPARATION_GROUP_TYPE original = SJobRecordSamples::SeparationGroup();
    CZKScript script;
    script.SetDefaultSection(L"Separation");
    ASSERT_TRUE(original.toscript(script));
    for (const wchar_t* code : {L"2", L"3", L"T"})
    {
        const std::wstring patch = std::wstring(L"Separation.Patch") + code;
        EXPECT_TRUE(script.HasSection(patch.c_str())) << patch;
        for (int i = 0; i < 4; ++i)
        {
            const std::wstring action = patch + L".Action" + std::to_wstring(i);
            EXPECT_TRUE(script.HasSection(action.c_str())) << action;
        }
    }
    EXPECT_FALSE(script.HasSection(L"Separation.Patch0"));
    BOOL rotate = FALSE;
    EXPECT_TRUE(script.R_BOOL(L"Rotate", rotate, 0, L"Separation.PatchT.Action2"));
    EXPECT_TRUE(rotate);

    QX_JOBCFG_SEPARATION_GROUP_TYPE back;
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_EQ(original, back);
    EXPECT_EQ(L"Separation", script.GetDefaultSection());
}

TEST(PatchList, NeverMoreThanThree)
{
    QX_JOBCFG_SEPARATION_PATCHLIST_TYPE list = SJobRecordSamples::SeparationGroup().patches;
    list.Add(QX_JOBCFG_SEPARATION_PATCH_TYPE());
    EXPECT_FALSE(list.check());
    CZKScript script;
    EXPECT_FALSE(list.toscript(script));
    EXPECT_FALSE(script.HasSection(L".Patch2"));
    list.normalize();
    EXPECT_EQ(3, list.GetCount());

    ASSERT_TRUE(list.toscript(script));
    ASSERT_TRUE(script.W_int(L"PatchCount", 4));
    EXPECT_FALSE(list.fromscript(script));
    EXPECT_EQ(0, list.GetCount());
}

TEST(PatchList, AnswersForTheListAsAWhole)
{
    QX_JOBCFG_SEPARATION_PATCHLIST_TYPE list;
    EXPECT_FALSE(list.is_patch_enable());
    EXPECT_EQ(2, list.get_separation_type());

    list = SJobRecordSamples::SeparationGroup().patches;
    // Patch 2 (enabled, rear, type 0), patch 3 (off), patch T (on, rotated).
    EXPECT_TRUE(list.is_patch_enable());
    EXPECT_EQ(0, list.get_separation_type());
    EXPECT_TRUE(list.is_rearsearch_enable());
    EXPECT_TRUE(list.is_rotatesearch_enable());
    list.GetItem(2)->bEnable = FALSE;
    EXPECT_FALSE(list.is_rotatesearch_enable());
    list.GetItem(1)->bRotatedSearch = TRUE; // on a disabled patch
    EXPECT_FALSE(list.is_rotatesearch_enable());
}

TEST(Separations, NormalizeAndFailedReads)
{
    QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE s;
    EXPECT_EQ(3, s.indexLevel.value);
    EXPECT_EQ(2, s.separationType.value);
    s.indexLevel.value = 5;
    s.separationType.value = 4;
    EXPECT_FALSE(s.check());
    s.normalize();
    EXPECT_EQ(3, s.indexLevel.value);
    EXPECT_EQ(2, s.separationType.value);

    QX_JOBCFG_SEPARATION_BLANK_TYPE blank = SJobRecordSamples::SeparationGroup().blank;
    CZKScript script;
    ASSERT_TRUE(blank.toscript(script));
    script.RemoveKey(L"Deletion");
    EXPECT_FALSE(blank.fromscript(script));
    EXPECT_EQ(QX_JOBCFG_SEPARATION_BLANK_TYPE(), blank);
}

TEST(AutoIndexVariable, OlderScriptsHaveNoOCRSettings)
{
    const QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE original = SJobRecordSamples::Variable(L"Code");
    CZKScript script;
    ASSERT_TRUE(original.toscript(script));
    std::wstring type;
    ASSERT_TRUE(script.GetKeyValue(L"Type", type));
    EXPECT_EQ(L"-9223372036854774783", type); // 0x8000000000000401 as signed decimal

    script.SetKeyValue(L"VersionNumber", L"1.3.0.0", 0, L"Version");
    QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE back;
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_EQ(original, back);
    EXPECT_EQ(0x8000000000000401ULL, back.ullType);

    script.SetKeyValue(L"VersionNumber", L"1.2.0.0", 0, L"Version");
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_FALSE(back.bOCRFormatContained);
    EXPECT_TRUE(back.strOCRLanguageList.empty());
    EXPECT_TRUE(back.strOCRFilter.empty());
    EXPECT_TRUE(back.strUserDicPath.empty());
    EXPECT_EQ(original.strMask, back.strMask);

    // An old script may lack the newer keys altogether.
    script.RemoveKey(L"UserDicPath");
    EXPECT_TRUE(back.fromscript(script));
    script.SetKeyValue(L"VersionNumber", L"1.3.0.0", 0, L"Version");
    EXPECT_FALSE(back.fromscript(script));
    EXPECT_EQ(QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE(), back);
}

TEST(AutoIndexVariable, FileFormRoundTripAndDamagedFiles)
{
    CTempFolder folder;
    const std::wstring path = folder.File("variable.zks");
    const QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE original = SJobRecordSamples::Variable(L"Amount");
    ASSERT_TRUE(original.tofile(path));
    QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE back;
    ASSERT_TRUE(back.fromfile(path));
    EXPECT_EQ(original, back);
    // The file declares its format in a section of its own.
    CZKScript stored;
    ASSERT_TRUE(stored.Load(path));
    std::wstring value;
    EXPECT_TRUE(stored.GetKeyValue(L"VersionNumber", value, 0, L"Version"));
    EXPECT_EQ(L"1.3.0.0", value);
    EXPECT_TRUE(stored.GetKeyValue(L"Label", value, 0, L"IndexVariable"));
    EXPECT_EQ(L"Amount", value);

    // Truncated in the middle, or not there at all: defaults.
    std::string text;
    {
        std::ifstream in(folder.Path() + "/variable.zks", std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    {
        std::ofstream out(folder.Path() + "/variable.zks", std::ios::binary | std::ios::trunc);
        out << text.substr(0, text.size() / 2);
    }
    back = original;
    EXPECT_FALSE(back.fromfile(path));
    EXPECT_EQ(QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE(), back);
    back = original;
    EXPECT_FALSE(back.fromfile(folder.File("missing.zks")));
    EXPECT_EQ(QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE(), back);
}

TEST(AutoIndexVariables, SearchOptionsAndLastValues)
{
    QX_JOBCFG_AUTOINDEX_VARIABLELIST_TYPE list;
    EXPECT_FALSE(list.exists_front());
    EXPECT_FALSE(list.exists_rear());
    EXPECT_EQ(0u, list.get_search_options());

    QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE front;
    front.bFront = TRUE;
    front.strLastValue = L"4711";
    list.Add(front);
    EXPECT_TRUE(list.exists_front());
    EXPECT_FALSE(list.exists_rear());
    EXPECT_EQ(QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::SEARCH_FRONT, list.get_search_options());

    QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE rear;
    rear.bRotateSearch = TRUE;
    list.Add(rear);
    EXPECT_TRUE(list.exists_rear());
    EXPECT_EQ(QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::SEARCH_FRONT |
                  QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::SEARCH_REAR |
                  QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::SEARCH_ROTATED,
              list.get_search_options());

    list.clearlastvalue();
    EXPECT_TRUE(list.GetItem(0)->strLastValue.empty());
}

TEST(AutoIndexGroup, RoundTripWithSampleImageLines)
{
    const QX_JOBCFG_AUTOINDEX_GROUP_TYPE original = SJobRecordSamples::AutoIndexGroup();
    CZKScript script;
    script.SetKeyValue(L"VersionNumber", L"1.3.0.0", 0, L"Version");
    script.SetDefaultSection(L"Barcode & OCR");
    ASSERT_TRUE(original.toscript(script));
    ASSERT_TRUE(original.toscript(script)); // lines are not doubled
    CZKScriptItemList lines;
    ASSERT_TRUE(script.FindKeyValues(nullptr, L"SampleImages", lines));
    EXPECT_EQ(2, lines.GetCount());
    EXPECT_TRUE(script.HasSection(L"BARCODE.IndexVariable1"));
    EXPECT_TRUE(script.HasSection(L"OCR.IndexVariable0"));

    QX_JOBCFG_AUTOINDEX_GROUP_TYPE back;
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_EQ(original, back);
    EXPECT_EQ(L"Barcode & OCR", script.GetDefaultSection());
}

TEST(CaptureGroup, RoundTripAndAMissingKeyAnywhere)
{
    const QX_JOBCFG_CAPTURE_GROUP_TYPE original = SJobRecordSamples::CaptureGroup();
    CZKScript script;
    script.SetKeyValue(L"VersionNumber", L"1.3.0.0", 0, L"Version");
    script.SetDefaultSection(L"Mine");
    ASSERT_TRUE(original.toscript(script));
    EXPECT_EQ(L"Mine", script.GetDefaultSection());
    EXPECT_TRUE(original.check());

    QX_JOBCFG_CAPTURE_GROUP_TYPE back;
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_EQ(original, back);

    // Dropping any single key of the job's sections refuses the whole group.
    const int tried = SJobRecordSamples::ForEachKeyRemoved(
        script, [&](CZKScript& damaged, const std::wstring& where) {
            back = original;
            EXPECT_FALSE(back.fromscript(damaged)) << where;
            EXPECT_EQ(QX_JOBCFG_CAPTURE_GROUP_TYPE(), back) << where;
        });
    EXPECT_GT(tried, 100);
}

TEST(JobScript, AGeneratedJobScriptIsRewrittenByteForByte)
{
    CZKScript generated;
    SJobRecordSamples::WriteJobScript(generated, SJobRecordSamples::CaptureGroup(),
                                      SJobRecordSamples::IndexGroup());
    const std::string text = generated.SaveToText();

    CZKScript loaded;
    ASSERT_TRUE(loaded.LoadFromText(text));
    QX_JOBCFG_CAPTURE_GROUP_TYPE capture;
    QX_JOBCFG_INDEX_GROUP_TYPE index;
    ASSERT_TRUE(capture.fromscript(loaded));
    ASSERT_TRUE(index.fromscript(loaded));
    EXPECT_EQ(SJobRecordSamples::CaptureGroup(), capture);

    // Credentials are enciphered afresh on every write (a new nonce), so the
    // rewritten script must carry them over to compare bytes.
    CZKScript rewritten;
    SJobRecordSamples::WriteJobScript(rewritten, capture, index);
    for (const wchar_t* key : {L"DBUser", L"DBPwd"})
    {
        std::wstring stored;
        ASSERT_TRUE(loaded.GetKeyValue(key, stored, 0, L"DBLookupConnections.DBLookup0"));
        ASSERT_TRUE(rewritten.SetKeyValue(key, stored, 0, L"DBLookupConnections.DBLookup0"));
    }
    EXPECT_EQ(text, rewritten.SaveToText());

    QX_JOBCFG_INDEX_GROUP_TYPE reread;
    ASSERT_TRUE(reread.fromscript(rewritten));
    EXPECT_EQ(SJobRecordSamples::IndexGroup(), reread);
}
