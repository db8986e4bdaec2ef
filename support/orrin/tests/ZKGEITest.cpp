#include <orrin/ZKGEI.h>

#include <gtest/gtest.h>

#include <climits>

namespace
{
std::wstring ReadAll(CZKGEI& reader, BOOL keepSpaces, BOOL keepTabs, BOOL keepLineBreaks)
{
    std::wstring read;
    for (wchar_t ch = reader.Get(keepSpaces, keepTabs, keepLineBreaks); !CZKGEI::Is_EOF(ch);
         ch = reader.Get(keepSpaces, keepTabs, keepLineBreaks))
        read += ch;
    return read;
}
} // namespace

TEST(ZKGEITest, ReadingModesChooseWhichBlanksAreReturned)
{
    const std::wstring text = L" a b\tc\r\nd ";
    CZKGEI reader(text);
    EXPECT_EQ(L"abcd", ReadAll(reader, FALSE, FALSE, FALSE));
    reader.SetExpression(text);
    EXPECT_EQ(text, ReadAll(reader, TRUE, TRUE, TRUE));
    reader.SetExpression(text);
    EXPECT_EQ(L" a bcd ", ReadAll(reader, TRUE, FALSE, FALSE));
    reader.SetExpression(text);
    EXPECT_EQ(L"ab\tcd", ReadAll(reader, FALSE, TRUE, FALSE));
}

TEST(ZKGEITest, EndMarkerRepeatsAndCannotBeSmuggledIn)
{
    std::wstring text = L"x";
    text += CZKGEI::EndMarker;
    text += L"y";
    CZKGEI reader(text);
    EXPECT_EQ(L'x', reader.Get());
    EXPECT_FALSE(CZKGEI::Is_EOF(reader.Get()));
    EXPECT_EQ(L'y', reader.Get());
    EXPECT_TRUE(CZKGEI::Is_EOF(reader.Get()));
    EXPECT_TRUE(CZKGEI::Is_EOF(reader.Get()));
    EXPECT_TRUE(CZKGEI::Is_EOF(reader.Peek()));
}

TEST(ZKGEITest, PeekUngetAndExpectedCharacter)
{
    CZKGEI reader(L"  <a");
    EXPECT_EQ(L'<', reader.Peek());
    EXPECT_EQ(0u, reader.GetPosition());
    EXPECT_FALSE(reader.Get(L'>', FALSE, FALSE, FALSE));
    EXPECT_TRUE(reader.Get(L'<', FALSE, FALSE, FALSE));
    EXPECT_EQ(L'a', reader.Get());
    EXPECT_TRUE(reader.Unget());
    EXPECT_FALSE(reader.Unget()); // one step only
    EXPECT_EQ(L'a', reader.Get());
    EXPECT_TRUE(reader.Get(CZKGEI::EndMarker, FALSE, FALSE, FALSE));
}

TEST(ZKGEITest, IntegersReadExactlyAtThePosition)
{
    struct Case
    {
        const wchar_t* text;
        BOOL ok;
        int value;
        size_t endPos;
        DWORD error;
    };
    const Case cases[] = {
        {L"123x", TRUE, 123, 3, 0},
        {L"-42", TRUE, -42, 3, 0},
        {L"+7", TRUE, 7, 2, 0},
        {L"2147483647", TRUE, INT_MAX, 10, 0},
        {L"-2147483648", TRUE, INT_MIN, 11, 0},
        {L"2147483648", FALSE, 0, 0, CZKGEI::ERR_INT_OVERFLOW},
        {L"99999999999999999999", FALSE, 0, 0, CZKGEI::ERR_INT_OVERFLOW},
        {L" 1", FALSE, 0, 0, CZKGEI::ERR_INT_EXPECTED},
        {L"-", FALSE, 0, 0, CZKGEI::ERR_UNEXPECTED_END},
        {L"", FALSE, 0, 0, CZKGEI::ERR_UNEXPECTED_END},
        {L"a", FALSE, 0, 0, CZKGEI::ERR_INT_EXPECTED},
    };
    for (const Case& c : cases)
    {
        CZKGEI reader(c.text);
        int value = 0;
        EXPECT_EQ(c.ok, reader.Get_Int(value)) << c.text;
        EXPECT_EQ(c.endPos, reader.GetPosition()) << c.text;
        EXPECT_EQ(c.error, reader.GetError()) << c.text;
        if (c.ok)
        {
            EXPECT_EQ(c.value, value) << c.text;
        }
    }
    CZKGEI unsignedReader(L"-5");
    int value = 0;
    EXPECT_FALSE(unsignedReader.Get_Int_NoSign(value));
    EXPECT_EQ(CZKGEI::ERR_INT_EXPECTED, unsignedReader.GetError());
}

TEST(ZKGEITest, RealsKeepTheirWrittenText)
{
    struct Case
    {
        const wchar_t* text;
        BOOL ok;
        double value;
        const wchar_t* written;
    };
    const Case cases[] = {
        {L"12.50,", TRUE, 12.5, L"12.50"},
        {L"+1.5", TRUE, 1.5, L"+1.5"},
        {L"-0.25", TRUE, -0.25, L"-0.25"},
        {L"-.25", FALSE, 0, L""},
        {L"3.", TRUE, 3.0, L"3."},
        {L"7e3", TRUE, 7.0, L"7"},
        {L".", FALSE, 0, L""},
        {L"-", FALSE, 0, L""},
        {L"x1", FALSE, 0, L""},
    };
    for (const Case& c : cases)
    {
        CZKGEI reader(c.text);
        double value = 0;
        std::wstring written;
        ASSERT_EQ(c.ok, reader.Get_Float(value, written)) << c.text;
        if (!c.ok)
        {
            EXPECT_EQ(0u, reader.GetPosition());
            EXPECT_NE(0u, reader.GetError());
            continue;
        }
        EXPECT_DOUBLE_EQ(c.value, value) << c.text;
        EXPECT_EQ(std::wstring(c.written), written);
    }
    std::wstring huge(400, L'9');
    CZKGEI reader(huge);
    double value = 0;
    EXPECT_FALSE(reader.Get_Float(value));
    EXPECT_EQ(CZKGEI::ERR_FLOAT_OVERFLOW, reader.GetError());
}

TEST(ZKGEITest, StringsCharactersAndSpans)
{
    std::wstring text;
    CZKGEI reader(L"\"a\"\"b\"x");
    ASSERT_TRUE(reader.Get_String(text));
    EXPECT_EQ(L"a\"b", text);
    EXPECT_EQ(L'x', reader.Get());

    reader.SetExpression(L"\"open");
    EXPECT_FALSE(reader.Get_String(text));
    EXPECT_EQ(CZKGEI::ERR_STRING_UNCLOSED, reader.GetError());
    EXPECT_EQ(0u, reader.GetPosition());
    reader.SetExpression(L"abc");
    EXPECT_FALSE(reader.Get_String(text));
    EXPECT_EQ(CZKGEI::ERR_STRING_EXPECTED, reader.GetError());

    wchar_t ch = 0;
    reader.SetExpression(L"'*''''");
    ASSERT_TRUE(reader.Get_Char(ch));
    EXPECT_EQ(L'*', ch);
    ASSERT_TRUE(reader.Get_Char(ch));
    EXPECT_EQ(L'\'', ch);
    reader.SetExpression(L"'ab'");
    EXPECT_FALSE(reader.Get_Char(ch));
    EXPECT_EQ(CZKGEI::ERR_CHAR_UNCLOSED, reader.GetError());
    reader.SetExpression(L"'a");
    EXPECT_FALSE(reader.Get_Char(ch));

    reader.SetExpression(L"<a<b>\">\"c>rest");
    ASSERT_TRUE(reader.Get_StringEx(text, L'<', L'>'));
    EXPECT_EQ(L"a<b>\">\"c", text);
    EXPECT_EQ(L'r', reader.Get());
    reader.SetExpression(L"<a<b>");
    EXPECT_FALSE(reader.Get_StringEx(text, L'<', L'>'));
    EXPECT_EQ(CZKGEI::ERR_SPAN_UNCLOSED, reader.GetError());
}

TEST(ZKGEITest, ErrorMessagesCoverTheReaderCodes)
{
    std::wstring text;
    EXPECT_FALSE(CZKGEI::GetErrorMessage(0, text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(CZKGEI::GetErrorMessage(2101, text));
    for (DWORD code : {100u, 130u, 140u, 2107u, 110u, 151u})
    {
        ASSERT_TRUE(CZKGEI::GetErrorMessage(code, text, FALSE)) << code;
        EXPECT_EQ(0u, text.rfind(L"STR_GEI_ERR_", 0)) << code;
        ASSERT_TRUE(CZKGEI::GetErrorMessage(code, text, TRUE)) << code;
        EXPECT_FALSE(text.empty());
    }
}
