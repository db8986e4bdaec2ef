// Capability items of the virtual source: each item is kept as the raw bytes
// TWAIN puts into a container, so containers are built by copying.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <twaindefs/ZKTwainDefs.h>

typedef std::vector<uint8_t> ZKSimItem;

class SZKSimItemCodec
{
public:
    // Bytes one item of the type takes in a container; 0 for unknown types.
    static size_t Size(TW_UINT16 itemType);
    // "UINT16", "FIX32", "STR255", ... (without the TWTY_ prefix).
    static bool ParseType(const std::string& name, TW_UINT16& itemType);
    // Numbers in decimal or 0x hex, FIX32 as a decimal fraction, FRAME as
    // four numbers "left top right bottom", strings as they are.
    static bool Parse(TW_UINT16 itemType, const std::string& text, ZKSimItem& item);
    // Lists are comma separated; strings, which may hold commas, use '|'.
    static bool ParseList(TW_UINT16 itemType, const std::string& text, std::vector<ZKSimItem>& items);
    static bool IsNumeric(TW_UINT16 itemType);
    static double ToNumber(TW_UINT16 itemType, const ZKSimItem& item);

private:
    static bool _ParseInteger(const std::string& text, long long low, long long high, long long& value);
    static bool _ParseFix32(const std::string& text, TW_FIX32& value);
    template <class T>
    static bool _ParseAs(const std::string& text, long long low, long long high, ZKSimItem& item);
};
