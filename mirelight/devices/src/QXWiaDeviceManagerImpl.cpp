#include "QXWiaDeviceManagerImpl.h"

#include "QXDeviceEventKeys.h"

#include <hollin/ZKCommon.h>
#include <hollin/ZKException.h>
#include <imagedevicesim/ZKWiaDevMgr.h>
#include <wincompat/ZKCommandLine.h>


namespace
{
const std::wstring kEventArgument = L"/WiaEvent=";
const wchar_t* const kIcon = L"stidll,0";
// One digit carries the index.
constexpr int kLastEventIndex = 8;

std::wstring LaunchCommandLine(const wchar_t* commandLine, size_t eventIndex)
{
    return L"\"" + std::wstring(commandLine) + L"\" " + kEventArgument + std::to_wstring(eventIndex);
}
} // namespace

int CQXWiaDeviceManagerImpl::Initialize()
{
    return m_deviceManager.Create(
        [](IZKWiaDevMgr** created) {
            return ZKCreateWiaDevMgr(ZK_CLSID_WiaDevMgr, ZK_CLSCTX_LOCAL_SERVER, ZK_IID_IWiaDevMgr, created);
        },
        "image-acquisition device manager unavailable");
}

int CQXWiaDeviceManagerImpl::GetDevices(std::vector<QX_IMAGEDEVICE>& devices)
{
    devices.clear();
    return 0;
}

int CQXWiaDeviceManagerImpl::RegisterApp(QX_IMAGEDEVICE& device, const wchar_t* appName,
                                         const wchar_t* commandLine, int setDefault)
{
    if (!_ForEachEvent(device, ZK_WIA_REGISTER_EVENT_CALLBACK, appName, commandLine, true))
        return 0;
    if (setDefault &&
        !_ForEachEvent(device, ZK_WIA_SET_DEFAULT_HANDLER, appName, commandLine, true))
        return 0;
    return 1;
}

int CQXWiaDeviceManagerImpl::UnregisterApp(QX_IMAGEDEVICE& device, const wchar_t* appName,
                                           const wchar_t* commandLine)
{
    try
    {
        _ForEachEvent(device, ZK_WIA_UNREGISTER_EVENT_CALLBACK, appName, commandLine, false);
    }
    catch (const CZKException&)
    {
        // Unreadable events: the clean-up below still removes the programs.
    }
    // Also removes registrations made with another command line.
    CQXDeviceEventKeys::DeleteProgramKeys(device.strInternalName, appName);
    return 1;
}

int CQXWiaDeviceManagerImpl::ParseCommand(int& eventIndex)
{
    const std::vector<std::wstring> arguments = CZKCommandLine::Arguments();
    if (arguments.size() < 2)
        return 0;
    const int index = EventIndexOfArgument(arguments[1]);
    if (index < 0)
        return 0;
    eventIndex = index;
    return 1;
}

int CQXWiaDeviceManagerImpl::EventIndexOfArgument(const std::wstring& argument)
{
    if (argument.size() != kEventArgument.size() + 1 ||
        !SZKCommon::EqualNoCase(argument.substr(0, kEventArgument.size()), kEventArgument))
        return -1;
    const wchar_t digit = argument.back();
    if (digit < L'0' || digit > L'0' + kLastEventIndex)
        return -1;
    return static_cast<int>(digit - L'0');
}

int CQXWiaDeviceManagerImpl::_ForEachEvent(QX_IMAGEDEVICE& device, LONG flags,
                                           const wchar_t* appName, const wchar_t* commandLine,
                                           bool checked)
{
    const std::vector<QX_IMAGEDEVICE_EVENT> events =
        CQXDeviceEventKeys::ReadEvents(device.strInternalName);
    for (size_t i = 0; i < events.size(); ++i)
    {
        const std::wstring launch = LaunchCommandLine(commandLine, i);
        const ZKHRESULT result = m_deviceManager->RegisterEventCallbackProgram(
            flags, device.strInternalName.c_str(), events[i].guidEvent, launch.c_str(), appName,
            appName, kIcon);
        if (checked && !ZKSucceeded(result))
            return 0;
    }
    return 1;
}
