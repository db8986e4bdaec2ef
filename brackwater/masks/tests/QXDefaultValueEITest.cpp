#include <brackwater/QXDefaultValueEI.h>
#include <brackwater/QXDefaultValueTags.h>

#include <hollin/ZKDict.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

DWORD ParseCode(const std::wstring& expression, int* optionCount = nullptr)
{
    CQXDefaultValueOptionList options;
    DWORD code = 0;
    const BOOL ok = CQXDefaultValueEI::Parse(expression, options, code, TRUE);
    EXPECT_EQ(ok ? 0u : 1u, code == 0 ? 0u : 1u) << Narrow(expression);
    if (!ok)
    {
        EXPECT_EQ(options.GetCount(), 0) << Narrow(expression);
    }
    if (optionCount)
        *optionCount = options.GetCount();
    return code;
}

struct Evaluation
{
    BOOL ok;
    std::wstring value;
    int level;
    DWORD code;
};

Evaluation Evaluate(const std::wstring& expression, const CQXDefaultValueTagItemList& tags,
                    BOOL strict = FALSE)
{
    Evaluation e{FALSE, L"?", -5, 0};
    CQXDefaultValueOptionList options;
    if (!CQXDefaultValueEI::Parse(expression, options, e.code, TRUE))
        return e;
    e.ok = CQXDefaultValueEI::GetValue(options, tags, e.value, e.level, strict, e.code);
    return e;
}
} // namespace

TEST(DefaultValueParse, ErrorCodesAndAlternatives)
{
    struct
    {
        const wchar_t* expression;
        DWORD code;
        int options;
    } cases[] = {
        {L"", 0, 0},
        {L"\"a\"", 0, 1},
        {L"<app.lastvalue> OR \"none\"", 0, 2},
        {L"<a>or<b>Or<c>oR\"d\"", 0, 4},
        {L"<a:yyyy\"-\"MM> \"x\" <b:[2,4]>", 0, 1},
        {L"<a:n<*,2>>", 0, 1},    // a nested <...> inside the mask
        {L"<a:\">\"yyyy>", 0, 1}, // a quoted '>' inside the mask
        {L"<a:[1,'>']>", 0, 1},   // a quoted '>' character
        {L"<a", 4001, 0},
        {L"<a:yyyy", 4001, 0},
        {L"<a:n<*,2>", 4001, 0},
        {L"<a:\"x", 4001, 0},
        {L"<a> ox <b>", 4001, 0},
        {L"<a> o", 4001, 0},
        {L"OR <a>", 4002, 0},
        {L"<a> OR", 4002, 0},
        {L"<a> OR OR <b>", 4002, 0},
        {L"<a> or   ", 4002, 0},
        {L"x", 100, 0},
        {L"<a> ! <b>", 100, 0},
        {L"<a:DD>", 3004, 0}, // output mask codes pass through
        {L"<a:n<3,3>>", 3003, 0},
        {L"<a:[x]>", 3001, 0},
        {L"\"abc", CZKGEI::ERR_STRING_UNCLOSED, 0},
    };
    for (const auto& c : cases)
    {
        int options = -1;
        EXPECT_EQ(ParseCode(c.expression, &options), c.code) << Narrow(c.expression);
        EXPECT_EQ(options, c.options) << Narrow(c.expression);
    }
}

TEST(DefaultValueParse, ItemsAndMaskText)
{
    CQXDefaultValueOptionList options;
    DWORD code = 0;
    ASSERT_TRUE(CQXDefaultValueEI::Parse(L"< Sys.Date :yyyy \"a\"\"b\" [1,'>'] n<*,2>> \"lit\"",
                                         options, code));
    ASSERT_EQ(options.GetCount(), 1);
    const CQXDefaultValueItemList& option = *options.Get(0);
    ASSERT_EQ(option.GetCount(), 2);
    EXPECT_EQ(option.Get(0)->m_nKind, CQXDefaultValueItem::KIND_TAG);
    EXPECT_EQ(option.Get(0)->m_strTagName, L"Sys.Date");
    EXPECT_EQ(option.Get(0)->m_strOutputMask, L"yyyy \"a\"\"b\" [1,'>'] n<*,2>");
    EXPECT_EQ(option.Get(1)->m_nKind, CQXDefaultValueItem::KIND_STRING);
    EXPECT_EQ(option.Get(1)->m_strText, L"lit");

    // Without the empty-on-error flag the alternatives read so far stay.
    ASSERT_FALSE(CQXDefaultValueEI::Parse(L"\"a\" OR \"b\" OR x", options, code, FALSE));
    EXPECT_EQ(code, 100u);
    EXPECT_EQ(options.GetCount(), 2);
}

TEST(DefaultValueTagList, NamesLevelsAndParts)
{
    CQXDefaultValueTagItemList tags;
    EXPECT_FALSE(tags.SetTag(L"  \t", L"x"));
    ASSERT_TRUE(tags.SetTag(L" sys.date ", L"first"));
    ASSERT_TRUE(tags.SetTag(L"SYS.DATE", L"second", 7));
    EXPECT_EQ(tags.GetCount(), 1);
    EXPECT_EQ(tags.Get(0)->m_strName, L"SYS.DATE");
    EXPECT_EQ(tags.FindTag(L"\tSys.Date "), 0);
    EXPECT_EQ(tags.FindTag(L""), -1);

    std::wstring value = L"junk";
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, level = 99;
    ASSERT_TRUE(tags.GetTag(L"sys.date", value, y, mo, d, h, mi, s, level));
    EXPECT_EQ(value, L"second");
    EXPECT_EQ(level, 7);
    EXPECT_EQ(y, -1);
    EXPECT_FALSE(tags.GetTag(L"missing", value, y, mo, d, h, mi, s, level));
    EXPECT_TRUE(value.empty());
    EXPECT_EQ(level, 0);
    EXPECT_EQ(s, -1);

    ASSERT_TRUE(tags.SetTag(L"stamp", 2024, 3, 4, 5, 6, 7, 3));
    ASSERT_TRUE(tags.GetTag(L"stamp", value, level));
    EXPECT_EQ(value, L"20240304050607");
    ASSERT_TRUE(tags.GetTag(L"stamp", y, mo, d, h, mi, s, level));
    EXPECT_EQ(y * 10000 + mo * 100 + d, 20240304);
    EXPECT_EQ(level, 3);

    CQXDefaultValueTagItemList copy(tags);
    EXPECT_TRUE(tags.RemoveTag(L"STAMP"));
    EXPECT_FALSE(tags.RemoveTag(L"stamp"));
    EXPECT_GE(copy.FindTag(L"stamp"), 0);

    CZKDict dict;
    dict.SetKeyValue(L"k1", L"v1");
    dict.SetKeyValue(L" ", L"bad");
    EXPECT_FALSE(copy.SetTags(dict));
    EXPECT_GE(copy.FindTag(L"k1"), 0);
}

TEST(DefaultValueEvaluate, AlternativesAndLevels)
{
    CQXDefaultValueTagItemList tags;
    tags.SetTag(L"app.lastvalue", L"");
    tags.SetTag(L"a", L"A", 50);
    tags.SetTag(L"b", L"B", 20);
    tags.SetTag(L"empty", L"", 5);
    const std::wstring fallback = L"<app.lastvalue> OR \"none\"";

    Evaluation e = Evaluate(fallback, tags);
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(e.value, L"none");
    EXPECT_EQ(e.level, 10000);

    tags.SetTag(L"app.lastvalue", L"last", 300);
    e = Evaluate(fallback, tags);
    EXPECT_EQ(e.value, L"last");
    EXPECT_EQ(e.level, 300);

    e = Evaluate(L"<a> \"-\" <b>", tags);
    EXPECT_EQ(e.value, L"A-B");
    EXPECT_EQ(e.level, 20);

    // An empty alternative is skipped, whatever its level.
    e = Evaluate(L"<empty> OR <a>", tags);
    EXPECT_EQ(e.value, L"A");
    EXPECT_EQ(e.level, 50);

    // Nothing at all: empty, level 0, success.
    e = Evaluate(L"<empty> OR <empty>", tags);
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(e.value, L"");
    EXPECT_EQ(e.level, 0);
    e = Evaluate(L"", tags);
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(e.level, 0);

    // Absent tags: lenient gives empty at level 0, strict fails with 4101.
    e = Evaluate(L"<nope> OR <b>", tags);
    EXPECT_EQ(e.value, L"B");
    e = Evaluate(L"<nope> \"x\"", tags);
    EXPECT_EQ(e.value, L"x");
    EXPECT_EQ(e.level, 0);
    e = Evaluate(L"<nope> OR <b>", tags, TRUE);
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.code, CQXDefaultValueEI::ERR_DATA_TAG_NOTFOUND);
    EXPECT_TRUE(e.value.empty());

    // Evaluation stops at the first alternative with a text.
    e = Evaluate(L"<a> OR <nope>", tags, TRUE);
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(e.value, L"A");
}

TEST(DefaultValueEvaluate, MasksAndDateParts)
{
    CQXDefaultValueTagItemList tags;
    tags.SetTag(L"sys.date", L"", 2024, 1, 31, 14, 5, 9);
    tags.SetTag(L"number", L"1234.5");
    tags.SetTag(L"day", L"", 2024, 2, 3, -1, -1, -1);
    struct
    {
        const wchar_t* expression;
        const wchar_t* value;
    } cases[] = {
        {L"<sys.date:dd\".\"MM\".\"yyyy>", L"31.01.2024"},
        {L"< SYS.DATE >", L"20240131140509"},
        {L"<day>", L"20240203HHmmss"},
        {L"<number:C<*,1>>", L"+1,234.5"},
        {L"<number:[1,2]> \"/\" <number:[-1]>", L"12/5"},
        // An absent year still writes its blanks, which are a text.
        {L"<nope:yyyy> OR \"fallback\"", L"    "},
    };
    for (const auto& c : cases)
    {
        const Evaluation e = Evaluate(c.expression, tags);
        EXPECT_TRUE(e.ok) << Narrow(c.expression) << " code " << e.code;
        EXPECT_EQ(e.value, c.value) << Narrow(c.expression);
    }

    // A formatting failure fails the evaluation with the mask's code.
    tags.SetTag(L"bad", L"", 2023, 2, 30, -1, -1, -1);
    const Evaluation e = Evaluate(L"<bad>", tags);
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.code, 3104u);
    EXPECT_TRUE(e.value.empty());
}

TEST(DefaultValueCheck, TagsMustExist)
{
    CQXDefaultValueTagItemList tags;
    tags.SetTag(L"a", L"1");
    CQXDefaultValueOptionList options;
    DWORD code = 0;
    ASSERT_TRUE(CQXDefaultValueEI::Parse(L"< A > OR \"x\"", options, code));
    EXPECT_TRUE(CQXDefaultValueEI::CheckTags(options, tags, code));
    EXPECT_EQ(code, 0u);
    ASSERT_TRUE(CQXDefaultValueEI::Parse(L"<a> OR \"x\" <b>", options, code));
    EXPECT_FALSE(CQXDefaultValueEI::CheckTags(options, tags, code));
    EXPECT_EQ(code, CQXDefaultValueEI::ERR_DATA_TAG_NOTFOUND);
    ASSERT_TRUE(CQXDefaultValueEI::Parse(L"<>", options, code));
    EXPECT_FALSE(CQXDefaultValueEI::CheckTags(options, tags, code));
}

TEST(DefaultValueTags, BuiltAtLoadAndReset)
{
    CQXDefaultValueTagItemList& table = SQXDefaultValueTags::GetTagItemList();
    ASSERT_TRUE(SQXDefaultValueTags::ResetTags());
    ASSERT_EQ(table.GetCount(), 24);
    EXPECT_EQ(table.Get(0)->m_strName, L"sys.date");
    EXPECT_EQ(table.Get(8)->m_strName, L"app.pagesetupname");
    EXPECT_EQ(table.Get(17)->m_strName, L"app.batchname");
    EXPECT_EQ(table.Get(23)->m_strName, L"app.lastvalue");
    for (int i = 0; i < table.GetCount(); ++i)
    {
        const CQXDefaultValueTagItem& item = *table.Get(i);
        EXPECT_TRUE(item.m_strValue.empty());
        EXPECT_EQ(item.m_nLevel, 10000);
        EXPECT_EQ(item.m_nYear + item.m_nMonth + item.m_nDay + item.m_nHour + item.m_nMinute +
                      item.m_nSecond,
                  -6);
    }

    ASSERT_TRUE(SQXDefaultValueTags::SetTag(L" APP.JOBNAME ", L"job"));
    ASSERT_TRUE(SQXDefaultValueTags::SetTag_LastValue(L"typed"));
    CZKDict dict;
    dict.SetKeyValue(L"custom", L"c");
    ASSERT_TRUE(SQXDefaultValueTags::SetTags(dict));
    CQXDefaultValueTagItemList more;
    more.SetTag(L"sys.time", L"", 2024, 1, 1, 8, 0, 0, 42);
    ASSERT_TRUE(SQXDefaultValueTags::SetTags(more));

    std::wstring value;
    EXPECT_TRUE(SQXDefaultValueTags::GetTag(L"app.jobname", value));
    EXPECT_EQ(value, L"job");
    EXPECT_TRUE(SQXDefaultValueTags::GetTag_LastValue(value));
    EXPECT_EQ(value, L"typed");
    CQXDefaultValueTagItem item;
    ASSERT_TRUE(SQXDefaultValueTags::GetTag(L"SYS.TIME", item));
    EXPECT_EQ(item.m_nHour, 8);
    EXPECT_EQ(item.m_nLevel, 42);
    EXPECT_EQ(table.GetCount(), 25);

    ASSERT_TRUE(SQXDefaultValueTags::ResetTags());
    EXPECT_EQ(table.GetCount(), 24);
    EXPECT_TRUE(SQXDefaultValueTags::GetTag_LastValue(value));
    EXPECT_TRUE(value.empty());
    EXPECT_FALSE(SQXDefaultValueTags::GetTag(L"custom", value));
}

TEST(DefaultValueMessages, ChainEndsInReader)
{
    std::wstring text;
    EXPECT_FALSE(CQXDefaultValueEI::GetErrorMessage(0, text, FALSE));
    ASSERT_TRUE(CQXDefaultValueEI::GetErrorMessage(4001, text, FALSE));
    EXPECT_EQ(text, L"STR_DV_ERR_TAG_BADFORMAT");
    ASSERT_TRUE(CQXDefaultValueEI::GetErrorMessage(4101, text, FALSE));
    EXPECT_EQ(text, L"STR_DV_ERR_DATA_TAG_NOTFOUND");
    ASSERT_TRUE(CQXDefaultValueEI::GetErrorMessage(3003, text, FALSE));
    EXPECT_EQ(text, L"STR_OM_ERR_NUM_BADWIDTHFRAC");
    ASSERT_TRUE(CQXDefaultValueEI::GetErrorMessage(100, text, FALSE));
    EXPECT_FALSE(text.empty());
}
