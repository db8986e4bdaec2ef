// A button pressed on a virtual device launches the command line the
// application registered, and that command line tells the launched
// application which event it was.
#include "common/ImageDeviceFixture.h"

#include <mirelight/QXImageDeviceManager.h>

#include <imagedevicesim/ZKDeviceNotification.h>
#include <imagedevicesim/ZKSimImageDeviceService.h>
#include <imagedevicesim/ZKStillImage.h>
#include <wincompat/ZKHiddenWindow.h>
#include <wincompat/ZKPlatformVersion.h>
#include <wincompat/ZKRegistry.h>

namespace
{
class ButtonPressTest : public ImageDeviceFixture
{
protected:
    // Presses the button, expects one launch and parses its command line in
    // a fresh manager, as the launched process would.
    int LaunchedEventIndex(const wchar_t* device, const GUID& button, std::wstring& commandLine)
    {
        std::vector<std::wstring> launched;
        if (!CZKSimImageDeviceService::PressButton(device, button, launched) || launched.size() != 1)
            return -100;
        commandLine = launched[0];
        LaunchedWith(commandLine);
        CQXImageDeviceManager launchedProcess;
        int index = -100;
        if (!launchedProcess.Initialize() || !launchedProcess.ParseCommand(index))
            return -100;
        return index;
    }

    QX_IMAGEDEVICE FindDevice(CQXImageDeviceManager& manager, const wchar_t* internalName)
    {
        std::vector<QX_IMAGEDEVICE> devices;
        manager.GetDevices(devices);
        for (const QX_IMAGEDEVICE& device : devices)
            if (device.strInternalName == internalName)
                return device;
        ADD_FAILURE() << "device missing";
        return QX_IMAGEDEVICE();
    }
};

TEST_F(ButtonPressTest, ImageAcquisitionDeviceLaunchesTheDefaultHandler)
{
    CQXImageDeviceManager manager;
    ASSERT_TRUE(manager.Initialize());
    QX_IMAGEDEVICE front = FindDevice(manager, kFrontDesk);
    ASSERT_TRUE(manager.RegisterApp(front, kApp, kAppCommand, 1));

    std::wstring commandLine;
    EXPECT_EQ(1, LaunchedEventIndex(kFrontDesk, kScanButton, commandLine));
    EXPECT_EQ(L"\"/opt/capture/bin/capture\" /WiaEvent=1", commandLine);
    EXPECT_EQ(0, LaunchedEventIndex(kFrontDesk, kCopyButton, commandLine));

    std::vector<QX_IMAGEDEVICE_EVENT> events;
    ASSERT_TRUE(CQXImageDeviceManager::GetDeviceEvents(kFrontDesk, events));
    EXPECT_EQ(kScanButton, events[1].guidEvent);
}

TEST_F(ButtonPressTest, StillImageDeviceLaunchesTheApplicationsOfTheLaunchList)
{
    CQXImageDeviceManager manager;
    ASSERT_TRUE(manager.Initialize());
    QX_IMAGEDEVICE legacy = FindDevice(manager, kLegacy);
    ASSERT_TRUE(manager.RegisterApp(legacy, kApp, kAppCommand, 0));

    // "Other" is on the list but never registered: only we are launched.
    std::wstring commandLine;
    EXPECT_EQ(0, LaunchedEventIndex(kLegacy, kScanButton, commandLine));
    EXPECT_EQ(L"/opt/capture/bin/capture /StiDevice:{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0002"
              L" /StiEvent:{a6c5a715-8c6e-11d2-977a-0000f87a926f}",
              commandLine);

    ASSERT_TRUE(manager.UnregisterApp(legacy, kApp, kAppCommand));
    std::vector<std::wstring> launched{L"stale"};
    ASSERT_TRUE(CZKSimImageDeviceService::PressButton(kLegacy, kScanButton, launched));
    EXPECT_TRUE(launched.empty());
}

TEST_F(ButtonPressTest, PrePlatform51LaunchesThroughTheStillImageService)
{
    CZKPlatformVersion::SetOverride(5, 0);
    CQXImageDeviceManager manager;
    ASSERT_TRUE(manager.Initialize());
    QX_IMAGEDEVICE front = FindDevice(manager, kFrontDesk);
    ASSERT_TRUE(manager.RegisterApp(front, kApp, kAppCommand, 0));

    std::wstring commandLine;
    EXPECT_EQ(1, LaunchedEventIndex(kFrontDesk, kScanButton, commandLine)); // "*" names us
    EXPECT_EQ(0, LaunchedEventIndex(kFrontDesk, kCopyButton, commandLine));
}

TEST_F(ButtonPressTest, UnknownEventsAndSilencedDevicesLaunchNothing)
{
    std::vector<std::wstring> launched;
    const GUID status = {0xc4c9d2a1, 0x0000, 0x4d1e, {0x9a, 0x4c, 0x6b, 0x1f, 0x2e, 0x3d, 0x4c, 0x5b}};
    CZKSimImageDeviceService::InstallDevices();
    EXPECT_TRUE(CZKSimImageDeviceService::PressButton(kFrontDesk, status, launched));
    EXPECT_TRUE(launched.empty());
    EXPECT_FALSE(CZKSimImageDeviceService::PressButton(kLegacy, kCopyButton, launched));
    EXPECT_FALSE(CZKSimImageDeviceService::PressButton(L"nosuchdevice", kScanButton, launched));

    IZKStillImage* service = nullptr;
    ASSERT_EQ(ZK_S_OK, ZKStiCreateInstance(nullptr, 0x01000002, &service));
    ASSERT_EQ(ZK_S_OK, service->EnableHwNotifications(kLegacy, FALSE));
    EXPECT_FALSE(CZKSimImageDeviceService::PressButton(kLegacy, kScanButton, launched));
    // Registering re-arms the device.
    CQXImageDeviceManager manager;
    ASSERT_TRUE(manager.Initialize());
    QX_IMAGEDEVICE legacy = FindDevice(manager, kLegacy);
    ASSERT_TRUE(manager.RegisterApp(legacy, kApp, kAppCommand, 0));
    BOOL enabled = FALSE;
    ASSERT_EQ(ZK_S_OK, service->GetHwNotificationState(kLegacy, enabled));
    EXPECT_TRUE(enabled);
    EXPECT_TRUE(CZKSimImageDeviceService::PressButton(kLegacy, kScanButton, launched));
    EXPECT_EQ(1u, launched.size());
    service->Release();
}

TEST_F(ButtonPressTest, RegisteredWindowHearsOfImageDeviceArrival)
{
    std::vector<WPARAM> changes;
    GUID announcedClass{};
    HWND window = CZKHiddenWindow::Create(
        [&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT
        {
            if (message == WM_DEVICECHANGE)
            {
                changes.push_back(wParam);
                announcedClass = reinterpret_cast<const ZK_DEV_BROADCAST_DEVICEINTERFACE*>(lParam)->dbcc_classguid;
            }
            return 1;
        });
    ASSERT_NE(nullptr, window);
    HDEVNOTIFY notification = CQXImageDeviceManager::RegisterDeviceNotificationW(window);
    ASSERT_NE(nullptr, notification);

    EXPECT_EQ(1, CZKSimImageDeviceService::NotifyArrival(kFrontDesk));
    EXPECT_EQ(1, CZKSimImageDeviceService::NotifyRemoval(kFrontDesk));
    EXPECT_EQ((std::vector<WPARAM>{ZK_DBT_DEVICEARRIVAL, ZK_DBT_DEVICEREMOVECOMPLETE}), changes);
    const GUID imageClass = {0x6bdd1fc6, 0x810f, 0x11d0, {0xbe, 0xc7, 0x08, 0x00, 0x2b, 0xe2, 0x09, 0x2f}};
    EXPECT_EQ(imageClass, announcedClass);

    CQXImageDeviceManager::UnregisterDeviceNotification(notification);
    EXPECT_EQ(0, CZKSimImageDeviceService::NotifyArrival(kFrontDesk));
    EXPECT_EQ(2u, changes.size());
    EXPECT_EQ(nullptr, CQXImageDeviceManager::RegisterDeviceNotificationW(nullptr));
    CQXImageDeviceManager::UnregisterDeviceNotification(nullptr);
    CZKHiddenWindow::Destroy(window);
}
} // namespace
