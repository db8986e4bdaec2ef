// The process command line, and splitting/quoting command-line text the way
// Windows programs do (quotes group, backslashes only escape quotes).
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/wincompat_export.h>

#include <string>
#include <vector>

class WINCOMPAT_EXPORT CZKCommandLine
{
public:
    // The current process's arguments, program first: the override when set,
    // else /proc/self/cmdline.
    static std::vector<std::wstring> Arguments();
    // The arguments joined back into one text, quoted where needed.
    static std::wstring Text();
    static void SetOverride(const std::vector<std::wstring>& arguments);
    static void ClearOverride();

    // Windows rules: blanks separate arguments outside quotes; 2n backslashes
    // before a quote give n and the quote groups; 2n+1 give n and a literal
    // quote; "" inside quotes is a literal quote; other backslashes are kept.
    // The first argument gets no special treatment.
    static std::vector<std::wstring> Split(const std::wstring& text);
    // The inverse of Split for one argument.
    static std::wstring Quote(const std::wstring& argument);
};
