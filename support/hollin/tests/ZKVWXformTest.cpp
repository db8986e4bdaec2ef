#include <hollin/ZKVWXform.h>

#include <hollin/ZKScript.h>

#include <gtest/gtest.h>

namespace
{
CZKVWXform Sample()
{
    CZKVWXform x;
    x.dZoom = 0.1 + 0.2; // not exactly representable in short decimal
    x.nRotation = 270;
    x.bFlipVertical = TRUE;
    x.nOffsetX = -2147483647 - 1;
    x.nOffsetY = 35;
    x.nFitMode = ZKVW_FIT_WIDTH;
    return x;
}
} // namespace

TEST(ZKVWXform, ScriptRoundTripIsExact)
{
    CZKScript script;
    script.SetDefaultSection(L"Profile.View");
    const CZKVWXform saved = Sample();
    ASSERT_TRUE(saved.SaveToScript(script, L"IVPane0"));
    ASSERT_TRUE(CZKVWXform().SaveToScript(script, L"IVPane1"));

    CZKScript reloaded;
    ASSERT_TRUE(reloaded.LoadFromText(script.SaveToText()));
    reloaded.SetDefaultSection(L"Profile.View");
    CZKVWXform loaded;
    ASSERT_TRUE(loaded.LoadFromScript(reloaded, L"IVPane0"));
    EXPECT_EQ(saved, loaded);
    ASSERT_TRUE(loaded.LoadFromScript(reloaded, L"IVPane1"));
    EXPECT_EQ(CZKVWXform(), loaded);
}

TEST(ZKVWXform, InequalitySeesEveryField)
{
    const CZKVWXform base = Sample();
    EXPECT_FALSE(CZKVWXform(base) != base);
    for (int field = 0; field < 7; ++field)
    {
        CZKVWXform x = base;
        int* ints[] = {&x.nRotation, &x.bFlipHorizontal, &x.bFlipVertical, &x.nOffsetX, &x.nOffsetY, &x.nFitMode};
        if (field == 0)
            x.dZoom += 1;
        else
            *ints[field - 1] += 1;
        EXPECT_TRUE(x != base) << "field " << field;
    }
}

TEST(ZKVWXform, BadValuesAreRefused)
{
    CZKScript script;
    const wchar_t* bad[] = {L"", L"1,0,0,0,0,0", L"1,0,0,0,0,0,0,0", L"0,0,0,0,0,0,0", L"-1,0,0,0,0,0,0",
                            L"nan,0,0,0,0,0,0", L"inf,0,0,0,0,0,0", L"1,45,0,0,0,0,0", L"1,0,2,0,0,0,0",
                            L"1,0,0,0,2147483648,0,0", L"1,0,0,0,0,0,4", L"1 ,0,0,0,0,0,0", L"1,0,0,0,0,0,x"};
    const CZKVWXform before = Sample();
    for (const wchar_t* text : bad)
    {
        script.SetKeyValue(L"Pane", text);
        CZKVWXform x = before;
        EXPECT_FALSE(x.LoadFromScript(script, L"Pane")) << text;
        EXPECT_EQ(before, x);
    }
    CZKVWXform x;
    EXPECT_FALSE(x.LoadFromScript(script, L"Missing"));
    x.nRotation = 45;
    EXPECT_FALSE(x.SaveToScript(script, L"Pane"));
}
