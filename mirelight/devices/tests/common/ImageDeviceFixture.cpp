#include "ImageDeviceFixture.h"

#include <wincompat/ZKCommandLine.h>
#include <wincompat/ZKPlatformVersion.h>
#include <wincompat/ZKRegistry.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

const wchar_t* const ImageDeviceFixture::kFrontDesk = L"{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0001";
const wchar_t* const ImageDeviceFixture::kLegacy = L"{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0002";
const GUID ImageDeviceFixture::kScanButton = {0xa6c5a715, 0x8c6e, 0x11d2,
                                              {0x97, 0x7a, 0x00, 0x00, 0xf8, 0x7a, 0x92, 0x6f}};
const GUID ImageDeviceFixture::kCopyButton = {0xb441f425, 0x8c6e, 0x11d2,
                                              {0x97, 0x7a, 0x00, 0x00, 0xf8, 0x7a, 0x92, 0x6f}};
const wchar_t* const ImageDeviceFixture::kApp = L"Capture";
const wchar_t* const ImageDeviceFixture::kAppCommand = L"/opt/capture/bin/capture";

namespace
{
const char* const kDeviceFile = R"([Front Desk]
InternalName = {6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\0001
Type = 1
HardwareConfiguration = 3
Capabilities = 0x13
FriendlyName = Front Desk Scanner
Description = Duplex production scanner
Vendor = Vantrel
Port = \\.\Usbscan0
Events = ScanButton, CopyButton, StatusEvent

[Front Desk.ScanButton]
GUID = {a6c5a715-8c6e-11d2-977a-0000f87a926f}
Description = Scan Button
LaunchApplications = *

[Front Desk.CopyButton]
GUID = b441f425-8c6e-11d2-977a-0000f87a926f
Description = Copy Button
LaunchApplications =

[Front Desk.StatusEvent]
GUID = {c4c9d2a1-0000-4d1e-9a4c-6b1f2e3d4c5b}
Description = Status

[Legacy]
InternalName = {6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\0002
Capabilities = 0x01
FriendlyName = Old Flatbed
Events = ScanButton

[Legacy.ScanButton]
GUID = {a6c5a715-8c6e-11d2-977a-0000f87a926f}
Description = Scan Button
LaunchApplications = Other
)";
} // namespace

void ImageDeviceFixture::SetUp()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zkimagedev-XXXXXX").string();
    ASSERT_NE(nullptr, mkdtemp(pattern.data()));
    m_folder = pattern;
    std::filesystem::create_directories(m_folder + "/system");
    std::ofstream(m_folder + "/system/imagedevices.ini") << kDeviceFile;
    setenv("ZK_SYSTEM_DIR", (m_folder + "/system").c_str(), 1);
    setenv("ZK_REGISTRY_DIR", (m_folder + "/registry").c_str(), 1);
    CZKPlatformVersion::SetOverride(6, 1);
}

void ImageDeviceFixture::TearDown()
{
    CZKCommandLine::ClearOverride();
    CZKPlatformVersion::ClearOverride();
    unsetenv("ZK_SYSTEM_DIR");
    unsetenv("ZK_REGISTRY_DIR");
    std::error_code error;
    std::filesystem::remove_all(m_folder, error);
}

std::wstring ImageDeviceFixture::EventKey(const std::wstring& device, const std::wstring& event)
{
    return L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\" + device +
           L"\\Events\\" + event;
}

std::wstring ImageDeviceFixture::LaunchList(const std::wstring& device, const std::wstring& event)
{
    std::wstring list = L"<unreadable>";
    CZKRegistry().QueryString(EventKey(device, event), L"LaunchApplications", list);
    return list;
}

std::vector<std::wstring> ImageDeviceFixture::ProgramKeys(const std::wstring& device,
                                                          const std::wstring& event)
{
    return CZKRegistry().EnumSubKeys(EventKey(device, event));
}

void ImageDeviceFixture::LaunchedWith(const std::wstring& commandLine)
{
    CZKCommandLine::SetOverride(CZKCommandLine::Split(commandLine));
}
