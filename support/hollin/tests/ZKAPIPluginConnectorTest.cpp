#include <hollin/ZKAPIPluginConnector.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKPath.h>
#include <hollin/ZKScript.h>

#include <gtest/gtest.h>

#include <unistd.h>

namespace
{
// The test plug-in is built beside the libraries (see tests/CMakeLists.txt).
std::wstring LibraryFolderFile(const wchar_t* name)
{
    std::wstring folder;
    SZKCommon::GetModuleFolderPath(folder);
    return SZKPath::MergePath_PNF(folder, name, L"");
}

std::wstring TestPlugin()
{
    return LibraryFolderFile(L"libhollin_testplugin.so");
}

#define REQUIRE_TEST_PLUGIN()                                                                   \
    if (::access(SZKPath::ToNative(TestPlugin()).c_str(), R_OK) != 0)                           \
    GTEST_SKIP() << "test plug-in not built (support/hollin/tests/CMakeLists.txt not included)"
} // namespace

TEST(ZKAPIPluginConnector, ConnectsAndReportsItsTexts)
{
    REQUIRE_TEST_PLUGIN();
    CZKAPIPluginConnector connector;
    EXPECT_FALSE(connector.IsConnected());
    ASSERT_TRUE(connector.Connect(TestPlugin()));
    EXPECT_TRUE(connector.IsConnected());
    EXPECT_EQ(L"Test Plug-in \u00e9", connector.GetPluginName());
    EXPECT_EQ(L"Names a batch after the test", connector.GetPluginDescription());
    auto answer = reinterpret_cast<int (*)()>(connector.GetEntryPoint("ZKTestPluginAnswer"));
    ASSERT_NE(nullptr, answer);
    EXPECT_EQ(42, answer());

    // A copy holds its own connection.
    CZKAPIPluginConnector copy(connector);
    EXPECT_EQ(connector, copy);
    connector.Disconnect();
    EXPECT_TRUE(connector.GetPluginName().empty());
    EXPECT_EQ(nullptr, connector.GetEntryPoint("ZKTestPluginAnswer"));
    EXPECT_EQ(42, reinterpret_cast<int (*)()>(copy.GetEntryPoint("ZKTestPluginAnswer"))());
}

TEST(ZKAPIPluginConnector, ScriptRoundTrip)
{
    REQUIRE_TEST_PLUGIN();
    CZKScript script;
    script.SetDefaultSection(L"Job.General");
    CZKAPIPluginConnector saved;
    ASSERT_TRUE(saved.Connect(TestPlugin()));
    ASSERT_TRUE(saved.ToScript(script, L"Locator", 1));
    std::wstring path;
    EXPECT_TRUE(script.GetKeyValue(L"PluginPath", path, 0, L"Job.General.Locator"));
    EXPECT_EQ(TestPlugin(), path);

    CZKAPIPluginConnector loaded;
    ASSERT_TRUE(loaded.FromScript(script, L"Locator"));
    EXPECT_EQ(saved, loaded);

    // A disconnected connector round-trips as disconnected.
    CZKAPIPluginConnector().ToScript(script, L"Locator", 1);
    EXPECT_TRUE(loaded.FromScript(script, L"Locator"));
    EXPECT_FALSE(loaded.IsConnected());
}

TEST(ZKAPIPluginConnector, BadPluginsAndScriptsFailDisconnected)
{
    CZKAPIPluginConnector connector;
    EXPECT_FALSE(connector.Connect(L""));
    EXPECT_FALSE(connector.Connect(L"/nonexistent/plugin.so"));
    // A library without the identification entry points is not a plug-in.
    EXPECT_FALSE(connector.Connect(LibraryFolderFile(L"libwincompat.so")));
    EXPECT_FALSE(connector.IsConnected());

    CZKScript script;
    EXPECT_FALSE(connector.FromScript(script, L"Locator", 0)); // nothing saved
    script.SetKeyValue(L"PluginPath", L"/nonexistent/plugin.so", 0, L"Locator");
    EXPECT_FALSE(connector.FromScript(script, L"Locator", 0));
    EXPECT_FALSE(connector.IsConnected());
}
