// Process-wide tables from TWAIN codes to their symbolic names, for trace
// lines. A code missing from its table reads as an empty name.
#pragma once

#include <wincompat/WinTypes.h>

#include <string>

class SZKTWTraceNames
{
public:
    static void Initialize();
    static std::string ReturnCode(WORD rc);
    static std::string Group(DWORD dg);
    static std::string DataType(WORD dat);
    static std::string Message(WORD msg);
    static std::string Condition(WORD cc);
};
