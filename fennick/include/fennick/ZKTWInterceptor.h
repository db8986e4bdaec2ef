// Lets the owner of a source manager veto an acquisition and take over the
// end of each transfer. The manager owns its interceptor and deletes it.
#pragma once

#include <fennick/ZKTWTypes.h>
#include <fennick/fennick_export.h>

class CZKTWSourceManager;

class FENNICK_EXPORT IZKTWInterceptor
{
public:
    virtual ~IZKTWInterceptor();

    // FALSE stops Acquire before the source is enabled.
    virtual BOOL OnBeforeAcquire(CZKTWSourceManager* manager) = 0;
    // Called in place of MSG_ENDXFER after each image; returns a packed result.
    virtual DWORD OnEndTransfer(CZKTWSourceManager* manager, TW_PENDINGXFERS* pending) = 0;

protected:
    // DG_CONTROL / DAT_PENDINGXFERS / MSG_ENDXFER with error reports on.
    static DWORD _EndXfer(CZKTWSourceManager* manager, TW_PENDINGXFERS* pending);
    // Sends msg to the pending transfers when the application cancelled.
    static DWORD _CheckCancelRequest(CZKTWSourceManager* manager, TW_PENDINGXFERS* pending, WORD msg);
};
