#include <wincompat/ZKHiddenWindow.h>

#include "MessageSystem.h"

HWND CZKHiddenWindow::Create(ZKWindowHandler handler)
{
    return MessageSystem::Instance().CreateWindow(std::move(handler));
}

BOOL CZKHiddenWindow::Destroy(HWND hwnd)
{
    return MessageSystem::Instance().DestroyWindow(hwnd);
}

bool CZKHiddenWindow::IsWindow(HWND hwnd)
{
    return MessageSystem::Instance().IsWindow(hwnd);
}

DWORD CZKHiddenWindow::OwnerThreadId(HWND hwnd)
{
    return MessageSystem::Instance().OwnerOf(hwnd);
}

BOOL CZKHiddenWindow::Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return MessageSystem::Instance().Post(hwnd, message, wParam, lParam);
}

LRESULT CZKHiddenWindow::Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                              bool* delivered)
{
    LRESULT result = 0;
    const bool ok = MessageSystem::Instance().Send(hwnd, message, wParam, lParam, INFINITE, result);
    if (delivered)
        *delivered = ok;
    return result;
}

BOOL CZKHiddenWindow::SendTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                  DWORD timeoutMs, LRESULT* result)
{
    LRESULT value = 0;
    const bool ok = MessageSystem::Instance().Send(hwnd, message, wParam, lParam, timeoutMs, value);
    if (result)
        *result = value;
    return ok ? TRUE : FALSE;
}

// No desktop: nothing to show, enable or bring forward, and nothing that
// could fail.
BOOL CZKHiddenWindow::Show(HWND, int)
{
    return TRUE;
}

BOOL CZKHiddenWindow::Enable(HWND, BOOL)
{
    return TRUE;
}

BOOL CZKHiddenWindow::SetForeground(HWND)
{
    return TRUE;
}
