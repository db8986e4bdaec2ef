#include <fennick/ZKTWInterceptor.h>
#include <fennick/ZKTWSourceManager.h>

IZKTWInterceptor::~IZKTWInterceptor() = default;

DWORD IZKTWInterceptor::_EndXfer(CZKTWSourceManager* manager, TW_PENDINGXFERS* pending)
{
    return manager->InvokeDSCommand(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, pending, TRUE);
}

DWORD IZKTWInterceptor::_CheckCancelRequest(CZKTWSourceManager* manager, TW_PENDINGXFERS* pending, WORD msg)
{
    return manager->_CheckCancelRequest(pending, msg);
}
