#include "ZKImagingLog.h"

#include <hollin/ZKDebugLog.h>

#include <cstdio>
#include <vector>

void SZKImagingLog::Log(const std::string& text) noexcept
{
    // Called from inside the codec libraries' callbacks: nothing may escape.
    try
    {
        SZKDebugLog::Log(text, 0, "PELLMARK");
    }
    catch (...)
    {
    }
}

std::string SZKImagingLog::Format(const char* fmt, va_list args) noexcept
{
    try
    {
        return _Format(fmt, args);
    }
    catch (...)
    {
        return std::string();
    }
}

std::string SZKImagingLog::_Format(const char* fmt, va_list args)
{
    if (!fmt)
        return std::string();
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (needed <= 0)
        return std::string();
    std::vector<char> text(static_cast<size_t>(needed) + 1);
    std::vsnprintf(text.data(), text.size(), fmt, args);
    return std::string(text.data(), static_cast<size_t>(needed));
}
