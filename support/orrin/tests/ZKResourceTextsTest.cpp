// Checks of the shipped text files themselves: they load, no key is given
// twice, every key in the key inventory has a text, and placeholders are
// only the ones callers pass arguments for.
#include <orrin/ZKRCM.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKScript.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace
{
// ZK_RESOURCE_DIR when the runner sets it, else the folder near the library.
std::string ResourceFolder()
{
    SZKRCM::Reset();
    return SZKCommon::WCStoMBS(SZKRCM::GetResourceFolder());
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

bool IsNameCharacter(char ch, bool lowerCaseToo)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_' || (lowerCaseToo && ch >= 'a' && ch <= 'z');
}

// "[Name]"
bool IsSectionHeader(const std::string& line)
{
    if (line.size() < 3 || line.front() != '[' || line.back() != ']')
        return false;
    for (size_t index = 1; index + 1 < line.size(); ++index)
    {
        if (!IsNameCharacter(line[index], true))
            return false;
    }
    return true;
}

// "KEY = text": an upper-case key, exactly " = ", a text that starts with no blank.
bool SplitItem(const std::string& line, std::string& key, std::string& text)
{
    const size_t separator = line.find(" = ");
    if (separator == 0 || separator == std::string::npos || separator + 3 >= line.size() || line[separator + 3] == ' ')
        return false;
    key = line.substr(0, separator);
    text = line.substr(separator + 3);
    for (char ch : key)
    {
        if (!IsNameCharacter(ch, false))
            return false;
    }
    return true;
}

struct TextFile
{
    bool hasByteOrderMark = false;
    std::vector<std::string> badLines;
    std::vector<std::string> duplicates;            // "section/key"
    std::map<std::string, std::map<std::string, std::string>> sections;
};

// A plain reading of the file format, independent of the script class, so
// a duplicate that the script would silently merge is still seen.
TextFile ReadTextFile(const std::string& path)
{
    TextFile result;
    std::vector<std::string> lines = ReadLines(path);
    if (!lines.empty() && lines[0].compare(0, 3, "\xEF\xBB\xBF") == 0)
    {
        result.hasByteOrderMark = true;
        lines[0].erase(0, 3);
    }
    std::string section;
    for (const std::string& line : lines)
    {
        std::string key;
        std::string text;
        if (line.empty())
            continue;
        if (IsSectionHeader(line))
            section = line.substr(1, line.size() - 2);
        else if (SplitItem(line, key, text) && !section.empty())
        {
            if (!result.sections[section].emplace(key, text).second)
                result.duplicates.push_back(section + "/" + key);
        }
        else
            result.badLines.push_back(line);
    }
    return result;
}

// Every printf conversion in text: '%', flags/width/precision, then the
// length modifiers and the conversion letter ("%ls", "%d", "%%").
std::vector<std::string> Placeholders(const std::string& text)
{
    std::vector<std::string> found;
    for (size_t pos = text.find('%'); pos != std::string::npos; pos = text.find('%', pos))
    {
        size_t end = text.find_first_not_of("-+ #0123456789.", pos + 1);
        while (end < text.size() && std::string("hlLqjzt").find(text[end]) != std::string::npos)
            ++end;
        end = end < text.size() ? end + 1 : text.size();
        found.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return found;
}

class ZKResourceTextsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.empty()) << "no resource folder"; }

    const std::string m_folder = ResourceFolder();
    const TextFile m_english = ReadTextFile(m_folder + "/texts/en.zks");
};
} // namespace

TEST_F(ZKResourceTextsTest, EnglishFileIsWellFormedWithoutDuplicates)
{
    EXPECT_TRUE(m_english.hasByteOrderMark);
    EXPECT_EQ(std::vector<std::string>(), m_english.badLines);
    EXPECT_EQ(std::vector<std::string>(), m_english.duplicates);
    ASSERT_EQ(1u, m_english.sections.count("Common"));

    CZKScript script;
    EXPECT_TRUE(script.Load(SZKCommon::MBStoWCS(m_folder) + L"/texts/en.zks"));
    EXPECT_TRUE(script.HasSection(L"Common"));
}

TEST_F(ZKResourceTextsTest, EveryInventoryKeyHasAText)
{
    const std::map<std::string, std::string>& common = m_english.sections.at("Common");
    std::vector<std::string> missing;
    std::set<std::string> inventory;
    for (const std::string& key : ReadLines(m_folder + "/texts/keys.txt"))
    {
        if (key.empty())
            continue;
        EXPECT_TRUE(inventory.insert(key).second) << key << " is listed twice";
        if (common.count(key) == 0)
            missing.push_back(key);
    }
    EXPECT_GT(inventory.size(), 100u);
    EXPECT_EQ(std::vector<std::string>(), missing);
}

TEST_F(ZKResourceTextsTest, PlaceholdersAreOnlyTheDocumentedOnes)
{
    // Callers pass exactly these arguments; a text with other conversions
    // would read arguments that are not there.
    const std::map<std::string, std::vector<std::string>> formatted{
        {"MSG_IMPRINTER_TRANSLATE_STRING_FAILED", {"%ls", "%d"}},
        {"MSG_IMPRINTER_WRITE_STRING_FAILED", {"%ls"}},
        {"MSG_IMPRINTER_WRITE_PRINTERWRITESEQUENCESTRING_FAILED", {"%d"}},
        {"MSG_IMPRINTER_INDEX_OUT_OF_RANGE", {"%ls", "%ls"}},
        {"MSG_IMPRINTER_INDEXDIGITS_OUT_OF_RANGE", {"%ls", "%ls"}},
        {"MSG_IMPRINTER_POSITION_OUT_OF_RANGE", {"%ls", "%ls", "%ls"}},
    };
    for (const auto& section : m_english.sections)
    {
        for (const auto& item : section.second)
        {
            const auto expected = formatted.find(item.first);
            const std::vector<std::string> none;
            EXPECT_EQ(expected == formatted.end() ? none : expected->second, Placeholders(item.second))
                << item.first;
        }
    }
}

TEST_F(ZKResourceTextsTest, RepresentativeKeysLoadThroughTheLookup)
{
    SZKRCM::Reset();
    for (const wchar_t* key :
         {L"STR_IM_ERR_EMPTY", L"STR_TIMEIM_ERR_DATA_INVALID_TIME", L"STR_OM_ERR_NUM_BADWIDTHFRAC",
          L"STR_DV_ERR_DATA_TAG_NOTFOUND", L"STR_IMAGESOURCEERROR_UNKNOWN", L"STR_LMS_CM_1_1000",
          L"QX_IMPRINTER_EXPRESSION_MESSAGE_6", L"QX_IMPRINTER_EXPRESSION_IA_LEVEL_1",
          L"MSG_IMPRINTER_WRITE_STRING_FAILED", L"STR_GEI_ERR_INT_TRAILING"})
    {
        std::wstring text;
        EXPECT_TRUE(SZKRCM::LoadText(key, text));
        EXPECT_FALSE(text.empty());
    }

    std::wstring text;
    EXPECT_TRUE(SZKRCM::FormatText(text, L"MIRELIGHT", L"MSG_IMPRINTER_TRANSLATE_STRING_FAILED", L"Message 2", 20));
    EXPECT_NE(std::wstring::npos, text.find(L"Message 2"));
    EXPECT_NE(std::wstring::npos, text.find(L"20"));
}
