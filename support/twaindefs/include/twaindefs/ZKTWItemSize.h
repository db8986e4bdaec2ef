// Bytes one item of a TWAIN item type takes in a container; 0 for a type
// that is not a TWAIN item type.
#pragma once

#include <twaindefs/ZKTwainDefs.h>

inline unsigned ZKTWItemSize(TW_UINT16 itemType)
{
    switch (itemType)
    {
    case TWTY_INT8:
    case TWTY_UINT8:
        return 1;
    case TWTY_INT16:
    case TWTY_UINT16:
    case TWTY_BOOL:
        return 2;
    case TWTY_INT32:
    case TWTY_UINT32:
    case TWTY_FIX32:
        return 4;
    case TWTY_FRAME:
        return sizeof(TW_FRAME);
    case TWTY_STR32:
        return sizeof(TW_STR32);
    case TWTY_STR64:
        return sizeof(TW_STR64);
    case TWTY_STR128:
        return sizeof(TW_STR128);
    case TWTY_STR255:
        return sizeof(TW_STR255);
    case TWTY_STR1024:
        return 1026;
    case TWTY_UNI512:
        return 1024; // 512 two-byte characters
    default:
        return 0;
    }
}
