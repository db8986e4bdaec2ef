#include <orrin/ZKRCM.h>
#include <orrin/ZKRCMHelper.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// Points the resource lookup at a folder of the test's own and puts the
// environment back afterwards.
class ZKRCMTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SaveVariable("ZK_RESOURCE_DIR", m_savedDir);
        SaveVariable("ZK_LANGUAGE", m_savedLanguage);
        SaveVariable("LC_ALL", m_savedLocale);
        ::unsetenv("ZK_LANGUAGE");
        m_folder = fs::temp_directory_path() / ("orrin_rcm_" + std::to_string(::getpid()));
        fs::create_directories(m_folder / "texts");
        SZKRCM::Reset();
    }

    void TearDown() override
    {
        RestoreVariable("ZK_RESOURCE_DIR", m_savedDir);
        RestoreVariable("ZK_LANGUAGE", m_savedLanguage);
        RestoreVariable("LC_ALL", m_savedLocale);
        SZKRCM::Reset();
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    void WriteTexts(const std::string& language, const std::string& body)
    {
        std::ofstream(m_folder / "texts" / (language + ".zks"), std::ios::binary) << "\xEF\xBB\xBF" << body;
    }

    void UseTestFolder()
    {
        ::setenv("ZK_RESOURCE_DIR", m_folder.c_str(), 1);
        SZKRCM::Reset();
    }

    fs::path m_folder;

private:
    struct Saved
    {
        bool present = false;
        std::string value;
    };
    static void SaveVariable(const char* name, Saved& saved)
    {
        const char* value = std::getenv(name);
        saved.present = value != nullptr;
        saved.value = value ? value : "";
    }
    static void RestoreVariable(const char* name, const Saved& saved)
    {
        if (saved.present)
            ::setenv(name, saved.value.c_str(), 1);
        else
            ::unsetenv(name);
    }
    Saved m_savedDir;
    Saved m_savedLanguage;
    Saved m_savedLocale;
};

const char* const TestTexts = "[Common]\n"
                              "GREETING = Hello\n"
                              "SHARED = shared text\n"
                              "COUNTED = %ls holds %d items\n"
                              "[Scanner]\n"
                              "GREETING = Hello from the scanner\n";
} // namespace

TEST_F(ZKRCMTest, ModuleSectionOverridesCommonAndFallsBackToIt)
{
    UseTestFolder();
    WriteTexts("en", TestTexts);
    std::wstring text;
    EXPECT_TRUE(SZKRCM::LoadText(L"GREETING", text));
    EXPECT_EQ(L"Hello", text);
    EXPECT_TRUE(SZKRCM::LoadText(L"GREETING", text, L"Scanner"));
    EXPECT_EQ(L"Hello from the scanner", text);
    EXPECT_TRUE(SZKRCM::LoadText(L"greeting", text, L"SCANNER")) << "names ignore ASCII case, as in scripts";
    EXPECT_EQ(L"Hello from the scanner", text);
    EXPECT_TRUE(SZKRCM::LoadText(L"SHARED", text, L"Scanner"));
    EXPECT_EQ(L"shared text", text);
    EXPECT_TRUE(SZKRCM::LoadText(L"GREETING", text, L"UnknownModule"));
    EXPECT_EQ(L"Hello", text);
    text = L"left over";
    EXPECT_FALSE(SZKRCM::LoadText(L"NO_SUCH_KEY", text, L"Scanner"));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(SZKRCM::LoadText(nullptr, text));

    const CZKRCMHelper scanner(L"Scanner");
    EXPECT_EQ(L"Hello from the scanner", scanner.LoadText(L"GREETING"));
    EXPECT_TRUE(scanner.LoadText(L"SHARED", text));
    EXPECT_EQ(L"", CZKRCMHelper().LoadText(L"NO_SUCH_KEY"));
}

TEST_F(ZKRCMTest, TextsAreCachedUntilReset)
{
    UseTestFolder();
    WriteTexts("en", TestTexts);
    std::wstring text;
    ASSERT_TRUE(SZKRCM::LoadText(L"SHARED", text));
    WriteTexts("en", "[Common]\nSHARED = changed\n");
    EXPECT_TRUE(SZKRCM::LoadText(L"SHARED", text));
    EXPECT_EQ(L"shared text", text);
    SZKRCM::Reset();
    EXPECT_TRUE(SZKRCM::LoadText(L"SHARED", text));
    EXPECT_EQ(L"changed", text);
}

TEST_F(ZKRCMTest, MissingFolderOrBrokenFileGivesNoTextsAndNoCrash)
{
    ::setenv("ZK_RESOURCE_DIR", (m_folder / "absent").c_str(), 1);
    SZKRCM::Reset();
    std::wstring text;
    EXPECT_FALSE(SZKRCM::LoadText(L"STR_IM_ERR_EMPTY", text));
    EXPECT_EQ(L"en", SZKRCM::GetCurrentLanguage());

    UseTestFolder();
    WriteTexts("en", "[Common]\nthis line is not a script item\n");
    EXPECT_FALSE(SZKRCM::LoadText(L"GREETING", text));
    EXPECT_TRUE(text.empty());
}

TEST_F(ZKRCMTest, CallerFormatsPlaceholders)
{
    UseTestFolder();
    WriteTexts("en", TestTexts);
    std::wstring text;
    EXPECT_TRUE(SZKRCM::FormatText(text, nullptr, L"COUNTED", L"Batch \u00e9t\u00e9", 42));
    EXPECT_EQ(L"Batch \u00e9t\u00e9 holds 42 items", text);

    const std::wstring longName(5000, L'x');
    EXPECT_TRUE(SZKRCM::FormatText(text, nullptr, L"COUNTED", longName.c_str(), -1));
    EXPECT_EQ(longName + L" holds -1 items", text);

    text = L"left over";
    EXPECT_FALSE(SZKRCM::FormatText(text, nullptr, L"NO_SUCH_KEY", 1));
    EXPECT_TRUE(text.empty());
}

TEST_F(ZKRCMTest, LanguageComesFromTheEnvironmentAndFallsBackToEnglish)
{
    UseTestFolder();
    WriteTexts("en", TestTexts);
    WriteTexts("de", "[Common]\nGREETING = Hallo\n");
    std::wstring text;

    ::setenv("ZK_LANGUAGE", "de", 1);
    SZKRCM::Reset();
    EXPECT_EQ(L"de", SZKRCM::GetCurrentLanguage());
    EXPECT_TRUE(SZKRCM::LoadText(L"GREETING", text));
    EXPECT_EQ(L"Hallo", text);
    EXPECT_TRUE(SZKRCM::LoadText(L"SHARED", text)) << "a key the language lacks comes from English";
    EXPECT_EQ(L"shared text", text);

    ::setenv("ZK_LANGUAGE", "fr", 1);
    SZKRCM::Reset();
    EXPECT_EQ(L"en", SZKRCM::GetCurrentLanguage());

    // Without ZK_LANGUAGE the locale names the language.
    ::unsetenv("ZK_LANGUAGE");
    ::setenv("LC_ALL", "de_DE.UTF-8@euro", 1);
    SZKRCM::Reset();
    EXPECT_EQ(L"de", SZKRCM::GetCurrentLanguage());
    ::setenv("LC_ALL", "C.UTF-8", 1);
    SZKRCM::Reset();
    EXPECT_EQ(L"en", SZKRCM::GetCurrentLanguage());

    // A name that could leave the texts folder is refused.
    ::setenv("ZK_LANGUAGE", "../texts/de", 1);
    SZKRCM::Reset();
    EXPECT_EQ(L"en", SZKRCM::GetCurrentLanguage());
}

TEST_F(ZKRCMTest, SetCurrentLanguageSwitchesOnlyToAnExistingLanguage)
{
    UseTestFolder();
    WriteTexts("en", TestTexts);
    WriteTexts("de", "[Common]\nGREETING = Hallo\n");
    std::wstring text;
    EXPECT_FALSE(SZKRCM::SetCurrentLanguage(L"fr"));
    EXPECT_FALSE(SZKRCM::SetCurrentLanguage(L"../de"));
    EXPECT_EQ(L"en", SZKRCM::GetCurrentLanguage());
    EXPECT_TRUE(SZKRCM::SetCurrentLanguage(L"de"));
    EXPECT_EQ(L"de", SZKRCM::GetCurrentLanguage());
    EXPECT_TRUE(SZKRCM::LoadText(L"GREETING", text));
    EXPECT_EQ(L"Hallo", text);
    EXPECT_TRUE(SZKRCM::SetCurrentLanguage(L""));
    EXPECT_EQ(L"en", SZKRCM::GetCurrentLanguage());
}

TEST_F(ZKRCMTest, ConcurrentLookupsWhileTheCacheIsReset)
{
    UseTestFolder();
    WriteTexts("en", TestTexts);
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int index = 0; index < 4; ++index)
    {
        threads.emplace_back([index, &failures] {
            std::wstring text;
            for (int round = 0; round < 200; ++round)
            {
                if (!SZKRCM::LoadText(L"GREETING", text, L"Scanner") || text != L"Hello from the scanner")
                    ++failures[index];
                if (index == 0 && round % 50 == 0)
                    SZKRCM::Reset();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), failures);
}

TEST_F(ZKRCMTest, WithoutTheVariableTheFolderIsFoundNearTheLibrary)
{
    // The build copies the resources beside its lib/ folder, wherever the
    // build folder is.
    ::unsetenv("ZK_RESOURCE_DIR");
    SZKRCM::Reset();
    const std::wstring folder = SZKRCM::GetResourceFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(L"/resources", folder.substr(folder.size() - 10));
    std::wstring text;
    EXPECT_TRUE(SZKRCM::LoadText(L"STR_IM_ERR_EMPTY", text, L"BRACKWATER"));
    EXPECT_EQ(L"The input mask is empty.", text);
    EXPECT_EQ(L"en", SZKRCM::GetCurrentLanguage());
}
