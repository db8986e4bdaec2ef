// The exception raised inside a library for a failed step. It never crosses
// an exported operation: the boundary catches it, hands it to Catch() and
// turns it into a failure result.
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <exception>

// Code carried by a generic "the operation failed" exception.
constexpr DWORD ZK_EXCEPTION_FAILED = 0x7FFFFFFF;

class HOLLIN_EXPORT CZKException : public std::exception
{
public:
    static constexpr DWORD FAILED = ZK_EXCEPTION_FAILED;

    explicit CZKException(DWORD code = ZK_EXCEPTION_FAILED) noexcept;
    ~CZKException() override;

    DWORD GetCode() const noexcept { return m_code; }
    // "CZKException 0x7fffffff" and the like.
    const char* what() const noexcept override;

    // Raises a CZKException carrying code.
    [[noreturn]] static void Throw(DWORD code = ZK_EXCEPTION_FAILED);
    // Absorbs an exception caught at an exported boundary: records its code
    // as the calling thread's last error (CZKError) and writes a level-0 log
    // line naming where it was caught (may be null).
    static void Catch(const CZKException& e, const char* where = nullptr) noexcept;

private:
    DWORD m_code;
    char m_text[32];
};
