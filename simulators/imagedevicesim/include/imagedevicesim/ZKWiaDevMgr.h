// The image-acquisition device manager: program callbacks that the service
// launches when a device raises an event.
#pragma once

#include <imagedevicesim/ZKServiceResult.h>
#include <imagedevicesim/imagedevicesim_export.h>
#include <wincompat/WinTypes.h>

constexpr LONG ZK_WIA_REGISTER_EVENT_CALLBACK = 0x00000001;
constexpr LONG ZK_WIA_UNREGISTER_EVENT_CALLBACK = 0x00000002;
constexpr LONG ZK_WIA_SET_DEFAULT_HANDLER = 0x00000004;

constexpr DWORD ZK_CLSCTX_LOCAL_SERVER = 0x4;

// a1f4e726-8cf1-11d1-bf92-0060081ed811
constexpr GUID ZK_CLSID_WiaDevMgr = {0xa1f4e726, 0x8cf1, 0x11d1,
                                     {0xbf, 0x92, 0x00, 0x60, 0x08, 0x1e, 0xd8, 0x11}};
// 5eb2502a-8cf1-11d1-bf92-0060081ed811
constexpr GUID ZK_IID_IWiaDevMgr = {0x5eb2502a, 0x8cf1, 0x11d1,
                                    {0xbf, 0x92, 0x00, 0x60, 0x08, 0x1e, 0xd8, 0x11}};

class IZKWiaDevMgr
{
public:
    // flags: register, unregister or make it the event's default handler. A
    // registration is identified by its name and command line; registering
    // it again replaces it. The command line may carry %1 (device ID) and %2
    // (event GUID), filled in at launch.
    virtual ZKHRESULT RegisterEventCallbackProgram(LONG flags, const wchar_t* deviceId,
                                                   const GUID& eventGuid,
                                                   const wchar_t* commandLine,
                                                   const wchar_t* name,
                                                   const wchar_t* description,
                                                   const wchar_t* icon) = 0;
    virtual void Release() = 0;

protected:
    virtual ~IZKWiaDevMgr() = default;
};

// The object-creation call for the device manager: clsid, context and iid
// must name it. *out is null on failure.
IMAGEDEVICESIM_EXPORT ZKHRESULT ZKCreateWiaDevMgr(const GUID& clsid, DWORD context,
                                                  const GUID& iid, IZKWiaDevMgr** out);
