#include <hollin/ZKTagHolder.h>

#include <gtest/gtest.h>

TEST(ZKTagHolder, NumbersAndTextsKeepTheirKind)
{
    CZKTagHolder tags;
    tags.SetValue(1, 0);
    tags.SetValue(4, -7);
    tags.SetValue(200, L"Book \u00e9");

    LONG number = 99;
    std::wstring text = L"untouched";
    EXPECT_TRUE(tags.GetValue(4, number));
    EXPECT_EQ(-7, number);
    EXPECT_FALSE(tags.GetValue(200, number)); // a text is not a number
    EXPECT_FALSE(tags.GetValue(4, text));
    EXPECT_FALSE(tags.GetValue(999, number));
    EXPECT_EQ(-7, number);
    EXPECT_EQ(L"untouched", text);
    EXPECT_TRUE(tags.GetValue(200, text));
    EXPECT_EQ(L"Book \u00e9", text);

    CZKTagHolder copy;
    copy.SetValue(7, 7);
    copy.CopyFrom(tags);
    EXPECT_EQ(tags, copy);
    copy.SetValue(4, L"now text"); // setting again replaces value and kind
    EXPECT_TRUE(copy.IsText(4));
    EXPECT_NE(tags, copy);
    EXPECT_EQ((std::vector<DWORD>{1, 4, 200}), copy.GetTags());
}
