// What happens on the device side of the image device services, for tests,
// tools and virtual scanners: installing the devices that the device file
// declares, pressing a device's button, plugging a device in or out.
//
// The device file is <system folder>/imagedevices.ini:
//
//   [Front Desk]                              any section name; one device
//   InternalName = {6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\0001   (required)
//   Type = 1                                  1 scanner, 2 camera
//   HardwareConfiguration = 1
//   Capabilities = 0x13                       generic capabilities; 0x10 WIA
//   FriendlyName / Description / Vendor / Port = ...
//   Events = ScanButton, CopyButton           event sections, below
//
//   [Front Desk.ScanButton]                   <device section>.<event>
//   GUID = {a6c5a715-8c6e-11d2-977a-0000f87a926f}
//   Description = Scan Button
//   LaunchApplications = *                    optional
//
// Installing writes each event's key under the device's "Events" key in
// HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\<internal name>
// (default value the description, "GUID" the text as given,
// "LaunchApplications" when the file has it) where the key or value is still
// missing, so registrations made since survive. Creating either service
// installs too.
#pragma once

#include <imagedevicesim/imagedevicesim_export.h>
#include <wincompat/WinTypes.h>

#include <string>
#include <vector>

class IMAGEDEVICESIM_EXPORT CZKSimImageDeviceService
{
public:
    static std::wstring DeviceFile();
    // FALSE when the registry cannot be written; devices without an internal
    // name (or with one too long) are left out.
    static BOOL InstallDevices();

    // The command lines the services would launch for this event of this
    // device, in launch order (the service launches nothing itself):
    // - with the image-acquisition service present (platform 5.1 or later)
    //   and a device that supports it: the event's default handler, else
    //   every program registered for the event (the user would choose);
    // - otherwise, or when no program is registered there: every application
    //   of the event's "LaunchApplications" list ("*" stands for all
    //   registered ones) that is registered with the still-image service, its
    //   command line followed by " /StiDevice:<internal name>
    //   /StiEvent:{<event GUID>}".
    // FALSE for an unknown device or event, or a device whose hardware
    // notifications are off.
    static BOOL PressButton(const std::wstring& internalName, const GUID& eventGuid,
                            std::vector<std::wstring>& commandLines);

    // Sends WM_DEVICECHANGE to every window registered for the image device
    // interface class. The number of windows reached.
    static int NotifyArrival(const std::wstring& internalName);
    static int NotifyRemoval(const std::wstring& internalName);
};
