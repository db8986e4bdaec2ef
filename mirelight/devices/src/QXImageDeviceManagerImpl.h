// One platform service behind the image device manager. Operations return
// non-zero for success and may raise CZKException; the manager catches.
#pragma once

#include <mirelight/QX_IMAGEDEVICE.h>

#include <vector>

class CQXImageDeviceManagerImpl
{
public:
    virtual ~CQXImageDeviceManagerImpl() = default;

    virtual int Initialize() = 0;
    virtual int GetDevices(std::vector<QX_IMAGEDEVICE>& devices) = 0;
    virtual int RegisterApp(QX_IMAGEDEVICE& device, const wchar_t* appName,
                            const wchar_t* commandLine, int setDefault) = 0;
    virtual int UnregisterApp(QX_IMAGEDEVICE& device, const wchar_t* appName,
                              const wchar_t* commandLine) = 0;
    virtual int ParseCommand(int& eventIndex) = 0;
};
