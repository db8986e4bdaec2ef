// Single bits of the flag words that say which output kinds are selected.
#pragma once

#include <cstdint>

class SQXFlagBits
{
public:
    static void Set(int32_t& flags, int32_t bit, bool on)
    {
        flags = on ? (flags | bit) : (flags & ~bit);
    }
    static bool IsSet(int32_t flags, int32_t bit) { return (flags & bit) != 0; }
};
