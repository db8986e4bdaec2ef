#include <wincompat/ZKKnownFolders.h>
#include <wincompat/ZKPlatformVersion.h>

#include <gtest/gtest.h>

#include <cstdlib>

TEST(KnownFolders, ComeFromTheEnvironmentWithDefaults)
{
    unsetenv("ZK_SYSTEM_DIR");
    unsetenv("ZK_COMMON_APPDATA_DIR");
    EXPECT_EQ(L"/usr/local/share/capturecore/system", CZKKnownFolders::SystemFolder());
    EXPECT_EQ(L"/usr/local/share/capturecore/appdata", CZKKnownFolders::CommonAppDataFolder());

    setenv("ZK_SYSTEM_DIR", "/tmp/sys/", 1);
    setenv("ZK_COMMON_APPDATA_DIR", "/tmp/app", 1);
    EXPECT_EQ(L"/tmp/sys", CZKKnownFolders::SystemFolder());
    std::wstring path;
    EXPECT_TRUE(CZKKnownFolders::FromCsidl(0x23, path));
    EXPECT_EQ(L"/tmp/app", path);
    EXPECT_TRUE(CZKKnownFolders::FromCsidl(0x24, path));
    EXPECT_EQ(L"/tmp/sys", path);
    EXPECT_TRUE(CZKKnownFolders::FromCsidl(0x25, path));
    EXPECT_EQ(L"/tmp/sys", path);
    path = L"same";
    EXPECT_FALSE(CZKKnownFolders::FromCsidl(0x1a, path));
    EXPECT_EQ(L"same", path);
    unsetenv("ZK_SYSTEM_DIR");
    unsetenv("ZK_COMMON_APPDATA_DIR");
    EXPECT_FALSE(CZKKnownFolders::TempFolder().empty());
}

TEST(PlatformVersion, ParsesKernelReleases)
{
    auto v = CZKPlatformVersion::FromRelease(L"Linux", "6.1.0-13-amd64");
    EXPECT_EQ(6u, v.Major());
    EXPECT_EQ(1u, v.Minor());
    EXPECT_EQ(0u, v.Build());
    EXPECT_EQ(L"Linux 6.1.0-13-amd64", v.Name());
    v = CZKPlatformVersion::FromRelease(L"Linux", "5.15");
    EXPECT_EQ(5u, v.Major());
    EXPECT_EQ(15u, v.Minor());
    EXPECT_EQ(0u, v.Build());
    v = CZKPlatformVersion::FromRelease(L"Linux", "garbage");
    EXPECT_EQ(0u, v.Major());
    EXPECT_EQ(L"Linux", CZKPlatformVersion::FromRelease(L"Linux", "").Name());
    EXPECT_GT(CZKPlatformVersion::Current().Major(), 0u);
}

TEST(PlatformVersion, OverrideAndVariableTakePrecedenceOverTheKernel)
{
    setenv("ZK_PLATFORM_VERSION", "5.0.2195", 1);
    EXPECT_EQ(5u, CZKPlatformVersion::Current().Major());
    EXPECT_EQ(0u, CZKPlatformVersion::Current().Minor());
    EXPECT_EQ(2195u, CZKPlatformVersion::Current().Build());

    CZKPlatformVersion::SetOverride(5, 1, 2600);
    EXPECT_EQ(1u, CZKPlatformVersion::Current().Minor());
    EXPECT_EQ(2600u, CZKPlatformVersion::Current().Build());

    CZKPlatformVersion::ClearOverride();
    EXPECT_EQ(0u, CZKPlatformVersion::Current().Minor());
    unsetenv("ZK_PLATFORM_VERSION");
    EXPECT_NE(L"Configured", CZKPlatformVersion::Current().Name().substr(0, 10));
}
