#include <wincompat/ZKRegistry.h>

#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace
{

const std::wstring kKey = L"HKEY_LOCAL_MACHINE\\Software\\Maker\\Product";

void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

} // namespace

TEST(Registry, ValuesOfEveryTypeSurviveAReopen)
{
    TempFolder folder;
    {
        CZKRegistry registry(folder.Path());
        ASSERT_TRUE(registry.SetString(kKey, L"Path", L"/opt/a b%20\tc\u00e9\u4e2d"));
        ASSERT_TRUE(registry.SetString(kKey, L"", L"")); // default value, empty text
        ASSERT_TRUE(registry.SetDWord(kKey, L"Count", 0xFFFFFFFFu));
        ASSERT_TRUE(registry.SetBinary(kKey, L"Blob", {0, 1, 0x25, 0x20, 0xFF, '\n'}));
        ASSERT_TRUE(registry.SetMultiString(kKey, L"List", {L"one", L"", L"two words", L"="}));
        ASSERT_TRUE(registry.SetMultiString(kKey, L"Empty list", {}));
        ASSERT_TRUE(registry.SetString(kKey, L"Line\nbreak name", L"multi\nline\r\nvalue"));
    }
    CZKRegistry registry(folder.Path());
    std::wstring text;
    EXPECT_TRUE(registry.QueryString(kKey, L"Path", text));
    EXPECT_EQ(L"/opt/a b%20\tc\u00e9\u4e2d", text);
    EXPECT_TRUE(registry.QueryString(kKey, L"", text));
    EXPECT_EQ(L"", text);
    DWORD number = 0;
    EXPECT_TRUE(registry.QueryDWord(kKey, L"Count", number));
    EXPECT_EQ(0xFFFFFFFFu, number);
    std::vector<BYTE> bytes;
    EXPECT_TRUE(registry.QueryBinary(kKey, L"Blob", bytes));
    EXPECT_EQ((std::vector<BYTE>{0, 1, 0x25, 0x20, 0xFF, '\n'}), bytes);
    std::vector<std::wstring> strings;
    EXPECT_TRUE(registry.QueryMultiString(kKey, L"List", strings));
    EXPECT_EQ((std::vector<std::wstring>{L"one", L"", L"two words", L"="}), strings);
    EXPECT_TRUE(registry.QueryMultiString(kKey, L"Empty list", strings));
    EXPECT_TRUE(strings.empty());
    EXPECT_TRUE(registry.QueryString(kKey, L"Line\nbreak name", text));
    EXPECT_EQ(L"multi\nline\r\nvalue", text);
}

TEST(Registry, NamesIgnoreCaseButKeepTheirFirstSpelling)
{
    TempFolder folder;
    CZKRegistry registry(folder.Path());
    ASSERT_TRUE(registry.SetDWord(L"HKEY_CURRENT_USER\\Software\\Zeta", L"Mode", 1));
    ASSERT_TRUE(registry.SetDWord(L"hkey_current_user\\SOFTWARE\\alpha", L"mode", 2));
    ASSERT_TRUE(registry.SetDWord(L"HKEY_CURRENT_USER\\software\\ZETA", L"MODE", 3)); // overwrites
    DWORD value = 0;
    EXPECT_TRUE(registry.QueryDWord(L"Hkey_Current_User\\Software\\zeta", L"mode", value));
    EXPECT_EQ(3u, value);
    EXPECT_EQ((std::vector<std::wstring>{L"alpha", L"Zeta"}),
              registry.EnumSubKeys(L"HKEY_CURRENT_USER\\Software"));
    EXPECT_EQ(std::vector<std::wstring>{L"Mode"},
              registry.EnumValues(L"HKEY_CURRENT_USER\\Software\\Zeta"));
    // Stray backslashes name nothing extra.
    EXPECT_TRUE(registry.KeyExists(L"\\HKEY_CURRENT_USER\\\\Software\\Zeta\\"));
}

TEST(Registry, QueriesRefuseMissingAndMistypedValues)
{
    TempFolder folder;
    CZKRegistry registry(folder.Path());
    registry.SetDWord(kKey, L"Count", 4);
    std::wstring text = L"untouched";
    EXPECT_FALSE(registry.QueryString(kKey, L"Count", text));
    EXPECT_FALSE(registry.QueryString(kKey, L"Missing", text));
    EXPECT_FALSE(registry.QueryString(L"HKEY_LOCAL_MACHINE\\Nowhere", L"Count", text));
    EXPECT_FALSE(registry.QueryString(L"", L"Count", text));
    EXPECT_EQ(L"untouched", text);
    EXPECT_TRUE(registry.EnumSubKeys(L"HKEY_LOCAL_MACHINE\\Nowhere").empty());
}

TEST(Registry, KeysAndValuesCanBeDeleted)
{
    TempFolder folder;
    CZKRegistry registry(folder.Path());
    ASSERT_TRUE(registry.CreateKey(kKey + L"\\Child"));
    EXPECT_TRUE(registry.CreateKey(kKey)); // already there
    registry.SetString(kKey, L"Name", L"x");
    EXPECT_TRUE(registry.DeleteValue(kKey, L"NAME"));
    EXPECT_FALSE(registry.DeleteValue(kKey, L"Name"));
    EXPECT_TRUE(registry.EnumValues(kKey).empty());

    EXPECT_FALSE(registry.DeleteKey(kKey)); // has a subkey
    EXPECT_TRUE(registry.KeyExists(kKey + L"\\Child"));
    EXPECT_TRUE(registry.DeleteKey(kKey, true));
    EXPECT_FALSE(registry.KeyExists(kKey));
    EXPECT_FALSE(registry.KeyExists(kKey + L"\\Child"));
    EXPECT_TRUE(registry.KeyExists(L"HKEY_LOCAL_MACHINE\\Software\\Maker"));
    EXPECT_FALSE(registry.DeleteKey(kKey));
    EXPECT_FALSE(registry.DeleteKey(L"HKEY_LOCAL_MACHINE", true)); // a hive stays
}

TEST(Registry, DamagedHiveFilesReadAsEmptyAndCanBeRewritten)
{
    const std::vector<std::string> damaged = {
        std::string("\0\xff\xfe garbage", 11),
        "ZKREG 1\nK =Software\nV =Name 1\n",  // value without data
        "ZKREG 1\nV =Name 4 99999999999\n",   // DWORD out of range
        "ZKREG 1\nV =Name 7 1000000000 =a\n", // absurd string count
        "ZKREG 1\nV =Name 3 =%4\n",           // truncated escape
        "ZKREG 1\nV =Name 42 =x\n",           // unknown type
        "ZKREG 1\nK Software\n",              // token without its marker
        "ZKREG 2\n",
        "",
    };
    for (const auto& content : damaged)
    {
        TempFolder folder;
        CZKRegistry registry(folder.Path());
        ASSERT_TRUE(registry.SetString(L"HKEY_LOCAL_MACHINE\\Software", L"Name", L"before"));
        WriteFile(folder.Path() + "/hkey_local_machine.hive", content);
        std::wstring text;
        EXPECT_FALSE(registry.QueryString(L"HKEY_LOCAL_MACHINE\\Software", L"Name", text))
            << content;
        EXPECT_TRUE(registry.EnumSubKeys(L"HKEY_LOCAL_MACHINE").empty());
        EXPECT_TRUE(registry.SetString(L"HKEY_LOCAL_MACHINE\\Software", L"Name", L"after"));
        EXPECT_TRUE(registry.QueryString(L"HKEY_LOCAL_MACHINE\\Software", L"Name", text));
        EXPECT_EQ(L"after", text);
    }
}

TEST(Registry, HivesAreSeparateFilesAndTheFolderComesFromTheEnvironment)
{
    TempFolder folder;
    setenv("ZK_REGISTRY_DIR", folder.Path().c_str(), 1);
    CZKRegistry registry;
    unsetenv("ZK_REGISTRY_DIR");
    EXPECT_EQ(folder.Path(), registry.Folder());
    registry.SetDWord(L"HKEY_LOCAL_MACHINE\\A", L"v", 1);
    registry.SetDWord(L"HKEY_CURRENT_USER\\A", L"v", 2);
    // Damaging one hive leaves the other alone.
    WriteFile(folder.Path() + "/hkey_current_user.hive", "junk");
    DWORD value = 0;
    EXPECT_TRUE(registry.QueryDWord(L"HKEY_LOCAL_MACHINE\\A", L"v", value));
    EXPECT_EQ(1u, value);
    EXPECT_FALSE(registry.QueryDWord(L"HKEY_CURRENT_USER\\A", L"v", value));

    const char* home = std::getenv("HOME");
    if (home)
    {
        EXPECT_EQ(std::string(home) + "/.local/share/capturecore/registry",
                  CZKRegistry::DefaultFolder());
    }
}

TEST(Registry, ConcurrentWritersLoseNoUpdates)
{
    TempFolder folder;
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w)
        writers.emplace_back(
            [&, w]
            {
                CZKRegistry registry(folder.Path()); // separate objects share the file
                for (DWORD i = 0; i < 20; ++i)
                    registry.SetDWord(kKey, L"w" + std::to_wstring(w) + L"_" + std::to_wstring(i),
                                      i);
            });
    for (auto& writer : writers)
        writer.join();
    EXPECT_EQ(80u, CZKRegistry(folder.Path()).EnumValues(kKey).size());
}
