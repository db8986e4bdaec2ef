#include <brackwater/QXTimeInputMaskEI.h>

#include <gtest/gtest.h>

namespace
{
struct ParseCase
{
    const wchar_t* mask;
    DWORD code;
};

struct Outputs
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

struct ValidateCase
{
    const wchar_t* mask;
    const wchar_t* value;
    DWORD code;
    Outputs expected; // checked only when code is 0
};

DWORD ValidateText(const std::wstring& mask, const std::wstring& value, Outputs& out)
{
    CQXTimeInputMaskItemList list;
    DWORD code = 0;
    if (!CQXTimeInputMaskEI::Parse(mask, list, code))
        return 0xFFFFFFFF;
    const BOOL ok = CQXTimeInputMaskEI::Validate(list, value, out.year, out.month, out.day,
                                                 out.hour, out.minute, out.second, code);
    EXPECT_EQ(ok != FALSE, code == 0) << static_cast<const void*>(&mask);
    return code;
}
} // namespace

TEST(QXTimeInputMaskEITest, ParseErrorCodes)
{
    const ParseCase cases[] = {
        {L"yyyyMMdd", 0},
        {L"yyyy \"-\" MM", 0},
        {L"hh\":\"mm\" \"tt", 0},
        {L"yyyyy", 1001},
        {L"yyy", 1001},
        {L"M", 1001},
        {L"DD", 1001},
        {L"HHH", 1001},
        {L"yyyyyy", 1001},
        {L"yyyy yyyy", 1002},
        {L"MMMM", 1001},
        {L"yyyy yy", 1002},
        {L"MM MM", 1003},
        {L"yyyy dd DDD", 1004},
        {L"HH hh", 1005},
        {L"mm mm", 1006},
        {L"ss ss", 1007},
        {L"hh TT t", 1008},
        {L"DDD", 1009},
        {L"yyyy MM DDD", 1010},
        {L"HH TT", 1011},
        {L"tt", 1012},
        {L"", 1013},
        {L"   ", 1013},
        {L"yyyy:MM", 100},
        {L"yyyy'-'MM", 100},
        {L"yyyy\"-", CZKGEI::ERR_STRING_UNCLOSED},
    };
    for (const ParseCase& c : cases)
    {
        CQXTimeInputMaskItemList list;
        DWORD code = 12345;
        const BOOL ok = CQXTimeInputMaskEI::Parse(c.mask, list, code);
        EXPECT_EQ(c.code, code) << c.mask;
        EXPECT_EQ(c.code == 0, ok != FALSE) << c.mask;
        if (c.code != 0)
        {
            EXPECT_EQ(0, list.GetCount()) << c.mask;
        }
    }
}

TEST(QXTimeInputMaskEITest, ParsedItemsAndWidths)
{
    CQXTimeInputMaskItemList list;
    DWORD code = 0;
    ASSERT_TRUE(CQXTimeInputMaskEI::Parse(L"yyyy\"-\"DDD HHmmss", list, code));
    ASSERT_EQ(6, list.GetCount());
    EXPECT_EQ(CQXTimeInputMaskItem::TYPE_YYYY, list.Get(0)->m_nType);
    EXPECT_EQ(CQXTimeInputMaskItem::TYPE_STRING, list.Get(1)->m_nType);
    EXPECT_EQ(L"-", list.Get(1)->m_strText);
    EXPECT_EQ(CQXTimeInputMaskItem::TYPE_DDD, list.Get(2)->m_nType);
    EXPECT_EQ(4 + 1 + 3 + 2 + 2 + 2, list.GetItemsLength());
    EXPECT_EQ(list.GetItemsLength(), list.GetItemsMinLength());
    EXPECT_EQ(list.GetItemsLength(), list.GetItemsMaxLength());
    EXPECT_EQ(nullptr, list.Get(6));
    EXPECT_EQ(nullptr, list.Get(-1));

    CQXTimeInputMaskItemList copy(list);
    list.RemoveAll();
    EXPECT_EQ(6, copy.GetCount());
    EXPECT_EQ(0, list.GetItemsLength());
}

TEST(QXTimeInputMaskEITest, AnItemWithoutWidthMayOnlyBeLast)
{
    CQXTimeInputMaskItemList list;
    list.Add(new CQXTimeInputMaskItem(CQXTimeInputMaskItem::TYPE_YYYY));
    list.Add(new CQXTimeInputMaskItem(99));
    DWORD code = 0;
    EXPECT_TRUE(CQXTimeInputMaskEI::CheckItems(list, code));
    EXPECT_EQ(-1, list.GetItemsLength());
    list.Add(new CQXTimeInputMaskItem(CQXTimeInputMaskItem::TYPE_MM));
    EXPECT_FALSE(CQXTimeInputMaskEI::CheckItems(list, code));
    EXPECT_EQ(1014u, code);
    EXPECT_FALSE(list.Add(nullptr));
}

TEST(QXTimeInputMaskEITest, ValidationTable)
{
    const ValidateCase cases[] = {
        // Leap years, the two-digit pivot and day 366.
        {L"yyyyMMdd", L"20240229", 0, {2024, 2, 29, -1, -1, -1}},
        {L"yyyyMMdd", L"20230229", 1117, {}},
        {L"yyyyMMdd", L"19000229", 1117, {}},
        {L"yyyyMMdd", L"20000229", 0, {2000, 2, 29, -1, -1, -1}},
        {L"yyMMdd", L"790101", 0, {2079, 1, 1, -1, -1, -1}},
        {L"yyMMdd", L"800101", 0, {1980, 1, 1, -1, -1, -1}},
        {L"yyMMdd", L"000101", 0, {2000, 1, 1, -1, -1, -1}},
        {L"yyyyDDD", L"2024366", 0, {2024, 12, 31, -1, -1, -1}},
        {L"yyyyDDD", L"2023366", 1117, {}},
        {L"yyyyDDD", L"2023365", 0, {2023, 12, 31, -1, -1, -1}},
        {L"yyyyDDD", L"2023000", 1117, {}},
        {L"yyyyDDD", L"2024060", 0, {2024, 2, 29, -1, -1, -1}},
        {L"yyyyMMdd", L"00000101", 1117, {}},
        {L"MMdd", L"0229", 0, {-1, 2, 29, -1, -1, -1}},
        {L"MMdd", L"0230", 1117, {}},
        {L"MMdd", L"1300", 1117, {}},
        {L"dd", L"00", 1117, {}},
        // 12-hour conversion.
        {L"hh\":\"mm\" \"tt", L"12:30 pm", 0, {-1, -1, -1, 12, 30, -1}},
        {L"hh\":\"mm\" \"tt", L"12:30 am", 0, {-1, -1, -1, 0, 30, -1}},
        {L"hh\":\"mm\" \"tt", L"01:05 pm", 0, {-1, -1, -1, 13, 5, -1}},
        {L"hhmmTT", L"1159PM", 0, {-1, -1, -1, 23, 59, -1}},
        {L"hhT", L"12A", 0, {-1, -1, -1, 0, -1, -1}},
        {L"hht", L"07p", 0, {-1, -1, -1, 19, -1, -1}},
        {L"hh", L"12", 0, {-1, -1, -1, 0, -1, -1}},
        {L"hh", L"00", 1108, {}},
        {L"hh", L"13", 1108, {}},
        {L"HHmmss", L"235959", 0, {-1, -1, -1, 23, 59, 59}},
        {L"HHmmss", L"240000", 1107, {}},
        {L"HHmmss", L"236000", 1118, {}},
        {L"HHmmss", L"230060", 1118, {}},
        // Each bad part has its own code.
        {L"yyyy", L"20a4", 1102, {}},
        {L"yy", L"+1", 1103, {}},
        {L"MM", L"1 ", 1104, {}},
        {L"dd", L"-1", 1105, {}},
        {L"yyyyDDD", L"20241x1", 1106, {}},
        {L"HH", L"ab", 1107, {}},
        {L"mm", L"5m", 1109, {}},
        {L"ss", L"s5", 1110, {}},
        {L"hhTT", L"01pm", 1111, {}},
        {L"hhT", L"01a", 1112, {}},
        {L"hhtt", L"01PM", 1113, {}},
        {L"hht", L"01P", 1114, {}},
        {L"yyyy\"/\"MM", L"2024-01", 1115, {}},
        // Length.
        {L"yyyyMMdd", L"2024022", 1101, {}},
        {L"yyyyMMdd", L"", 1101, {}},
        {L"yyyyMMdd", L"202402291", 1116, {}},
        // The first failing item decides, before the date check.
        {L"MMdd", L"13xx", 1105, {}},
    };
    for (const ValidateCase& c : cases)
    {
        Outputs out;
        const DWORD code = ValidateText(c.mask, c.value, out);
        EXPECT_EQ(c.code, code) << c.mask << " / " << c.value;
        if (c.code == 0 && code == 0)
        {
            EXPECT_EQ(c.expected.year, out.year) << c.mask << " / " << c.value;
            EXPECT_EQ(c.expected.month, out.month) << c.mask << " / " << c.value;
            EXPECT_EQ(c.expected.day, out.day) << c.mask << " / " << c.value;
            EXPECT_EQ(c.expected.hour, out.hour) << c.mask << " / " << c.value;
            EXPECT_EQ(c.expected.minute, out.minute) << c.mask << " / " << c.value;
            EXPECT_EQ(c.expected.second, out.second) << c.mask << " / " << c.value;
        }
    }
}

TEST(QXTimeInputMaskEITest, EmptyListAndOutputsOnFailure)
{
    CQXTimeInputMaskItemList empty;
    int y = 5, m = 5, d = 5, h = 5, mi = 5, s = 5;
    DWORD code = 0;
    EXPECT_FALSE(CQXTimeInputMaskEI::Validate(empty, L"2024", y, m, d, h, mi, s, code));
    EXPECT_EQ(1013u, code);
    EXPECT_EQ(-1, y);
    EXPECT_EQ(-1, s);

    Outputs out;
    EXPECT_EQ(1105u, ValidateText(L"yyyyMMdd", L"202402xx", out));
    EXPECT_EQ(2024, out.year);
    EXPECT_EQ(2, out.month);
    EXPECT_EQ(-1, out.day);
}

TEST(QXTimeInputMaskEITest, ValidateNumberNeedsOnlyDigitsOfTheRightCount)
{
    int value = -1;
    EXPECT_TRUE(CQXTimeInputMaskEI::ValidateNumber(L"007", 3, 3, value));
    EXPECT_EQ(7, value);
    EXPECT_TRUE(CQXTimeInputMaskEI::ValidateNumber(L"12", 1, 3, value));
    EXPECT_FALSE(CQXTimeInputMaskEI::ValidateNumber(L"1234", 1, 3, value));
    EXPECT_FALSE(CQXTimeInputMaskEI::ValidateNumber(L"", 0, 3, value));
    EXPECT_FALSE(CQXTimeInputMaskEI::ValidateNumber(L"+12", 1, 3, value));
    EXPECT_FALSE(CQXTimeInputMaskEI::ValidateNumber(L"99999999999", 1, 20, value));
    EXPECT_EQ(12, value);
}

TEST(QXTimeInputMaskEITest, ErrorMessagesFallBackToTheReader)
{
    std::wstring text;
    EXPECT_FALSE(CQXTimeInputMaskEI::GetErrorMessage(0, text));
    EXPECT_TRUE(text.empty());
    ASSERT_TRUE(CQXTimeInputMaskEI::GetErrorMessage(1101, text, FALSE));
    EXPECT_EQ(L"STR_TIMEIM_ERR_DATA_INCOMPLETE", text);
    for (DWORD code = 1001; code <= 1118; ++code)
    {
        if (code == 1015)
            code = 1101;
        ASSERT_TRUE(CQXTimeInputMaskEI::GetErrorMessage(code, text, FALSE)) << code;
        EXPECT_EQ(0u, text.rfind(L"STR_TIMEIM_ERR_", 0)) << code;
        ASSERT_TRUE(CQXTimeInputMaskEI::GetErrorMessage(code, text, TRUE)) << code;
        EXPECT_EQ(std::wstring::npos, text.find(L"STR_")) << "no resource text for " << code;
    }
    ASSERT_TRUE(CQXTimeInputMaskEI::GetErrorMessage(100, text, FALSE));
    EXPECT_EQ(L"STR_GEI_ERR_UNEXPECTED_CHAR", text);
    EXPECT_FALSE(CQXTimeInputMaskEI::GetErrorMessage(2001, text, FALSE));
}
