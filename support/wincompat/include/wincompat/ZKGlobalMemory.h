// Movable global memory. A handle is a number looked up in a process-wide
// table, never a pointer, so a freed or foreign handle is refused instead of
// being dereferenced.
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/wincompat_export.h>

#include <cstddef>

class WINCOMPAT_EXPORT CZKGlobalMemory
{
public:
    // nullptr when the size cannot be allocated. Alloc(0) gives a valid,
    // empty block.
    static HGLOBAL Alloc(size_t bytes, bool zeroFill = true);
    // Pointer to the block's bytes and one more lock, or nullptr for a bad
    // handle. The pointer stays valid until the block is freed or resized.
    static void* Lock(HGLOBAL h);
    // FALSE when the handle is bad or the block was not locked.
    static BOOL Unlock(HGLOBAL h);
    static size_t Size(HGLOBAL h);
    // Resizes keeping the content (new bytes zeroed on request) and returns the
    // same handle; nullptr, with the block untouched, for a bad handle, a
    // locked block or a size that cannot be allocated.
    static HGLOBAL ReAlloc(HGLOBAL h, size_t bytes, bool zeroFill = true);
    // Frees even a locked block. FALSE for a bad or already freed handle.
    static BOOL Free(HGLOBAL h);
    static bool IsValid(HGLOBAL h);
    static unsigned LockCount(HGLOBAL h);
};
