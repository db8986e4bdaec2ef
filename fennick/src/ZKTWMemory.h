// TWAIN memory handles as Linux sources expect them: zero-filled heap blocks
// released with free. While a source manager that offers memory entry points
// is open, blocks come from those instead.
//
// A block's real size: TWAIN memory on Linux is heap memory (the standard
// DSM's DSM_MemAllocate is calloc and DSM_MemLock hands the handle back as
// the pointer; sources without DSM memory use malloc/calloc), so the heap
// knows it: malloc_usable_size of the block (at least what was asked for).
// A DSM whose lock moves the pointer off the handle gives no such block, and
// its sizes count as unknown. Our own global-memory handles are table
// entries and carry their size; a source that hands one over gets it locked
// and freed as such rather than dereferenced.
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
    // The bytes a block really holds, 0 when that cannot be known. Whatever a
    // source says about a block it hands over is checked against this.
    static size_t BlockSize(void* handle);

    // Entry points of an open DSM; one Install per Uninstall.
    static void Install(const TW_ENTRYPOINT& entryPoints);
    static void Uninstall();
};
