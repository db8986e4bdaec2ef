// Windows lists read from virtual drivers with various window choices.
#include <gtest/gtest.h>

#include <goldmere/ZKISISWindowsList.h>

#include "common/IsisTestSetup.h"

namespace
{
class ISISWindowsListTest : public ::testing::Test
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
    }
    void OpenWith(const std::string& windowChoices, const std::string& scanType = "4")
    {
        folder.AddDriver("ZKWIN", IsisSampleProfile("ZKDUPLEX", {{"Choices = 1, 2, -1, -2", "Choices = " + windowChoices},
                                                                 {"Value = 4", "Value = " + scanType},
                                                                 {"[Window.2]", "[Tag.9001]"},
                                                                 {"[Window.-2]", "[Tag.9002]"}}));
        ASSERT_TRUE(manager.Open(L"ZKWIN"));
    }
    static std::vector<int32_t> Ids(const std::vector<ZK_ISIS_WINDOWSINFO>& windows)
    {
        std::vector<int32_t> ids;
        for (const ZK_ISIS_WINDOWSINFO& window : windows)
            ids.push_back(window.WindowId);
        return ids;
    }

    CIsisTestFolder folder;
    CIsisRecorder recorder;
    CZKISISManager manager;
};

TEST_F(ISISWindowsListTest, AFreshListHoldsFourUnavailableWindows)
{
    CZKISISWindowsList list;
    std::vector<ZK_ISIS_WINDOWSINFO> windows;
    ASSERT_TRUE(list.GetAllWinodws(windows));
    EXPECT_EQ(Ids(windows), (std::vector<int32_t>{1, 2, -1, -2}));
    ASSERT_TRUE(list.GetAllAvailableWindows(windows));
    EXPECT_TRUE(windows.empty());
    EXPECT_EQ(list.GetAllEnableWindowsCount(), 0);
    EXPECT_FALSE(list.CreateList(nullptr));
}

TEST_F(ISISWindowsListTest, DuplexWithOneWindowPerSide)
{
    OpenWith("1, -1");
    CZKISISWindowsList list;
    ASSERT_TRUE(manager.GetWindowsList(list));
    std::vector<ZK_ISIS_WINDOWSINFO> windows;
    list.GetAllAvailableWindows(windows);
    EXPECT_EQ(Ids(windows), (std::vector<int32_t>{1, -1}));
    list.GetAllEnableWindows(windows);
    EXPECT_EQ(Ids(windows), (std::vector<int32_t>{1, -1}));
    EXPECT_EQ(windows[0].SamplesPerPixel, 1);
    EXPECT_EQ(windows[0].XResolution, 200);
    EXPECT_EQ(windows[0].CompressionChoices, (std::vector<int32_t>{1, 4, 6}));
    // Bitonal, grey and colour are legal; 4-bit grey is not offered.
    EXPECT_EQ(windows[0].Flags, (1 << 0) | (1 << 2) | (1 << 3));
    long current = 0;
    ASSERT_TRUE(manager.TagOneValueGet(current, 1690));
    EXPECT_EQ(current, 1) << "the window current before is selected again";
}

TEST_F(ISISWindowsListTest, WindowZeroIsSkippedAndScanTypeEnablesOneSide)
{
    OpenWith("0, 1, 2, -1", "6");
    CZKISISWindowsList list;
    ASSERT_TRUE(list.CreateList(manager.GetScanner()));
    EXPECT_EQ(list.GetAllAvailableWindowsCount(), 3);
    std::vector<ZK_ISIS_WINDOWSINFO> windows;
    list.GetAllEnableWindows(windows);
    EXPECT_EQ(Ids(windows), std::vector<int32_t>{-1});
}

TEST_F(ISISWindowsListTest, DriverWithoutWindowsGivesNoList)
{
    folder.AddDriver("ZKFLATBED", IsisSampleProfile("ZKFLATBED"));
    ASSERT_TRUE(manager.Open(L"ZKFLATBED"));
    CZKISISWindowsList list;
    EXPECT_FALSE(manager.GetWindowsList(list));
    EXPECT_FALSE(list.RetrieveExtraInfo(manager.GetScanner()));
    EXPECT_TRUE(manager.ScanAsFrontSide()) << "set through the scan type tag";
}

TEST_F(ISISWindowsListTest, InitialWindowsComeFromTheDefaultsAndLeaveSettingsAlone)
{
    OpenWith("1, 2, -1, -2");
    ASSERT_TRUE(manager.TagOneValueSet(3L, 1300));
    CZKISISWindowsList initial;
    ASSERT_TRUE(manager.GetInitialWindows(initial));
    EXPECT_EQ(initial.GetAllEnableWindowsCount(), 2) << "default scan type 4";
    EXPECT_EQ(manager.ScanType(), 3);
}

TEST_F(ISISWindowsListTest, CopyFromKeepsEntriesInTheirPlaces)
{
    ZK_ISIS_WINDOWSINFO back;
    back.WindowId = -2;
    back.Available = TRUE;
    ZK_ISIS_WINDOWSINFO bogus;
    bogus.WindowId = 7;
    CZKISISWindowsList list;
    list.CopyFrom(std::vector<ZK_ISIS_WINDOWSINFO>{back, bogus});
    std::vector<ZK_ISIS_WINDOWSINFO> windows;
    list.GetAllWinodws(windows);
    EXPECT_EQ(Ids(windows), (std::vector<int32_t>{1, 2, -1, -2}));
    EXPECT_TRUE(windows[3].Available);
    CZKISISWindowsList copy;
    EXPECT_EQ(copy.CopyFrom(list).GetAllAvailableWindowsCount(), 1);
}
} // namespace
