// The capability accesses the settings adapters make, each answering true
// only for a TWAIN return of success. Reads take the current value.
#pragma once

#include <wincompat/WinTypes.h>

#include <string>
#include <vector>

class CZKTWSourceManager;

class SQXSettingsCaps
{
public:
    static bool WriteWord(CZKTWSourceManager* sm, WORD cap, WORD value);
    static bool WriteShort(CZKTWSourceManager* sm, WORD cap, short value);
    static bool WriteBool(CZKTWSourceManager* sm, WORD cap, bool value);
    // Values outside what a 32-bit fixed-point number holds are refused.
    static bool WriteFix32(CZKTWSourceManager* sm, WORD cap, double value);
    static bool WriteWordArray(CZKTWSourceManager* sm, WORD cap, const std::vector<WORD>& values);
    // At most 255 bytes of text; longer text is refused.
    static bool WriteString255(CZKTWSourceManager* sm, WORD cap, const std::string& text);

    static bool ReadWord(CZKTWSourceManager* sm, WORD cap, WORD& value);
    static bool ReadWordArray(CZKTWSourceManager* sm, WORD cap, std::vector<WORD>& values);
    // The text up to its terminator, never more than 255 bytes.
    static bool ReadString255(CZKTWSourceManager* sm, WORD cap, std::string& text);

    static constexpr size_t MAX_STRING255 = 255;

private:
    SQXSettingsCaps() = delete;
};
