// A private system folder and registry for one test, with two image devices
// declared in the device file:
// - kFrontDesk: supports image acquisition; events CopyButton, ScanButton and
//   StatusEvent (the last without "LaunchApplications", so never listed);
// - kLegacy: still-image only; event ScanButton.
// Listed events come in key-name order: CopyButton (0), ScanButton (1).
#pragma once

#include <wincompat/WinTypes.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

class ImageDeviceFixture : public ::testing::Test
{
public:
    static const wchar_t* const kFrontDesk;
    static const wchar_t* const kLegacy;
    static const GUID kScanButton;
    static const GUID kCopyButton;
    static const wchar_t* const kApp;
    static const wchar_t* const kAppCommand;

protected:
    void SetUp() override;
    void TearDown() override;

    static std::wstring EventKey(const std::wstring& device, const std::wstring& event);
    static std::wstring LaunchList(const std::wstring& device, const std::wstring& event);
    // The subkeys of the event key (image-acquisition program registrations).
    static std::vector<std::wstring> ProgramKeys(const std::wstring& device,
                                                 const std::wstring& event);
    // Makes the process look launched with these arguments (program first).
    static void LaunchedWith(const std::wstring& commandLine);

    std::string m_folder;
};
