#include <wincompat/ZKCommandLine.h>

#include <gtest/gtest.h>

#include <string>

using Args = std::vector<std::wstring>;

TEST(CommandLine, SplitsWithWindowsQuotingRules)
{
    const std::vector<std::pair<std::wstring, Args>> cases = {
        {L"", {}},
        {L"   \t ", {}},
        {L"a b\tc", {L"a", L"b", L"c"}},
        {L"  lead  trail  ", {L"lead", L"trail"}},
        {L"\"a b\" c", {L"a b", L"c"}},
        {L"ab\"c d\"e f", {L"abc de", L"f"}},
        {L"\"\" x", {L"", L"x"}},
        {L"a\\\\b", {L"a\\\\b"}}, // backslashes not before a quote stay
        {L"C:\\dir\\ file", {L"C:\\dir\\", L"file"}},
        {L"a\\\"b", {L"a\"b"}},         // 1 backslash + quote: literal quote
        {L"a\\\\\"b c\"", {L"a\\b c"}}, // 2 + quote: one backslash, quote groups
        {L"a\\\\\\\"b", {L"a\\\"b"}},   // 3 + quote: one backslash, literal quote
        {L"\"C:\\Program Files\\\\\" next", {L"C:\\Program Files\\", L"next"}},
        {L"\"say \"\"hi\"\"\"", {L"say \"hi\""}}, // doubled quote inside quotes
        {L"\"unterminated arg", {L"unterminated arg"}},
        {L"trailing\\", {L"trailing\\"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, CZKCommandLine::Split(c.first))
            << std::string(c.first.begin(), c.first.end());
}

TEST(CommandLine, QuotedArgumentsSplitBackUnchanged)
{
    const Args arguments = {L"plain",
                            L"",
                            L"two words",
                            L"quote\"inside",
                            L"C:\\path with space\\",
                            L"back\\\\slashes\\\"",
                            L"\t",
                            L"\u00e9t\u00e9"};
    std::wstring text;
    for (const auto& argument : arguments)
        text += CZKCommandLine::Quote(argument) + L" ";
    EXPECT_EQ(arguments, CZKCommandLine::Split(text));
    EXPECT_EQ(L"plain", CZKCommandLine::Quote(L"plain"));
}

TEST(CommandLine, ProcessArgumentsComeFromTheSystemUnlessOverridden)
{
    const Args real = CZKCommandLine::Arguments();
    ASSERT_FALSE(real.empty());
    EXPECT_NE(std::wstring::npos, real[0].find(L"CommandLineTest"));

    CZKCommandLine::SetOverride({L"tool.exe", L"/scan", L"out file.tif"});
    EXPECT_EQ((Args{L"tool.exe", L"/scan", L"out file.tif"}), CZKCommandLine::Arguments());
    EXPECT_EQ(L"tool.exe /scan \"out file.tif\"", CZKCommandLine::Text());
    CZKCommandLine::ClearOverride();
    EXPECT_EQ(real, CZKCommandLine::Arguments());
}
