// The image-acquisition device manager stand-in: program callbacks are
// subkeys of the event's registry key.
#pragma once

#include "ZKSimDeviceRegistry.h"

#include <imagedevicesim/ZKWiaDevMgr.h>

class CZKSimWiaDevMgr : public IZKWiaDevMgr
{
public:
    ZKHRESULT RegisterEventCallbackProgram(LONG flags, const wchar_t* deviceId,
                                           const GUID& eventGuid, const wchar_t* commandLine,
                                           const wchar_t* name, const wchar_t* description,
                                           const wchar_t* icon) override;
    void Release() override;

private:
    ~CZKSimWiaDevMgr() override = default;

    static ZKHRESULT _Register(const std::wstring& eventKey, const wchar_t* commandLine,
                               const wchar_t* name, const wchar_t* description,
                               const wchar_t* icon, std::wstring& programKey);
    static ZKHRESULT _Unregister(const std::wstring& eventKey, const wchar_t* commandLine,
                                 const wchar_t* name);
    static bool _FindProgram(const std::wstring& eventKey, const wchar_t* commandLine,
                             const wchar_t* name, ZK_SIM_CALLBACK_PROGRAM& program);
};
