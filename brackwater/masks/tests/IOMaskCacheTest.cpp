// The facade keeps parsed masks between calls: every answer, first call or
// later, must be the one a fresh parse gives, error codes included.
#include <brackwater/QXDefaultValueEI.h>
#include <brackwater/QXIOMask.h>
#include <brackwater/QXInputMaskEI.h>
#include <brackwater/QXOutputMaskEI.h>
#include <brackwater/QXTimeInputMaskEI.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace
{
struct Outcome
{
    BOOL result = FALSE;
    DWORD code = 0;
    int parts[6] = {0, 0, 0, 0, 0, 0};
    std::wstring text;
    int level = 0;

    bool operator==(const Outcome& other) const
    {
        return result == other.result && code == other.code && text == other.text && level == other.level &&
               std::equal(parts, parts + 6, other.parts);
    }
};

std::ostream& operator<<(std::ostream& out, const Outcome& o)
{
    return out << "result " << o.result << " code " << o.code << " level " << o.level << " text length "
               << o.text.size();
}

const wchar_t* const kInputMasks[] = {
    L"T<yyyy\"-\"MM\"-\"dd>", L"99\"-\"XXX<2,5>", L"i[1,12]", L"n(0,1000.5]", L"T<hh\":\"mm\" \"tt>",
    L"\"ABC\"",              L"A<3> 9<0>",      L"9<5",     L"X<4,2>",      L"",
    L"i[5,1]",               L"T<yyyyDDD>",     L"Q",       L"c<1,3> \"-\" 9"};
const wchar_t* const kInputValues[] = {L"2024-02-29", L"2023-02-29", L"12-ABCDE", L"12", L"0", L"999.125",
                                       L"12:30 pm",   L"ABC",        L"xABCx",    L"abc12345", L"",
                                       L"2024366",    L"ab-7"};

Outcome FreshInput(const std::wstring& mask, const std::wstring& value, BOOL literalSearch)
{
    Outcome o;
    int* p = o.parts;
    CQXInputMaskItemList list;
    for (int& part : o.parts)
        part = -1;
    o.result = CQXInputMaskEI::Parse(mask, list, o.code) &&
               CQXInputMaskEI::Validate(list, value, p[0], p[1], p[2], p[3], p[4], p[5], o.code, literalSearch);
    return o;
}

Outcome FacadeInput(const std::wstring& mask, const std::wstring& value, BOOL literalSearch)
{
    Outcome o;
    int* p = o.parts;
    o.result = SQXIOMask::ValidateInput(mask, value, p[0], p[1], p[2], p[3], p[4], p[5], o.code, literalSearch);
    return o;
}

Outcome FreshTime(const std::wstring& mask, const std::wstring& value)
{
    Outcome o;
    int* p = o.parts;
    CQXTimeInputMaskItemList list;
    for (int& part : o.parts)
        part = -1;
    o.result = CQXTimeInputMaskEI::Parse(mask, list, o.code) &&
               CQXTimeInputMaskEI::Validate(list, value, p[0], p[1], p[2], p[3], p[4], p[5], o.code);
    return o;
}

Outcome FacadeTime(const std::wstring& mask, const std::wstring& value)
{
    Outcome o;
    int* p = o.parts;
    o.result = SQXIOMask::ValidateTimeInput(mask, value, p[0], p[1], p[2], p[3], p[4], p[5], o.code);
    return o;
}

Outcome FreshFormat(const std::wstring& mask, const std::wstring& value)
{
    Outcome o;
    o.text = L"pre:";
    CQXOutputMaskItemList list;
    o.result = CQXOutputMaskEI::Parse(mask, list, o.code) &&
               CQXOutputMaskEI::Format(list, value, 2024, 2, 29, 13, 5, 9, FALSE, FALSE, FALSE, o.text, o.code);
    return o;
}

Outcome FacadeFormat(const std::wstring& mask, const std::wstring& value)
{
    Outcome o;
    o.text = L"pre:";
    o.result = SQXIOMask::FormatOutput(mask, value, 2024, 2, 29, 13, 5, 9, o.text, o.code);
    return o;
}

CQXDefaultValueTagItemList Tags()
{
    CQXDefaultValueTagItemList tags;
    tags.SetTag(L"job", L"Invoices", 40);
    tags.SetTag(L"when", 2024, 2, 29, 13, 5, 9, 70);
    tags.SetTag(L"empty", L"", 10);
    return tags;
}

Outcome FreshDefault(const std::wstring& expression)
{
    Outcome o;
    CQXDefaultValueOptionList options;
    o.result = CQXDefaultValueEI::Parse(expression, options, o.code, TRUE) &&
               CQXDefaultValueEI::CheckTags(options, Tags(), o.code);
    DWORD valueCode = 0;
    std::wstring value;
    int level = 0;
    const BOOL evaluated = CQXDefaultValueEI::Parse(expression, options, valueCode, TRUE) &&
                           CQXDefaultValueEI::GetValue(options, Tags(), value, level, FALSE, valueCode);
    o.text = (evaluated ? L"ok:" : L"failed:") + value + L"#" + std::to_wstring(valueCode);
    o.level = level;
    return o;
}

Outcome FacadeDefault(const std::wstring& expression)
{
    Outcome o;
    CQXDefaultValueOptionList options;
    o.result = SQXIOMask::ValidateDefaultValueExp(expression, Tags(), options, o.code);
    DWORD valueCode = 0;
    std::wstring value;
    int level = 0;
    const BOOL evaluated = SQXIOMask::GetDefaultValue(expression, Tags(), value, level, valueCode);
    o.text = (evaluated ? L"ok:" : L"failed:") + value + L"#" + std::to_wstring(valueCode);
    o.level = level;
    return o;
}
} // namespace

TEST(IOMaskCacheTest, InputMasksAnswerAsAFreshParseDoes)
{
    for (int call = 0; call < 3; ++call)
    {
        for (const wchar_t* mask : kInputMasks)
        {
            for (const wchar_t* value : kInputValues)
            {
                for (BOOL literalSearch : {FALSE, TRUE})
                {
                    EXPECT_EQ(FreshInput(mask, value, literalSearch), FacadeInput(mask, value, literalSearch))
                        << "mask " << mask << ", value " << value << ", call " << call;
                }
            }
            DWORD freshCode = 0, facadeCode = 0;
            int freshLength = -7, facadeLength = -7;
            EXPECT_EQ(CQXInputMaskEI::GetMinLength(mask, freshLength, freshCode),
                      SQXIOMask::GetInputMaskMinLength(mask, facadeLength, facadeCode));
            EXPECT_EQ(freshCode, facadeCode) << mask;
            EXPECT_EQ(freshLength, facadeLength) << mask;
            EXPECT_EQ(CQXInputMaskEI::GetMaxLength(mask, freshLength, freshCode),
                      SQXIOMask::GetInputMaskMaxLength(mask, facadeLength, facadeCode));
            EXPECT_EQ(freshCode, facadeCode);
            EXPECT_EQ(freshLength, facadeLength);
        }
    }
}

TEST(IOMaskCacheTest, TimeOutputAndDefaultValueAnswersAsAFreshParseDoes)
{
    const wchar_t* const timeMasks[] = {L"yyyyMMdd", L"yyyyDDD\" \"HHmmss", L"hh:mm", L"hhmm tt", L"MMMM", L""};
    const wchar_t* const timeValues[] = {L"20240229", L"20230229", L"2024366 235959", L"1230 pm", L"", L"x"};
    const wchar_t* const outputMasks[] = {L"yyyy\"-\"MM\"-\"dd", L"[2,4] \"-\" n<*,2> yyyy<[1]>", L"n<3,3>",
                                          L"", L"DD", L"[1,2;3]", L"n<*,2>"};
    const wchar_t* const outputValues[] = {L"abcdef", L"12.345", L"", L"-7"};
    const wchar_t* const expressions[] = {L"<job> \"-\" <when:yyyy>", L"<empty> OR <job:[1,3]>", L"OR <job>",
                                          L"<job> OR",                L"<missing> OR \"x\"",     L"<job:DD>",
                                          L"<when>",                  L"\"only\"",               L"<job"};
    for (int call = 0; call < 3; ++call)
    {
        for (const wchar_t* mask : timeMasks)
        {
            for (const wchar_t* value : timeValues)
                EXPECT_EQ(FreshTime(mask, value), FacadeTime(mask, value)) << mask << " / " << value;
        }
        for (const wchar_t* mask : outputMasks)
        {
            for (const wchar_t* value : outputValues)
                EXPECT_EQ(FreshFormat(mask, value), FacadeFormat(mask, value)) << mask << " / " << value;
        }
        for (const wchar_t* expression : expressions)
            EXPECT_EQ(FreshDefault(expression), FacadeDefault(expression)) << expression;
    }
}

// A caller's copy of the parsed options is its own: changing it must not
// reach the next caller of the same expression.
TEST(IOMaskCacheTest, ParsedOptionsHandedOutAreTheCallersCopy)
{
    DWORD code = 0;
    CQXDefaultValueOptionList options;
    ASSERT_TRUE(SQXIOMask::ValidateDefaultValueExp(L"<job> OR \"x\"", Tags(), options, code));
    ASSERT_EQ(options.GetCount(), 2);
    options.RemoveAll();
    CQXDefaultValueOptionList again;
    ASSERT_TRUE(SQXIOMask::ValidateDefaultValueExp(L"<job> OR \"x\"", Tags(), again, code));
    EXPECT_EQ(again.GetCount(), 2);
    // A failing expression empties what the caller passed in.
    EXPECT_FALSE(SQXIOMask::ValidateDefaultValueExp(L"OR", Tags(), again, code));
    EXPECT_EQ(again.GetCount(), 0);
}

// Several threads validate through the facade with more masks than it
// keeps, so parsing, sharing and eviction overlap (run under
// ThreadSanitizer as well).
TEST(IOMaskCacheTest, ConcurrentValidationGivesEveryThreadTheRightAnswer)
{
    constexpr int kMasks = 400;
    std::vector<std::wstring> masks, values;
    std::vector<Outcome> expected;
    for (int i = 0; i < kMasks; ++i)
    {
        masks.push_back(L"T<yyyy\"-\"MM\"-\"dd> \"/\" 9<" + std::to_wstring(i % 50 + 1) + L"> \"" +
                        std::to_wstring(i) + L"\"");
        values.push_back((i % 3 == 0 ? L"2023-02-29/" : L"2024-02-29/") + std::wstring(i % 60 + 1, L'7') +
                         std::to_wstring(i));
        expected.push_back(FreshInput(masks.back(), values.back(), FALSE));
    }
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 6; ++t)
    {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 3; ++round)
            {
                for (int n = 0; n < kMasks; ++n)
                {
                    const int i = (n * 7 + t * 31 + round) % kMasks;
                    if (!(FacadeInput(masks[i], values[i], FALSE) == expected[i]))
                        ++wrong;
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
}
