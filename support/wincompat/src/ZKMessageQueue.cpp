#include <wincompat/ZKMessageQueue.h>

#include "MessageSystem.h"

BOOL CZKMessageQueue::Get(MSG& msg)
{
    return MessageSystem::Instance().Get(msg);
}

BOOL CZKMessageQueue::Peek(MSG& msg, bool remove)
{
    return MessageSystem::Instance().Peek(msg, remove);
}

LRESULT CZKMessageQueue::Dispatch(const MSG& msg)
{
    return MessageSystem::Instance().Dispatch(msg);
}

void CZKMessageQueue::PostQuit(int exitCode)
{
    MessageSystem::Instance().PostQuit(exitCode);
}

void CZKMessageQueue::ProcessSent()
{
    MessageSystem::Instance().ProcessSent();
}

BOOL CZKMessageQueue::PostToThread(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam)
{
    return MessageSystem::Instance().PostToThread(threadId, message, wParam, lParam);
}

size_t CZKMessageQueue::PendingCount()
{
    return MessageSystem::Instance().PendingCount();
}
