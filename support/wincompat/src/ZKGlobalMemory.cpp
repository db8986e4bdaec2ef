#include <wincompat/ZKGlobalMemory.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

namespace
{

struct Block
{
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
    unsigned locks = 0;
};

// Larger requests are refused rather than attempted; no caller needs them and
// it keeps size arithmetic far from overflow.
constexpr size_t kMaxBlockSize = size_t(1) << 40;

class BlockTable
{
public:
    std::mutex mutex;
    std::unordered_map<uintptr_t, Block> blocks;

    // Handles count up and are never reused, so a stale handle cannot reach
    // a newer block. Starting high keeps them away from small integers that
    // callers might pass by mistake.
    uintptr_t NextHandle() { return m_next += 8; }

    Block* Find(HGLOBAL h)
    {
        auto it = blocks.find(reinterpret_cast<uintptr_t>(h));
        return it == blocks.end() ? nullptr : &it->second;
    }

private:
    uintptr_t m_next = 0x10000;
};

BlockTable& Table()
{
    // Never destroyed: handles may be freed from static destructors elsewhere.
    static BlockTable* table = new BlockTable;
    return *table;
}

// Always at least one byte so that locking an empty block still gives a
// usable, non-null pointer.
std::unique_ptr<uint8_t[]> AllocateBytes(size_t bytes, bool zeroFill)
{
    if (bytes > kMaxBlockSize)
        return nullptr;
    const size_t capacity = bytes == 0 ? 1 : bytes;
    std::unique_ptr<uint8_t[]> data(new (std::nothrow) uint8_t[capacity]);
    if (data && zeroFill)
        std::memset(data.get(), 0, capacity);
    return data;
}

} // namespace

HGLOBAL CZKGlobalMemory::Alloc(size_t bytes, bool zeroFill)
{
    auto data = AllocateBytes(bytes, zeroFill);
    if (!data)
        return nullptr;
    BlockTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    const uintptr_t handle = table.NextHandle();
    try
    {
        table.blocks.emplace(handle, Block{std::move(data), bytes, 0});
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
    return reinterpret_cast<HGLOBAL>(handle);
}

void* CZKGlobalMemory::Lock(HGLOBAL h)
{
    BlockTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    Block* block = table.Find(h);
    if (!block)
        return nullptr;
    ++block->locks;
    return block->bytes.get();
}

BOOL CZKGlobalMemory::Unlock(HGLOBAL h)
{
    BlockTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    Block* block = table.Find(h);
    if (!block || block->locks == 0)
        return FALSE;
    --block->locks;
    return TRUE;
}

size_t CZKGlobalMemory::Size(HGLOBAL h)
{
    BlockTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    const Block* block = table.Find(h);
    return block ? block->size : 0;
}

unsigned CZKGlobalMemory::LockCount(HGLOBAL h)
{
    BlockTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    const Block* block = table.Find(h);
    return block ? block->locks : 0;
}

HGLOBAL CZKGlobalMemory::ReAlloc(HGLOBAL h, size_t bytes, bool zeroFill)
{
    BlockTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    Block* block = table.Find(h);
    // Moving a locked block would leave its holder with a dangling pointer.
    if (!block || block->locks != 0)
        return nullptr;
    auto data = AllocateBytes(bytes, zeroFill);
    if (!data)
        return nullptr;
    std::memcpy(data.get(), block->bytes.get(), bytes < block->size ? bytes : block->size);
    block->bytes = std::move(data);
    block->size = bytes;
    return h;
}

BOOL CZKGlobalMemory::Free(HGLOBAL h)
{
    BlockTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    return table.blocks.erase(reinterpret_cast<uintptr_t>(h)) == 1 ? TRUE : FALSE;
}

bool CZKGlobalMemory::IsValid(HGLOBAL h)
{
    BlockTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    return table.Find(h) != nullptr;
}
