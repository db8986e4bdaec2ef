#include <hollin/ZKUUID.h>

#include <gtest/gtest.h>

#include <set>

TEST(ZKUUID, ParsesWithAndWithoutBraces)
{
    GUID a{}, b{};
    ASSERT_TRUE(SZKUUID::StringToUUID(L"a1f4e726-8cf1-11d1-bf92-0060081ed811", a));
    EXPECT_EQ(0xa1f4e726u, a.Data1);
    EXPECT_EQ(0x8cf1, a.Data2);
    EXPECT_EQ(0x11d1, a.Data3);
    const BYTE tail[8] = {0xbf, 0x92, 0x00, 0x60, 0x08, 0x1e, 0xd8, 0x11};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(tail[i], a.Data4[i]);
    ASSERT_TRUE(SZKUUID::StringToUUID(L"{A1F4E726-8CF1-11D1-BF92-0060081ED811}", b));
    EXPECT_EQ(a, b);
    EXPECT_EQ(L"a1f4e726-8cf1-11d1-bf92-0060081ed811", SZKUUID::UUIDToString(a));
    EXPECT_EQ(L"{a1f4e726-8cf1-11d1-bf92-0060081ed811}", SZKUUID::UUIDToString(a, TRUE));
}

TEST(ZKUUID, RejectsMalformedTextAndKeepsTheValue)
{
    const wchar_t* bad[] = {
        L"", L"{}",
        L"{a1f4e726-8cf1-11d1-bf92-0060081ed811",   // one brace
        L"a1f4e726-8cf1-11d1-bf92-0060081ed81",     // short
        L"a1f4e72-68cf1-11d1-bf92-0060081ed811",    // hyphen misplaced
        L"g1f4e726-8cf1-11d1-bf92-0060081ed811",    // not hex
        L" a1f4e726-8cf1-11d1-bf92-0060081ed811",   // blank
    };
    GUID value{42, 0, 0, {}};
    const GUID before = value;
    for (const wchar_t* text : bad)
    {
        EXPECT_FALSE(SZKUUID::StringToUUID(text, value)) << text;
        EXPECT_EQ(before, value);
    }
}

TEST(ZKUUID, NilAndRandom)
{
    const GUID nil = SZKUUID::CreateNilUUID();
    EXPECT_TRUE(SZKUUID::IsNilUUID(nil));
    EXPECT_EQ(L"00000000-0000-0000-0000-000000000000", SZKUUID::UUIDToString(nil));

    std::set<std::wstring> seen;
    for (int i = 0; i < 50; ++i)
    {
        GUID g;
        ASSERT_TRUE(SZKUUID::CreateUUID(g));
        const std::wstring text = SZKUUID::UUIDToString(g);
        EXPECT_EQ(L'4', text[14]); // version
        EXPECT_NE(std::wstring::npos, std::wstring(L"89ab").find(text[19])); // variant
        GUID back;
        ASSERT_TRUE(SZKUUID::StringToUUID(text, back));
        EXPECT_EQ(g, back);
        seen.insert(text);
    }
    EXPECT_EQ(50u, seen.size());
}
