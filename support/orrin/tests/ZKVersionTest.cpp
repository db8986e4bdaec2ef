#include <orrin/ZKVersion.h>

#include <gtest/gtest.h>

namespace
{
CZKVersion Parse(const wchar_t* text)
{
    CZKVersion version;
    EXPECT_TRUE(version.CreateVersionFromString(text)) << "text: " << (text ? "given" : "null");
    return version;
}
} // namespace

TEST(ZKVersion, ParsesAllFourPartsInOrder)
{
    const CZKVersion version = Parse(L"1.3.20.65535");
    EXPECT_FALSE(version.IsEmpty());
    EXPECT_EQ(1, version.GetMajor());
    EXPECT_EQ(3, version.GetMinor());
    EXPECT_EQ(20, version.GetBuild());
    EXPECT_EQ(65535, version.GetRevision());
    EXPECT_EQ(0, version.GetPart(4));
    EXPECT_EQ(L"1.3.20.65535", version.ToString());
}

TEST(ZKVersion, ComparesPartByPartNumerically)
{
    EXPECT_LT(Parse(L"1.1.0.0").Compare(Parse(L"1.3.0.0")), 0);
    EXPECT_GT(Parse(L"1.10.0.0").Compare(Parse(L"1.9.0.0")), 0); // not text order
    EXPECT_GT(Parse(L"2.0.0.0").Compare(Parse(L"1.99.99.99")), 0);
    EXPECT_LT(Parse(L"1.3.0.1").Compare(Parse(L"1.3.1.0")), 0);
    EXPECT_EQ(0, Parse(L"1.3.0.0").Compare(Parse(L" 1.3.0.0 ")));
    EXPECT_TRUE(Parse(L"1.3.0.0") <= Parse(L"1.3.0.0"));
    EXPECT_TRUE(Parse(L"1.3.0.0") >= Parse(L"1.1.0.0"));
}

TEST(ZKVersion, MissingTrailingPartsCountAsZero)
{
    EXPECT_EQ(Parse(L"1.3"), Parse(L"1.3.0.0"));
    EXPECT_EQ(Parse(L"2"), CZKVersion(2, 0));
    EXPECT_EQ(CZKVersion(1, 1, 0, 0), CZKVersion(L"1.1"));
    EXPECT_LT(Parse(L"1.3"), Parse(L"1.3.0.1"));
    EXPECT_EQ(L"1.3.0.0", Parse(L"1.3").ToString());
}

TEST(ZKVersion, EmptyVersionSortsBelowEveryRealVersion)
{
    const CZKVersion empty = Parse(L"");
    const CZKVersion null = Parse(nullptr);
    const CZKVersion blank = Parse(L"   ");
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_TRUE(null.IsEmpty());
    EXPECT_TRUE(blank.IsEmpty());
    EXPECT_EQ(L"", empty.ToString());
    EXPECT_EQ(0, empty.Compare(null));
    EXPECT_EQ(0, empty.Compare(CZKVersion()));
    EXPECT_LT(empty.Compare(Parse(L"0.0.0.0")), 0);
    EXPECT_GT(Parse(L"0").Compare(empty), 0);
    EXPECT_LT(empty, Parse(L"1.1.0.0"));
}

TEST(ZKVersion, MalformedTextFailsAndLeavesAnEmptyVersion)
{
    for (const wchar_t* text : {L"1..3", L".1.3", L"1.3.", L"1.3.0.0.0", L"1,3", L"v1.3", L"1.3a", L"-1.3",
                                L"1. 3", L"65536", L"1.99999999999999999999", L"1.3\n4"})
    {
        CZKVersion version(4, 5, 6, 7);
        EXPECT_FALSE(version.CreateVersionFromString(text)) << "accepted a malformed version";
        EXPECT_TRUE(version.IsEmpty());
        EXPECT_LT(version, Parse(L"0.0.0.0"));
    }
}
