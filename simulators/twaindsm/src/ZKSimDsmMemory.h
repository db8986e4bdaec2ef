// The manager's memory entry points. Linux TWAIN handles are plain heap
// pointers: a handle is its own locked address, and it is released with free,
// so blocks a source allocates with calloc can be freed here and vice versa.
#pragma once

#include <twaindefs/ZKTwainDefs.h>

class CZKSimDsmMemory
{
public:
    static TW_HANDLE Allocate(TW_UINT32 size);
    static void Free(TW_HANDLE handle);
    static TW_MEMREF Lock(TW_HANDLE handle);
    static void Unlock(TW_HANDLE handle);
    static void FillEntryPoint(TW_ENTRYPOINT& entryPoint, DSMENTRYPROC dsmEntry);
};
