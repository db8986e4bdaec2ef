#include <hollin/ZKFileVersionInfo.h>

#include <hollin/ZKPath.h>
#include <hollin/ZKTempFileKeeper.h>

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

TEST(ZKFileVersionInfo, SplitStdFileVersion)
{
    WORD a = 9, b = 9, c = 9, d = 9;
    ASSERT_TRUE(CZKFileVersionInfo::SplitStdFileVersion(L"1.2.3.4", a, b, c, d));
    EXPECT_EQ((std::vector<WORD>{1, 2, 3, 4}), (std::vector<WORD>{a, b, c, d}));
    ASSERT_TRUE(CZKFileVersionInfo::SplitStdFileVersion(L"7, 65535", a, b, c, d));
    EXPECT_EQ((std::vector<WORD>{7, 65535, 0, 0}), (std::vector<WORD>{a, b, c, d}));

    const wchar_t* bad[] = {L"", L"1..2", L"1.2.3.4.5", L"1.65536", L"1.-2", L"1.2a", L"v1.2", L".", L"1.2."};
    for (const wchar_t* text : bad)
    {
        a = b = c = d = 42;
        EXPECT_FALSE(CZKFileVersionInfo::SplitStdFileVersion(text, a, b, c, d)) << text;
        EXPECT_EQ((std::vector<WORD>{42, 42, 42, 42}), (std::vector<WORD>{a, b, c, d}));
    }
}

TEST(ZKFileVersionInfo, SidecarWinsOverEmbeddedMarker)
{
    CZKTempFileKeeper file;
    ASSERT_TRUE(file.Create());
    {
        static const char content[] =
            "\x7f" "ELF junk\0" ZK_FILE_VERSION_MARKER "\0 " ZK_FILE_VERSION_MARKER "2.5.0.17\0tail";
        std::ofstream(file.GetA(), std::ios::binary).write(content, sizeof content - 1);
    }
    CZKFileVersionInfo info;
    ASSERT_TRUE(info.SetFile(file.Get())); // the first marker without a version is skipped
    EXPECT_EQ(L"2.5.0.17", info.GetFileVersion());

    const std::string sidecar = file.GetA() + ".version";
    std::ofstream(sidecar) << "3.1\r\n";
    ASSERT_TRUE(info.SetFile(file.Get()));
    WORD a, b, c, d;
    ASSERT_TRUE(info.GetFileVersion(a, b, c, d));
    EXPECT_EQ((std::vector<WORD>{3, 1, 0, 0}), (std::vector<WORD>{a, b, c, d}));
    ::unlink(sidecar.c_str());
}

TEST(ZKFileVersionInfo, FilesWithoutVersionFail)
{
    CZKTempFileKeeper file;
    ASSERT_TRUE(file.Create());
    std::ofstream(file.GetA()) << "no marker here";
    CZKFileVersionInfo info;
    EXPECT_FALSE(info.SetFile(file.Get()));
    EXPECT_FALSE(info.HasVersion());
    EXPECT_EQ(L"", info.GetFileVersion());
    EXPECT_FALSE(info.SetFile(L"/nonexistent/file.so"));
}
