// Scanner push-button events for the capture application: lists the
// still-image devices and their events, registers the application as the
// program an event launches (through the image-acquisition service for the
// devices that support it, else the still-image service), tells at start-up
// which event launched the process, and registers a window for image device
// arrival notifications. Every operation returns non-zero for success.
#pragma once

#include <mirelight/QX_IMAGEDEVICE.h>
#include <mirelight/QX_IMAGEDEVICE_EVENT.h>
#include <mirelight/mirelight_export.h>
#include <wincompat/WinTypes.h>

#include <memory>
#include <vector>

class CQXImageDeviceManagerImpl;

class MIRELIGHT_EXPORT CQXImageDeviceManager
{
public:
    CQXImageDeviceManager();
    ~CQXImageDeviceManager();
    CQXImageDeviceManager(const CQXImageDeviceManager&) = delete;
    CQXImageDeviceManager& operator=(const CQXImageDeviceManager&) = delete;

    // Must run before the other instance operations (they fail until it has
    // succeeded). The image-acquisition path exists on platform 5.1 and later.
    int Initialize();
    int GetDevices(std::vector<QX_IMAGEDEVICE>& devices);
    // The events of the device's registry "Events" key that carry a
    // description, "GUID" and "LaunchApplications"; a GUID that does not
    // convert fails the call.
    static int GetDeviceEvents(const wchar_t* internalName, std::vector<QX_IMAGEDEVICE_EVENT>& events);

    // setDefault makes the application the default handler of every event
    // (image-acquisition devices only).
    int RegisterApp(QX_IMAGEDEVICE& device, const wchar_t* appName, const wchar_t* commandLine,
                    int setDefault);
    int UnregisterApp(QX_IMAGEDEVICE& device, const wchar_t* appName, const wchar_t* commandLine);
    // Stops at the first device that fails; earlier devices stay registered.
    int RegisterAppToAllDevices(const wchar_t* appName, const wchar_t* commandLine, int setDefault);
    int UnregisterAppToAllDevices(const wchar_t* appName, const wchar_t* commandLine);

    // Which event launched this process: an index into the GetDeviceEvents
    // list of the launching device.
    int ParseCommand(int& eventIndex);

    // Registers the window for image device interface arrival and removal;
    // null on failure.
    static HDEVNOTIFY RegisterDeviceNotificationW(HWND hwnd);
    static void UnregisterDeviceNotification(HDEVNOTIFY handle);

protected:
    CQXImageDeviceManagerImpl* _GetImpl(const QX_IMAGEDEVICE& device) const;

private:
    std::unique_ptr<CQXImageDeviceManagerImpl> m_stillImage;
    std::unique_ptr<CQXImageDeviceManagerImpl> m_wia; // platform 5.1 and later
};
