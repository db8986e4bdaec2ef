// The facade against the simulated TWAIN system folder: a test installs a
// profile, opens its scanner by its "twain:" name and acquires, with an
// observer that records every record it is handed.
#pragma once

#include "common/ScannerRecorder.h"
#include "common/TwainTestSetup.h"

#include <mirelight/QXScanner.h>
#include <mirelight/QXScannerHelper.h>

#include <twaindefs/ZKTwainConstants.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

inline const wchar_t* const kQualifiedName = L"twain:ZK Virtual Production Duplex";

// A sample profile with extra lines appended.
inline std::string SampleProfileText(const std::string& sample, const std::string& extra = "")
{
    std::ifstream in(std::string(ZK_FENNICK_SIM_PROFILES) + "/" + sample + ".profile",
                     std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str() + "\n" + extra + "\n";
}

// A number tag of a delivered image; -1 when it is missing.
inline LONG Tag(const RECORDED_SCANNER_IMAGE& image, DWORD tag)
{
    LONG value = -1;
    image.tags.GetValue(tag, value);
    return value;
}

class TWAINScannerFixture : public ::testing::Test
{
protected:
    void SetUp() override { m_recorder.fileFolder = m_folder.Path(); }

    void Open(const std::string& profile, WORD transferMode = TWSX_MEMORY,
              const wchar_t* qualifiedName = kQualifiedName)
    {
        m_folder.AddProfile("e2e", profile);
        m_scanner.SetObserver(&m_recorder);
        // The ISIS half is not part of this build, so the facade's overall
        // answer stays FALSE; the TWAIN source manager is open either way.
        m_scanner.Initialize();
        ASSERT_TRUE(m_scanner.SetTagValue(14, static_cast<int>(transferMode)));
        EQXScannerProtocol protocol = QX_SCANNER_PROTOCOL_ISIS;
        std::wstring name;
        ASSERT_TRUE(CQXScannerHelper::ExtractProtocolAndName(qualifiedName, protocol, name));
        ASSERT_TRUE(m_scanner.Open(name.c_str(), protocol));
    }

    void AcquireAll(int sessions = 1)
    {
        ASSERT_TRUE(m_scanner.Acquire(nullptr, -1));
        ASSERT_TRUE(m_recorder.WaitForSessionEnds(sessions));
    }

    void TearDown() override
    {
        m_scanner.Close();
        m_scanner.Uninitialize();
    }

    CTestSystemFolder m_folder{std::vector<std::string>{}};
    CScannerRecorder m_recorder;
    CQXScanner m_scanner;
};
