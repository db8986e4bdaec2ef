// What item type and which container kinds a capability uses.
#pragma once

#include <wincompat/WinTypes.h>

struct SZKTWCapTrait
{
    WORD Cap;
    WORD ItemType;
    DWORD ItemSize;
    WORD GetConMask; // containers it may be read in (1 array, 2 enumeration, 4 one value, 8 range)
    WORD SetConMask; // containers it may be set with; 0 = read-only

    SZKTWCapTrait() = default;
    SZKTWCapTrait(WORD cap, WORD itemType, DWORD itemSize, WORD getConMask, WORD setConMask)
        : Cap(cap), ItemType(itemType), ItemSize(itemSize), GetConMask(getConMask), SetConMask(setConMask)
    {
    }
};
