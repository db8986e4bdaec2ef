// 64-bit integer values in scripts: the text form, its limits and that a
// value that does not fit is refused rather than wrapped.
#include <hollin/ZKScript.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

TEST(ScriptInt64, ExtremesSurviveSaveAndLoad)
{
    const int64_t values[] = {0, -1, 1, std::numeric_limits<int64_t>::max(),
                              std::numeric_limits<int64_t>::min(), 0x123456789ALL};
    CZKScript script;
    script.SetDefaultSection(L"Values");
    for (int64_t v : values)
    {
        ASSERT_TRUE(script.W_int64(L"Type", v));
        CZKScript loaded;
        ASSERT_TRUE(loaded.LoadFromText(script.SaveToText()));
        loaded.SetDefaultSection(L"Values");
        int64_t back = 7;
        ASSERT_TRUE(loaded.R_int64(L"Type", back));
        EXPECT_EQ(v, back);
    }
}

TEST(ScriptInt64, TextFormIsPlainSignedDecimal)
{
    CZKScript script;
    ASSERT_TRUE(script.W_int64(L"Type", -9223372036854775807LL - 1, 0));
    std::wstring text;
    ASSERT_TRUE(script.GetKeyValue(L"Type", text, 0));
    EXPECT_EQ(L"-9223372036854775808", text);

    // The high bit of an unsigned flag set travels as a negative number.
    ASSERT_TRUE(script.W_int64(L"Type", static_cast<int64_t>(0x8000000000000001ULL), 0));
    ASSERT_TRUE(script.GetKeyValue(L"Type", text, 0));
    EXPECT_EQ(L"-9223372036854775807", text);
}

TEST(ScriptInt64, MalformedOrOutOfRangeIsRefusedAndLeavesValue)
{
    const wchar_t* const bad[] = {L"",
                                  L"-",
                                  L"+",
                                  L"12x",
                                  L"1 2",
                                  L"0x10",
                                  L"9223372036854775808",
                                  L"-9223372036854775809",
                                  L"99999999999999999999999",
                                  L"1.5"};
    CZKScript script;
    for (const wchar_t* text : bad)
    {
        ASSERT_TRUE(script.SetKeyValue(L"Type", text, 0));
        int64_t value = 42;
        EXPECT_FALSE(script.R_int64(L"Type", value, 0)) << text;
        EXPECT_EQ(42, value) << text;
    }
    int64_t value = 42;
    EXPECT_FALSE(script.R_int64(L"Missing", value, 0));
    ASSERT_TRUE(script.SetKeyValue(L"Type", L"  +17 ", 0));
    EXPECT_TRUE(script.R_int64(L"Type", value, 0));
    EXPECT_EQ(17, value);
}
