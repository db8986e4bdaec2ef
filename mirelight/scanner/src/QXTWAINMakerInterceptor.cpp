#include "QXTWAINMakerInterceptor.h"

#include <fennick/ZKTWSourceManager.h>
#include <hollin/ZKDebugLog.h>
#include <twaindefs/ZKTwainConstants.h>
#include <wincompat/ZKThread.h>

BOOL CQXTWAINMakerInterceptor::OnBeforeAcquire(CZKTWSourceManager* manager)
{
    const TW_BOOL on = TRUE;
    m_noWait = manager && manager->SetCapOnevalue(CAP_NOWAIT, TWTY_BOOL, &on) == ZKTW_CAP_SUCCESS;
    SZKDebugLog::Log(std::string(m_noWait ? "Support NoWait" : "Unsupport NoWait"), 1, "MIRELIGHT");
    return TRUE;
}

DWORD CQXTWAINMakerInterceptor::OnEndTransfer(CZKTWSourceManager* manager, TW_PENDINGXFERS* pending)
{
    _CheckCancelRequest(manager, pending, MSG_STOPFEEDER);
    DWORD result = _EndXfer(manager, pending);
    for (DWORD waited = 0;
         m_noWait && ZKTWReturnCode(result) == TWRC_BUSY && waited < RETRY_LIMIT_MS;
         waited += RETRY_INTERVAL_MS)
    {
        ZKSleep(RETRY_INTERVAL_MS);
        _CheckCancelRequest(manager, pending, MSG_STOPFEEDER);
        result = _EndXfer(manager, pending);
    }
    return result;
}
