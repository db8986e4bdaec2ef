#include "ZKTIFFErrorTrap.h"

#include "ZKImagingLog.h"

#include <pellmark/ZKBitmapHandle.h>

#include <mutex>

namespace
{
void QuietGlobalHandler(const char* module, const char* fmt, va_list args)
{
    try
    {
        SZKImagingLog::Log(std::string("libtiff ") + (module ? module : "") + ": " + SZKImagingLog::Format(fmt, args));
    }
    catch (...)
    {
    }
}
} // namespace

CZKTIFFErrorTrap::CZKTIFFErrorTrap()
{
    _SilenceGlobalHandlers();
    m_options = TIFFOpenOptionsAlloc();
    if (m_options)
    {
        TIFFOpenOptionsSetErrorHandlerExtR(m_options, &CZKTIFFErrorTrap::_ErrorHandler, this);
        TIFFOpenOptionsSetWarningHandlerExtR(m_options, &CZKTIFFErrorTrap::_Handler, this);
        // A file's tags may ask libtiff for any amount of memory at once
        // (one tile of 4 G by 4 G pixels); no page of ours needs more than
        // the largest bitmap in a single block.
        TIFFOpenOptionsSetMaxSingleMemAlloc(m_options, tmsize_t(CZKBitmapHandle::kMaxImageSize));
    }
}

CZKTIFFErrorTrap::~CZKTIFFErrorTrap()
{
    if (m_options)
        TIFFOpenOptionsFree(m_options);
}

int CZKTIFFErrorTrap::_ErrorHandler(TIFF* tif, void* userData, const char* module, const char* fmt, va_list args)
{
    static_cast<CZKTIFFErrorTrap*>(userData)->m_failed = true;
    return _Handler(tif, userData, module, fmt, args);
}

int CZKTIFFErrorTrap::_Handler(TIFF*, void* userData, const char* module, const char* fmt, va_list args)
{
    auto* self = static_cast<CZKTIFFErrorTrap*>(userData);
    self->m_tripped = true;
    try // runs inside libtiff: nothing may escape
    {
        const std::string text = std::string("libtiff ") + (module ? module : "") + ": " + SZKImagingLog::Format(fmt, args);
        if (self->m_firstMessage.empty())
            self->m_firstMessage = text;
        SZKImagingLog::Log(text);
    }
    catch (...)
    {
    }
    return 1; // handled: the process-wide handlers are not called
}

void CZKTIFFErrorTrap::_SilenceGlobalHandlers()
{
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetErrorHandler(&QuietGlobalHandler);
        TIFFSetWarningHandler(&QuietGlobalHandler);
    });
}
