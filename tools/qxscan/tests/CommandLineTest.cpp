// The tool's command line: listing, help and exit codes, and every kind of
// bad argument answered with exit code 2 and one line on stderr.
#include "PrivateSystemFolder.h"
#include "ToolRun.h"

#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>
#include <hollin/ZKCommon.h>

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
int Lines(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}
} // namespace

TEST(CommandLineTest, ListFindsTheBuildsScannersWithoutAnyConfiguration)
{
    unsetenv("ZK_SYSTEM_DIR");
    const TOOL_RESULT plain = CToolRun::Run({"list"});
    ASSERT_EQ(0, plain.exitCode) << plain.err;
    EXPECT_NE(std::string::npos, plain.out.find(std::string(kProductionScanner) + "\n"));
    for (size_t start = 0; start < plain.out.size();)
    {
        const size_t end = plain.out.find('\n', start);
        const std::string line = plain.out.substr(start, end - start);
        EXPECT_TRUE(line.rfind("twain:", 0) == 0 || line.rfind("isis:", 0) == 0) << line;
        start = end + 1;
    }

    const TOOL_RESULT json = CToolRun::Run({"list", "--json"});
    ASSERT_EQ(0, json.exitCode) << json.err;
    const nlohmann::json list = nlohmann::json::parse(json.out);
    ASSERT_TRUE(list.is_array());
    EXPECT_EQ(static_cast<size_t>(Lines(plain.out)), list.size());
    const auto production = std::find_if(list.begin(), list.end(), [](const nlohmann::json& item) {
        return item["name"] == kProductionScanner;
    });
    ASSERT_NE(list.end(), production);
    EXPECT_EQ("twain", (*production)["protocol"]);
    EXPECT_EQ("ZK Virtual Production Duplex", (*production)["product"]);
}

TEST(CommandLineTest, SystemOptionReplacesTheDefaultFolder)
{
    CPrivateSystemFolder folder("");
    const TOOL_RESULT result = CToolRun::Run({"--system", folder.Path(), "list"});
    ASSERT_EQ(0, result.exitCode) << result.err;
    EXPECT_EQ(std::string(kProductionScanner) + "\n", result.out);

    CTempFolder empty;
    const TOOL_RESULT none = CToolRun::Run({"--system", empty.Path(), "list"});
    EXPECT_EQ(0, none.exitCode);
    EXPECT_EQ("", none.out);
}

TEST(CommandLineTest, HelpDocumentsEveryExitCode)
{
    const TOOL_RESULT help = CToolRun::Run({"--help"});
    ASSERT_EQ(0, help.exitCode);
    for (const char* line : {"0  success", "2  bad arguments", "3  no such scanner", "4  paper jam",
                             "5  double feed", "6  scanner offline or cover open",
                             "7  scan cancelled", "8  the output folder"})
        EXPECT_NE(std::string::npos, help.out.find(line)) << line;
    const TOOL_RESULT scanHelp = CToolRun::Run({"scan", "--help"});
    EXPECT_EQ(0, scanHelp.exitCode);
    EXPECT_NE(std::string::npos, scanHelp.out.find("--multipage"));
}

TEST(CommandLineTest, BadArgumentsExitWithTwoAndOneLine)
{
    CTempFolder out;
    const std::string scanner = kProductionScanner;
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"scan", scanner},
        {"scan", "--out", out.Path()},
        {"scan", scanner, "--out", out.Path(), "--pages", "0"},
        {"scan", scanner, "--out", out.Path(), "--pages", "some"},
        {"scan", scanner, "--out", out.Path(), "--mode", "sepia"},
        {"scan", scanner, "--out", out.Path(), "--dpi", "seven"},
        {"scan", scanner, "--out", out.Path(), "--dpi", "5"},
        {"scan", scanner, "--out", out.Path(), "--transfer", "carrier-pigeon"},
        {"scan", scanner, "--out", out.Path(), "--format", "bmp"},
        {"scan", scanner, "--out", out.Path(), "--pause", "10"},
        {"scan", scanner, "--out", out.Path(), "--settings", out.Path() + "/missing.cfg"},
        {"scan", scanner, "--out", out.Path(), "--format", "jpeg", "--multipage"},
        {"scan", scanner, "--out", out.Path(), "--format", "tiff-g4", "--mode", "color"},
        {"scan", scanner, "--out", out.Path(), "--format", "jpeg", "--mode", "bw"},
        {"scan", scanner, "--out", out.Path(), "--transfer", "file", "--multipage"},
        {"scan", scanner, "--out", out.Path(), "--format", "png", "--multipage"},
        {"scan", scanner, "--out", out.Path(), "--transfer", "file", "--format", "pdf"},
    };
    for (const std::vector<std::string>& args : cases)
    {
        std::string shown;
        for (const std::string& arg : args)
            shown += arg + " ";
        const TOOL_RESULT result = CToolRun::Run(args);
        EXPECT_EQ(2, result.exitCode) << shown;
        EXPECT_EQ(1, Lines(result.err)) << shown << "\n" << result.err;
        EXPECT_EQ(0u, result.err.rfind("qxscan: ", 0)) << shown;
    }
}

TEST(CommandLineTest, UnknownScannerAndUnwritableOutputHaveTheirOwnCodes)
{
    CTempFolder out;
    const TOOL_RESULT unknown = CToolRun::Run({"scan", "twain:No Such Scanner", "--out", out.Path()});
    EXPECT_EQ(3, unknown.exitCode);
    EXPECT_EQ("qxscan: no such scanner: twain:No Such Scanner (see qxscan list)\n", unknown.err);
    const TOOL_RESULT isis = CToolRun::Run({"scan", "isis:NOSUCH", "--out", out.Path()});
    EXPECT_EQ(3, isis.exitCode);

    // A file where the folder should be.
    const std::string blocked = out.Path() + "/file";
    FILE* file = std::fopen(blocked.c_str(), "w");
    ASSERT_NE(nullptr, file);
    std::fclose(file);
    const TOOL_RESULT unwritable = CToolRun::Run({"scan", kProductionScanner, "--out", blocked});
    EXPECT_EQ(8, unwritable.exitCode);
    EXPECT_EQ(1, Lines(unwritable.err));
}

TEST(CommandLineTest, MaskCommandsAnswerWithTheLanguagesOwnResults)
{
    const TOOL_RESULT mask = CToolRun::Run({"mask", "validate", "input", "999"});
    EXPECT_EQ(0, mask.exitCode) << mask.err;
    EXPECT_EQ("valid\n", mask.out);
    EXPECT_EQ(0, CToolRun::Run({"mask", "validate", "input", "999", "123"}).exitCode);

    const TOOL_RESULT value = CToolRun::Run({"mask", "validate", "input", "999", "12a"});
    EXPECT_EQ(9, value.exitCode);
    EXPECT_EQ(0u, value.err.rfind("qxscan: error 2", 0)) << value.err;
    EXPECT_EQ(1, Lines(value.err));

    const TOOL_RESULT formatted = CToolRun::Run({"mask", "format", "", "abc"});
    EXPECT_EQ(0, formatted.exitCode) << formatted.err;
    EXPECT_EQ("abc\n", formatted.out);

    EXPECT_EQ(2, CToolRun::Run({"mask", "validate", "output", "", "value"}).exitCode);
    EXPECT_EQ(2, CToolRun::Run({"mask", "validate", "sideways", "999"}).exitCode);
    EXPECT_EQ(2, CToolRun::Run({"mask"}).exitCode);
}

TEST(CommandLineTest, ConfigShowReadsAScannerConfigurationAndRefusesOtherFiles)
{
    CTempFolder folder;
    const std::string path = folder.Path() + "/scanner.cfg";
    QX_SCNCFG_CONFIGDATA_TYPE config;
    config.strScannerName = L"ZK Virtual Production Duplex";
    const BYTE data[] = {0x5A, 0x4B, 0x07};
    ASSERT_TRUE(config.driverData.CopyFrom(data, sizeof(data)));
    ASSERT_TRUE(config.tofile(SZKCommon::MBStoWCS(path)));

    const TOOL_RESULT shown = CToolRun::Run({"config", "show", path});
    ASSERT_EQ(0, shown.exitCode) << shown.err;
    const nlohmann::json json = nlohmann::json::parse(shown.out);
    EXPECT_EQ("scanner configuration", json["kind"]);
    EXPECT_EQ("ZK Virtual Production Duplex", json["scanner"]);
    EXPECT_EQ("5A 4B 07", json["driverData"]);
    EXPECT_EQ(4u, json["cameras"].size());

    const std::string other = folder.Path() + "/other.txt";
    FILE* file = std::fopen(other.c_str(), "w");
    ASSERT_NE(nullptr, file);
    std::fputs("not a configuration\n", file);
    std::fclose(file);
    const TOOL_RESULT refused = CToolRun::Run({"config", "show", other});
    EXPECT_EQ(9, refused.exitCode);
    EXPECT_EQ(1, Lines(refused.err));
    EXPECT_EQ(2, CToolRun::Run({"config", "show", folder.Path() + "/missing.cfg"}).exitCode);
}

TEST(CommandLineTest, InfoReportsTheScannersOwnFacts)
{
    const TOOL_RESULT shown = CToolRun::Run({"info", kProductionScanner, "--json"});
    ASSERT_EQ(0, shown.exitCode) << shown.err;
    const nlohmann::json info = nlohmann::json::parse(shown.out);
    EXPECT_EQ(kProductionScanner, info["name"]);
    EXPECT_EQ("generic", info["familyName"]);
    EXPECT_EQ(true, info["online"]);
    EXPECT_EQ("ZKV-PD-000123", info["serialNumber"]);
    EXPECT_EQ(7, info["duplexFlags"]);
    EXPECT_EQ(2u, info["capabilityMask"]);
    // A generic scanner has no camera records and no scanner-side settings.
    EXPECT_TRUE(info["cameraInfo"].is_null());
    for (const char* feature : {"imprinter", "imageAddress", "batchCounter", "patchReader"})
        EXPECT_EQ(false, info["features"]["settings"][feature]) << feature;
    EXPECT_EQ(3, CToolRun::Run({"info", "twain:No Such Scanner"}).exitCode);
}

TEST(CommandLineTest, InfoShowsTheCamerasDeviceAndFeaturesOfAMakersScanner)
{
    const TOOL_RESULT shown = CToolRun::Run({"info", "twain:Vantrel PX530", "--json"});
    ASSERT_EQ(0, shown.exitCode) << shown.err;
    const nlohmann::json info = nlohmann::json::parse(shown.out);
    EXPECT_EQ("tarn", info["familyName"]);
    EXPECT_EQ(5301, info["device"]["model"]);
    EXPECT_EQ("Vantrel PX530 firmware 3.2.1", info["device"]["info"]);

    const nlohmann::json& cameras = info["cameraInfo"]["cameras"];
    ASSERT_EQ(4u, cameras.size());
    EXPECT_EQ("front colour", cameras[0]["camera"]);
    EXPECT_EQ(nlohmann::json({"gray", "color"}), cameras[0]["modes"]);
    EXPECT_FALSE(cameras[0].contains("bitonal"));
    EXPECT_EQ("rear bitonal", cameras[3]["camera"]);
    EXPECT_EQ("bw", cameras[3]["mode"]);
    EXPECT_FALSE(cameras[3]["bitonal"]["halftones"].empty());

    const nlohmann::json& features = info["features"];
    for (const char* feature : {"imprinter", "imageAddress", "batchCounter", "patchReader"})
        EXPECT_EQ(true, features["settings"][feature]) << feature;
    EXPECT_EQ(1, features["imageAddress"]["active"]);
    EXPECT_EQ("fixed:9 level3:6 level2:6 level1:6", features["imageAddress"]["format"]["layout"]);
    EXPECT_EQ("BATCH.000001.000001.000001", features["imageAddress"]["current"]);
    EXPECT_TRUE(features["imprinter"]["counter"].is_number());
}

TEST(CommandLineTest, InfoAsTextShowsTheSameFactsOnePerLine)
{
    const TOOL_RESULT text = CToolRun::Run({"info", "twain:Vantrel PX530"});
    ASSERT_EQ(0, text.exitCode) << text.err;
    for (const char* line : {"name: twain:Vantrel PX530\n", "familyName: tarn\n", "online: yes\n",
                             "device:\n  model: 5301\n", "cameraInfo:\n", "  cameras #4:\n",
                             "    camera: rear bitonal\n", "    modes: gray, color\n",
                             "    current: BATCH.000001.000001.000001\n"})
        EXPECT_NE(std::string::npos, text.out.find(line)) << line << "\n" << text.out;
    const TOOL_RESULT generic = CToolRun::Run({"info", kProductionScanner});
    EXPECT_NE(std::string::npos, generic.out.find("cameraInfo: not reported\n")) << generic.out;
}

TEST(CommandLineTest, IsisDriversOpenByTheNameTheListShows)
{
    // The list shows an ISIS driver's description; opening it takes the
    // driver's module name, which the tool looks up.
    const TOOL_RESULT info = CToolRun::Run({"info", "isis:ZK Virtual Duplex 60", "--json"});
    ASSERT_EQ(0, info.exitCode) << info.err;
    EXPECT_EQ("ZK Virtual Duplex 60", nlohmann::json::parse(info.out)["device"]["info"]);
    CTempFolder out;
    const TOOL_RESULT scan = CToolRun::Run({"scan", "isis:ZK Virtual Duplex 60", "--out", out.Path()});
    EXPECT_EQ(0, scan.exitCode) << scan.err;
}
