// One palette entry of a bitmap, laid out as the platform's device-independent
// bitmaps store it: blue, green, red, then an unused byte.
#pragma once

#include <wincompat/WinTypes.h>

struct ZK_RGBQUAD
{
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};
static_assert(sizeof(ZK_RGBQUAD) == 4, "a palette entry is four bytes");

inline bool operator==(const ZK_RGBQUAD& a, const ZK_RGBQUAD& b)
{
    return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed &&
           a.rgbReserved == b.rgbReserved;
}
inline bool operator!=(const ZK_RGBQUAD& a, const ZK_RGBQUAD& b) { return !(a == b); }
