// The manager against virtual drivers: discovery, open and close, every
// tag operation, configuration, environment and error reporting.
#include <gtest/gtest.h>

#include <hollin/ZKBuffer.h>
#include <hollin/ZKDebugLog.h>

#include "common/IsisTestSetup.h"

namespace
{
class ISISManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        manager.SetObserver(&recorder);
        ASSERT_TRUE(manager.Initialize());
    }
    void TearDown() override
    {
        manager.Close();
        manager.Uninitialize();
        CZKISISManager::EnableErrorReport(TRUE);
    }
    void OpenDuplex(const std::map<std::string, std::string>& replace = {}, const std::string& driverLines = "")
    {
        folder.AddDriver("ZKDUPLEX", IsisSampleProfile("ZKDUPLEX", replace, driverLines));
        ASSERT_TRUE(manager.Open(L"zkduplex"));
    }

    CIsisTestFolder folder;
    CIsisRecorder recorder;
    CZKISISManager manager;
};

TEST_F(ISISManagerTest, DiscoveryListsEveryModelOfEveryDriverFile)
{
    std::vector<ZK_ISIS_DRIVERLIST_ITEM> drivers(1);
    ASSERT_TRUE(manager.QueryAvailableDrivers(drivers));
    EXPECT_TRUE(drivers.empty());

    folder.AddDriver("ZKDUPLEX", IsisSampleProfile("ZKDUPLEX"));
    folder.AddDriver("zkflatbed", IsisSampleProfile("ZKFLATBED"));
    ASSERT_TRUE(manager.QueryAvailableDrivers(drivers));
    ASSERT_EQ(drivers.size(), 4u);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(drivers[i].DriverName, L"ZKDUPLEX");
        EXPECT_EQ(drivers[i].ModelIndex, i);
    }
    EXPECT_EQ(drivers[1].ModelName, L"ZK Virtual Duplex 90");
    EXPECT_EQ(drivers[3].DriverName, L"ZKFLATBED");

    std::wstring model;
    EXPECT_TRUE(manager.GetScannerModel(model, L"ZKDUPLEX", 2));
    EXPECT_EQ(model, L"ZK Virtual Duplex 120");
    EXPECT_FALSE(manager.GetScannerModel(model, L"ZKDUPLEX", 3));
    EXPECT_FALSE(manager.GetScannerModel(model, L"NOSUCH", 0));
}

TEST_F(ISISManagerTest, FilesThatAreNoDriversAreSkippedAndRefused)
{
    folder.AddFile("TEXT.isd", "this is not a shared object");
    folder.CopyFile(ZK_ISIS_NOEXPORT_LIBRARY, "NOEXPORT.isd");
    folder.AddDriver("ZKDUPLEX", IsisSampleProfile("ZKDUPLEX"));
    std::vector<ZK_ISIS_DRIVERLIST_ITEM> drivers;
    ASSERT_TRUE(manager.QueryAvailableDrivers(drivers));
    EXPECT_EQ(drivers.size(), 3u);

    EXPECT_FALSE(manager.Open(L"TEXT"));
    EXPECT_FALSE(manager.Open(L"NOEXPORT"));
    ASSERT_EQ(recorder.Errors().size(), 2u);
    EXPECT_EQ(recorder.Errors()[1].Id, -4511);
    EXPECT_FALSE(recorder.Errors()[1].Text.empty());
    EXPECT_FALSE(manager.IsOpened());
    EXPECT_EQ(CZKISISManager::GetState(), ZKISIS_STATE_INITIALISED);
}

TEST_F(ISISManagerTest, OpenAndCloseMoveTheProcessState)
{
    EXPECT_EQ(CZKISISManager::GetState(), ZKISIS_STATE_INITIALISED);
    OpenDuplex();
    EXPECT_TRUE(manager.IsOpened());
    EXPECT_EQ(CZKISISManager::GetState(), ZKISIS_STATE_DRIVER_OPEN);
    std::wstring driver;
    EXPECT_TRUE(manager.EnvGet(L"Scanner", L"Driver", driver));
    EXPECT_EQ(driver, L"zkduplex");
    ZK_ISIS_DRIVERINFO info;
    EXPECT_TRUE(manager.GetDriverInfo(info));
    EXPECT_EQ(info.DriverName, L"ZKDUPLEX");
    EXPECT_EQ(info.ModelName, L"ZK Virtual Duplex 60");
    EXPECT_EQ(info.VersionText, L"virtual duplex 1.0");

    EXPECT_TRUE(manager.Close());
    EXPECT_FALSE(manager.IsOpened());
    EXPECT_EQ(CZKISISManager::GetState(), ZKISIS_STATE_INITIALISED);
    EXPECT_FALSE(manager.Open(L"NOSUCH"));
    EXPECT_EQ(CZKISISManager::GetState(), ZKISIS_STATE_INITIALISED);
}

TEST_F(ISISManagerTest, OperationsWithoutInitializeFail)
{
    CZKISISManager idle;
    long value = 0;
    EXPECT_FALSE(idle.TagOneValueGet(value, 1300));
    EXPECT_EQ(idle.TagChoiceCount(1300), -1);
    EXPECT_EQ(idle.TagValueType(1300), -1);
    EXPECT_EQ(idle.ScanType(), -1);
    EXPECT_FALSE(idle.Open(L"ZKDUPLEX"));
    EXPECT_FALSE(idle.StartRun(1));
}

TEST_F(ISISManagerTest, NumericTagsReadWriteAndChoices)
{
    OpenDuplex();
    long value = 0;
    ASSERT_TRUE(manager.TagOneValueGet(value, 1300));
    EXPECT_EQ(value, 4);
    EXPECT_TRUE(manager.TagOneValueSet(6L, 1300));
    EXPECT_EQ(manager.ScanType(), 6);
    EXPECT_FALSE(manager.TagOneValueSet(5L, 1300)) << "not a choice";
    EXPECT_EQ(recorder.Errors().back().Id, -4503);

    EXPECT_EQ(manager.TagChoiceCount(1300), 3);
    ASSERT_TRUE(manager.TagChoiceValueGet(value, 1300, 2));
    EXPECT_EQ(value, 6);
    std::vector<int> types;
    ASSERT_TRUE(manager.QueryAllSupportedScanType(types));
    EXPECT_EQ(types, (std::vector<int>{3, 4, 6}));

    float resolution = 0;
    ASSERT_TRUE(manager.TagOneValueGet(resolution, 282));
    EXPECT_FLOAT_EQ(resolution, 200.0f);
    EXPECT_TRUE(manager.TagOneValueSet(300.7f, 282)) << "sent as the rational (300, 1)";
    ASSERT_TRUE(manager.TagOneValueGet(resolution, 282));
    EXPECT_FLOAT_EQ(resolution, 300.0f);
    ASSERT_TRUE(manager.TagChoiceValueGet(resolution, 282, 1));
    EXPECT_FLOAT_EQ(resolution, 150.0f);
    EXPECT_EQ(manager.TagValueType(282), ZKISIS_TAGVALUE_RATIONAL);

    long minimum = 0, maximum = 0, step = 0;
    ASSERT_TRUE(manager.TagRangeValueGet(minimum, maximum, step, 1708));
    EXPECT_EQ(minimum, 1);
    EXPECT_EQ(maximum, 2);
    EXPECT_EQ(step, 1);
    DWORD type = 0;
    ASSERT_TRUE(manager.TagType(type, 1300));
    EXPECT_FALSE(type & 2) << "a choice list, not a range";
    EXPECT_FALSE(manager.TagRangeValueGet(minimum, maximum, step, 1300));
}

TEST_F(ISISManagerTest, TextTagsAndCreatedTags)
{
    OpenDuplex();
    std::wstring text;
    ASSERT_TRUE(manager.TagOneValueGet(text, 1294));
    EXPECT_EQ(text, L"virtual duplex 1.0");
    EXPECT_EQ(manager.TagValueLength(1294), 18);
    EXPECT_TRUE(manager.TagOneValueSet(std::wstring(L"Grüße"), 1294));
    ASSERT_TRUE(manager.TagOneValueGet(text, 1294));
    EXPECT_EQ(text, L"Grüße");
    EXPECT_EQ(manager.TagValueLength(9999), -1);

    EXPECT_TRUE(manager.TagCreate(4000, ZKISIS_TAGVALUE_LONG));
    EXPECT_TRUE(manager.TagSupported(4000));
    EXPECT_TRUE(manager.TagOneValueSet(77L, 4000));
    long value = 0;
    ASSERT_TRUE(manager.TagOneValueGet(value, 4000));
    EXPECT_EQ(value, 77);
}

TEST_F(ISISManagerTest, SaveRestoreAndDefaults)
{
    OpenDuplex();
    EXPECT_TRUE(manager.SaveAllTags());
    EXPECT_TRUE(manager.TagOneValueSet(3L, 1300));
    EXPECT_TRUE(manager.RestoreAllTags());
    EXPECT_EQ(manager.ScanType(), 4);
    EXPECT_TRUE(manager.TagOneValueSet(6L, 1300));
    EXPECT_TRUE(manager.FlushAllTags());
    EXPECT_TRUE(manager.SetAllAsDefault());
    EXPECT_EQ(manager.ScanType(), 4);
}

TEST_F(ISISManagerTest, UnsupportedTagsAreQuietOthersReportedOnce)
{
    OpenDuplex();
    long value = 0;
    EXPECT_FALSE(manager.TagSupported(9999));
    EXPECT_FALSE(manager.TagOneValueGet(value, 9999));
    EXPECT_TRUE(recorder.Errors().empty()) << "-4502 is neither logged nor reported";
    EXPECT_EQ(static_cast<int16_t>(CZKISISManager::GetLastError()), -4502);

    EXPECT_FALSE(manager.TagOneValueSet(99L, 277));
    ASSERT_EQ(recorder.Errors().size(), 1u);
    EXPECT_EQ(recorder.Errors()[0].Id, -4503);

    CZKISISManager::EnableErrorReport(FALSE);
    EXPECT_FALSE(manager.TagOneValueSet(98L, 1300));
    EXPECT_EQ(recorder.Errors().size(), 1u);
    EXPECT_EQ(static_cast<int16_t>(CZKISISManager::GetLastError()), -4503);
}

TEST_F(ISISManagerTest, ErrorsAreLoggedWithTheirSource)
{
    std::vector<std::string> lines;
    SZKDebugLog::SetSink([&lines](const std::string& line) { lines.push_back(line); }, 0);
    OpenDuplex();
    manager.TagOneValueSet(99L, 1300);
    SZKDebugLog::Disable();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("Error ID:-4503,Error String:Value not allowed for this tag,filename:ZKISISDriver,line:"),
              std::string::npos)
        << lines[0];
}

TEST_F(ISISManagerTest, DriverAnswersOfTheWrongTypeOrLengthAreRefused)
{
    OpenDuplex({}, "Fault = WrongType 1300\nFault = WrongLength 1294\n");
    long value = 0;
    EXPECT_FALSE(manager.TagOneValueGet(value, 1300));
    std::wstring text;
    EXPECT_FALSE(manager.TagOneValueGet(text, 1294));
    ASSERT_EQ(recorder.Errors().size(), 2u);
    EXPECT_EQ(recorder.Errors()[0].Id, -8002);
    EXPECT_EQ(recorder.Errors()[1].Id, -8003);
    EXPECT_EQ(manager.ScanType(), -1);
}

TEST_F(ISISManagerTest, ConfigurationRoundTrip)
{
    OpenDuplex();
    ASSERT_TRUE(manager.TagOneValueSet(6L, 1300));
    ASSERT_TRUE(manager.TagOneValueSet(std::wstring(L"saved text"), 1294));
    CZKBuffer saved;
    ASSERT_TRUE(manager.ReadConfig(saved));
    EXPECT_GT(saved.GetSize(), 0u);

    ASSERT_TRUE(manager.ResetConfig());
    EXPECT_EQ(manager.ScanType(), 4);
    ASSERT_TRUE(manager.WriteConfig(saved));
    EXPECT_EQ(manager.ScanType(), 6);
    std::wstring text;
    ASSERT_TRUE(manager.TagOneValueGet(text, 1294));
    EXPECT_EQ(text, L"saved text");

    CZKBuffer garbage;
    garbage.AllocPtr(3);
    EXPECT_FALSE(manager.WriteConfig(garbage));
    EXPECT_EQ(manager.ScanType(), 6) << "a refused file changes nothing";
    manager.Close();
    EXPECT_FALSE(manager.ReadConfig(saved));
}

TEST_F(ISISManagerTest, EnvironmentKeepsValuesAndLeavesMissingOnesAlone)
{
    EXPECT_TRUE(manager.EnvPut(L"Test", L"Key", L"välue"));
    std::wstring value;
    EXPECT_TRUE(manager.EnvGet(L"Test", L"Key", value));
    EXPECT_EQ(value, L"välue");
    value = L"untouched";
    EXPECT_TRUE(manager.EnvGet(L"Test", L"Missing", value));
    EXPECT_EQ(value, L"untouched");
}

TEST_F(ISISManagerTest, SetupAndDriverSelectionAnswers)
{
    OpenDuplex({}, "SetupAnswer = 61010\n");
    EXPECT_EQ(manager.Setup(nullptr), ZKISIS_UI_CANCELLED);
    manager.Close();
    folder.AddDriver("ZKDUPLEX", IsisSampleProfile("ZKDUPLEX", {}, "SetupAnswer = -4426\n"));
    ASSERT_TRUE(manager.Open(L"ZKDUPLEX"));
    EXPECT_EQ(manager.Setup(nullptr), ZKISIS_UI_FAILED);
    manager.Close();
    folder.AddDriver("ZKDUPLEX", IsisSampleProfile("ZKDUPLEX"));
    ASSERT_TRUE(manager.Open(L"ZKDUPLEX"));
    EXPECT_EQ(manager.Setup(nullptr), ZKISIS_UI_OK);

    std::wstring driver;
    unsetenv("ZK_ISIS_SELECT_DRIVER");
    EXPECT_EQ(manager.UISelectDrive(nullptr, driver), ZKISIS_UI_CANCELLED);
    setenv("ZK_ISIS_SELECT_DRIVER", "zkduplex", 1);
    EXPECT_EQ(manager.UISelectDrive(nullptr, driver), ZKISIS_UI_OK);
    unsetenv("ZK_ISIS_SELECT_DRIVER");
    EXPECT_EQ(driver, L"ZKDUPLEX");
    EXPECT_TRUE(manager.GetDefaultDriver(driver));
    EXPECT_EQ(driver, L"ZKDUPLEX");
}

TEST_F(ISISManagerTest, ScanSettingsFollowTheDriversTags)
{
    OpenDuplex();
    int front = 0, back = 0;
    ASSERT_TRUE(manager.ImagesPerPage(front, back));
    EXPECT_EQ(front, 1);
    EXPECT_EQ(back, 1);
    EXPECT_TRUE(manager.SupportScanType(6));
    EXPECT_FALSE(manager.SupportScanType(5));
    EXPECT_TRUE(manager.PageSideLegal(0));
    EXPECT_TRUE(manager.PageSideLegal(-2));
    EXPECT_TRUE(manager.MultiStreamLegal(1));

    EXPECT_TRUE(manager.ScanModeLegal(2, 3, 8));
    EXPECT_FALSE(manager.ScanModeLegal(1, 3, 4));
    EXPECT_TRUE(manager.SetScanModeEx(-1, 1, 8, 300, 300));
    long value = 0;
    ASSERT_TRUE(manager.TagOneValueGet(value, 1690));
    EXPECT_EQ(value, -1);
    ASSERT_TRUE(manager.TagOneValueGet(value, 258));
    EXPECT_EQ(value, 8);

    EXPECT_TRUE(manager.ScanAsFrontSide());
    EXPECT_EQ(manager.ScanType(), 3);
    ASSERT_TRUE(manager.ImagesPerPage(front, back));
    EXPECT_EQ(back, 0);
    EXPECT_TRUE(manager.ScanAsBothSide());
    EXPECT_EQ(manager.ScanType(), 4);
}

TEST_F(ISISManagerTest, OneModelReportsItsTwoSidedModeThroughTag5440)
{
    const std::string profile = IsisSampleProfile("ZKDUPLEX", {{"Value = 4", "Value = 3"}, {"[Tag.5440]", "[Tag.5440]\nValue = 1"}});
    folder.AddDriver("DR2080C", profile);
    folder.AddDriver("OTHER", profile);
    ASSERT_TRUE(manager.Open(L"dr2080c"));
    EXPECT_EQ(manager.ScanType(), 4);
    manager.Close();
    ASSERT_TRUE(manager.Open(L"OTHER"));
    EXPECT_EQ(manager.ScanType(), 3);
}

TEST_F(ISISManagerTest, SingleSidedModeWithoutPageNumbersIsOneImagePerPage)
{
    OpenDuplex({{"[Tag.1763]", "[Tag.3999]"}, {"[Tag.5440]", "[Tag.5440]\nValue = 1"}});
    int front = 0, back = 0;
    ASSERT_TRUE(manager.ImagesPerPage(front, back));
    EXPECT_EQ(front, 1);
    EXPECT_EQ(back, 0);
}
} // namespace
