#include "ZKSimWiaDevMgr.h"

#include "ZKSimImageDeviceList.h"

#include <hollin/ZKDebugLog.h>
#include <hollin/ZKUUID.h>
#include <wincompat/ZKRegistry.h>

namespace
{
const wchar_t* const kDefaultHandlerValue = L"DefaultHandler";

bool IsEmpty(const wchar_t* text) { return !text || !*text; }
std::wstring Text(const wchar_t* text) { return text ? text : L""; }
} // namespace

ZKHRESULT CZKSimWiaDevMgr::RegisterEventCallbackProgram(LONG flags, const wchar_t* deviceId,
                                                        const GUID& eventGuid,
                                                        const wchar_t* commandLine,
                                                        const wchar_t* name,
                                                        const wchar_t* description,
                                                        const wchar_t* icon)
{
    ZK_SIM_IMAGE_DEVICE device;
    std::wstring eventKey;
    if (IsEmpty(deviceId) || IsEmpty(commandLine) || IsEmpty(name) ||
        !CZKSimImageDeviceList::Find(deviceId, device) ||
        !(device.info.genericCapabilities & ZK_STI_GENCAP_WIA) ||
        !CZKSimDeviceRegistry::FindEventKey(device.info.internalName, eventGuid, eventKey))
        return ZK_E_INVALIDARG;

    std::wstring programKey;
    switch (flags)
    {
    case ZK_WIA_REGISTER_EVENT_CALLBACK:
        return _Register(eventKey, commandLine, name, description, icon, programKey);
    case ZK_WIA_UNREGISTER_EVENT_CALLBACK:
        return _Unregister(eventKey, commandLine, name);
    case ZK_WIA_SET_DEFAULT_HANDLER:
    {
        const ZKHRESULT result = _Register(eventKey, commandLine, name, description, icon, programKey);
        if (!ZKSucceeded(result))
            return result;
        return CZKRegistry().SetString(eventKey, kDefaultHandlerValue, programKey) ? ZK_S_OK
                                                                                  : ZK_E_FAIL;
    }
    default:
        return ZK_E_INVALIDARG;
    }
}

void CZKSimWiaDevMgr::Release()
{
    delete this;
}

ZKHRESULT CZKSimWiaDevMgr::_Register(const std::wstring& eventKey, const wchar_t* commandLine,
                                     const wchar_t* name, const wchar_t* description,
                                     const wchar_t* icon, std::wstring& programKey)
{
    ZK_SIM_CALLBACK_PROGRAM existing;
    if (_FindProgram(eventKey, commandLine, name, existing))
        programKey = existing.keyName;
    else
    {
        GUID id{};
        if (!SZKUUID::CreateUUID(id))
            return ZK_E_FAIL;
        programKey = SZKUUID::UUIDToString(id, TRUE);
    }
    const std::wstring key = eventKey + L"\\" + programKey;
    CZKRegistry registry;
    const bool written = registry.SetString(key, L"Name", name) &&
                         registry.SetString(key, L"Desc", Text(description)) &&
                         registry.SetString(key, L"Icon", Text(icon)) &&
                         registry.SetString(key, L"Cmdline", commandLine);
    SZKDebugLog::Log(L"image acquisition: registered " + std::wstring(name) + L" at " + key, 1,
                     "IMAGEDEVSIM");
    return written ? ZK_S_OK : ZK_E_FAIL;
}

ZKHRESULT CZKSimWiaDevMgr::_Unregister(const std::wstring& eventKey, const wchar_t* commandLine,
                                       const wchar_t* name)
{
    ZK_SIM_CALLBACK_PROGRAM program;
    if (!_FindProgram(eventKey, commandLine, name, program))
        return ZK_E_NOTFOUND;
    CZKRegistry registry;
    std::wstring defaultHandler;
    if (registry.QueryString(eventKey, kDefaultHandlerValue, defaultHandler) &&
        defaultHandler == program.keyName)
        registry.DeleteValue(eventKey, kDefaultHandlerValue);
    return registry.DeleteKey(eventKey + L"\\" + program.keyName, true) ? ZK_S_OK : ZK_E_FAIL;
}

bool CZKSimWiaDevMgr::_FindProgram(const std::wstring& eventKey, const wchar_t* commandLine,
                                   const wchar_t* name, ZK_SIM_CALLBACK_PROGRAM& program)
{
    for (const ZK_SIM_CALLBACK_PROGRAM& candidate : CZKSimDeviceRegistry::CallbackPrograms(eventKey))
    {
        if (candidate.name == name && candidate.commandLine == commandLine)
        {
            program = candidate;
            return true;
        }
    }
    return false;
}
