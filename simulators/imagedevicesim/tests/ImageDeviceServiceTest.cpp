// The service stand-ins as a peer sees them: what they accept, what they
// refuse and what a button press launches.
#include <imagedevicesim/ZKDeviceNotification.h>
#include <imagedevicesim/ZKSimImageDeviceService.h>
#include <imagedevicesim/ZKStillImage.h>
#include <imagedevicesim/ZKWiaDevMgr.h>

#include <wincompat/ZKPlatformVersion.h>
#include <wincompat/ZKRegistry.h>
#include <wincompat/ZKWindowThread.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace
{
const wchar_t* const kScanner = L"{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0007";
const GUID kScanButton = {0xa6c5a715, 0x8c6e, 0x11d2, {0x97, 0x7a, 0x00, 0x00, 0xf8, 0x7a, 0x92, 0x6f}};
const GUID kImageClass = {0x6bdd1fc6, 0x810f, 0x11d0, {0xbe, 0xc7, 0x08, 0x00, 0x2b, 0xe2, 0x09, 0x2f}};

const std::string kDevices = std::string(R"(
[Scanner]
InternalName = {6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\0007
Capabilities = 0x10
FriendlyName = Scanner
Events = ScanButton

[Scanner.ScanButton]
GUID = {a6c5a715-8c6e-11d2-977a-0000f87a926f}
Description = Scan
LaunchApplications = *

[Camera]
InternalName = {6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\0008
Type = 2

[Nameless]
FriendlyName = no internal name

[Overlong]
InternalName = )") + std::string(129, 'n') + R"(
)";

class ImageDeviceServiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zkimgsvc-XXXXXX").string();
        ASSERT_NE(nullptr, mkdtemp(pattern.data()));
        m_folder = pattern;
        std::ofstream(m_folder + "/imagedevices.ini") << kDevices;
        setenv("ZK_SYSTEM_DIR", m_folder.c_str(), 1);
        setenv("ZK_REGISTRY_DIR", (m_folder + "/registry").c_str(), 1);
        CZKPlatformVersion::SetOverride(6, 1);
        ASSERT_EQ(ZK_S_OK, ZKStiCreateInstance(nullptr, 0x01000002, &m_stillImage));
        ASSERT_EQ(ZK_S_OK, ZKCreateWiaDevMgr(ZK_CLSID_WiaDevMgr, ZK_CLSCTX_LOCAL_SERVER,
                                             ZK_IID_IWiaDevMgr, &m_wia));
    }
    void TearDown() override
    {
        if (m_stillImage)
            m_stillImage->Release();
        if (m_wia)
            m_wia->Release();
        CZKPlatformVersion::ClearOverride();
        unsetenv("ZK_SYSTEM_DIR");
        unsetenv("ZK_REGISTRY_DIR");
        std::error_code error;
        std::filesystem::remove_all(m_folder, error);
    }

    static std::wstring EventKey()
    {
        return std::wstring(L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\") +
               kScanner + L"\\Events\\ScanButton";
    }

    std::vector<std::wstring> Press()
    {
        std::vector<std::wstring> launched;
        EXPECT_TRUE(CZKSimImageDeviceService::PressButton(kScanner, kScanButton, launched));
        return launched;
    }

    std::string m_folder;
    IZKStillImage* m_stillImage = nullptr;
    IZKWiaDevMgr* m_wia = nullptr;
};

TEST_F(ImageDeviceServiceTest, ListsTheDeclaredDevicesAndInstallsTheirEvents)
{
    std::vector<ZK_STI_DEVICE_INFORMATION> devices;
    ASSERT_EQ(ZK_S_OK, m_stillImage->GetDeviceList(0, 0, devices));
    ASSERT_EQ(2u, devices.size()); // no or an overlong internal name: not a device
    EXPECT_EQ(kScanner, devices[0].internalName);
    ASSERT_EQ(ZK_S_OK, m_stillImage->GetDeviceList(ZK_STI_DEVICE_TYPE_CAMERA, 0, devices));
    ASSERT_EQ(1u, devices.size());

    CZKRegistry registry;
    std::wstring text;
    ASSERT_TRUE(registry.QueryString(EventKey(), L"", text));
    EXPECT_EQ(L"Scan", text);
    // Installing again keeps what changed since.
    registry.SetString(EventKey(), L"LaunchApplications", L"Mine");
    ASSERT_TRUE(CZKSimImageDeviceService::InstallDevices());
    ASSERT_TRUE(registry.QueryString(EventKey(), L"LaunchApplications", text));
    EXPECT_EQ(L"Mine", text);
}

TEST_F(ImageDeviceServiceTest, RefusesWhatItDoesNotServe)
{
    IZKStillImage* other = reinterpret_cast<IZKStillImage*>(1);
    EXPECT_EQ(ZK_E_INVALIDARG, ZKStiCreateInstance(nullptr, 0x00000002, &other)); // narrow
    EXPECT_EQ(nullptr, other);
    EXPECT_EQ(ZK_E_INVALIDARG, ZKStiCreateInstance(nullptr, 0x01000009, &other));
    IZKWiaDevMgr* manager = nullptr;
    EXPECT_EQ(ZK_E_CLASSNOTREG, ZKCreateWiaDevMgr(kImageClass, ZK_CLSCTX_LOCAL_SERVER, ZK_IID_IWiaDevMgr, &manager));
    EXPECT_EQ(ZK_E_NOINTERFACE, ZKCreateWiaDevMgr(ZK_CLSID_WiaDevMgr, ZK_CLSCTX_LOCAL_SERVER, kImageClass, &manager));
    EXPECT_EQ(nullptr, manager);

    EXPECT_EQ(ZK_E_INVALIDARG, m_stillImage->RegisterLaunchApplication(L"", L"/bin/app"));
    EXPECT_EQ(ZK_E_INVALIDARG, m_stillImage->EnableHwNotifications(L"nosuchdevice", TRUE));
    EXPECT_EQ(ZK_S_FALSE, m_stillImage->UnregisterLaunchApplication(L"Never"));

    const wchar_t* camera = L"{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0008";
    const GUID unknownEvent = kImageClass;
    EXPECT_EQ(ZK_E_INVALIDARG, m_wia->RegisterEventCallbackProgram(1, camera, kScanButton, L"app", L"A", L"A", L""));
    EXPECT_EQ(ZK_E_INVALIDARG, m_wia->RegisterEventCallbackProgram(1, kScanner, unknownEvent, L"app", L"A", L"A", L""));
    EXPECT_EQ(ZK_E_INVALIDARG, m_wia->RegisterEventCallbackProgram(3, kScanner, kScanButton, L"app", L"A", L"A", L""));
    EXPECT_EQ(ZK_E_INVALIDARG, m_wia->RegisterEventCallbackProgram(1, kScanner, kScanButton, nullptr, L"A", L"A", L""));
    EXPECT_EQ(ZK_E_NOTFOUND, m_wia->RegisterEventCallbackProgram(2, kScanner, kScanButton, L"app", L"A", L"A", L""));
}

TEST_F(ImageDeviceServiceTest, ButtonLaunchesProgramsThenLaunchListApplications)
{
    ASSERT_EQ(ZK_S_OK, m_stillImage->RegisterLaunchApplication(L"B", L"/bin/b"));
    ASSERT_EQ(ZK_S_OK, m_stillImage->RegisterLaunchApplication(L"A", L"/bin/a"));
    // "*" stands for every registered application, each launched once.
    CZKRegistry().SetString(EventKey(), L"LaunchApplications", L"B,*,Unknown");
    const std::wstring sti = L" /StiDevice:" + std::wstring(kScanner) +
                             L" /StiEvent:{a6c5a715-8c6e-11d2-977a-0000f87a926f}";
    EXPECT_EQ((std::vector<std::wstring>{L"/bin/b" + sti, L"/bin/a" + sti}), Press());

    ASSERT_EQ(ZK_S_OK, m_wia->RegisterEventCallbackProgram(1, kScanner, kScanButton, L"/bin/p %1 %2", L"P", L"P", L""));
    ASSERT_EQ(ZK_S_OK, m_wia->RegisterEventCallbackProgram(1, kScanner, kScanButton, L"/bin/q", L"Q", L"Q", L""));
    EXPECT_EQ(2u, Press().size()); // no default: every candidate
    ASSERT_EQ(ZK_S_OK, m_wia->RegisterEventCallbackProgram(4, kScanner, kScanButton, L"/bin/p %1 %2", L"P", L"P", L""));
    EXPECT_EQ((std::vector<std::wstring>{L"/bin/p " + std::wstring(kScanner) +
                                         L" {a6c5a715-8c6e-11d2-977a-0000f87a926f}"}),
              Press());

    // Before 5.1 there is no image-acquisition service to launch them.
    CZKPlatformVersion::SetOverride(5, 0);
    EXPECT_EQ(2u, Press().size());
}

TEST_F(ImageDeviceServiceTest, NotificationsReachWindowsOfOtherThreads)
{
    std::atomic<int> arrivals{0};
    CZKWindowThread thread;
    ASSERT_TRUE(thread.Start(
        [&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT
        {
            const auto* broadcast = reinterpret_cast<const ZK_DEV_BROADCAST_DEVICEINTERFACE*>(lParam);
            if (message == WM_DEVICECHANGE && wParam == ZK_DBT_DEVICEARRIVAL &&
                broadcast->dbcc_classguid == kImageClass)
                ++arrivals;
            return 1;
        }));

    ZK_DEV_BROADCAST_DEVICEINTERFACE filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = ZK_DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kImageClass;
    HDEVNOTIFY handle = ZKRegisterDeviceNotification(thread.Window(), &filter, 0);
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ(1, CZKSimImageDeviceService::NotifyArrival(kScanner));
    EXPECT_EQ(0, CZKSimImageDeviceService::NotifyArrival(L"nosuchdevice"));
    EXPECT_EQ(1, arrivals.load());
    EXPECT_TRUE(ZKUnregisterDeviceNotification(handle));
    EXPECT_FALSE(ZKUnregisterDeviceNotification(handle));

    // Filters of another size, kind or flag are refused.
    DWORD shortFilter = 12;
    EXPECT_EQ(nullptr, ZKRegisterDeviceNotification(thread.Window(), &shortFilter, 0));
    filter.dbcc_devicetype = 2;
    EXPECT_EQ(nullptr, ZKRegisterDeviceNotification(thread.Window(), &filter, 0));
    filter.dbcc_devicetype = ZK_DBT_DEVTYP_DEVICEINTERFACE;
    EXPECT_EQ(nullptr, ZKRegisterDeviceNotification(thread.Window(), &filter, 1));
    thread.Stop();
    EXPECT_EQ(nullptr, ZKRegisterDeviceNotification(thread.Window(), &filter, 0));
}
} // namespace

namespace
{
TEST(ImageDeviceSample, DeclaresTheVirtualScannersWithTheirButtons)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zkimgsample-XXXXXX").string();
    ASSERT_NE(nullptr, mkdtemp(pattern.data()));
    std::filesystem::copy_file(ZK_IMAGEDEVICE_SAMPLE, pattern + "/imagedevices.ini");
    setenv("ZK_SYSTEM_DIR", pattern.c_str(), 1);
    setenv("ZK_REGISTRY_DIR", (pattern + "/registry").c_str(), 1);

    IZKStillImage* service = nullptr;
    ASSERT_EQ(ZK_S_OK, ZKStiCreateInstance(nullptr, 0x01000002, &service));
    std::vector<ZK_STI_DEVICE_INFORMATION> devices;
    ASSERT_EQ(ZK_S_OK, service->GetDeviceList(0, 0, devices));
    service->Release();
    ASSERT_EQ(3u, devices.size());
    EXPECT_EQ(L"ZK Virtual Production Duplex", devices[0].localName);
    EXPECT_EQ(3u, CZKRegistry().EnumSubKeys(L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\" +
                                            devices[0].internalName + L"\\Events")
                      .size());
    std::vector<std::wstring> launched;
    EXPECT_TRUE(CZKSimImageDeviceService::PressButton(devices[2].internalName, kScanButton, launched));

    unsetenv("ZK_SYSTEM_DIR");
    unsetenv("ZK_REGISTRY_DIR");
    std::error_code error;
    std::filesystem::remove_all(pattern, error);
}
} // namespace
