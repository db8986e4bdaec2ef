#include <wincompat/ZKProfile.h>

#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace
{

void WriteFile(const std::wstring& path, const std::string& content)
{
    std::ofstream(std::string(path.begin(), path.end()), std::ios::binary) << content;
}

std::string ReadFile(const std::wstring& path)
{
    std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(Profile, ReadsValuesIgnoringCaseBlanksAndQuotes)
{
    TempFolder folder;
    const std::wstring file = folder.WidePath("settings.ini");
    WriteFile(file, "\xEF\xBB\xBF; comment\r\n"
                    "orphan=ignored\r\n"
                    "[Scanner]\r\n"
                    "  Model = \"Fast 2000\"  \r\n"
                    "Empty=\r\n"
                    "Name=caf\xC3\xA9\r\n"
                    "Model=second wins nothing\r\n"
                    "[ Other ]\r\n"
                    "Model=other\r\n");
    EXPECT_EQ(L"Fast 2000", CZKProfile::GetString(L"scanner", L"MODEL", L"def", file));
    EXPECT_EQ(L"", CZKProfile::GetString(L"Scanner", L"Empty", L"def", file));
    EXPECT_EQ(L"caf\u00e9", CZKProfile::GetString(L"Scanner", L"Name", L"def", file));
    EXPECT_EQ(L"other", CZKProfile::GetString(L"other", L"model", L"def", file));
    EXPECT_EQ(L"def", CZKProfile::GetString(L"Scanner", L"Missing", L"def", file));
    EXPECT_EQ(L"def", CZKProfile::GetString(L"Missing", L"Model", L"def", file));
    EXPECT_EQ(L"def", CZKProfile::GetString(L"", L"orphan", L"def", file));
    EXPECT_EQ(L"def",
              CZKProfile::GetString(L"Scanner", L"Model", L"def", folder.WidePath("none.ini")));
    EXPECT_EQ((std::vector<std::wstring>{L"Scanner", L"Other"}), CZKProfile::SectionNames(file));
    EXPECT_EQ((std::vector<std::wstring>{L"Model", L"Empty", L"Name", L"Model"}),
              CZKProfile::KeyNames(L"SCANNER", file));
}

TEST(Profile, IntegersTakeTheLeadingNumber)
{
    TempFolder folder;
    const std::wstring file = folder.WidePath("n.ini");
    WriteFile(
        file,
        "[N]\nplain=42\nneg=-7\nhex=0x1F\ntrail=12abc\nword=abc\nhuge=99999999999\nquoted=\"5\"\n");
    EXPECT_EQ(42, CZKProfile::GetInt(L"n", L"plain", -1, file));
    EXPECT_EQ(-7, CZKProfile::GetInt(L"n", L"neg", -1, file));
    EXPECT_EQ(31, CZKProfile::GetInt(L"n", L"hex", -1, file));
    EXPECT_EQ(12, CZKProfile::GetInt(L"n", L"trail", -1, file));
    EXPECT_EQ(0, CZKProfile::GetInt(L"n", L"word", -1, file));
    EXPECT_EQ(2147483647, CZKProfile::GetInt(L"n", L"huge", -1, file));
    EXPECT_EQ(5, CZKProfile::GetInt(L"n", L"quoted", -1, file));
    EXPECT_EQ(-1, CZKProfile::GetInt(L"n", L"missing", -1, file));
}

TEST(Profile, WritingKeepsTheRestOfTheFile)
{
    TempFolder folder;
    const std::wstring file = folder.WidePath("w.ini");
    WriteFile(file, "; keep me\n[A]\nx=1\n\n[B]\ny=2\n");
    ASSERT_TRUE(CZKProfile::WriteString(L"a", L"X", L"10", file));
    ASSERT_TRUE(CZKProfile::WriteString(L"A", L"z", L"3", file));
    ASSERT_TRUE(CZKProfile::WriteString(L"C", L"w", L"4", file));
    EXPECT_EQ("; keep me\n[A]\nX=10\nz=3\n\n[B]\ny=2\n\n[C]\nw=4\n", ReadFile(file));

    EXPECT_TRUE(CZKProfile::DeleteKey(L"a", L"x", file));
    EXPECT_FALSE(CZKProfile::DeleteKey(L"a", L"x", file));
    EXPECT_TRUE(CZKProfile::DeleteSection(L"b", file));
    EXPECT_FALSE(CZKProfile::DeleteSection(L"b", file));
    EXPECT_EQ("; keep me\n[A]\nz=3\n\n[C]\nw=4\n", ReadFile(file));
}

TEST(Profile, WritingCreatesTheFileAndRefusesTextThatWouldNotReadBack)
{
    TempFolder folder;
    const std::wstring file = folder.WidePath("sub/new.ini");
    ASSERT_TRUE(CZKProfile::WriteString(L"S", L"k", L"v=w", file));
    EXPECT_EQ(L"v=w", CZKProfile::GetString(L"S", L"k", L"", file));
    EXPECT_FALSE(CZKProfile::WriteString(L"S", L"k", L"two\nlines", file));
    EXPECT_FALSE(CZKProfile::WriteString(L"S", L"a=b", L"v", file));
    EXPECT_FALSE(CZKProfile::WriteString(L"S]x", L"k", L"v", file));
    EXPECT_FALSE(CZKProfile::WriteString(L"", L"k", L"v", file));
    EXPECT_FALSE(CZKProfile::WriteString(L"S", L"k", L"v", L""));
    EXPECT_EQ(L"v=w", CZKProfile::GetString(L"S", L"k", L"", file));
}
