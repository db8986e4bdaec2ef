// Memory the bridge hands to applications (capability containers, native
// images): from the source manager's allocator when it gave one with
// DAT_ENTRYPOINT, as TWAIN 2 requires, else from the C heap.
#pragma once

#include <cstddef>

#include <twaindefs/ZKTwainDefs.h>

class SZKSaneMemory
{
public:
    static void Use(const TW_ENTRYPOINT& entryPoint);
    // A zero-filled block and its handle; nullptr when there is no memory.
    static TW_HANDLE Alloc(size_t bytes);
    static void* Lock(TW_HANDLE handle);
    static void Unlock(TW_HANDLE handle);
    static void Free(TW_HANDLE handle);
};
