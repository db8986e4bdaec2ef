// Scanner faults and cancels during `qxscan scan`: each has its exit code
// and one-line message, and every page received before it is kept.
#include "IndexFile.h"
#include "PrivateSystemFolder.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>

namespace
{
struct FAULT_CASE
{
    const char* faults;
    int exitCode;
    int pagesKept; // duplex: two per sheet before the faulty one
    const char* message;
};
} // namespace

TEST(ScanFaultTest, EachFaultHasItsExitCodeAndKeepsThePagesBeforeIt)
{
    const FAULT_CASE cases[] = {
        {"PaperJam = 3", 4, 4, "qxscan: paper jam after 4 pages\n"},
        {"DoubleFeed = 2", 5, 2, "qxscan: double feed after 2 pages\n"},
        {"Offline = 2", 6, 2, "qxscan: scanner offline or cover open after 2 pages\n"},
        {"Cancel = 2", 7, 2, "qxscan: scan cancelled at the scanner after 2 pages\n"},
    };
    for (const FAULT_CASE& fault : cases)
    {
        CPrivateSystemFolder folder(std::string("[Faults]\n") + fault.faults);
        CTempFolder out;
        const TOOL_RESULT result = CToolRun::Run(
            {"--system", folder.Path(), "scan", kProductionScanner, "--duplex", "--out", out.Path()});
        EXPECT_EQ(fault.exitCode, result.exitCode) << fault.faults;
        EXPECT_EQ(fault.message, result.err) << fault.faults;
        EXPECT_EQ(fault.pagesKept, CIndexFile::CompleteLines(out.Path())) << fault.faults;
    }
}

TEST(ScanFaultTest, AScannerOfflineFromTheStartIsReportedBeforeScanning)
{
    CPrivateSystemFolder folder("[Faults]\nOffline = 1");
    CTempFolder out;
    const TOOL_RESULT result =
        CToolRun::Run({"--system", folder.Path(), "scan", kProductionScanner, "--out", out.Path()});
    EXPECT_EQ(6, result.exitCode) << result.err;
    EXPECT_EQ(0, CIndexFile::CompleteLines(out.Path()));
}

// The interrupt lands while a back (after 3 pages) or a front (after 2)
// is on its way; either way the sheet under way is finished.
class CtrlCTest : public ::testing::TestWithParam<int>
{
};

TEST_P(CtrlCTest, StopsTheFeederAndKeepsEveryPageReceived)
{
    const int pagesBeforeInterrupt = GetParam();
    // Slow pages, so the interrupt lands mid-batch.
    CPrivateSystemFolder folder("", {{"PageDelay = 0", "PageDelay = 100"}});
    CTempFolder out;
    bool interrupted = false;
    const TOOL_RESULT result = CToolRun::Run(
        {"--system", folder.Path(), "scan", kProductionScanner, "--duplex", "--multipage", "--out",
         out.Path()},
        [&](int pid) {
            if (!interrupted && CIndexFile::CompleteLines(out.Path()) >= pagesBeforeInterrupt)
            {
                kill(pid, SIGINT);
                interrupted = true;
            }
        });
    ASSERT_TRUE(interrupted);
    EXPECT_EQ(7, result.exitCode) << result.err;
    const int kept = CIndexFile::CompleteLines(out.Path());
    EXPECT_NE(std::string::npos, result.err.find("scan cancelled; " + std::to_string(kept) + " pages kept"));
    EXPECT_GE(kept, pagesBeforeInterrupt);
    EXPECT_LT(kept, 20);
    // Stopping the feeder finishes the sheet under way.
    EXPECT_EQ(0, kept % 2);
}
INSTANTIATE_TEST_SUITE_P(ScanFaultTest, CtrlCTest, ::testing::Values(2, 3));
