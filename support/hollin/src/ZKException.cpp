#include <hollin/ZKDebugLog.h>
#include <hollin/ZKError.h>
#include <hollin/ZKException.h>

#include <cstdio>
#include <string>

CZKException::CZKException(DWORD code) noexcept : m_code(code)
{
    std::snprintf(m_text, sizeof m_text, "CZKException 0x%08x", static_cast<unsigned>(code));
}

CZKException::~CZKException() = default;

const char* CZKException::what() const noexcept { return m_text; }

void CZKException::Throw(DWORD code) { throw CZKException(code); }

void CZKException::Catch(const CZKException& e, const char* where) noexcept
{
    CZKError::SetError(e.GetCode());
    if (!SZKDebugLog::IsEnabled(0))
        return;
    try {
        std::string line = e.what();
        if (where && *where)
            line += std::string(" caught in ") + where;
        SZKDebugLog::Log(line, 0, "HOLLIN");
    } catch (...) {
        // Logging is best effort; absorbing must not fail.
    }
}
