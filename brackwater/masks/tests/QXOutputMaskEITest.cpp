#include <brackwater/QXIOMask.h>
#include <brackwater/QXOutputMaskEI.h>

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace
{
struct Parts
{
    int year = -1, month = -1, day = -1, hour = -1, minute = -1, second = -1;
};

const Parts kNoParts;
const Parts kFullParts{2024, 1, 31, 14, 5, 9};

struct FormatResult
{
    BOOL ok;
    std::wstring text;
    DWORD code;
};

FormatResult Format(const std::wstring& mask, const std::wstring& value, const Parts& p = kNoParts,
                    BOOL strictText = FALSE, BOOL strictNumber = FALSE, BOOL strictTime = FALSE)
{
    FormatResult r{FALSE, L"", 0xFFFF};
    CQXOutputMaskItemList list;
    DWORD parseCode = 0;
    if (!CQXOutputMaskEI::Parse(mask, list, parseCode))
    {
        r.code = parseCode;
        return r;
    }
    r.ok = CQXOutputMaskEI::Format(list, value, p.year, p.month, p.day, p.hour, p.minute, p.second,
                                   strictText, strictNumber, strictTime, r.text, r.code);
    return r;
}

DWORD ParseCode(const std::wstring& mask)
{
    CQXOutputMaskItemList list;
    DWORD code = 0;
    const BOOL ok = CQXOutputMaskEI::Parse(mask, list, code);
    EXPECT_EQ(ok ? 0u : 1u, code == 0 ? 0u : 1u)
        << "mask " << std::string(mask.begin(), mask.end());
    if (!ok)
    {
        EXPECT_EQ(list.GetCount(), 0);
    }
    return code;
}

struct Case
{
    const wchar_t* mask;
    const wchar_t* value;
    const wchar_t* expected;
};

void ExpectFormats(const Case* cases, size_t count, const Parts& parts = kNoParts)
{
    for (size_t i = 0; i < count; ++i)
    {
        const FormatResult r = Format(cases[i].mask, cases[i].value, parts);
        EXPECT_TRUE(r.ok) << "case " << i << " code " << r.code;
        EXPECT_EQ(r.text, cases[i].expected) << "case " << i;
    }
}
} // namespace

TEST(OutputMaskParse, ErrorCodes)
{
    struct
    {
        const wchar_t* mask;
        DWORD code;
    } cases[] = {
        {L"", 0},
        {L"[2,4] \"-\" n<*,2> yyyy<[1]>", 0},
        {L"[", 3001},
        {L"[2,4", 3001},
        {L"[a]", 3001},
        {L"[1;0]", 3001},
        {L"[1;-2]", 3001},
        {L"[-1,',']", 3001}, // a token delimiter needs a start >= 0
        {L"[1,'']", 3001},
        {L"[1,2;3]", 3001},
        {L"0", 3002},
        {L"0 6", 3002},
        {L"0x", 3002},
        {L"n", 3002},
        {L"n<*>", 3002},
        {L"n<*,2", 3002},
        {L"n<[x],*,2>", 3002}, // a malformed selection inside a number
        {L"n<[1] *,2>", 3002},
        {L"n<*,2,x>", 3002},
        {L"n<3,3>", 3003},
        {L"n<-3,3>", 3003},
        {L"n<*,21>", 3003},
        {L"n<*,-1>", 3003},
        {L"n<2,*>", 0}, // '*' fraction digits are not checked against the width
        {L"n<*,20>", 0},
        // Widths that only ask for absurd padding.
        {L"02147483647", 3002},
        {L"050000000", 3002},
        {L"04097", 3002},
        {L"04096", 0},
        {L"n<-4097,2>", 3002},
        {L"n<[1],50000000,2>", 3002},
        {L"n<-4096,2>", 0},
        {L"DD", 3004},
        {L"yyy", 3004},
        {L"yyyyy", 3004},
        {L"MM<", 3004},
        {L"MM<[x]>", 3004},
        {L"MM<[1]", 3004},
        {L"x", 100},
        {L"#", 100},
        {L"\"abc", CZKGEI::ERR_STRING_UNCLOSED},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseCode(c.mask), c.code) << std::string(c.mask, c.mask + wcslen(c.mask));
}

TEST(OutputMaskParse, ItemFields)
{
    CQXOutputMaskItemList list;
    DWORD code = 0;
    ASSERT_TRUE(
        CQXOutputMaskEI::Parse(L"[ -3 , 2 ] C<[2;3],-9,2,'*'> 06 ww<[1]> \"x\"", list, code));
    ASSERT_EQ(list.GetCount(), 5);
    const CQXOutputMaskItem& text = *list.Get(0);
    EXPECT_EQ(text.m_nType, CQXOutputMaskItem::TYPE_TEXT);
    EXPECT_EQ(text.m_nStart, -3);
    EXPECT_EQ(text.m_nEnd, 2);
    const CQXOutputMaskItem& number = *list.Get(1);
    EXPECT_EQ(number.m_nStyle, CQXOutputMaskItem::STYLE_GROUPED_SIGNED);
    EXPECT_TRUE(number.m_bSelection);
    EXPECT_EQ(number.m_nStart, 2);
    EXPECT_EQ(number.m_nCount, 3);
    EXPECT_EQ(number.m_nWidth, -9);
    EXPECT_EQ(number.m_nFracDigits, 2);
    EXPECT_EQ(number.m_chPad, L'*');
    const CQXOutputMaskItem& zero = *list.Get(2);
    EXPECT_EQ(zero.m_nWidth, 6);
    EXPECT_EQ(zero.m_chPad, L'0');
    EXPECT_EQ(zero.m_nFracDigits, 0);
    EXPECT_EQ(list.Get(3)->m_nTag, CQXOutputMaskItem::TAG_WW);
    EXPECT_EQ(list.Get(4)->m_strText, L"x");

    // A copied list is independent of its source.
    CQXOutputMaskItemList copy(list);
    list.RemoveAll();
    ASSERT_EQ(copy.GetCount(), 5);
    EXPECT_EQ(copy.Get(1)->m_nWidth, -9);
}

TEST(OutputMaskFormat, TextSelections)
{
    const Case cases[] = {
        {L"[2,4]", L"ABCDEF", L"BCD"},
        {L"[-3]", L"ABCDEF", L"DEF"},
        {L"[4,2]", L"ABCDEF", L"DCB"},
        {L"[2;3]", L"ABCDEF", L"BCD"},
        {L"[*]", L"ABCDEF", L"ABCDEF"},
        {L"[9]", L"ABCDEF", L""},
        {L"[-2,-1]", L"ABCDEF", L"EF"},
        {L"[-1,1]", L"ABCDEF", L"FEDCBA"},
        {L"[*,3]", L"ABCDEF", L"ABC"},
        {L"[5;9]", L"ABCDEF", L"EF"},
        {L"[-9,2]", L"ABCDEF", L"AB"},
        {L"[-9,9]", L"ABCDEF", L"ABCDEF"},
        {L"[9,-9]", L"ABCDEF", L"FEDCBA"},
        {L"[9,8]", L"ABCDEF", L""},
        {L"[2,',']", L"a,bc,d", L"bc"},
        {L"[*,',']", L"a,bc,d", L"a"},
        {L"[4,',']", L"a,bc,d", L""},
        {L"[3,';']", L"a;;c", L"c"},
        {L"[1]", L"", L""},
        {L"\"<\" [1,1] \">\"", L"xy", L"<x>"},
    };
    ExpectFormats(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(OutputMaskFormat, StrictTextSelections)
{
    struct
    {
        const wchar_t* mask;
        BOOL ok;
    } cases[] = {
        {L"[2,4]", TRUE},   {L"[4,2]", TRUE},    {L"[-6,-1]", TRUE}, {L"[2;5]", TRUE},
        {L"[9]", FALSE},    {L"[*]", FALSE},     {L"[2]", FALSE},    {L"[2;6]", FALSE},
        {L"[-7,1]", FALSE}, {L"[3,',']", FALSE}, {L"[2,',']", TRUE},
    };
    for (const auto& c : cases)
    {
        const FormatResult r = Format(c.mask, L"ABC,EF", kNoParts, TRUE);
        EXPECT_EQ(r.ok, c.ok) << std::string(c.mask, c.mask + wcslen(c.mask));
        EXPECT_EQ(r.code, c.ok ? 0u : CQXOutputMaskEI::ERR_DATA_TEXT_OUTOFLEN);
    }
}

TEST(OutputMaskFormat, NumberStyles)
{
    const Case cases[] = {
        {L"c<*,2>", L"1234567.891", L"1,234,567.89"},
        {L"N<*,0>", L"5", L"+5"},
        {L"N<*,0>", L"-5", L"-5"},
        {L"p<*,1>", L"0.125", L"12.5%"},
        {L"P<*,0>", L"0.5", L"+50%"},
        {L"P<*,0>", L"-0.5", L"-50%"},
        {L"06", L"42", L"000042"},
        {L"05", L"-7", L"000-7"},
        {L"02", L"12345", L"12345"},
        {L"n<8,2,'*'>", L"3.5", L"****3.50"},
        {L"n<-8,2,'_'>", L"3.5", L"3.50____"},
        {L"n<*,*>", L"2", L"2.000000"},
        {L"n<*,0>", L"2.5", L"2"},
        {L"n<*,0>", L"abc", L"0"},
        {L"n<*,1>", L"12abc", L"12.0"},
        {L"n<*,0>", L" 12", L"12"},
        {L"C<*,0>", L"999", L"+999"},
        {L"c<*,0>", L"1000", L"1,000"},
        {L"c<*,0>", L"-1234567", L"-1,234,567"},
        {L"n<[2,3],*,0>", L"x42y", L"42"},
        {L"n<[*,','],*,1>", L"7,8", L"7.0"},
        {L"n<[9],5,0>", L"123", L"    0"},
    };
    ExpectFormats(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(OutputMaskFormat, NumberIgnoresProcessLocale)
{
    // A locale with a decimal comma must not leak into the output.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    const bool switched = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr ||
                          std::setlocale(LC_ALL, "fr_FR.UTF-8") != nullptr;
    const FormatResult r = Format(L"c<*,2>", L"1234567.891");
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.text, L"1,234,567.89");
    if (!switched)
        GTEST_SKIP() << "no comma locale installed; checked in the C locale only";
}

TEST(OutputMaskFormat, StrictNumbers)
{
    struct
    {
        const wchar_t* mask;
        const wchar_t* value;
        DWORD code;
    } cases[] = {
        {L"n<*,0>", L"abc", CQXOutputMaskEI::ERR_DATA_NUM_BADNUMBER},
        {L"n<*,0>", L"", CQXOutputMaskEI::ERR_DATA_NUM_BADNUMBER},
        {L"n<3,0>", L"12345", CQXOutputMaskEI::ERR_DATA_NUM_LONGNUMBER},
        {L"02", L"-12", CQXOutputMaskEI::ERR_DATA_NUM_LONGNUMBER},
        {L"n<3,0>", L"123", 0},
        // Without a selection a number item is never a text-selection fault.
        {L"n<*,0>", L"7", 0},
    };
    for (const auto& c : cases)
    {
        const FormatResult r = Format(c.mask, c.value, kNoParts, TRUE, TRUE, TRUE);
        EXPECT_EQ(r.code, c.code) << std::string(c.mask, c.mask + wcslen(c.mask));
        EXPECT_EQ(r.ok, c.code == 0 ? TRUE : FALSE);
    }
    // The strict-text flag applies to an explicit selection of a number.
    EXPECT_EQ(Format(L"n<[5],*,0>", L"12", kNoParts, TRUE).code,
              CQXOutputMaskEI::ERR_DATA_TEXT_OUTOFLEN);
}

TEST(OutputMaskFormat, EveryTimeTagPresent)
{
    // 2024-01-31 is a Wednesday, day 31, in week 5 (weeks start on Sunday).
    const Case cases[] = {
        {L"yyyy", L"", L"2024"},  {L"yy", L"", L"24"}, {L"y", L"", L"2024"},
        {L"MM", L"", L"01"},      {L"M", L"", L"1"},   {L"dd", L"", L"31"},
        {L"d", L"", L"31"},       {L"D", L"", L"4"},   {L"DDD", L"", L"031"},
        {L"HH", L"", L"14"},      {L"H", L"", L"14"},  {L"hh", L"", L"02"},
        {L"h", L"", L"2"},        {L"mm", L"", L"05"}, {L"m", L"", L"5"},
        {L"ss", L"", L"09"},      {L"s", L"", L"9"},   {L"TT", L"", L"PM"},
        {L"T", L"", L"P"},        {L"tt", L"", L"pm"}, {L"t", L"", L"p"},
        {L"ww", L"", L"05"},      {L"w", L"", L"5"},   {L"yyyy\"-\"MM\"-\"dd", L"", L"2024-01-31"},
        {L"dd<[1]>", L"", L"31"}, // a selection on a tag has no effect
    };
    ExpectFormats(cases, sizeof(cases) / sizeof(cases[0]), kFullParts);
}

TEST(OutputMaskFormat, EveryTimeTagAbsent)
{
    const Case cases[] = {
        {L"yyyy", L"", L"    "}, {L"yy", L"", L"  "}, {L"y", L"", L""},  {L"MM", L"", L"  "},
        {L"M", L"", L""},        {L"dd", L"", L"  "}, {L"d", L"", L""},  {L"D", L"", L" "},
        {L"DDD", L"", L"   "},   {L"HH", L"", L"  "}, {L"H", L"", L""},  {L"hh", L"", L"  "},
        {L"h", L"", L""},        {L"mm", L"", L"  "}, {L"m", L"", L""},  {L"ss", L"", L"  "},
        {L"s", L"", L""},        {L"TT", L"", L"  "}, {L"T", L"", L" "}, {L"tt", L"", L"  "},
        {L"t", L"", L" "},       {L"ww", L"", L"  "}, {L"w", L"", L""},
    };
    ExpectFormats(cases, sizeof(cases) / sizeof(cases[0]));
    // Zero stands for an absent year, month or day as well.
    ExpectFormats(cases, 9, Parts{0, 0, 0, -1, -1, -1});
}

TEST(OutputMaskFormat, TwelveHourClockAndCalendarCorners)
{
    const Parts midnight{-1, -1, -1, 0, 5, -1};
    const Case clock[] = {{L"hh\":\"mm\" \"TT", L"", L"12:05 AM"}, {L"h t", L"", L"12a"}};
    ExpectFormats(clock, 2, midnight);
    const Parts noon{-1, -1, -1, 12, 0, 0};
    const Case noonCases[] = {{L"hh TT", L"", L"12PM"}};
    ExpectFormats(noonCases, 1, noon);
    const Case noHour[] = {{L"hh\":\"mm\" \"TT", L"", L"  :05   "}};
    ExpectFormats(noHour, 1, Parts{-1, -1, -1, -1, 5, -1});

    // 1 January 2023 is a Sunday (D 1, week 1); 31 December 2024 is day 366.
    const Case newYear[] = {{L"D\" \"DDD\" \"ww", L"", L"1 001 01"}};
    ExpectFormats(newYear, 1, Parts{2023, 1, 1, -1, -1, -1});
    const Case leap[] = {{L"DDD w D", L"", L"366533"}};
    ExpectFormats(leap, 1, Parts{2024, 12, 31, -1, -1, -1});
    // An impossible date in lenient mode gives blanks for the derived tags.
    const Case bad[] = {{L"dd\"|\"D\"|\"DDD\"|\"ww", L"", L"30| |   |  "}};
    ExpectFormats(bad, 1, Parts{2023, 2, 30, -1, -1, -1});
}

TEST(OutputMaskFormat, StrictTimeCodes)
{
    const Parts noYear{-1, 1, 31, 14, 5, 9};
    const Parts noMonth{2024, -1, 31, 14, 5, 9};
    const Parts noDay{2024, 1, -1, 14, 5, 9};
    const Parts noHour{2024, 1, 31, -1, 5, 9};
    const Parts noMinute{2024, 1, 31, 14, -1, 9};
    const Parts noSecond{2024, 1, 31, 14, 5, -1};
    struct
    {
        const wchar_t* mask;
        Parts parts;
        DWORD code;
    } cases[] = {
        {L"yyyy", noYear, 3106},
        {L"yy", noYear, 3106},
        {L"y", noYear, 3106},
        {L"MM", noMonth, 3107},
        {L"M", noMonth, 3107},
        {L"dd", noDay, 3108},
        {L"d", noDay, 3108},
        {L"D", noMonth, 3107},
        {L"DDD", noYear, 3106},
        {L"ww", noDay, 3108},
        {L"w", noMonth, 3107},
        {L"HH", noHour, 3109},
        {L"H", noHour, 3109},
        {L"hh", noHour, 3109},
        {L"h", noHour, 3109},
        {L"TT", noHour, 3109},
        {L"T", noHour, 3109},
        {L"tt", noHour, 3109},
        {L"t", noHour, 3109},
        {L"mm", noMinute, 3110},
        {L"m", noMinute, 3110},
        {L"ss", noSecond, 3111},
        {L"s", noSecond, 3111},
        {L"yyyy", noSecond, 0},
        {L"ss", Parts{2023, 2, 29, 1, 1, 1}, 3104},
        {L"yyyy", Parts{2023, 2, 28, 24, 1, 1}, 3105},
        {L"yyyy", Parts{2023, 2, 28, 1, 60, 1}, 3105},
        {L"yyyy", Parts{2023, 13, 1, 1, 1, 1}, 3104},
    };
    for (const auto& c : cases)
    {
        const FormatResult r = Format(c.mask, L"", c.parts, FALSE, FALSE, TRUE);
        EXPECT_EQ(r.code, c.code) << std::string(c.mask, c.mask + wcslen(c.mask));
    }
}

TEST(OutputMaskFormat, FailureKeepsEarlierItemsAndAppends)
{
    CQXOutputMaskItemList list;
    DWORD code = 0;
    ASSERT_TRUE(CQXOutputMaskEI::Parse(L"\"a\" [1,1] n<2,0> \"z\"", list, code));
    std::wstring text = L">";
    EXPECT_FALSE(CQXOutputMaskEI::Format(list, L"123", -1, -1, -1, -1, -1, -1, FALSE, TRUE, FALSE,
                                         text, code));
    EXPECT_EQ(code, CQXOutputMaskEI::ERR_DATA_NUM_LONGNUMBER);
    EXPECT_EQ(text, L">a1");

    // A bad item type is an internal failure, not a crash.
    CQXOutputMaskItem broken;
    broken.m_nType = 9;
    EXPECT_FALSE(CQXOutputMaskEI::Format(broken, L"", -1, -1, -1, -1, -1, -1, FALSE, FALSE, FALSE,
                                         text, code));
    EXPECT_EQ(code, CQXOutputMaskEI::ERR_INTERNAL);
}

TEST(OutputMaskFormat, EmptyMaskDefaults)
{
    struct
    {
        const wchar_t* value;
        Parts parts;
        BOOL ok;
        const wchar_t* text;
        DWORD code;
    } cases[] = {
        {L"keep me", kFullParts, TRUE, L"keep me", 0},
        {L"", kNoParts, TRUE, L"", 0},
        {L"", kFullParts, TRUE, L"20240131140509", 0},
        {L"", Parts{2024, 1, 31, -1, -1, -1}, TRUE, L"20240131HHmmss", 0},
        {L"", Parts{-1, -1, -1, 9, 8, 7}, TRUE, L"yyyyMMdd090807", 0},
        {L"", Parts{2023, 2, 29, -1, -1, -1}, FALSE, L"old", 3104},
        {L"", Parts{12345, 1, 1, -1, -1, -1}, FALSE, L"old", 3104},
        {L"", Parts{2024, 1, 1, 25, 0, 0}, FALSE, L"old", 3105},
        {L"", Parts{2024, 1, 1, 100, 0, 0}, FALSE, L"old", 3105},
    };
    CQXOutputMaskItemList empty;
    for (const auto& c : cases)
    {
        std::wstring text = L"old";
        DWORD code = 0xFFFF;
        EXPECT_EQ(CQXOutputMaskEI::Format(empty, c.value, c.parts.year, c.parts.month, c.parts.day,
                                          c.parts.hour, c.parts.minute, c.parts.second, TRUE, TRUE,
                                          TRUE, text, code),
                  c.ok);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(code, c.code);
    }
}

TEST(OutputMaskMessages, KeysAndFallback)
{
    std::wstring text;
    EXPECT_FALSE(CQXOutputMaskEI::GetErrorMessage(0, text, FALSE));
    EXPECT_TRUE(text.empty());
    const DWORD codes[] = {3001, 3002, 3003, 3004, 3101, 3102, 3103, 3104,
                           3105, 3106, 3107, 3108, 3109, 3110, 3111};
    for (DWORD code : codes)
    {
        ASSERT_TRUE(CQXOutputMaskEI::GetErrorMessage(code, text, FALSE)) << code;
        EXPECT_EQ(text.rfind(L"STR_OM_ERR_", 0), 0u) << code;
        std::wstring loaded;
        ASSERT_TRUE(CQXOutputMaskEI::GetErrorMessage(code, loaded, TRUE));
        EXPECT_NE(loaded, text) << "no resource text for code " << code;
    }
    EXPECT_TRUE(CQXOutputMaskEI::GetErrorMessage(100, text, FALSE));
    EXPECT_FALSE(text.empty());
    EXPECT_FALSE(CQXOutputMaskEI::GetErrorMessage(3999, text, FALSE));
}
