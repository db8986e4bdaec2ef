// The facade against virtual ISIS drivers: a scratch system folder holds the
// simulated TWAIN source manager (the facade initialises both protocols)
// and the ISIS drivers a test installs; scanners are opened by their
// "isis:" names, with an observer that records every record it is handed.
#pragma once

#include "common/ScannerRecorder.h"
#include "common/TwainTestSetup.h"

#include <mirelight/QXScanner.h>
#include <mirelight/QXScannerHelper.h>

#include <ZKSimImageEncoder.h>
#include <ZKSimPageGenerator.h>

#include <goldmere/ZKISISManager.h>
#include <pellmark/ZKBitmapHandle.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

// A sample driver profile on 2 x 3 inch pages with lines replaced.
inline std::string IsisProfile(const std::string& sample, int sheets,
                               std::map<std::string, std::string> replace = {},
                               const std::string& driverLines = "")
{
    replace.emplace("PageSize = A4", "PageSize = 2 x 3");
    replace.emplace("PageSize = LETTER", "PageSize = 2 x 3");
    std::ifstream in(std::string(ZK_ISIS_SIM_PROFILES) + "/" + sample + ".profile");
    std::stringstream text;
    std::string line;
    while (std::getline(in, line))
    {
        if (line.rfind("Sheets = ", 0) == 0)
            line = "Sheets = " + std::to_string(sheets);
        auto replaced = replace.find(line);
        text << (replaced == replace.end() ? line : replaced->second) << "\n";
        if (line == "[Driver]")
            text << driverLines;
    }
    return text.str();
}

// The generated page of a sheet side as the driver built it.
inline CZKBitmapHandle GeneratedPage(const char* driverFile, int sheet, int side, LONG width,
                                     LONG height, int bitsPerPixel, LONG dpi)
{
    ZK_SIM_PAGE_FORMAT format;
    format.width = width;
    format.height = height;
    format.bitsPerPixel = bitsPerPixel;
    format.xDpi = dpi;
    format.yDpi = dpi;
    CZKBitmapHandle page;
    SZKSimPageGenerator::Generate(format, SZKSimPageGenerator::Seed(driverFile, sheet, side, 0),
                                  page);
    return page;
}

inline std::vector<BYTE> BitmapBytes(const CZKBitmapHandle& bitmap)
{
    const BYTE* bits = bitmap.GetPtr();
    return bits ? std::vector<BYTE>(bits, bits + bitmap.GetImageSize()) : std::vector<BYTE>();
}

// A number tag of a delivered image; -1 when it is missing.
inline LONG ImageTag(const RECORDED_SCANNER_IMAGE& image, DWORD tag)
{
    LONG value = -1;
    image.tags.GetValue(tag, value);
    return value;
}

class ISISScannerFixture : public ::testing::Test
{
protected:
    void SetUp() override { m_scanner.SetObserver(&m_recorder); }

    void TearDown() override
    {
        m_scanner.CancelAcquire(TRUE);
        m_scanner.Close();
        m_scanner.Uninitialize();
    }

    void AddDriver(const std::string& name, const std::string& profile)
    {
        namespace fs = std::filesystem;
        const fs::path folder = fs::path(m_folder.Path()) / "isisdrv";
        fs::create_directories(folder);
        fs::copy_file(ZK_ISIS_VIRTUAL_DRIVER, folder / (name + ".isd"),
                      fs::copy_options::overwrite_existing);
        std::ofstream(folder / (name + ".profile")) << profile;
    }

    // Installs the driver, initialises the facade and opens the driver by
    // its qualified name.
    void Open(const std::string& name, const std::string& profile)
    {
        AddDriver(name, profile);
        ASSERT_TRUE(m_scanner.Initialize());
        EQXScannerProtocol protocol = QX_SCANNER_PROTOCOL_TWAIN;
        std::wstring bare;
        const std::wstring qualified = L"isis:" + std::wstring(name.begin(), name.end());
        ASSERT_TRUE(CQXScannerHelper::ExtractProtocolAndName(qualified.c_str(), protocol, bare));
        ASSERT_TRUE(m_scanner.Open(bare.c_str(), protocol));
    }

    CZKISISManager& Manager() { return *m_scanner.GetSessionManager().GetISIS(); }

    void AcquireAll(int sessions = 1)
    {
        ASSERT_TRUE(m_scanner.Acquire(nullptr, -1));
        ASSERT_TRUE(m_recorder.WaitForSessionEnds(sessions));
    }

    CTestSystemFolder m_folder{std::vector<std::string>{}};
    CScannerRecorder m_recorder;
    CQXScanner m_scanner;
};
