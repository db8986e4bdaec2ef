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
    // Never destroyed: a page still held at exit goes back to it.
    static CZKSimPageCache* shared = new CZKSimPageCache();
    return *shared;
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

// Called with the lock held. Holders are counted under the lock, so a buffer
// with none left is no longer read by any thread.
CZKSimPageCache::Page CZKSimPageCache::_Lend(const std::shared_ptr<ENTRY>& entry)
{
    ++entry->holders;
    std::shared_ptr<ENTRY> owner = entry;
    return Page(&entry->bytes, [this, owner](const ZK_SIM_PAGE_BYTES*) { _Return(*owner); });
}

void CZKSimPageCache::_Return(ENTRY& entry)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    --entry.holders;
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
    if (reused && !reused->data && entry->holders == 0 && entry->bytes.size == reuseSize)
        *reused = std::move(entry->bytes);
}
