#include <hollin/ZKCommon.h>

#include <hollin/ZKRBuffer.h>
#include <hollin/ZKStringList.h>
#include <hollin/ZKTempFileKeeper.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

namespace
{
using Tokens = std::vector<std::wstring>;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
} // namespace

TEST(ZKCommonConversion, RoundTripsAllPlanesAndEmbeddedNul)
{
    const std::wstring text = std::wstring(L"A\u00e9\u20ac") + wchar_t(0) + L"\U0001F600z";
    std::string narrow;
    ASSERT_TRUE(SZKCommon::WCStoMBS(text, narrow, 65001));
    EXPECT_EQ(std::string("A\xC3\xA9\xE2\x82\xAC\0\xF0\x9F\x98\x80z", 12), narrow);
    std::wstring wide;
    ASSERT_TRUE(SZKCommon::MBStoWCS(narrow, wide, 65001));
    EXPECT_EQ(text, wide);
    // The ANSI code page is the locale's narrow encoding: UTF-8 here.
    EXPECT_EQ(text, SZKCommon::MBStoWCS(SZKCommon::WCStoMBS(text, 0), 0));
    // C buffers: conversion stops at the NUL; a null pointer is empty text.
    const char buffer[8] = {'o', 'k', 0, 'x'};
    EXPECT_EQ(L"ok", SZKCommon::MBStoWCS(buffer));
    EXPECT_EQ(L"", SZKCommon::MBStoWCS(static_cast<const char*>(nullptr)));
    EXPECT_EQ("", SZKCommon::WCStoMBS(static_cast<const wchar_t*>(nullptr)));
}

TEST(ZKCommonConversion, InvalidUTF8BecomesReplacementCharacters)
{
    const wchar_t R = 0xFFFD;
    struct Case
    {
        std::string input;
        std::wstring expected;
    } cases[] = {
        {"a\xFF" "b", {L'a', R, L'b'}},                 // byte that never starts a sequence
        {"\xC0\xAF", {R, R}},                           // overlong '/'
        {"\xE0\x80\xAF", {R, R, R}},                    // overlong, 3 bytes
        {"\xED\xA0\x80", {R, R, R}},                    // encoded surrogate
        {"\xF4\x90\x80\x80", {R, R, R, R}},             // above U+10FFFF
        {"\xE2\x82", {R}},                              // truncated at the end
        {"\xE2\x82" "x", {R, L'x'}},                    // truncated in the middle
        {"\x80\x80", {R, R}},                           // stray continuation bytes
        {"\xF0\x9F\x98", {R}},                          // truncated 4-byte sequence
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, SZKCommon::MBStoWCS(c.input)) << "input size " << c.input.size();
}

TEST(ZKCommonConversion, WideSurrogatesAreJoinedOrReplaced)
{
    EXPECT_EQ("\xF0\x9F\x98\x80", SZKCommon::WCStoMBS(std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}));
    EXPECT_EQ("\xEF\xBF\xBD" "a", SZKCommon::WCStoMBS(std::wstring{wchar_t(0xD83D), L'a'}));
    EXPECT_EQ("\xEF\xBF\xBD", SZKCommon::WCStoMBS(std::wstring{wchar_t(0xDE00)}));
    EXPECT_EQ("\xEF\xBF\xBD", SZKCommon::WCStoMBS(std::wstring{static_cast<wchar_t>(0x110000)}));
}

TEST(ZKCommonConversion, UnknownCodePageFailsWithEmptyResult)
{
    std::wstring wide = L"old";
    EXPECT_FALSE(SZKCommon::MBStoWCS("abc", wide, 1252));
    EXPECT_TRUE(wide.empty());
    std::string narrow = "old";
    EXPECT_FALSE(SZKCommon::WCStoMBS(L"abc", narrow, 437));
    EXPECT_TRUE(narrow.empty());
}

TEST(ZKCommonText, EqualNoCaseComparesWholeTextsWithoutCase)
{
    EXPECT_TRUE(SZKCommon::EqualNoCase(L"Generic TWAIN Source", L"generic twain SOURCE"));
    EXPECT_TRUE(SZKCommon::EqualNoCase(L"", L""));
    EXPECT_FALSE(SZKCommon::EqualNoCase(L"abc", L"abcd")) << "a prefix is not equal";
    EXPECT_FALSE(SZKCommon::EqualNoCase(L"abc", L"abd"));
    EXPECT_FALSE(SZKCommon::EqualNoCase(std::wstring(L"a\0b", 3), std::wstring(L"a\0c", 3)))
        << "characters after a NUL count";
    EXPECT_TRUE(SZKCommon::EqualNoCase(std::string("Default"), std::string("dEFAULT")));
    EXPECT_FALSE(SZKCommon::EqualNoCase(std::string("Default"), std::string("Defaults")));
    EXPECT_FALSE(SZKCommon::EqualNoCase(std::string("\xC4"), std::string("\xE4"))) << "only ASCII letters fold";
}

TEST(ZKCommonSplit, BlankDelimiterFollowsWindowsRules)
{
    EXPECT_EQ((Tokens{L"a", L"b c", L"d"}), SZKCommon::SplitCommandLine(L"  a \"b c\"\td  "));
    EXPECT_EQ((Tokens{L"a\\\\b", L"x\"y", L"back\\"}), SZKCommon::SplitCommandLine(L"a\\\\b x\\\"y \"back\\\\\""));
    EXPECT_EQ((Tokens{L"", L"z"}), SZKCommon::SplitCommandLine(L"\"\" z"));
    EXPECT_EQ((Tokens{L"say \"hi\""}), SZKCommon::SplitCommandLine(L"\"say \"\"hi\"\"\""));
    EXPECT_TRUE(SZKCommon::SplitCommandLine(L"   ").empty());
}

TEST(ZKCommonSplit, OtherDelimiterKeepsEmptyFieldsAndQuotes)
{
    EXPECT_EQ((Tokens{L"key", L"value"}), SZKCommon::SplitCommandLine(L"key,value", L','));
    EXPECT_EQ((Tokens{L"a", L"", L"b", L""}), SZKCommon::SplitCommandLine(L"a,,b,", L','));
    EXPECT_EQ((Tokens{L"\"q,", L"r\""}), SZKCommon::SplitCommandLine(L"\"q,;r\"", L';'));
    EXPECT_EQ((Tokens{L" x "}), SZKCommon::SplitCommandLine(L" x ", L','));
    EXPECT_TRUE(SZKCommon::SplitCommandLine(L"", L',').empty());
}

TEST(ZKCommonSplit, ListFormReplacesPreviousContents)
{
    CZKStringList list;
    list.AddTail(L"stale");
    ASSERT_TRUE(SZKCommon::SplitCommandLine(L"2024-01-05", list, L'-'));
    ASSERT_EQ(3, list.GetCount());
    EXPECT_EQ(L"2024", list.GetAt(0));
    EXPECT_EQ(L"05", list.GetAt(2));

    ASSERT_TRUE(SZKCommon::SplitPathItemList(L" /a/b ; \"/c;d\" ;; /e\\f ;", list));
    ASSERT_EQ(3, list.GetCount());
    EXPECT_EQ(L"/a/b", list.GetAt(0));
    EXPECT_EQ(L"/c;d", list.GetAt(1));
    EXPECT_EQ(L"/e\\f", list.GetAt(2));
    EXPECT_TRUE(SZKCommon::SplitPathItemList(L" ; ;").empty());
}

TEST(ZKCommonFolders, ModuleFolderHoldsTheLibrary)
{
    std::wstring folder;
    ASSERT_TRUE(SZKCommon::GetModuleFolderPath(folder));
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(L'/', folder.front());
    EXPECT_NE(L'/', folder.back());
    struct stat info{};
    EXPECT_EQ(0, ::stat((SZKCommon::WCStoMBS(folder) + "/libhollin.so").c_str(), &info));

    static const int inThisExecutable = 0;
    std::wstring exeFolder;
    ASSERT_TRUE(SZKCommon::GetModuleFolderPath(exeFolder, &inThisExecutable));
    EXPECT_FALSE(exeFolder.empty());
}

TEST(ZKCommonFolders, ShellFoldersByNumber)
{
    ::setenv("ZK_COMMON_APPDATA_DIR", "/tmp/zk-appdata-test", 1);
    ::setenv("ZK_SYSTEM_DIR", "/tmp/zk-system-test", 1);
    std::wstring folder;
    ASSERT_TRUE(SZKCommon::GetSHFolderPath(0x23, folder));
    EXPECT_EQ(L"/tmp/zk-appdata-test", folder);
    ASSERT_TRUE(SZKCommon::GetSHFolderPath(0x24, folder));
    EXPECT_EQ(L"/tmp/zk-system-test", folder);
    folder = L"unchanged";
    EXPECT_FALSE(SZKCommon::GetSHFolderPath(0x05, folder));
    EXPECT_EQ(L"unchanged", folder);
}

TEST(ZKCommonFiles, BufferAndFileRoundTrip)
{
    CZKTempFileKeeper temp;
    ASSERT_TRUE(temp.Create());
    const std::string bytes("\0\x01\xFFpayload", 10);
    CZKRBuffer out(bytes.data(), bytes.size());
    ASSERT_TRUE(SZKCommon::BufferToFile(out, temp.Get()));
    EXPECT_EQ(bytes, ReadFile(temp.GetA()));

    CZKRBuffer in;
    ASSERT_TRUE(SZKCommon::FileToBuffer(temp.Get(), in));
    EXPECT_EQ(out, in);

    CZKRBuffer empty;
    ASSERT_TRUE(SZKCommon::BufferToFile(empty, temp.Get()));
    ASSERT_TRUE(SZKCommon::FileToBuffer(temp.Get(), in));
    EXPECT_EQ(0u, in.GetSize());
}

TEST(ZKCommonFiles, FailuresLeaveBufferAndFolderClean)
{
    CZKRBuffer buffer("keep", 4);
    EXPECT_FALSE(SZKCommon::FileToBuffer(L"/nonexistent-folder/none.bin", buffer));
    EXPECT_FALSE(SZKCommon::FileToBuffer(L"/tmp", buffer)); // a folder is not a file
    EXPECT_EQ(CZKRBuffer("keep", 4), buffer);
    EXPECT_FALSE(SZKCommon::BufferToFile(buffer, L"/nonexistent-folder/out.bin"));
    EXPECT_FALSE(SZKCommon::BufferToFile(buffer, L""));
}
