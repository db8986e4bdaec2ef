// What `qxscan scan` takes besides the pages: --settings files applied to
// the scanner before it scans, and repeated passes with --repeat --pause.
#include "IndexFile.h"
#include "PrivateSystemFolder.h"
#include "ToolRun.h"

#include <mirelight/QXImprinterTarnAdapter.h>
#include <mirelight/QXScannerSettingsManipulator.h>

#include <brackwater/QX_JOBCFG_SCANNER_GROUP_TYPE.h>
#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>
#include <hollin/ZKCommon.h>

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>

namespace
{
const char* const kTarnScanner = "twain:Vantrel PX530";

// A job scanner group file whose settings turn the imprinter on with the
// given counter.
std::string ImprinterGroupFile(const std::string& folder, const wchar_t* scanner, unsigned counter)
{
    CQXScannerSettingsManipulator settings(QX_SCANNER_FAMILY_TARN);
    auto* imprinter = dynamic_cast<CQXImprinterTarnAdapter*>(settings.GetImprinterAdapter());
    if (!imprinter)
        return "";
    imprinter->setEnable(1);
    imprinter->setIndex(counter);
    QX_JOBCFG_SCANNER_GROUP_TYPE group;
    group.strScannerName = scanner;
    group.advancedConfig.strScannerName = scanner;
    if (!settings.WriteToBuffer(group.advancedConfig.settingsBlock))
        return "";
    const std::string path = folder + "/group.cfg";
    return group.tofile(SZKCommon::MBStoWCS(path)) ? path : "";
}
} // namespace

TEST(ScanOptionsTest, AJobScannerGroupFileProgramsTheImprinterBeforeScanning)
{
    CTempFolder folder;
    const std::string group = ImprinterGroupFile(folder.Path(), L"twain:Vantrel PX530", 500);
    ASSERT_FALSE(group.empty());
    CTempFolder out;
    const TOOL_RESULT result = CToolRun::Run(
        {"scan", kTarnScanner, "--pages", "2", "--settings", group, "--out", out.Path()});
    ASSERT_EQ(0, result.exitCode) << result.err;
    const std::vector<nlohmann::json> index = CIndexFile::Read(out.Path());
    ASSERT_EQ(2u, index.size());
    for (const nlohmann::json& line : index)
    {
        EXPECT_EQ(500, line["tags"]["imprinterCounter"]) << line.dump();
        EXPECT_EQ("DOC 500", line["tags"]["imprintedText"]) << line.dump();
    }
}

TEST(ScanOptionsTest, AScannerConfigurationIsAppliedOnlyToItsOwnScanner)
{
    CTempFolder folder;
    const std::string path = folder.Path() + "/scanner.cfg";
    QX_SCNCFG_CONFIGDATA_TYPE config;
    config.strScannerName = L"twain:ZK Virtual Production Duplex";
    const BYTE data[] = {0x5A, 0x4B, 0x01, 0x00, 0x02, 0x00};
    ASSERT_TRUE(config.driverData.CopyFrom(data, sizeof(data)));
    ASSERT_TRUE(config.tofile(SZKCommon::MBStoWCS(path)));

    CTempFolder own;
    const TOOL_RESULT applied = CToolRun::Run(
        {"scan", kProductionScanner, "--pages", "1", "--settings", path, "--out", own.Path()});
    EXPECT_EQ(0, applied.exitCode) << applied.err;
    EXPECT_EQ(1u, CIndexFile::Read(own.Path()).size());

    CTempFolder other;
    const TOOL_RESULT refused = CToolRun::Run(
        {"scan", kTarnScanner, "--pages", "1", "--settings", path, "--out", other.Path()});
    EXPECT_EQ(2, refused.exitCode);
    EXPECT_EQ("qxscan: " + path +
                  " is for twain:ZK Virtual Production Duplex, not for this scanner\n",
              refused.err);
    EXPECT_TRUE(CIndexFile::Read(other.Path()).empty());
}

TEST(ScanOptionsTest, SettingsTheScannerRefusesStopTheRunBeforeScanning)
{
    CTempFolder folder;
    // A driver profile the scanner does not have.
    const std::string profile = folder.Path() + "/profile.cfg";
    QX_SCNCFG_CONFIGDATA_TYPE config;
    config.strScannerName = L"Vantrel PX530";
    config.configMode.value = QX_SCNCFG_CONFIGDATA_TYPE::MODE_PROFILE;
    config.strProfileID = L"P-9999";
    ASSERT_TRUE(config.tofile(SZKCommon::MBStoWCS(profile)));
    // Neither kind of file.
    const std::string text = folder.Path() + "/notes.txt";
    std::ofstream(text) << "scan everything twice\n";

    const struct
    {
        std::string file;
        int exitCode;
    } cases[] = {{profile, 1}, {text, 2}};
    for (const auto& refused : cases)
    {
        CTempFolder out;
        const TOOL_RESULT result =
            CToolRun::Run({"scan", kTarnScanner, "--settings", refused.file, "--out", out.Path()});
        EXPECT_EQ(refused.exitCode, result.exitCode) << refused.file;
        EXPECT_EQ(0u, result.err.rfind("qxscan: ", 0)) << result.err;
        EXPECT_EQ(1, std::count(result.err.begin(), result.err.end(), '\n')) << result.err;
        EXPECT_TRUE(CIndexFile::Read(out.Path()).empty()) << refused.file;
    }
}

// Two sheets in the feeder, one more each time the scanner is started.
CPrivateSystemFolder ReloadingFeeder(const char* pageDelay)
{
    return CPrivateSystemFolder(
        "", {{"Sheets = 10", "Sheets = 2\nReload = 1"}, {"PageDelay = 0", pageDelay}});
}

TEST(ScanOptionsTest, RepeatScansAgainAfterThePauseAndNumbersPagesOnUntilTheLimit)
{
    const CPrivateSystemFolder folder = ReloadingFeeder("PageDelay = 0");
    CTempFolder out;
    const auto start = std::chrono::steady_clock::now();
    const TOOL_RESULT result =
        CToolRun::Run({"--system", folder.Path(), "scan", kProductionScanner, "--duplex",
                       "--repeat", "--pause", "300", "--pages", "8", "--out", out.Path()});
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(0, result.exitCode) << result.err;
    // 4 images from the first pass, 2 from each reload.
    const std::vector<nlohmann::json> index = CIndexFile::Read(out.Path());
    ASSERT_EQ(8u, index.size());
    for (size_t i = 0; i < index.size(); ++i)
        EXPECT_EQ(static_cast<int>(i + 1), index[i]["tags"]["pageNumber"]) << index[i].dump();
    // Three passes: at least two pauses between them. A lower bound only.
    EXPECT_GE(elapsed, std::chrono::milliseconds(600));
}

TEST(ScanOptionsTest, CtrlCEndsARepeatRunAndKeepsEveryPass)
{
    const CPrivateSystemFolder folder = ReloadingFeeder("PageDelay = 20");
    CTempFolder out;
    bool interrupted = false;
    const TOOL_RESULT result =
        CToolRun::Run({"--system", folder.Path(), "scan", kProductionScanner, "--duplex",
                       "--repeat", "--pause", "50", "--out", out.Path()},
                      [&](int pid)
                      {
                          if (!interrupted && CIndexFile::CompleteLines(out.Path()) >= 6)
                          {
                              kill(pid, SIGINT);
                              interrupted = true;
                          }
                      });
    ASSERT_TRUE(interrupted);
    EXPECT_EQ(7, result.exitCode) << result.err;
    const size_t kept = CIndexFile::Read(out.Path()).size();
    EXPECT_GE(kept, 6u);
    EXPECT_EQ("qxscan: scan cancelled; " + std::to_string(kept) + " pages kept\n", result.err);
}
