// The image device manager over the still-image service: every device, launch
// registration by application name and the devices' launch lists.
#pragma once

#include "QXImageDeviceManagerImpl.h"
#include "QXServiceObject.h"

#include <imagedevicesim/ZKStillImage.h>

class CQXStillImageDeviceManagerImpl : public CQXImageDeviceManagerImpl
{
public:
    int Initialize() override;
    int GetDevices(std::vector<QX_IMAGEDEVICE>& devices) override;
    // setDefault has no meaning for the still-image service.
    int RegisterApp(QX_IMAGEDEVICE& device, const wchar_t* appName, const wchar_t* commandLine,
                    int setDefault) override;
    int UnregisterApp(QX_IMAGEDEVICE& device, const wchar_t* appName,
                      const wchar_t* commandLine) override;
    int ParseCommand(int& eventIndex) override;

private:
    // The service takes a changed launch list into account once the device's
    // notifications are switched off and on again.
    int _RearmNotifications(const std::wstring& internalName);

    CQXServiceObject<IZKStillImage> m_stillImage;
};
