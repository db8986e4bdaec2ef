// Error codes: 0 means no error. Each thread keeps its own last error, set by
// CZKException::Catch or explicitly by SetError.
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

constexpr DWORD ZK_NOERROR = 0;

class HOLLIN_EXPORT CZKError
{
public:
    static BOOL IsNoError(DWORD code) { return code == ZK_NOERROR ? TRUE : FALSE; }
    // The calling thread's last error (ZK_NOERROR when none was recorded).
    static DWORD GetError();
    static void SetError(DWORD code);
    static void ClearError() { SetError(ZK_NOERROR); }
};
