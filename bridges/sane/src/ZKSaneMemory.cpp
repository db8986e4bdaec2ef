#include "ZKSaneMemory.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace
{
struct Allocator
{
    std::mutex lock;
    DSM_MEMALLOCATE allocate = nullptr;
    DSM_MEMFREE free = nullptr;
    DSM_MEMLOCK lockBlock = nullptr;
    DSM_MEMUNLOCK unlockBlock = nullptr;
};

Allocator& Current()
{
    static Allocator allocator;
    return allocator;
}
} // namespace

void SZKSaneMemory::Use(const TW_ENTRYPOINT& entryPoint)
{
    Allocator& a = Current();
    std::lock_guard<std::mutex> guard(a.lock);
    // All four or none: a half set would mix allocators on one block.
    const bool complete = entryPoint.DSM_MemAllocate && entryPoint.DSM_MemFree && entryPoint.DSM_MemLock &&
                          entryPoint.DSM_MemUnlock;
    a.allocate = complete ? entryPoint.DSM_MemAllocate : nullptr;
    a.free = complete ? entryPoint.DSM_MemFree : nullptr;
    a.lockBlock = complete ? entryPoint.DSM_MemLock : nullptr;
    a.unlockBlock = complete ? entryPoint.DSM_MemUnlock : nullptr;
}

TW_HANDLE SZKSaneMemory::Alloc(size_t bytes)
{
    if (bytes == 0 || bytes > 0xFFFFFFFFu)
        return nullptr;
    TW_HANDLE handle = nullptr;
    {
        Allocator& a = Current();
        std::lock_guard<std::mutex> guard(a.lock);
        if (!a.allocate)
            return std::calloc(bytes, 1);
        handle = a.allocate(static_cast<TW_UINT32>(bytes));
    }
    if (void* memory = handle ? Lock(handle) : nullptr)
    {
        std::memset(memory, 0, bytes);
        Unlock(handle);
    }
    return handle;
}

void* SZKSaneMemory::Lock(TW_HANDLE handle)
{
    Allocator& a = Current();
    std::lock_guard<std::mutex> guard(a.lock);
    return a.lockBlock ? a.lockBlock(handle) : handle;
}

void SZKSaneMemory::Unlock(TW_HANDLE handle)
{
    Allocator& a = Current();
    std::lock_guard<std::mutex> guard(a.lock);
    if (a.unlockBlock)
        a.unlockBlock(handle);
}

void SZKSaneMemory::Free(TW_HANDLE handle)
{
    Allocator& a = Current();
    std::lock_guard<std::mutex> guard(a.lock);
    if (a.free)
        a.free(handle);
    else
        std::free(handle);
}
