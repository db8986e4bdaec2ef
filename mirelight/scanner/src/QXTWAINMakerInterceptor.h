// Ends each transfer of the maker's scanners. With the vendor no-wait mode
// on, the source answers MSG_ENDXFER with the vendor return code 0x8001
// while its feeder is still finishing the sheet, and the call is repeated
// until it gives a real answer.
#pragma once

#include <fennick/ZKTWInterceptor.h>

class CQXTWAINMakerInterceptor : public IZKTWInterceptor
{
public:
    // Vendor capability that switches no-wait mode on.
    static constexpr WORD CAP_NOWAIT = 0x8032;
    // Vendor return code: "not finished yet, ask again".
    static constexpr WORD TWRC_BUSY = 0x8001;
    static constexpr DWORD RETRY_INTERVAL_MS = 5;
    // A source that never finishes must not hold the window thread forever.
    static constexpr DWORD RETRY_LIMIT_MS = 30000;

    BOOL OnBeforeAcquire(CZKTWSourceManager* manager) override;
    DWORD OnEndTransfer(CZKTWSourceManager* manager, TW_PENDINGXFERS* pending) override;

    bool IsNoWait() const { return m_noWait; }

private:
    bool m_noWait = false;
};
