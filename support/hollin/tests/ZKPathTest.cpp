#include <hollin/ZKPath.h>

#include <gtest/gtest.h>

TEST(ZKPath, MergeJoinsWithOneSeparator)
{
    EXPECT_EQ(L"/data/Kofax/Vrs/kofax200.ini", SZKPath::MergePath_PNF(L"/data", L"Kofax\\Vrs\\kofax200.ini", L""));
    EXPECT_EQ(L"/a/b/c.ini", SZKPath::MergePath_PNF(L"/a/", L"\\b\\c", L".ini"));
    EXPECT_EQ(L"/a/b/c.ini", SZKPath::MergePath_PNF(L"\\a\\\\", L"b/c", L"ini"));
    EXPECT_EQ(L"/file.txt", SZKPath::MergePath_PNF(L"/", L"file", L"txt"));
    EXPECT_EQ(L"rel/name", SZKPath::MergePath_PNF(L"", L"rel/name", L""));
    EXPECT_EQ(L"/abs", SZKPath::MergePath_PNF(L"", L"/abs", L""));
    EXPECT_EQ(L"/a", SZKPath::MergePath_PNF(L"/a", L"", L""));
}

TEST(ZKPath, SplitParts)
{
    const std::wstring path = L"C:\\data/scans\\page.01.tif";
    EXPECT_EQ(L"C:/data/scans", SZKPath::SplitPath_P(path));
    EXPECT_EQ(L"page.01", SZKPath::SplitPath_N(path));
    EXPECT_EQ(L"tif", SZKPath::SplitPath_E(path));
    EXPECT_EQ(L"page.01.tif", SZKPath::SplitPath_NE(path));

    EXPECT_EQ(L"/", SZKPath::SplitPath_P(L"/root.txt"));
    EXPECT_EQ(L"", SZKPath::SplitPath_P(L"bare"));
    EXPECT_EQ(L".profile", SZKPath::SplitPath_N(L"/home/.profile"));
    EXPECT_EQ(L"", SZKPath::SplitPath_E(L"/home/.profile"));
    EXPECT_EQ(L"", SZKPath::SplitPath_E(L"/dir.d/noext"));
    EXPECT_EQ(L"noext", SZKPath::SplitPath_N(L"/dir.d/noext"));
    EXPECT_EQ(L"", SZKPath::SplitPath_N(L"/folder/"));
}

TEST(ZKPath, NativeFormIsUTF8WithSlashes)
{
    EXPECT_EQ("/tmp/\xC3\xA9t\xC3\xA9/x", SZKPath::ToNative(L"\\tmp\\\u00e9t\u00e9/x"));
    EXPECT_EQ(L"/tmp/\u00e9", SZKPath::FromNative("/tmp/\xC3\xA9"));
}
