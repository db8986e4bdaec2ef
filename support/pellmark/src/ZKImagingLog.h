// Where codec complaints go: the debug log, never stderr.
#pragma once

#include <cstdarg>
#include <string>

class SZKImagingLog
{
public:
    static void Log(const std::string& text) noexcept;
    // printf-style text as the codec libraries hand it over; empty when it
    // cannot be built.
    static std::string Format(const char* fmt, va_list args) noexcept;

private:
    static std::string _Format(const char* fmt, va_list args);
};
