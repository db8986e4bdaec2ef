// TWAIN memory handles as Linux sources expect them: zero-filled heap blocks
// released with free. While a source manager that offers memory entry points
// is open, blocks come from those instead.
#pragma once

#include <twaindefs/ZKTwainDefs.h>

#include <cstddef>

class SZKTWMemory
{
public:
    // nullptr when the block cannot be allocated.
    static void* Alloc(size_t bytes);
    static void Free(void* handle);
    // The block's bytes (a handle is its own pointer unless the DSM says
    // otherwise); nullptr for a null handle.
    static void* Lock(void* handle);
    static void Unlock(void* handle);

    // Entry points of an open DSM; one Install per Uninstall.
    static void Install(const TW_ENTRYPOINT& entryPoints);
    static void Uninstall();
};
