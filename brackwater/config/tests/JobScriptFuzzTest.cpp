// Random and mutated job scripts through every job record reader. Scripts
// are damaged the way hand editing and copying damage them (keys dropped,
// values replaced by out-of-range or malformed text, lines doubled, files
// cut short). Fixed seeds keep failures reproducible. The checks: nothing
// crashes or hangs (run under the sanitizers), a refused read leaves the
// record exactly at its defaults, and an accepted one writes back.
#include <brackwater/QX_AIPCFG_GENERAL_TYPE.h>
#include <brackwater/QX_JOBCFG_CAPTURE_GROUP_TYPE.h>
#include <brackwater/QX_JOBCFG_INDEX_GROUP_TYPE.h>
#include <brackwater/QX_WELKIN_RESTRICT_TYPE.h>

#include <hollin/ZKScript.h>
#include <hollin/ZKScriptItemList.h>

#include "common/JobRecordSamples.h"
#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <vector>

namespace
{
class CScriptMutator
{
public:
    explicit CScriptMutator(uint32_t seed) : m_rng(seed) {}

    size_t Below(size_t n)
    {
        return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(m_rng);
    }

    // One to four edits of random items of the script.
    void Mutate(CZKScript& script)
    {
        CZKStringList sections;
        script.GetSectionNames(sections);
        const size_t edits = 1 + Below(4);
        for (size_t e = 0; e < edits && sections.GetCount() > 0; ++e)
        {
            const std::wstring section = sections.GetAt(static_cast<int>(Below(sections.GetCount())));
            CZKScriptItemList items;
            if (!script.GetSectionItems(section.c_str(), items) || items.GetCount() == 0)
                continue;
            const std::wstring key = items.GetItem(static_cast<int>(Below(items.GetCount())))->GetKey();
            switch (Below(4))
            {
            case 0:
                script.RemoveKey(key.c_str(), 0, section.c_str());
                break;
            case 1:
                script.AddKeyValue(key.c_str(), Value(), 0, section.c_str());
                break;
            case 2:
                script.RemoveAllScripts(0, section.c_str());
                break;
            default:
                script.SetKeyValue(key.c_str(), Value(), 0, section.c_str());
            }
        }
    }

    // The script's file text cut at a random place, with a random byte
    // changed now and then.
    std::string Damage(std::string text)
    {
        text.resize(Below(text.size() + 1));
        if (!text.empty() && Below(3) == 0)
            text[Below(text.size())] = static_cast<char>(Below(256));
        return text;
    }

private:
    std::wstring Value()
    {
        static const wchar_t* const values[] = {
            L"", L"-1", L"0", L"1", L"3", L"4", L"5", L"255", L"256", L"2147483647",
            L"2147483648", L"-2147483649", L"2000000000", L"99999999999999999999",
            L"-9223372036854775808", L"x", L"1,2", L"1,2,3,4", L"2,10,2,5", L"1,,3,4",
            L"true", L"ZK1:AAAA", L"ZK1:", L"a,b,c", L"\x0008,\x0008", L"~``~", L"1.3.0.0",
            L"/nowhere/libmissing.so"};
        return values[Below(sizeof(values) / sizeof(values[0]))];
    }

    std::mt19937 m_rng;
};

CZKScript& JobScript()
{
    static CZKScript script;
    static bool built = false;
    if (!built)
    {
        SJobRecordSamples::WriteJobScript(script, SJobRecordSamples::CaptureGroup(),
                                          SJobRecordSamples::IndexGroup());
        QX_AIPCFG_GENERAL_TYPE importConfig;
        importConfig.strAutoImportFolder = L"/in";
        script.SetDefaultSection(L"AutoImport");
        importConfig.toscript(script);
        QX_WELKIN_RESTRICT_TYPE restrict;
        restrict.SetDelay(5, 12);
        script.SetDefaultSection(L"Restrict");
        restrict.toscript(script);
        script.SetDefaultSection(L"");
        built = true;
    }
    return script;
}

// Reads Record from section, starting from a filled record; a refused read
// must leave the defaults, an accepted one must write back.
template <class Record>
void ReadFrom(CZKScript& script, const wchar_t* section, const Record& filled)
{
    Record record(filled);
    script.SetDefaultSection(section);
    if (record.fromscript(script))
    {
        CZKScript out;
        EXPECT_TRUE(record.toscript(out)) << section;
    }
    else
    {
        EXPECT_EQ(Record(), record) << section;
    }
    EXPECT_EQ(section, script.GetDefaultSection());
}

void ReadEverything(CZKScript& script)
{
    ReadFrom(script, L"", SJobRecordSamples::CaptureGroup());
    ReadFrom(script, L"", SJobRecordSamples::IndexGroup());
    ReadFrom(script, L"General", SJobRecordSamples::GeneralGroup());
    ReadFrom(script, L"General", SJobRecordSamples::GeneralGroup().batchSetting);
    ReadFrom(script, L"General", SJobRecordSamples::GeneralGroup().countSep);
    ReadFrom(script, L"Separation", SJobRecordSamples::SeparationGroup());
    ReadFrom(script, L"Separation.Patch3", *SJobRecordSamples::SeparationGroup().patches.GetItem(1));
    ReadFrom(script, L"Barcode & OCR", SJobRecordSamples::AutoIndexGroup());
    ReadFrom(script, L"BARCODE", SJobRecordSamples::AutoIndexGroup().barcodeVariables);
    ReadFrom(script, L"OCR.IndexVariable0", SJobRecordSamples::Variable(L"v"));
    ReadFrom(script, L"DocumentLevelIndex", SJobRecordSamples::IndexGroup().documentItems);
    ReadFrom(script, L"DocumentLevelIndex.Index1", SJobRecordSamples::IndexItem(L"i"));
    ReadFrom(script, L"DBLookupConnections.DBLookup0", SJobRecordSamples::Lookup(L"l"));
    ReadFrom(script, L"IXDPlugins", SJobRecordSamples::IndexGroup().ixdPlugins);
    ReadFrom(script, L"Restrict", QX_WELKIN_RESTRICT_TYPE());

    // The tolerant reader: whatever it takes must still write back.
    QX_AIPCFG_GENERAL_TYPE importConfig;
    script.SetDefaultSection(L"AutoImport");
    importConfig.fromscript(script);
    CZKScript out;
    EXPECT_TRUE(importConfig.toscript(out));
}
} // namespace

TEST(JobScriptFuzz, TheUndamagedScriptReadsCompletely)
{
    CZKScript script;
    script.CopyFrom(JobScript());
    QX_JOBCFG_CAPTURE_GROUP_TYPE capture;
    QX_JOBCFG_INDEX_GROUP_TYPE index;
    EXPECT_TRUE(capture.fromscript(script));
    EXPECT_TRUE(index.fromscript(script));
    ReadEverything(script);
}

TEST(JobScriptFuzz, MutatedScripts)
{
    CScriptMutator mutator(20261208);
    for (int round = 0; round < 400; ++round)
    {
        CZKScript script;
        script.CopyFrom(JobScript());
        mutator.Mutate(script);
        ReadEverything(script);
        if (HasFailure())
            FAIL() << "round " << round;
    }
}

TEST(JobScriptFuzz, TruncatedAndGarbledFiles)
{
    CScriptMutator mutator(7);
    const std::string text = JobScript().SaveToText();
    for (int round = 0; round < 300; ++round)
    {
        CZKScript script;
        if (!script.LoadFromText(mutator.Damage(text)))
            continue; // refused by the script store already
        ReadEverything(script);
        if (HasFailure())
            FAIL() << "round " << round;
    }
}

TEST(JobScriptFuzz, RandomScripts)
{
    // Heavily edited scripts: forty edits each, so little of the job is
    // left intact but the readers still get past their first keys.
    CScriptMutator mutator(99);
    for (int round = 0; round < 200; ++round)
    {
        CZKScript script;
        script.CopyFrom(JobScript());
        for (int i = 0; i < 40; ++i)
            mutator.Mutate(script);
        ReadEverything(script);
        if (HasFailure())
            FAIL() << "round " << round;
    }
}

TEST(JobScriptFuzz, DamagedVariableFiles)
{
    CTempFolder folder;
    const std::wstring path = folder.File("variable.zks");
    ASSERT_TRUE(SJobRecordSamples::Variable(L"v").tofile(path));
    std::string text;
    {
        std::ifstream in(folder.Path() + "/variable.zks", std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    CScriptMutator mutator(3);
    for (int round = 0; round < 100; ++round)
    {
        {
            std::ofstream out(folder.Path() + "/variable.zks", std::ios::binary | std::ios::trunc);
            out << mutator.Damage(text);
        }
        QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE variable = SJobRecordSamples::Variable(L"old");
        if (!variable.fromfile(path))
        {
            EXPECT_EQ(QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE(), variable) << round;
        }
    }
}
