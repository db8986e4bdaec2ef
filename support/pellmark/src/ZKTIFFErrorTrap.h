// Collects the errors and warnings libtiff reports for one handle so that they
// become a failure result instead of text on stderr. The process-wide handlers
// are silenced once as well, for the few messages issued without a handle.
#pragma once

#include <tiffio.h>

#include <string>

class CZKTIFFErrorTrap
{
public:
    CZKTIFFErrorTrap();
    ~CZKTIFFErrorTrap();
    CZKTIFFErrorTrap(const CZKTIFFErrorTrap&) = delete;
    CZKTIFFErrorTrap& operator=(const CZKTIFFErrorTrap&) = delete;

    // Options to pass to TIFFClientOpenExt; owned by the trap.
    TIFFOpenOptions* Options() const { return m_options; }
    bool Tripped() const { return m_tripped; }
    // An error, not just a warning (files may carry tags libtiff warns about).
    bool Failed() const { return m_failed; }
    const std::string& FirstMessage() const { return m_firstMessage; }

private:
    static int _Handler(TIFF* tif, void* userData, const char* module, const char* fmt, va_list args);
    static int _ErrorHandler(TIFF* tif, void* userData, const char* module, const char* fmt, va_list args);
    static void _SilenceGlobalHandlers();

    TIFFOpenOptions* m_options = nullptr;
    bool m_tripped = false;
    bool m_failed = false;
    std::string m_firstMessage;
};
