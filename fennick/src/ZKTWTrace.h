// Trace lines of the DSM call path, built only when the log would keep them.
#pragma once

#include <wincompat/WinTypes.h>

#include <string>

class SZKTWTrace
{
public:
    static void Log(const std::string& text, int level);
    static bool IsEnabled(int level);
    // "<head> RC=... DEST=... DG=... DAT=... MSG=... DATA=..." with the names
    // of the codes; upper-case hexadecimal addresses unless lowerHex.
    static void Call(const char* head, const WORD* rc, const void* dest, DWORD DG, WORD DAT, WORD MSG,
                     const void* data, bool lowerHex);
    static void ConditionQuery(WORD statusRc, const void* dest, DWORD DG, WORD DAT, WORD MSG, const void* data,
                               WORD cc);
};
