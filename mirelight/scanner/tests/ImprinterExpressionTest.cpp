#include <mirelight/QXScannerHelper.h>

#include <brackwater/QXDefaultValueTags.h>

#include <gtest/gtest.h>

#include <cstring>

namespace
{
std::vector<QX_IMPRINTER_EXPRESSION> Expressions()
{
    return {
        {'c', L"COUNTER", L"Counter", 1},
        {'T', L"TIME", L"Time", 8},
        {'s', L"MESSAGE", L"Message", QX_IMPRINTER_EXPRESSION::LENGTH_NOT_COUNTED},
    };
}

const std::wstring kForty = L"\"0123456789012345678901234567890123456789\"";
} // namespace

TEST(ImprinterExpression, RecordDefaultsAndUncountedLength)
{
    QX_IMPRINTER_EXPRESSION expression;
    EXPECT_EQ(expression.chCode, 'Z');
    EXPECT_TRUE(expression.strName.empty());
    // The unsigned spelling of "not counted" is the same value.
    EXPECT_EQ(static_cast<uint32_t>(QX_IMPRINTER_EXPRESSION::LENGTH_NOT_COUNTED), 0xFFFFFFFFu);
}

TEST(ImprinterExpression, TranslateFailsOrTruncatesOverlongText)
{
    std::string text = "unchanged";
    EXPECT_FALSE(CQXScannerHelper::TranslateExpression(kForty.c_str(), text, 32, FALSE));
    EXPECT_EQ(text, "unchanged");
    ASSERT_TRUE(CQXScannerHelper::TranslateExpression(kForty.c_str(), text, 32, TRUE));
    EXPECT_EQ(text, "01234567890123456789012345678901");
    ASSERT_TRUE(CQXScannerHelper::TranslateExpression(kForty.c_str(), text, 40, FALSE));
    EXPECT_EQ(text.size(), 40u);

    // A bad expression is refused, never printed as typed.
    EXPECT_FALSE(CQXScannerHelper::TranslateExpression(L"\"open", text, 32, TRUE));
    EXPECT_TRUE(CQXScannerHelper::TranslateExpression(L"", text, 32, FALSE));
    EXPECT_TRUE(text.empty());
}

TEST(ImprinterExpression, TruncationKeepsWholeCharacters)
{
    std::string text;
    // Each a-umlaut takes two bytes in UTF-8.
    ASSERT_TRUE(CQXScannerHelper::TranslateExpression(L"\"\u00e4\u00e4\u00e4\"", text, 5, TRUE));
    EXPECT_EQ(text, "\xc3\xa4\xc3\xa4");
}

TEST(ImprinterExpression, FixedBufferIsAlwaysTerminated)
{
    char buffer[256];
    std::memset(buffer, 'x', sizeof(buffer));
    ASSERT_TRUE(CQXScannerHelper::TranslateExpression(L"\"DOC\"", buffer, 255, FALSE));
    EXPECT_STREQ(buffer, "DOC");
    EXPECT_EQ(buffer[255], 0);

    std::wstring longText = L"\"" + std::wstring(300, L'A') + L"\"";
    ASSERT_TRUE(CQXScannerHelper::TranslateExpression(longText.c_str(), buffer, 0xFFFF, FALSE));
    EXPECT_EQ(std::strlen(buffer), 255u);
}

TEST(ImprinterExpression, TranslateUsesTheProcessTagTable)
{
    SQXDefaultValueTags::ResetTags();
    SQXDefaultValueTags::SetTag_LastValue(L"B-17");
    std::string text;
    ASSERT_TRUE(CQXScannerHelper::TranslateExpression(L"<app.lastvalue>", text, 20, FALSE));
    EXPECT_EQ(text, "B-17");
    SQXDefaultValueTags::ResetTags();
}

TEST(ImprinterExpression, FormulaSyntaxAndNames)
{
    const auto expressions = Expressions();
    EXPECT_TRUE(CQXScannerHelper::ValidateFormula(L"", expressions, 20, 40));
    EXPECT_TRUE(CQXScannerHelper::ValidateFormula(L"<COUNTER><TIME><MESSAGE>", expressions, 20, 40));
    EXPECT_FALSE(CQXScannerHelper::ValidateFormula(L"<COUNTER> <TIME>", expressions, 20, 40));
    EXPECT_FALSE(CQXScannerHelper::ValidateFormula(L"<UNKNOWN>", expressions, 20, 40));
    EXPECT_FALSE(CQXScannerHelper::ValidateFormula(L"<counter>", expressions, 20, 40));
    EXPECT_FALSE(CQXScannerHelper::ValidateFormula(L"<COUNTER", expressions, 20, 40));
    EXPECT_FALSE(CQXScannerHelper::ValidateFormula(L"<<COUNTER>>", expressions, 20, 40));
    EXPECT_FALSE(CQXScannerHelper::ValidateFormula(L"<>", expressions, 20, 40));
    EXPECT_TRUE(CQXScannerHelper::ValidateFormula(nullptr, expressions, 20, 40));
}

TEST(ImprinterExpression, FormulaItemAndLengthLimits)
{
    const auto expressions = Expressions();
    EXPECT_FALSE(CQXScannerHelper::ValidateFormula(L"<COUNTER><TIME>", expressions, 1, 40));
    EXPECT_TRUE(CQXScannerHelper::ValidateFormula(L"<COUNTER><TIME>", expressions, 2, 9));
    EXPECT_FALSE(CQXScannerHelper::ValidateFormula(L"<COUNTER><TIME>", expressions, 2, 8));
    // Messages have no counted length.
    EXPECT_TRUE(CQXScannerHelper::ValidateFormula(L"<MESSAGE><MESSAGE><MESSAGE>", expressions, 3, 0));
}
