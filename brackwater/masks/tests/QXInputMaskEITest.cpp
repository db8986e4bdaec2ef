#include <brackwater/QXInputMaskEI.h>

#include <gtest/gtest.h>

#include <climits>

namespace
{
struct CodeCase
{
    const wchar_t* mask;
    DWORD code;
};

struct ValueCase
{
    const wchar_t* mask;
    const wchar_t* value;
    DWORD code;
};

struct LengthCase
{
    const wchar_t* mask;
    int minLength;
    int maxLength;
    int fixedLength;
};

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

struct Parts
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

DWORD ValidateText(const std::wstring& mask, const std::wstring& value, Parts& parts,
                   BOOL literalSearch = FALSE)
{
    CQXInputMaskItemList list;
    DWORD code = 0;
    if (!CQXInputMaskEI::Parse(mask, list, code))
    {
        ADD_FAILURE() << "mask does not parse: " << Narrow(mask) << " code " << code;
        return 0xFFFFFFFF;
    }
    const BOOL ok =
        CQXInputMaskEI::Validate(list, value, parts.year, parts.month, parts.day, parts.hour,
                                 parts.minute, parts.second, code, literalSearch);
    EXPECT_EQ(ok != FALSE, code == 0);
    return code;
}

DWORD ValidateText(const std::wstring& mask, const std::wstring& value)
{
    Parts parts;
    return ValidateText(mask, value, parts);
}
} // namespace

TEST(QXInputMaskEITest, ParseCodes)
{
    const CodeCase cases[] = {
        {L"999", 0},
        {L"9<3,3>", 0},
        {L"9<3>", 0},
        {L"? 9 Z z A C c X", 0},
        {L"99\"-\"X<2,5>", 0},
        {L"9 < 2 , 4 >", 0},
        {L"9<5,0>", 0},
        {L"9<", 2001},
        {L"9<a>", 2001},
        {L"9<3", 2001},
        {L"9<3,>", 2001},
        {L"9<3;4>", 2001},
        {L"9<-1>", 2002},
        {L"9<1,-2>", 2002},
        {L"9<5,3>", 2003},
        {L"i[1,12]", 0},
        {L"i(1,3)", 0},
        {L"i[*,*]", 0},
        {L"i(*,5]", 0},
        {L"i[1,1]", 0},
        {L"i(1,2)", 2004},
        {L"i[1,1)", 2004},
        {L"i(1,1]", 2004},
        {L"i[1", 2004},
        {L"i[1;2]", 2004},
        {L"i[1,2", 2004},
        {L"i[a,5]", 2004},
        {L"i[1,*x", 2004},
        {L"i[1.5,2]", 2004},
        {L"i[2147483648,1]", 2004},
        {L"i[]", 2004},
        {L"i[5,1]", 2005},
        {L"i[-1,-2]", 2005},
        {L"n[0,1)", 0},
        {L"n[1,1.0000001)", 0},
        {L"n[-1.5,+2.25]", 0},
        {L"n[1.5,1.2]", 2005},
        {L"n(1,1.00000005]", 2004},
        {L"n[1,1)", 2004},
        {L"n[x,1]", 2004},
        {L"T<yyyyMMdd>", 0},
        {L"t<hh\":\"mm tt>", 0},
        {L"T<HH\">\"mm>", 0},
        {L"T<yyyy\"\"\"\"MM>", 0},
        {L"Tyyyy", 2006},
        {L"T<yyyy", 2006},
        {L"T<yyyy\">>", 2006},
        {L"T<yyyyy>", 1001},
        {L"T<DDD>", 1009},
        {L"T<>", 1013},
        {L"T<yyyy:MM>", 100},
        {L"", 2007},
        {L"   ", 2007},
        {L"9<3>9", 2008},
        {L"X<2,5>\"-\"", 2008},
        {L"i\"x\"", 2008},
        {L"n[0,1]9", 2008},
        {L"a", 100},
        {L"99:99", 100},
        {L"'x'", 100},
        {L"\"abc", CZKGEI::ERR_STRING_UNCLOSED},
    };
    for (const CodeCase& c : cases)
    {
        CQXInputMaskItemList list;
        DWORD code = 12345;
        const BOOL ok = CQXInputMaskEI::Parse(c.mask, list, code);
        EXPECT_EQ(c.code, code) << Narrow(c.mask);
        EXPECT_EQ(c.code == 0, ok != FALSE) << Narrow(c.mask);
        if (c.code != 0)
        {
            EXPECT_EQ(0, list.GetCount()) << Narrow(c.mask);
        }
    }
}

TEST(QXInputMaskEITest, ParsedItemFields)
{
    CQXInputMaskItemList list;
    DWORD code = 0;
    ASSERT_TRUE(CQXInputMaskEI::Parse(L"\"ab\"T<yyyy\" \"MM>c<2,4>", list, code));
    ASSERT_EQ(3, list.GetCount());
    EXPECT_EQ(L"ab", list.Get(0)->m_strText);
    const CQXInputMaskItem& date = *list.Get(1);
    ASSERT_EQ(3, date.m_timeItems.GetCount());
    EXPECT_EQ(L" ", date.m_timeItems.Get(1)->m_strText);
    EXPECT_EQ(7, date.GetItemLength());
    const CQXInputMaskItem& text = *list.Get(2);
    EXPECT_EQ(CQXInputMaskItem::TYPE_TEXT, text.m_nType);
    EXPECT_EQ(CQXInputMaskItem::TEXT_LOWER_DIGIT, text.m_nTextType);
    EXPECT_EQ(2, text.m_nTextMinLength);
    EXPECT_EQ(4, text.m_nTextMaxLength);

    ASSERT_TRUE(CQXInputMaskEI::Parse(L"i(-3,*]", list, code));
    const CQXInputMaskItem& integer = *list.Get(0);
    EXPECT_EQ(CQXInputMaskItem::BOUND_EXCLUSIVE, integer.m_nIntLowMode);
    EXPECT_EQ(-3, integer.m_nIntLow);
    EXPECT_EQ(CQXInputMaskItem::BOUND_NONE, integer.m_nIntHighMode);

    ASSERT_TRUE(CQXInputMaskEI::Parse(L"n[*,+2.50)", list, code));
    const CQXInputMaskItem& real = *list.Get(0);
    EXPECT_EQ(CQXInputMaskItem::BOUND_NONE, real.m_nFloatLowMode);
    EXPECT_EQ(L"0", real.m_strFloatLow);
    EXPECT_EQ(CQXInputMaskItem::BOUND_EXCLUSIVE, real.m_nFloatHighMode);
    EXPECT_DOUBLE_EQ(2.5, real.m_dFloatHigh);
    EXPECT_EQ(L"+2.50", real.m_strFloatHigh);

    // A doubled quote inside a date/time literal survives the copy.
    ASSERT_TRUE(CQXInputMaskEI::Parse(L"T<yyyy\"\"\"\"MM>", list, code));
    EXPECT_EQ(L"\"", list.Get(0)->m_timeItems.Get(1)->m_strText);
    EXPECT_EQ(0u, ValidateText(L"T<yyyy\"\"\"\"MM>", L"2024\"02"));
}

// A parsed list owns its items: a copy, the nested date/time items included,
// is the copy's own.
TEST(QXInputMaskEITest, ParsedListsCopyDeep)
{
    CQXInputMaskItemList list;
    DWORD code = 0;
    ASSERT_TRUE(CQXInputMaskEI::Parse(L"\"ab\"T<yyyy\" \"MM>", list, code));
    CQXInputMaskItemList copy(list);
    copy.Get(0)->m_strText = L"changed";
    copy.Get(1)->m_timeItems.Get(1)->m_strText = L"-";
    EXPECT_EQ(L"ab", list.Get(0)->m_strText);
    EXPECT_EQ(L" ", list.Get(1)->m_timeItems.Get(1)->m_strText);

    copy = list;
    copy = static_cast<const CQXInputMaskItemList&>(copy);
    ASSERT_EQ(2, copy.GetCount());
    EXPECT_EQ(L"ab", copy.Get(0)->m_strText);
    EXPECT_EQ(nullptr, copy.Get(-1));
    EXPECT_EQ(nullptr, copy.Get(2));
    EXPECT_FALSE(copy.Add(nullptr));
    EXPECT_EQ(2, copy.GetCount());
}

TEST(QXInputMaskEITest, ValidationCodes)
{
    const ValueCase cases[] = {
        {L"999", L"123", 0},
        {L"999", L"12", 2101},
        {L"999", L"1234", 2106},
        {L"999", L"12a", 2103},
        {L"9<3,3>", L"123", 0},
        {L"9<3,3>", L"12", 2101},
        {L"9<3>", L"", 0},
        {L"9<3>", L"12", 0},
        {L"9<3>", L"1234", 2102},
        {L"9<3>", L"1a", 2103},
        {L"9<2,0>", L"1", 2102},
        {L"9<2,0>", L"123456789", 0},
        {L"99\"-\"X<2,5>", L"12-AB", 0},
        {L"99\"-\"X<2,5>", L"12-A", 2102},
        {L"99\"-\"X<2,5>", L"12/AB", 2105},
        {L"99\"-\"X<2,5>", L"12-ABCDEF", 2102},
        {L"99\"-\"X<2,5>", L"12-AB-", 2103},
        {L"X<0,10>", L"", 0},
        {L"9", L"", 2101},
        {L"A", L"99", 2103}, // the first item fails before the leftover counts
        {L"?", L"\x00e9", 0},
        {L"A", L"\x00e9", 2103}, // letters are plain ASCII
        {L"Z", L"a", 2103},
        {L"z", L"a", 0},
        {L"C", L"a", 2103},
        {L"C", L"7", 0},
        {L"c", L"A", 2103},
        {L"X", L"_", 2103},
        {L"i[1,12]", L"12", 0},
        {L"i[1,12]", L"1", 0},
        {L"i[1,12]", L"13", 2104},
        {L"i[1,12]", L"0", 2104},
        {L"i[1,12]", L"1a", 130},
        {L"i[1,12]", L"+5", 0},
        {L"i[1,12]", L"007", 0},
        {L"i[1,12]", L" 5", CZKGEI::ERR_INT_EXPECTED},
        {L"i[1,12]", L"5 ", 130},
        {L"i[1,12]", L"", CZKGEI::ERR_UNEXPECTED_END},
        {L"i(1,3)", L"2", 0},
        {L"i(1,3)", L"1", 2104},
        {L"i(1,3)", L"3", 2104},
        {L"i", L"-2147483648", 0},
        {L"i", L"2147483648", CZKGEI::ERR_INT_OVERFLOW},
        {L"i(*,0]", L"-99999", 0},
        {L"i(*,0]", L"1", 2104},
        {L"n[0,1)", L"0.9999998", 0},
        {L"n[0,1)", L"0.9999999", 0}, // exactly one step from the bound
        {L"n[0,1)", L"0.99999995", 2104},
        {L"n[0,1)", L"1", 2104},
        {L"n[0,1)", L"0", 0},
        {L"n[0,1)", L"-0.0000001", 2104},
        {L"n[0,1)", L".5", CZKGEI::ERR_FLOAT_EXPECTED},
        {L"n[0,1)", L"0.5x", 140},
        {L"n[0,1)", L"abc", CZKGEI::ERR_FLOAT_EXPECTED},
        {L"n(0,1]", L"0.0000001", 0},
        {L"n(0,1]", L"0.00000009", 2104},
        {L"n(0,1]", L"1.0", 0},
        {L"n[-1.5,-0.5]", L"-1.5", 0},
        {L"n[-1.5,-0.5]", L"-1.51", 2104},
        {L"T<yyyyMMdd>", L"20240229", 0},
        {L"T<yyyyMMdd>", L"20230229", 1117},
        {L"T<yyyyMMdd>", L"2024022", 2101},
        {L"T<HHmm>\"h\"", L"2460h", 1107},
        {L"T<HHmm>\"h\"", L"2359x", 2105},
    };
    for (const ValueCase& c : cases)
        EXPECT_EQ(c.code, ValidateText(c.mask, c.value))
            << Narrow(c.mask) << " / " << Narrow(c.value);
}

TEST(QXInputMaskEITest, DateTimeItemsFillTheirOwnParts)
{
    Parts parts;
    ASSERT_EQ(0u, ValidateText(L"99T<yyyy>\"-\"T<MM>", L"072024-02", parts));
    EXPECT_EQ(2024, parts.year);
    EXPECT_EQ(2, parts.month);
    EXPECT_EQ(-1, parts.day);
    EXPECT_EQ(-1, parts.hour);

    ASSERT_EQ(0u,
              ValidateText(L"T<yyyyMMdd>\" \"T<hh\":\"mm\" \"tt>", L"20241231 12:05 am", parts));
    EXPECT_EQ(31, parts.day);
    EXPECT_EQ(0, parts.hour);
    EXPECT_EQ(5, parts.minute);
    EXPECT_EQ(-1, parts.second);

    // No date/time item: every part stays -1.
    ASSERT_EQ(0u, ValidateText(L"999", L"123", parts));
    EXPECT_EQ(-1, parts.year);
    EXPECT_EQ(-1, parts.minute);

    // A failing item keeps what earlier items filled.
    EXPECT_EQ(1104u, ValidateText(L"T<yyyy>\"-\"T<MM>", L"2024-xx", parts));
    EXPECT_EQ(2024, parts.year);
}

TEST(QXInputMaskEITest, LiteralSearchAndEmptyList)
{
    Parts parts;
    EXPECT_EQ(0u, ValidateText(L"\"ABC\"", L"xxABCxx", parts, TRUE));
    EXPECT_EQ(2107u, ValidateText(L"\"ABC\"", L"xxABxx", parts, TRUE));
    EXPECT_EQ(2105u, ValidateText(L"\"ABC\"", L"xxABCxx", parts, FALSE));
    EXPECT_EQ(2105u, ValidateText(L"\"A\" \"B\"", L"AB", parts, TRUE));
    EXPECT_EQ(2105u, ValidateText(L"999", L"123", parts, TRUE));

    CQXInputMaskItemList empty;
    DWORD code = 0;
    EXPECT_FALSE(CQXInputMaskEI::Validate(empty, L"", parts.year, parts.month, parts.day,
                                          parts.hour, parts.minute, parts.second, code));
    EXPECT_EQ(2007u, code);
}

TEST(QXInputMaskEITest, MinimumMaximumAndFixedLengths)
{
    const LengthCase cases[] = {
        {L"999", 3, 3, 3},
        {L"9<3>", 0, 3, -1},
        {L"9<2,0>", 2, -1, -1},
        {L"99\"-\"X<2,5>", 5, 8, -1},
        {L"T<yyyyMMdd>\"-\"9", 10, 10, 10},
        {L"i[-100,99]", 1, 4, -1},
        {L"i", 1, -1, -1},
        {L"i[-5,5]", 1, 2, -1},
        {L"i[0,9]", 1, 1, 1},
        {L"i[10,99]", 2, 2, 2},
        {L"i(9,100)", 2, 2, 2},
        {L"i[-9,-1]", 2, 2, 2},
        {L"i[-10,-1]", 2, 3, -1},
        {L"i[-10,-1)", 2, 3, -1},
        {L"i(-5,0)", 2, 2, 2},
        {L"i[*,-5]", 2, -1, -1},
        {L"i[5,*]", 1, -1, -1},
        {L"i[-2147483648,2147483647]", 1, 11, -1},
        {L"i(-2147483648,2147483647)", 1, 11, -1},
        {L"n[1.0,1.5]", 1, -1, -1},
        {L"n[1.5,1.5]", 3, -1, 3},
        {L"n[1.50,1.50]", 3, -1, 3},
        {L"n(0,1)", 3, -1, -1},
        {L"n(0.5,0.6)", 4, -1, -1},
        {L"n[0.5,0.6]", 3, -1, -1},
        {L"n[-1,-0.5]", 2, -1, -1},
        {L"n(-1,-0.5)", 4, -1, -1},
        {L"n[-0.5,0.5]", 1, -1, -1},
        {L"n(*,-1.5]", 2, -1, -1},
        {L"n[2.25,*)", 1, -1, -1},
        {L"n(99.5,100.5)", 3, -1, -1},
        {L"n(9.5,9.9)", 3, -1, -1},
        {L"n", 1, -1, -1},
        {L"n[0,0.00000001]", 1, -1, 1},
        {L"999n[1.25,1.25]9<4>", 7, -1, -1},
    };
    for (const LengthCase& c : cases)
    {
        int minLength = -99, maxLength = -99;
        DWORD code = 0;
        ASSERT_TRUE(CQXInputMaskEI::GetMinLength(c.mask, minLength, code))
            << Narrow(c.mask) << " " << code;
        ASSERT_TRUE(CQXInputMaskEI::GetMaxLength(c.mask, maxLength, code)) << Narrow(c.mask);
        EXPECT_EQ(c.minLength, minLength) << Narrow(c.mask);
        EXPECT_EQ(c.maxLength, maxLength) << Narrow(c.mask);
        CQXInputMaskItemList list;
        ASSERT_TRUE(CQXInputMaskEI::Parse(c.mask, list, code));
        EXPECT_EQ(c.fixedLength, list.GetItemsLength()) << Narrow(c.mask);
    }
    int length = 7;
    DWORD code = 0;
    EXPECT_FALSE(CQXInputMaskEI::GetMinLength(L"9<5,3>", length, code));
    EXPECT_EQ(2003u, code);
    EXPECT_FALSE(CQXInputMaskEI::GetMaxLength(L"", length, code));
    EXPECT_EQ(2007u, code);
}

TEST(QXInputMaskEITest, MinimumLengthValuesActuallyValidate)
{
    // The shortest value the search proposes is one the validator accepts.
    const struct
    {
        const wchar_t* mask;
        const wchar_t* shortest;
    } cases[] = {
        {L"n(0,1)", L"0.1"},     {L"n(0.5,0.6)", L"0.51"}, {L"n(-1,-0.5)", L"-0.9"},
        {L"n(9.5,9.9)", L"9.6"}, {L"i(9,100)", L"10"},     {L"i(-5,0)", L"-4"},
    };
    for (const auto& c : cases)
    {
        int length = 0;
        DWORD code = 0;
        ASSERT_TRUE(CQXInputMaskEI::GetMinLength(c.mask, length, code));
        EXPECT_EQ(static_cast<int>(std::wstring(c.shortest).size()), length) << Narrow(c.mask);
        EXPECT_EQ(0u, ValidateText(c.mask, c.shortest)) << Narrow(c.mask);
    }
}

TEST(QXInputMaskEITest, RemoveZeroAfterPiont)
{
    const struct
    {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"12.500", L"12.5"}, {L"12.000", L"12"}, {L"-0.000", L"0"}, {L"+3.10", L"3.1"},
        {L"100", L"100"},     {L"0.0", L"0"},     {L"+0", L"0"},     {L"-0", L"0"},
        {L".", L"0"},         {L"1.", L"1"},      {L"", L"0"},       {L"-1.0100", L"-1.01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::wstring(c.out), CQXInputMaskItem::RemoveZeroAfterPiont(c.in))
            << Narrow(c.in);
}

TEST(QXInputMaskEITest, ErrorMessageChain)
{
    std::wstring text;
    EXPECT_FALSE(CQXInputMaskEI::GetErrorMessage(0, text));
    EXPECT_TRUE(text.empty());
    const struct
    {
        DWORD code;
        const wchar_t* key;
    } cases[] = {
        {2001, L"STR_IM_ERR_TEXT_BADFORMAT"},      {2008, L"STR_IM_ERR_VARIOUS"},
        {2101, L"STR_IM_ERR_DATA_INCOMPLETE"},     {2106, L"STR_IM_ERR_DATA_TOOMUCH"},
        {1101, L"STR_TIMEIM_ERR_DATA_INCOMPLETE"}, {100, L"STR_GEI_ERR_UNEXPECTED_CHAR"},
        {130, L"STR_GEI_ERR_INT_TRAILING"},        {140, L"STR_GEI_ERR_FLOAT_TRAILING"},
        {2107, L"STR_GEI_ERR_LITERAL_NOT_FOUND"},
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE(CQXInputMaskEI::GetErrorMessage(c.code, text, FALSE)) << c.code;
        EXPECT_EQ(std::wstring(c.key), text);
    }
    for (DWORD code = 2001; code <= 2106; ++code)
    {
        if (code == 2009)
            code = 2101;
        ASSERT_TRUE(CQXInputMaskEI::GetErrorMessage(code, text, TRUE));
        EXPECT_EQ(std::wstring::npos, text.find(L"STR_")) << "no resource text for " << code;
    }
    EXPECT_FALSE(CQXInputMaskEI::GetErrorMessage(3001, text));
    EXPECT_TRUE(text.empty());
}
