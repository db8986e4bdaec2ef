// The exported C entry points of the source manager library.
#include "ZKSimDsm.h"
#include "ZKSimDsmMemory.h"

#define ZK_DSM_API extern "C" __attribute__((visibility("default")))

// Exceptions thrown by a source pass through to the application unchanged:
// a misbehaving source is the application's to survive.
ZK_DSM_API TW_UINT16 DSM_Entry(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                               TW_MEMREF data)
{
    return CZKSimDsm::Instance().Entry(origin, dest, dg, dat, msg, data);
}

ZK_DSM_API TW_HANDLE DSM_MemAllocate(TW_UINT32 size)
{
    return CZKSimDsmMemory::Allocate(size);
}

ZK_DSM_API void DSM_MemFree(TW_HANDLE handle)
{
    CZKSimDsmMemory::Free(handle);
}

ZK_DSM_API TW_MEMREF DSM_MemLock(TW_HANDLE handle)
{
    return CZKSimDsmMemory::Lock(handle);
}

ZK_DSM_API void DSM_MemUnlock(TW_HANDLE handle)
{
    CZKSimDsmMemory::Unlock(handle);
}
