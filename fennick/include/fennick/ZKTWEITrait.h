// The item type of one extended-image-info item.
#pragma once

#include <wincompat/WinTypes.h>

struct SZKTWEITrait
{
    WORD InfoID = 0;
    WORD ItemType = 0;
};
