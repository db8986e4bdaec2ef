// Random masks and expressions through parse, format and evaluate: no
// crash, no hang, and a failure always carries a code.
#include <brackwater/QXDefaultValueEI.h>
#include <brackwater/QXIOMask.h>
#include <brackwater/QXOutputMaskEI.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace
{
// Fragments that reach deep into the grammars, mixed with noise.
const std::vector<std::wstring> kFragments = {
    L"[",      L"]",           L",",          L";",           L"*",  L"-",      L"'",
    L"\"",     L"<",           L">",          L":",           L" ",  L"0",      L"1",
    L"9",      L"-2147483648", L"2147483647", L"99999999999", L"20", L"21",     L"n<",
    L"N<",     L"p<",          L"P<",         L"c<",          L"C<", L"yyyy",   L"yy",
    L"MM",     L"dd",          L"D",          L"DDD",         L"HH", L"hh",     L"mm",
    L"ss",     L"TT",          L"t",          L"ww",          L"w",  L"'x'",    L"\"lit\"",
    L"[2,4]",  L"[-3]",        L"[*;2]",      L"[1,',']",     L"OR", L"or",     L"o",
    L"<a>",    L"<a:",         L"<sys.date",  L"\t",          L"\n", L"\x00e9", L"\xffff",
    L"\x0001",
};

// Whole items, so that many random masks parse and reach the formatter.
const std::vector<std::wstring> kItems = {
    L"[2,4]",
    L"[-1,1]",
    L"[*]",
    L"[2;3]",
    L"[2,',']",
    L"n<*,2>",
    L"c<10,2,'*'>",
    L"06",
    L"P<[1;3],-8,1>",
    L"N<*,*>",
    L"C<-12,0,'0'>",
    L"yyyy",
    L"yy",
    L"M",
    L"dd",
    L"D",
    L"DDD",
    L"hh",
    L"H",
    L"mm",
    L"s",
    L"TT",
    L"t",
    L"ww",
    L"w",
    L"\"-\"",
    L"<a:yyyy\"/\"MM>",
    L"<sys.date>",
    L"<a:n<*,1>>",
    L" OR ",
};

std::wstring RandomText(std::mt19937& rng, size_t maxPieces)
{
    std::uniform_int_distribution<size_t> item(0, kItems.size() - 1);
    std::uniform_int_distribution<size_t> pieces(0, maxPieces);
    std::uniform_int_distribution<size_t> pick(0, kFragments.size() - 1);
    std::uniform_int_distribution<int> raw(0, 0x7F);
    std::wstring text;
    const size_t count = pieces(rng);
    for (size_t i = 0; i < count; ++i)
    {
        const unsigned roll = rng() % 10;
        if (roll < 5)
            text += kItems[item(rng)];
        else if (roll == 5)
            text += static_cast<wchar_t>(raw(rng));
        else
            text += kFragments[pick(rng)];
    }
    return text;
}

int RandomPart(std::mt19937& rng)
{
    const int choices[] = {-1,        0,  1,  12,  13,   23,   24,    29,
                           31,        59, 60, 366, 2024, 9999, 10000, -2147483647 - 1,
                           2147483647};
    return choices[rng() % (sizeof(choices) / sizeof(choices[0]))];
}
} // namespace

TEST(OutputMaskFuzz, RandomMasksNeverCrash)
{
    std::mt19937 rng(20240131u);
    for (int i = 0; i < 50000; ++i)
    {
        const std::wstring mask = RandomText(rng, 8);
        const std::wstring value = RandomText(rng, 4);
        CQXOutputMaskItemList list;
        DWORD code = 0;
        if (!CQXOutputMaskEI::Parse(mask, list, code))
        {
            ASSERT_NE(code, 0u);
            ASSERT_EQ(list.GetCount(), 0);
            continue;
        }
        std::wstring text;
        const BOOL strict = static_cast<BOOL>(rng() % 2);
        if (!CQXOutputMaskEI::Format(list, value, RandomPart(rng), RandomPart(rng), RandomPart(rng),
                                     RandomPart(rng), RandomPart(rng), RandomPart(rng), strict,
                                     strict, strict, text, code))
        {
            ASSERT_NE(code, 0u);
        }
    }
}

TEST(OutputMaskFuzz, RandomExpressionsNeverCrash)
{
    std::mt19937 rng(4101u);
    CQXDefaultValueTagItemList tags;
    tags.SetTag(L"a", L"1234.5", 2024, 2, 29, 23, 59, 59, 7);
    tags.SetTag(L"sys.date", L"", 2024, 1, 31, -1, -1, -1);
    for (int i = 0; i < 50000; ++i)
    {
        const std::wstring expression = RandomText(rng, 10);
        std::wstring value;
        int level = 0;
        DWORD code = 0;
        if (!SQXIOMask::GetDefaultValue(expression, tags, value, level, code))
        {
            ASSERT_NE(code, 0u);
            ASSERT_TRUE(value.empty());
        }
        std::wstring message;
        SQXIOMask::GetErrorMessage(code, message, FALSE);
    }
}
