// Recognising VRS and reading its installation: the driver and family
// names, the version text of the registry and the default image device of
// its settings file, each in a private registry and application data folder.
#include <mirelight/QXVRSHelper.h>

#include <wincompat/ZKRegistry.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{
namespace fs = std::filesystem;

const wchar_t* const kVersionKey = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Kofax\\Condor";

class VRSHelperTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "vrs-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        setenv("ZK_REGISTRY_DIR", (m_folder + "/registry").c_str(), 1);
        setenv("ZK_COMMON_APPDATA_DIR", (m_folder + "/appdata").c_str(), 1);
    }

    void TearDown() override
    {
        unsetenv("ZK_REGISTRY_DIR");
        unsetenv("ZK_COMMON_APPDATA_DIR");
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    void InstallVersion(const std::wstring& version)
    {
        ASSERT_TRUE(CZKRegistry().SetString(kVersionKey, L"Version", version));
    }

    void WriteSettings(const std::string& text)
    {
        const fs::path folder = fs::path(m_folder) / "appdata" / "Kofax" / "Vrs";
        fs::create_directories(folder);
        std::ofstream(folder / "kofax200.ini") << text;
    }

    std::string m_folder;
};

struct VERSION_CASE
{
    const wchar_t* text;
    int found;
    unsigned long major;
    unsigned long minor;
};
} // namespace

TEST(VRSNamesTest, DriverAndFamilyAreRecognisedWhateverTheirCase)
{
    EXPECT_TRUE(CQXVRSHelper::IsVRS(L"kofaxvrs"));
    EXPECT_TRUE(CQXVRSHelper::IsVRS(CQXVRSHelper::VRSDriver()));
    EXPECT_FALSE(CQXVRSHelper::IsVRS(L"KOFAXVRS2"));
    EXPECT_FALSE(CQXVRSHelper::IsVRS(L""));
    EXPECT_TRUE(CQXVRSHelper::IsVRSFamily(L"KOFAX VRS SCANNER"));
    EXPECT_EQ(CQXVRSHelper::VRSFamily(), L"Kofax VRS Scanner");
    EXPECT_FALSE(CQXVRSHelper::IsVRSFamily(L"Kofax VRS"));
}

TEST_F(VRSHelperTest, VersionTextsMatchOnlyAsAWhole)
{
    const VERSION_CASE cases[] = {
        {L"V4.1.2", 1, 4, 1},
        {L"  3.50.7 ", 1, 3, 50},
        {L"4.1-9", 1, 4, 1} /* any second separator */,
        {L"4.1", 0, 0, 0},
        {L"V4.1.2 beta", 0, 0, 0},
        {L"v4.1.2", 0, 0, 0},
        {L"", 0, 0, 0},
    };
    for (const VERSION_CASE& c : cases)
    {
        SCOPED_TRACE(std::string(c.text, c.text + wcslen(c.text)));
        InstallVersion(c.text);
        unsigned long major = 0;
        unsigned long minor = 0;
        EXPECT_EQ(CQXVRSHelper::GetVRSVersion(major, minor) != 0, c.found != 0);
        if (c.found)
        {
            EXPECT_EQ(major, c.major);
            EXPECT_EQ(minor, c.minor);
        }
    }
}

TEST_F(VRSHelperTest, NoInstallationOrAVersionOfAnotherTypeIsNoVersion)
{
    unsigned long major = 0;
    unsigned long minor = 0;
    EXPECT_FALSE(CQXVRSHelper::GetVRSVersion(major, minor));
    ASSERT_TRUE(CZKRegistry().SetDWord(kVersionKey, L"Version", 4));
    EXPECT_FALSE(CQXVRSHelper::GetVRSVersion(major, minor));
    std::wstring source = L"untouched";
    EXPECT_FALSE(CQXVRSHelper::GetDefaultSource(source));
}

TEST_F(VRSHelperTest, Version4ReadsTheDefaultImageDevice)
{
    InstallVersion(L"V4.0.1");
    std::wstring source;
    EXPECT_TRUE(CQXVRSHelper::GetDefaultSource(source));
    EXPECT_EQ(source, L"Unknown") << "no settings file";

    WriteSettings("[Defaults]\nOther = 1\n");
    EXPECT_TRUE(CQXVRSHelper::GetDefaultSource(source));
    EXPECT_EQ(source, L"Unknown") << "no DefaultImageDevice entry";

    WriteSettings("[Defaults]\nDefaultImageDevice = ZK Virtual Duplex 60\n");
    EXPECT_TRUE(CQXVRSHelper::GetDefaultSource(source));
    EXPECT_EQ(source, L"ZK Virtual Duplex 60");

    WriteSettings("[Defaults]\nDefaultImageDevice = " + std::string(80, 'x') + "\n");
    EXPECT_TRUE(CQXVRSHelper::GetDefaultSource(source));
    EXPECT_EQ(source, std::wstring(49, L'x')) << "read through a buffer of 50 characters";
}

TEST_F(VRSHelperTest, OtherVersionsHaveNoDefaultSource)
{
    WriteSettings("[Defaults]\nDefaultImageDevice = ZK Virtual Duplex 60\n");
    for (const wchar_t* version : {L"3.5.0", L"5.0.0", L"0.9.1"})
    {
        InstallVersion(version);
        std::wstring source;
        EXPECT_FALSE(CQXVRSHelper::GetDefaultSource(source));
        EXPECT_TRUE(source.empty());
    }
}
