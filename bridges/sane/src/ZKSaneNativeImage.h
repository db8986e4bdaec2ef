// A page as a native TWAIN image: a bottom-up DIB with its palette, in
// memory from the source manager's allocator.
#pragma once

#include <twaindefs/ZKTwainDefs.h>

#include "ZKSanePage.h"

class SZKSaneNativeImage
{
public:
    // nullptr when there is no memory for it.
    static TW_HANDLE Dib(const ZK_SANE_PAGE& page);
};
