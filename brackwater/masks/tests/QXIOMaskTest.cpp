#include <brackwater/QXDefaultValueTags.h>
#include <brackwater/QXFormulaHelper.h>
#include <brackwater/QXIOMask.h>
#include <brackwater/QXImageSourceErrorHelper.h>

#include <hollin/ZKDict.h>
#include <orrin/ZKRCM.h>

#include <gtest/gtest.h>

TEST(IOMask, ValidatesEachLanguage)
{
    DWORD code = 0;
    EXPECT_TRUE(SQXIOMask::ValidateOutputMask(L"yyyy\"-\"MM", code));
    EXPECT_FALSE(SQXIOMask::ValidateOutputMask(L"n<3,3>", code));
    EXPECT_EQ(code, 3003u);
    EXPECT_TRUE(SQXIOMask::ValidateTimeInputMask(L"yyyy\"-\"MM\"-\"dd", code));
    EXPECT_TRUE(SQXIOMask::ValidateInputMask(L"9<4>", code));
    EXPECT_TRUE(SQXIOMask::ValidateSingleStringInputMask(L"\"ABC\""));
    EXPECT_FALSE(SQXIOMask::ValidateSingleStringInputMask(L"\"ABC\" 9"));
    EXPECT_FALSE(SQXIOMask::ValidateSingleStringInputMask(L"9"));
    EXPECT_TRUE(SQXIOMask::ValidateDefaultValueExp(L"<a> OR \"b\"", code));
    EXPECT_FALSE(SQXIOMask::ValidateDefaultValueExp(L"OR <a>", code));
    EXPECT_EQ(code, 4002u);

    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    EXPECT_TRUE(SQXIOMask::ValidateTimeInput(L"yyyyMMdd", L"20240131", year, month, day, hour,
                                             minute, second, code));
    EXPECT_EQ(year * 10000 + month * 100 + day, 20240131);
    EXPECT_EQ(hour, -1);
    EXPECT_FALSE(SQXIOMask::ValidateTimeInput(L"yyyyMMdd", L"20240231", code));
}

TEST(IOMask, FormatOutputWithInputMask)
{
    DWORD code = 0;
    std::wstring text;
    // The input mask supplies the date parts for the output mask.
    ASSERT_TRUE(SQXIOMask::FormatOutput(L"dd\".\"MM\".\"yyyy\" \"D", L"T<yyyy\"-\"MM\"-\"dd>",
                                        L"2024-01-31", text, code, FALSE, FALSE, TRUE))
        << code;
    EXPECT_EQ(text, L"31.01.2024 4");

    // An invalid value fails with the input mask's code, before formatting.
    text.clear();
    EXPECT_FALSE(
        SQXIOMask::FormatOutput(L"yyyy", L"T<yyyy\"-\"MM\"-\"dd>", L"2024-13-01", text, code));
    EXPECT_GE(code, 1001u);
    EXPECT_LE(code, 2107u);
    EXPECT_TRUE(text.empty());

    // An empty input mask skips validation: every part is -1.
    ASSERT_TRUE(SQXIOMask::FormatOutput(L"[2,3] yyyy", L"", L"abcd", text, code));
    EXPECT_EQ(text, L"bc    ");
    EXPECT_FALSE(SQXIOMask::FormatOutput(L"yyyy", L"", L"abcd", text, code, FALSE, FALSE, TRUE));
    EXPECT_EQ(code, 3106u);

    // A bad output mask is reported as such.
    EXPECT_FALSE(SQXIOMask::FormatOutput(L"DD", L"", L"x", text, code));
    EXPECT_EQ(code, 3004u);
}

TEST(IOMask, DefaultValuesFromListsAndDictionaries)
{
    CQXDefaultValueTagItemList tags;
    tags.SetTag(L"job", L"Invoices", 40);
    DWORD code = 0;
    EXPECT_TRUE(SQXIOMask::ValidateDefaultValueExp(L"<JOB>", tags, code));
    EXPECT_FALSE(SQXIOMask::ValidateDefaultValueExp(L"<user>", tags, code));
    EXPECT_EQ(code, 4101u);
    CQXDefaultValueOptionList options;
    EXPECT_TRUE(SQXIOMask::ValidateDefaultValueExp(L"<job> OR \"x\"", tags, options, code));
    EXPECT_EQ(options.GetCount(), 2);
    EXPECT_FALSE(SQXIOMask::ValidateDefaultValueExp(L"<job> OR", tags, options, code));
    EXPECT_EQ(options.GetCount(), 0);

    std::wstring value;
    int level = -1;
    ASSERT_TRUE(SQXIOMask::GetDefaultValue(L"<job:[1,3]> \"-\" <user>", tags, value, level, code));
    EXPECT_EQ(value, L"Inv-");
    EXPECT_EQ(level, 0); // the absent tag counts with level 0

    CZKDict dict;
    dict.SetKeyValue(L"user", L"ann");
    ASSERT_TRUE(SQXIOMask::GetDefaultValue(L"<user>", dict, value, level, code));
    EXPECT_EQ(value, L"ann");
    EXPECT_EQ(level, 10000);
    EXPECT_TRUE(SQXIOMask::ValidateDefaultValueExp(L"<USER>", dict, code));
    EXPECT_FALSE(SQXIOMask::ValidateDefaultValueExp(L"<job>", dict, code));
    EXPECT_EQ(code, 4101u);

    dict.SetKeyValue(L"  ", L"nameless");
    EXPECT_FALSE(SQXIOMask::GetDefaultValue(L"<user>", dict, value, level, code));
    EXPECT_EQ(code, SQXIOMask::ERR_INTERNAL);
    EXPECT_FALSE(SQXIOMask::ValidateDefaultValueExp(L"<user>", dict, code));
    EXPECT_EQ(code, SQXIOMask::ERR_INTERNAL);

    // The process-wide table is the usual source.
    SQXDefaultValueTags::ResetTags();
    SQXDefaultValueTags::SetTag_LastValue(L"prev");
    ASSERT_TRUE(SQXIOMask::GetDefaultValue(
        L"<app.lastvalue> OR \"none\"", SQXDefaultValueTags::GetTagItemList(), value, level, code));
    EXPECT_EQ(value, L"prev");
    SQXDefaultValueTags::ResetTags();
}

TEST(IOMask, ErrorMessagesKeepTheRangesApart)
{
    std::wstring text;
    EXPECT_FALSE(SQXIOMask::GetErrorMessage(0, text, FALSE));
    EXPECT_TRUE(text.empty());
    struct
    {
        DWORD code;
        const wchar_t* key;
    } cases[] = {
        {1101, L"STR_TIMEIM_ERR_DATA_INCOMPLETE"},
        {2101, L"STR_IM_ERR_DATA_INCOMPLETE"},
        {3101, L"STR_OM_ERR_DATA_TEXT_OUTOFLEN"},
        {4002, L"STR_DV_ERR_OR_BADFORMAT"},
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE(SQXIOMask::GetErrorMessage(c.code, text, FALSE)) << c.code;
        EXPECT_EQ(text, c.key);
    }
    EXPECT_TRUE(SQXIOMask::GetErrorMessage(100, text, FALSE));
    EXPECT_FALSE(text.empty());
    EXPECT_FALSE(SQXIOMask::GetErrorMessage(5555, text, FALSE));
    EXPECT_TRUE(text.empty());
}

TEST(FormulaHelper, SystemExpressionsInOrder)
{
    std::vector<QX_FORMULA_EXPRESSION> list(1);
    ASSERT_TRUE(CQXFormulaHelper::GetSystemExpressions(list));
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].strExpression, L"BATCH_NAME");
    EXPECT_EQ(list[1].strDisplayName, L"Batch Date");
    EXPECT_EQ(list[2].strExpression, L"BATCH_PATH");
    EXPECT_EQ(list[3].strDisplayName, L"Operator Name");
}

TEST(ImageSourceErrorHelper, TranslatesThroughResources)
{
    std::wstring unknown;
    ASSERT_TRUE(SZKRCM::LoadText(L"STR_IMAGESOURCEERROR_UNKNOWN", unknown));
    std::wstring text;
    ASSERT_TRUE(SQXImageSourceErrorHelper::TranslateError(7, text));
    EXPECT_EQ(text, unknown);
    ASSERT_TRUE(SQXImageSourceErrorHelper::TranslateError(0, text));
    EXPECT_EQ(text, unknown);

    const int errors[] = {1, 2, 3, 4, 5, 6, 100};
    for (int error : errors)
    {
        ASSERT_TRUE(SQXImageSourceErrorHelper::TranslateError(error, text));
        std::wstring expected;
        ASSERT_TRUE(SZKRCM::LoadText(SQXImageSourceErrorHelper::GetErrorKey(error), expected));
        EXPECT_EQ(text, expected) << error;
        EXPECT_NE(text, unknown) << error;
    }
    EXPECT_EQ(SQXImageSourceErrorHelper::GetErrorKey(100),
              std::wstring(L"STR_IMAGESOURCEERROR_IMPORT_BADFILE"));
}
