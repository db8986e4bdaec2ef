// The image device manager over the image-acquisition service: one program
// callback per event of the device, whose command line carries the event's
// index as "/WiaEvent=<index>".
#pragma once

#include "QXImageDeviceManagerImpl.h"
#include "QXServiceObject.h"

#include <imagedevicesim/ZKWiaDevMgr.h>
#include <wincompat/WinTypes.h>

#include <string>

class CQXWiaDeviceManagerImpl : public CQXImageDeviceManagerImpl
{
public:
    int Initialize() override;
    // Devices are listed by the still-image service only.
    int GetDevices(std::vector<QX_IMAGEDEVICE>& devices) override;
    int RegisterApp(QX_IMAGEDEVICE& device, const wchar_t* appName, const wchar_t* commandLine,
                    int setDefault) override;
    int UnregisterApp(QX_IMAGEDEVICE& device, const wchar_t* appName,
                      const wchar_t* commandLine) override;
    int ParseCommand(int& eventIndex) override;

    // The event index of "/WiaEvent=<digit>" (prefix in any case, digit 0 to
    // 8); -1 for anything else.
    static int EventIndexOfArgument(const std::wstring& argument);

private:
    // Calls the service for every event of the device; with checked, stops
    // at the first failure and returns 0.
    int _ForEachEvent(QX_IMAGEDEVICE& device, LONG flags, const wchar_t* appName,
                      const wchar_t* commandLine, bool checked);

    CQXServiceObject<IZKWiaDevMgr> m_deviceManager;
};
