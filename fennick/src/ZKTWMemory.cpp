#include "ZKTWMemory.h"

#include <wincompat/ZKGlobalMemory.h>

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace
{
struct MemoryTable
{
    std::mutex lock;
    unsigned users = 0;
    DSM_MEMALLOCATE allocate = nullptr;
    DSM_MEMFREE free = nullptr;
    DSM_MEMLOCK lockBlock = nullptr;
    DSM_MEMUNLOCK unlockBlock = nullptr;
};

// Our own global-memory handles are table entries, recognised as such.
HGLOBAL AsGlobal(void* handle) { return static_cast<HGLOBAL>(handle); }

MemoryTable& Table()
{
    static MemoryTable table;
    return table;
}
} // namespace

void* SZKTWMemory::Alloc(size_t bytes)
{
    MemoryTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    if (!table.allocate)
        return std::calloc(bytes ? bytes : 1, 1);
    if (bytes > 0xFFFFFFFFu)
        return nullptr;
    void* handle = table.allocate(static_cast<TW_UINT32>(bytes));
    if (!handle)
        return nullptr;
    // The DSM's allocator is not required to zero its blocks.
    void* memory = table.lockBlock ? table.lockBlock(handle) : handle;
    if (memory)
        std::memset(memory, 0, bytes);
    if (table.unlockBlock)
        table.unlockBlock(handle);
    return handle;
}

void SZKTWMemory::Free(void* handle)
{
    if (!handle)
        return;
    if (CZKGlobalMemory::Free(AsGlobal(handle)))
        return;
    MemoryTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    if (table.free)
        table.free(handle);
    else
        std::free(handle);
}

void* SZKTWMemory::Lock(void* handle)
{
    if (!handle)
        return nullptr;
    if (CZKGlobalMemory::IsValid(AsGlobal(handle)))
        return CZKGlobalMemory::Lock(AsGlobal(handle));
    MemoryTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    return table.lockBlock ? table.lockBlock(handle) : handle;
}

void SZKTWMemory::Unlock(void* handle)
{
    if (!handle)
        return;
    if (CZKGlobalMemory::IsValid(AsGlobal(handle)))
    {
        CZKGlobalMemory::Unlock(AsGlobal(handle));
        return;
    }
    MemoryTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    if (table.unlockBlock)
        table.unlockBlock(handle);
}

size_t SZKTWMemory::BlockSize(void* handle)
{
    if (!handle)
        return 0;
    if (CZKGlobalMemory::IsValid(AsGlobal(handle)))
        return CZKGlobalMemory::Size(AsGlobal(handle));
    void* memory = Lock(handle);
    const size_t size = memory == handle ? malloc_usable_size(memory) : 0;
    Unlock(handle);
    return size;
}

void SZKTWMemory::Install(const TW_ENTRYPOINT& entryPoints)
{
    MemoryTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    ++table.users;
    // All four or none: a half set would mix allocators on one block.
    if (entryPoints.DSM_MemAllocate && entryPoints.DSM_MemFree && entryPoints.DSM_MemLock &&
        entryPoints.DSM_MemUnlock)
    {
        table.allocate = entryPoints.DSM_MemAllocate;
        table.free = entryPoints.DSM_MemFree;
        table.lockBlock = entryPoints.DSM_MemLock;
        table.unlockBlock = entryPoints.DSM_MemUnlock;
    }
}

void SZKTWMemory::Uninstall()
{
    MemoryTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    if (table.users == 0 || --table.users > 0)
        return;
    table.allocate = nullptr;
    table.free = nullptr;
    table.lockBlock = nullptr;
    table.unlockBlock = nullptr;
}
