// Random and mutated scripts through every reader of the output, user,
// profile, page-setup and image records. Fixed seeds keep failures
// reproducible. Nothing may crash or overrun (run under the sanitizers); a
// read that fails leaves the record at its defaults, and a record that was
// read writes back what reads again as the same record.
#include <brackwater/QX_IMAGEINFO_TYPE.h>
#include <brackwater/QX_IMAGEPARTINFO_TYPE.h>
#include <brackwater/QX_IMAGEPOSINFO_TYPE.h>
#include <brackwater/QX_PAGCFG_MERGE_TYPE.h>
#include <brackwater/QX_PAGCFG_SPLIT_TYPE.h>
#include <brackwater/QX_USRCFG_GENERAL_TYPE.h>

#include <hollin/ZKScript.h>

#include "common/RecordSamples.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace
{
const int kRounds = 300;

// Edits a script's text line by line: drops, repeats, swaps or cuts lines
// and replaces values or whole lines with other texts.
class CScriptMutator
{
public:
    explicit CScriptMutator(uint32_t seed) : m_rng(seed) {}

    std::string Mutate(const std::string& text)
    {
        std::vector<std::string> lines = Split(text);
        const size_t steps = 1 + Below(4);
        for (size_t i = 0; i < steps && !lines.empty(); ++i)
            MutateOnce(lines);
        return Join(lines);
    }

    // Lines made of the record's own keys with random values.
    std::string Random(const std::string& keysFrom)
    {
        const std::vector<std::string> source = Split(keysFrom);
        std::string out;
        for (size_t i = Below(40); i > 0 && !source.empty(); --i)
        {
            const std::string& line = source[Below(source.size())];
            const size_t eq = line.find(" = ");
            out += (eq == std::string::npos ? line : line.substr(0, eq + 3) + Value()) + "\n";
        }
        return out;
    }

private:
    size_t Below(size_t n)
    {
        return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(m_rng);
    }

    std::string Value()
    {
        static const char* const values[] = {"",
                                             "-1",
                                             "0",
                                             "1",
                                             "2",
                                             "255",
                                             "256",
                                             "2147483647",
                                             "-2147483648",
                                             "99999999999",
                                             "1e308",
                                             "nan",
                                             "x",
                                             "<space>",
                                             "<tab><tab",
                                             "1, 2, 3",
                                             "2, 1.5, 1, 0.5",
                                             "\\n\\t\\x01",
                                             "\xC3\xA9",
                                             "1.3.0.0"};
        return values[Below(sizeof(values) / sizeof(values[0]))];
    }

    void MutateOnce(std::vector<std::string>& lines)
    {
        const size_t at = Below(lines.size());
        switch (Below(6))
        {
        case 0:
            lines.erase(lines.begin() + at);
            break;
        case 1:
            lines.insert(lines.begin() + at, lines[Below(lines.size())]);
            break;
        case 2:
            std::swap(lines[at], lines[Below(lines.size())]);
            break;
        case 3:
        {
            const size_t eq = lines[at].find(" = ");
            if (eq != std::string::npos)
                lines[at] = lines[at].substr(0, eq + 3) + Value();
            break;
        }
        case 4:
            lines[at].resize(Below(lines[at].size() + 1));
            break;
        default:
            lines.resize(at);
            break;
        }
    }

    static std::vector<std::string> Split(const std::string& text)
    {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    static std::string Join(const std::vector<std::string>& lines)
    {
        std::string out;
        for (const std::string& line : lines)
            out += line + "\n";
        return out;
    }

    std::mt19937 m_rng;
};

// Values that never compare equal (a NaN margin) are what normalize exists
// for; records without validation have none.
template <class Record> auto NormalizeIfAny(Record& record, int) -> decltype(record.normalize())
{
    record.normalize();
}
template <class Record> void NormalizeIfAny(Record&, long) {}

// Writes sample into a script (with the newest format version) and feeds
// mutated and random variants of it to Record::fromscript.
template <class Record>
void FuzzReader(const Record& sample, const wchar_t* section, uint32_t seed, bool failResets = true)
{
    CZKScript original;
    original.SetKeyValue(L"VersionNumber", L"1.3.0.0", 0, L"Version");
    original.SetDefaultSection(section);
    ASSERT_TRUE(sample.toscript(original));
    const std::string text = original.SaveToText();

    CScriptMutator mutator(seed);
    for (int round = 0; round < kRounds; ++round)
    {
        const std::string input = round % 4 == 3 ? mutator.Random(text) : mutator.Mutate(text);
        CZKScript script;
        if (!script.LoadFromText(input))
            continue;
        script.SetDefaultSection(section);
        Record read = sample;
        if (!read.fromscript(script))
        {
            if (failResets)
            {
                EXPECT_TRUE(read == Record()) << "half-read record, round " << round;
            }
            continue;
        }
        // What was read writes back and reads again as the same record.
        NormalizeIfAny(read, 0);
        if (!read.toscript(script))
            continue;
        Record again;
        ASSERT_TRUE(again.fromscript(script)) << "round " << round;
        EXPECT_TRUE(again == read) << "round " << round << "\n" << input;
        EXPECT_EQ(SQXRecordScript::GetSection(script), section);
    }
}
} // namespace

TEST(RecordScriptFuzz, OutputGroup)
{
    FuzzReader(SampleOutputGroup(HaveTestPlugin()), L"", 11);
}

TEST(RecordScriptFuzz, OutputParts)
{
    QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE index;
    FillIndexInfo(index, 3);
    FuzzReader(index, L"Index", 21);
    const QX_JOBCFG_OUTPUT_GROUP_TYPE group = SampleOutputGroup(false);
    FuzzReader(group.files, L"Files", 22);
    FuzzReader(group.email, L"Email", 23);
    FuzzReader(group.imageStamp, L"ImageStamping", 24);
    FuzzReader(group.invoke, L"Invoke", 25);
    FuzzReader(group.autoDeletion, L"AutoDeletion", 26);
    FuzzReader(group.imageEdgeFill[1], L"Edge", 27);
}

TEST(RecordScriptFuzz, UsersAndProfiles)
{
    FuzzReader(SampleUser(), L"User", 31);
    FuzzReader(SampleUserGroup(), L"Group", 32);
    QX_USRCFG_GENERAL_TYPE general;
    general.bEnableWindowsUsers = TRUE;
    FuzzReader(general, L"General", 33);
    FuzzReader(SampleProfile(), L"Profile", 34);
    FuzzReader(SampleWorkspace(), L"Workspace", 35);
}

TEST(RecordScriptFuzz, PageSetupAndImages)
{
    FuzzReader(SamplePageImage(), L"Page", 41);
    // The split layout never fails; whatever it reads holds together.
    FuzzReader(SampleSplitLayout(), L"Layout", 42, false);
    QX_PAGCFG_SPLIT_TYPE split;
    split.bEnable = TRUE;
    split.widthRange = QX_RANGE_D_TYPE(2, 8.5, 1, 17.25);
    split.split = SampleSplitLayout();
    FuzzReader(split, L"Split", 43);
    QX_PAGCFG_MERGE_TYPE merge;
    merge.heightRange = QX_RANGE_D_TYPE(1, 2.0, 2, 4.0);
    merge.mode.value = 3;
    FuzzReader(merge, L"Merge", 44);
    QX_IMAGEINFO_TYPE info;
    info.type.value = 2;
    info.nWidth = 100;
    info.xRes.value = 600;
    FuzzReader(info, L"Info", 45);
    QX_IMAGEPOSINFO_TYPE pos;
    pos.imageId.value = 4;
    FuzzReader(pos, L"Pos", 46);
    QX_IMAGEPARTINFO_TYPE part;
    part.side.value = 1;
    FuzzReader(part, L"Part", 47);
}

TEST(RecordScriptFuzz, SplitLayoutReadIsAlwaysConsistent)
{
    CZKScript original;
    ASSERT_TRUE(SampleSplitLayout().toscript(original));
    CScriptMutator mutator(51);
    for (int round = 0; round < kRounds; ++round)
    {
        CZKScript script;
        if (!script.LoadFromText(mutator.Mutate(original.SaveToText())))
            continue;
        QX_SPLITCFG_TYPE read;
        EXPECT_TRUE(read.fromscript(script));
        EXPECT_TRUE(read.check()) << "round " << round;
    }
}
