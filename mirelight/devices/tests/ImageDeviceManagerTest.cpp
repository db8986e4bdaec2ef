#include "common/ImageDeviceFixture.h"

#include <mirelight/QXImageDeviceManager.h>

#include <hollin/ZKUUID.h>
#include <imagedevicesim/ZKSimImageDeviceService.h>
#include <wincompat/ZKPlatformVersion.h>
#include <wincompat/ZKRegistry.h>

#include <algorithm>

namespace
{
class ImageDeviceManagerTest : public ImageDeviceFixture
{
protected:
    void SetUp() override
    {
        ImageDeviceFixture::SetUp();
        ASSERT_TRUE(m_manager.Initialize());
        ASSERT_TRUE(m_manager.GetDevices(m_devices));
        ASSERT_EQ(2u, m_devices.size());
    }

    QX_IMAGEDEVICE& Device(const wchar_t* internalName)
    {
        return *std::find_if(m_devices.begin(), m_devices.end(),
                             [&](const QX_IMAGEDEVICE& d) { return d.strInternalName == internalName; });
    }

    CQXImageDeviceManager m_manager;
    std::vector<QX_IMAGEDEVICE> m_devices;
};

TEST_F(ImageDeviceManagerTest, ListsDevicesWithWhatTheServiceReports)
{
    const QX_IMAGEDEVICE& front = m_devices[0];
    EXPECT_EQ(kFrontDesk, front.strInternalName);
    EXPECT_EQ(1u, front.dwDeviceType);
    EXPECT_EQ(3u, front.dwHardwareConfiguration);
    EXPECT_EQ(L"Front Desk Scanner", front.strLocalName);
    EXPECT_EQ(L"Duplex production scanner", front.strDeviceDescription);
    EXPECT_EQ(L"Vantrel", front.strVendorDescription);
    EXPECT_EQ(L"\\\\.\\Usbscan0", front.strPortName);
    EXPECT_TRUE(front.strPropProvider.empty());
    EXPECT_EQ(0x13u, front.dwGenericCaps);
    EXPECT_TRUE(front.IsSupportWIA());
    EXPECT_FALSE(m_devices[1].IsSupportWIA());
}

TEST_F(ImageDeviceManagerTest, ListsEventsThatCarryAllTheirValues)
{
    std::vector<QX_IMAGEDEVICE_EVENT> events(3);
    ASSERT_TRUE(CQXImageDeviceManager::GetDeviceEvents(L"  {6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0001 ", events));
    ASSERT_EQ(2u, events.size()); // StatusEvent has no launch list
    EXPECT_EQ(kCopyButton, events[0].guidEvent);
    EXPECT_EQ(L"Copy Button", events[0].strDescription);
    EXPECT_EQ(L"", events[0].strLaunchApplications);
    EXPECT_EQ(kScanButton, events[1].guidEvent);
    EXPECT_EQ(L"*", events[1].strLaunchApplications);
    EXPECT_EQ(std::wstring(L"SYSTEM\\CurrentControlSet\\Control\\Class\\") + kFrontDesk +
                  L"\\Events\\ScanButton",
              events[1].strKeyPath);

    EXPECT_FALSE(CQXImageDeviceManager::GetDeviceEvents(L" \t", events));
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(CQXImageDeviceManager::GetDeviceEvents(nullptr, events));
    EXPECT_FALSE(CQXImageDeviceManager::GetDeviceEvents(L"{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0099", events));
}

TEST_F(ImageDeviceManagerTest, EventValuesOfTheWrongTypeOrLengthAreSkipped)
{
    CZKRegistry registry;
    registry.SetDWord(EventKey(kFrontDesk, L"CopyButton"), L"GUID", 7);
    registry.SetString(EventKey(kFrontDesk, L"StatusEvent"), L"LaunchApplications",
                       std::wstring(256, L'x')); // 514 bytes with its terminator
    std::vector<QX_IMAGEDEVICE_EVENT> events;
    ASSERT_TRUE(CQXImageDeviceManager::GetDeviceEvents(kFrontDesk, events));
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(kScanButton, events[0].guidEvent);

    registry.SetString(EventKey(kFrontDesk, L"StatusEvent"), L"LaunchApplications",
                       std::wstring(255, L'x'));
    ASSERT_TRUE(CQXImageDeviceManager::GetDeviceEvents(kFrontDesk, events));
    EXPECT_EQ(2u, events.size());
}

TEST_F(ImageDeviceManagerTest, MalformedGuidFailsTheCallAndDisturbsNothing)
{
    CZKRegistry registry;
    registry.SetString(EventKey(kFrontDesk, L"CopyButton"), L"GUID", L"{b441f425-8c6e-11d2-977a}");
    std::vector<QX_IMAGEDEVICE_EVENT> events(1);
    EXPECT_FALSE(CQXImageDeviceManager::GetDeviceEvents(kFrontDesk, events));
    EXPECT_TRUE(events.empty());

    CZKPlatformVersion::SetOverride(5, 0);
    CQXImageDeviceManager legacyPlatform;
    ASSERT_TRUE(legacyPlatform.Initialize());
    EXPECT_FALSE(legacyPlatform.RegisterApp(Device(kFrontDesk), kApp, kAppCommand, 0));
    EXPECT_EQ(L"*", LaunchList(kFrontDesk, L"ScanButton"));
    // The other device is not affected.
    EXPECT_TRUE(legacyPlatform.RegisterApp(Device(kLegacy), kApp, kAppCommand, 0));
    EXPECT_EQ(L"Other,Capture", LaunchList(kLegacy, L"ScanButton"));
}

TEST_F(ImageDeviceManagerTest, StillImageRegistrationKeepsOneEntryAndUnregistrationRemovesAll)
{
    QX_IMAGEDEVICE& legacy = Device(kLegacy);
    ASSERT_TRUE(m_manager.RegisterApp(legacy, kApp, kAppCommand, 0));
    ASSERT_TRUE(m_manager.RegisterApp(legacy, kApp, kAppCommand, 0));
    EXPECT_EQ(L"Other,Capture", LaunchList(kLegacy, L"ScanButton"));

    CZKRegistry().SetString(EventKey(kLegacy, L"ScanButton"), L"LaunchApplications",
                            L"Capture,Other,capture,Capture");
    ASSERT_TRUE(m_manager.UnregisterApp(legacy, kApp, kAppCommand));
    EXPECT_EQ(L"Other,capture", LaunchList(kLegacy, L"ScanButton")); // names compare exactly
}

TEST_F(ImageDeviceManagerTest, ImageAcquisitionRegistrationWithoutDefault)
{
    QX_IMAGEDEVICE& front = Device(kFrontDesk);
    ASSERT_TRUE(m_manager.RegisterApp(front, kApp, kAppCommand, 0));
    ASSERT_TRUE(m_manager.RegisterApp(front, kApp, kAppCommand, 0));
    CZKRegistry registry;
    const wchar_t* events[] = {L"CopyButton", L"ScanButton"};
    for (int i = 0; i < 2; ++i)
    {
        const std::vector<std::wstring> programs = ProgramKeys(kFrontDesk, events[i]);
        ASSERT_EQ(1u, programs.size()) << i;
        const std::wstring key = EventKey(kFrontDesk, events[i]) + L"\\" + programs[0];
        std::wstring value;
        ASSERT_TRUE(registry.QueryString(key, L"Cmdline", value));
        EXPECT_EQ(L"\"/opt/capture/bin/capture\" /WiaEvent=" + std::to_wstring(i), value);
        ASSERT_TRUE(registry.QueryString(key, L"Desc", value));
        EXPECT_EQ(kApp, value);
        EXPECT_FALSE(registry.QueryString(EventKey(kFrontDesk, events[i]), L"DefaultHandler", value));
    }
    // The still-image launch lists are left alone on this path.
    EXPECT_EQ(L"*", LaunchList(kFrontDesk, L"ScanButton"));
    EXPECT_TRUE(ProgramKeys(kFrontDesk, L"StatusEvent").empty());
}

TEST_F(ImageDeviceManagerTest, ImageAcquisitionRegistrationAsDefaultAndUnregistration)
{
    QX_IMAGEDEVICE& front = Device(kFrontDesk);
    ASSERT_TRUE(m_manager.RegisterApp(front, L"Rival", L"/usr/bin/rival", 1));
    ASSERT_TRUE(m_manager.RegisterApp(front, kApp, kAppCommand, 1));
    // Registered once more under another command line: unregistration finds
    // it by its description.
    ASSERT_TRUE(m_manager.RegisterApp(front, kApp, L"/old/capture", 0));
    EXPECT_EQ(3u, ProgramKeys(kFrontDesk, L"ScanButton").size());

    std::vector<std::wstring> launched;
    ASSERT_TRUE(CZKSimImageDeviceService::PressButton(kFrontDesk, kScanButton, launched));
    EXPECT_EQ(std::vector<std::wstring>{L"\"/opt/capture/bin/capture\" /WiaEvent=1"}, launched);

    ASSERT_TRUE(m_manager.UnregisterApp(front, kApp, kAppCommand));
    const std::vector<std::wstring> left = ProgramKeys(kFrontDesk, L"ScanButton");
    ASSERT_EQ(1u, left.size());
    std::wstring description;
    CZKRegistry().QueryString(EventKey(kFrontDesk, L"ScanButton") + L"\\" + left[0], L"Desc", description);
    EXPECT_EQ(L"Rival", description);
    ASSERT_TRUE(CZKSimImageDeviceService::PressButton(kFrontDesk, kScanButton, launched));
    EXPECT_EQ(std::vector<std::wstring>{L"\"/usr/bin/rival\" /WiaEvent=1"}, launched);
}

TEST_F(ImageDeviceManagerTest, AllDevicesGoThroughTheirOwnService)
{
    ASSERT_TRUE(m_manager.RegisterAppToAllDevices(kApp, kAppCommand, 0));
    EXPECT_EQ(1u, ProgramKeys(kFrontDesk, L"ScanButton").size());
    EXPECT_EQ(L"Other,Capture", LaunchList(kLegacy, L"ScanButton"));

    ASSERT_TRUE(m_manager.UnregisterAppToAllDevices(kApp, kAppCommand));
    EXPECT_TRUE(ProgramKeys(kFrontDesk, L"ScanButton").empty());
    EXPECT_EQ(L"Other", LaunchList(kLegacy, L"ScanButton"));
}

TEST_F(ImageDeviceManagerTest, PrePlatform51UsesTheStillImagePathOnly)
{
    CZKPlatformVersion::SetOverride(5, 0, 2195);
    CQXImageDeviceManager manager;
    ASSERT_TRUE(manager.Initialize());
    ASSERT_TRUE(manager.RegisterApp(Device(kFrontDesk), kApp, kAppCommand, 1));
    EXPECT_TRUE(ProgramKeys(kFrontDesk, L"ScanButton").empty());
    EXPECT_EQ(L"*,Capture", LaunchList(kFrontDesk, L"ScanButton"));
    EXPECT_EQ(L"Capture", LaunchList(kFrontDesk, L"CopyButton"));

    // Both devices through the still-image service: the application is
    // unregistered at the first, and the second's lists are cleaned all the same.
    ASSERT_TRUE(manager.RegisterAppToAllDevices(kApp, kAppCommand, 0));
    ASSERT_TRUE(manager.UnregisterAppToAllDevices(kApp, kAppCommand));
    EXPECT_EQ(L"*", LaunchList(kFrontDesk, L"ScanButton"));
    EXPECT_EQ(L"Other", LaunchList(kLegacy, L"ScanButton"));

    // No image-acquisition parse either: the still-image launch information
    // decides, and there is none.
    LaunchedWith(L"capture /WiaEvent=1");
    int index = 7;
    EXPECT_FALSE(manager.ParseCommand(index));
}

TEST_F(ImageDeviceManagerTest, NothingWorksBeforeInitializeOrWithBadArguments)
{
    CQXImageDeviceManager fresh;
    std::vector<QX_IMAGEDEVICE> devices(1);
    EXPECT_FALSE(fresh.GetDevices(devices));
    EXPECT_TRUE(devices.empty());
    EXPECT_FALSE(fresh.RegisterApp(Device(kLegacy), kApp, kAppCommand, 0));
    EXPECT_FALSE(fresh.RegisterAppToAllDevices(kApp, kAppCommand, 0));
    int index = 0;
    EXPECT_FALSE(fresh.ParseCommand(index));

    EXPECT_FALSE(m_manager.RegisterApp(Device(kLegacy), nullptr, kAppCommand, 0));
    EXPECT_FALSE(m_manager.RegisterApp(Device(kLegacy), L"", kAppCommand, 0));
    EXPECT_FALSE(m_manager.UnregisterApp(Device(kFrontDesk), kApp, nullptr));
    EXPECT_EQ(L"Other", LaunchList(kLegacy, L"ScanButton"));
}

TEST_F(ImageDeviceManagerTest, AMissingDeviceFileGivesAnEmptyService)
{
    setenv("ZK_SYSTEM_DIR", (m_folder + "/nowhere").c_str(), 1);
    CQXImageDeviceManager manager;
    ASSERT_TRUE(manager.Initialize());
    std::vector<QX_IMAGEDEVICE> devices;
    EXPECT_TRUE(manager.GetDevices(devices));
    EXPECT_TRUE(devices.empty());
    EXPECT_TRUE(manager.RegisterAppToAllDevices(kApp, kAppCommand, 0));
}
} // namespace
