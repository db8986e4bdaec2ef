#include <hollin/ZKError.h>

namespace {
thread_local DWORD t_lastError = ZK_NOERROR;
}

DWORD CZKError::GetError() { return t_lastError; }

void CZKError::SetError(DWORD code) { t_lastError = code; }
