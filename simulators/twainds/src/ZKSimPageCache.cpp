#include "ZKSimPageCache.h"

#include <new>
#include <tuple>

bool ZK_SIM_PAGE_KEY::operator<(const ZK_SIM_PAGE_KEY& other) const
{
    auto fields = [](const ZK_SIM_PAGE_KEY& key)
    {
        const ZK_SIM_PAGE_FORMAT& f = key.format;
        return std::make_tuple(f.width, f.height, f.bitsPerPixel, f.xDpi, f.yDpi, key.seed,
                               key.form);
    };
    return fields(*this) < fields(other);
}

CZKSimPageCache::CZKSimPageCache(size_t capacity) : m_capacity(capacity) {}

CZKSimPageCache::~CZKSimPageCache() = default;

CZKSimPageCache& CZKSimPageCache::Shared()
{
    // Destroyed with the source library, so unloading it frees the pages;
    // a page still held then lives on with its holder.
    static CZKSimPageCache shared;
    return shared;
}

CZKSimPageCache::Page CZKSimPageCache::Get(const ZK_SIM_PAGE_KEY& key, const Maker& make)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_index.find(key);
        if (found != m_index.end())
        {
            m_recent.splice(m_recent.begin(), m_recent, found->second);
            return _Lend(*found->second);
        }
    }
    // Made outside the lock: other sources keep being served meanwhile.
    ZK_SIM_PAGE_BYTES bytes;
    if (!make(bytes) || !bytes.data)
        return nullptr;
    return _Keep(key, std::move(bytes));
}

ZK_SIM_PAGE_BYTES CZKSimPageCache::Allocate(size_t size)
{
    ZK_SIM_PAGE_BYTES bytes;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (size <= m_capacity)
            _MakeRoom(size, size, &bytes);
    }
    if (!bytes.data)
    {
        bytes.data.reset(new (std::nothrow) BYTE[size]);
        bytes.size = bytes.data ? size : 0;
    }
    return bytes;
}

size_t CZKSimPageCache::KeptBytes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_keptBytes;
}

size_t CZKSimPageCache::KeptPages() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_index.size();
}

// Called with the lock held: holders are only added under it, so an eviction
// (also under it) that sees none knows no thread reads the buffer.
CZKSimPageCache::Page CZKSimPageCache::_Lend(const std::shared_ptr<ENTRY>& entry)
{
    entry->holders.fetch_add(1, std::memory_order_relaxed);
    std::shared_ptr<ENTRY> owner = entry;
    // Release: the holder's reads of the bytes come before an eviction that
    // sees no holders and reuses them.
    return Page(&entry->bytes, [owner](const ZK_SIM_PAGE_BYTES*)
                { owner->holders.fetch_sub(1, std::memory_order_release); });
}

CZKSimPageCache::Page CZKSimPageCache::_Keep(const ZK_SIM_PAGE_KEY& key, ZK_SIM_PAGE_BYTES bytes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_index.find(key);
    if (found != m_index.end()) // another source made it meanwhile
    {
        m_recent.splice(m_recent.begin(), m_recent, found->second);
        return _Lend(*found->second);
    }
    auto entry = std::make_shared<ENTRY>();
    entry->key = key;
    entry->bytes = std::move(bytes);
    if (entry->bytes.size <= m_capacity)
    {
        _MakeRoom(entry->bytes.size, 0, nullptr);
        m_recent.push_front(entry);
        m_index[key] = m_recent.begin();
        m_keptBytes += entry->bytes.size;
    }
    return _Lend(entry);
}

void CZKSimPageCache::_MakeRoom(size_t size, size_t reuseSize, ZK_SIM_PAGE_BYTES* reused)
{
    while (m_keptBytes + size > m_capacity && !m_recent.empty())
        _Evict(std::prev(m_recent.end()), reuseSize, reused);
}

void CZKSimPageCache::_Evict(EntryList::iterator at, size_t reuseSize, ZK_SIM_PAGE_BYTES* reused)
{
    const std::shared_ptr<ENTRY> entry = *at;
    m_index.erase(entry->key);
    m_recent.erase(at);
    m_keptBytes -= entry->bytes.size;
    // A page still held lives on with its holders and is freed by the last.
    if (reused && !reused->data && entry->holders.load(std::memory_order_acquire) == 0 &&
        entry->bytes.size == reuseSize)
        *reused = std::move(entry->bytes);
}
