// TWAIN's fixed-point numbers to and from doubles, in one place.
#pragma once

#include <cmath>

#include <twaindefs/ZKTwainDefs.h>

class SZKSaneFix32
{
public:
    static TW_FIX32 From(double value)
    {
        const auto scaled = static_cast<TW_INT32>(std::lround(value * 65536.0));
        return TW_FIX32{static_cast<TW_INT16>(scaled >> 16), static_cast<TW_UINT16>(scaled & 0xFFFF)};
    }
    static double ToDouble(const TW_FIX32& fix) { return fix.Whole + fix.Frac / 65536.0; }
};
