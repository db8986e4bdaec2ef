// Routes the events a source signals through the DSM callback to the hidden
// window of the manager that registered it. The callback may run on any
// thread, even inside the DSM call that caused the event, so it only posts.
// A number (not the manager's address) travels as the callback's RefCon, so
// an event arriving after the manager went away finds nothing to post to.
#pragma once

#include <twaindefs/ZKTwainDefs.h>
#include <wincompat/WinTypes.h>

#include <cstdint>

// Posted to the hidden window; wParam is the TWAIN message.
constexpr UINT WM_ZKTW_SOURCE_EVENT = 0xCA8A;

class SZKTWEventRouter
{
public:
    // A new number for a manager; 0 is never used.
    static uint32_t NewCookie();
    static void SetWindow(uint32_t cookie, HWND window);
    static void Forget(uint32_t cookie);
    // The function handed to DAT_CALLBACK / DAT_CALLBACK2.
    static TWAINCALLBACKPROC CallbackProc();
};
