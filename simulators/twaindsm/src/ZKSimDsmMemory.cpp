#include "ZKSimDsmMemory.h"

#include <cstdlib>

extern "C" {
static TW_HANDLE AllocateEntry(TW_UINT32 size) { return CZKSimDsmMemory::Allocate(size); }
static void FreeEntry(TW_HANDLE handle) { CZKSimDsmMemory::Free(handle); }
static TW_MEMREF LockEntry(TW_HANDLE handle) { return CZKSimDsmMemory::Lock(handle); }
static void UnlockEntry(TW_HANDLE handle) { CZKSimDsmMemory::Unlock(handle); }
}

TW_HANDLE CZKSimDsmMemory::Allocate(TW_UINT32 size)
{
    return std::calloc(size ? size : 1, 1);
}

void CZKSimDsmMemory::Free(TW_HANDLE handle)
{
    std::free(handle);
}

TW_MEMREF CZKSimDsmMemory::Lock(TW_HANDLE handle)
{
    return handle;
}

void CZKSimDsmMemory::Unlock(TW_HANDLE)
{
}

void CZKSimDsmMemory::FillEntryPoint(TW_ENTRYPOINT& entryPoint, DSMENTRYPROC dsmEntry)
{
    entryPoint.Size = sizeof(TW_ENTRYPOINT);
    entryPoint.DSM_Entry = dsmEntry;
    entryPoint.DSM_MemAllocate = &AllocateEntry;
    entryPoint.DSM_MemFree = &FreeEntry;
    entryPoint.DSM_MemLock = &LockEntry;
    entryPoint.DSM_MemUnlock = &UnlockEntry;
}
