// Pages in the form transfers serve them, made once and kept for the sources
// of the whole process (several applications may scan at once), least
// recently used first out when the bytes kept pass the capacity. A page
// handed out stays valid while its holder keeps it, evicted or not; the
// buffers of evicted pages nobody holds are reused for new pages of the same
// size, so a stream of new pages does not fault fresh memory in every time.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>

#include "ZKSimPageGenerator.h"

// The bytes of one served page; made without clearing, the maker writes all.
struct ZK_SIM_PAGE_BYTES
{
    std::unique_ptr<BYTE[]> data;
    size_t size = 0;
};

// The forms a page is served in.
enum class EZKSimPageForm
{
    TWAIN_ROWS, // top-down unpadded rows, colour red first
    DIB,        // header, palette, bottom-up padded rows
    GROUP4,
    JPEG,
    TIFF, // uncompressed TIFF file
    TIFF_GROUP4,
    BMP_FILE,           // file header and DIB
    ROWS_WHITE_IS_ZERO, // top-down unpadded 1-bit rows, set bits black
};

// Everything that decides a served page's bytes.
struct ZK_SIM_PAGE_KEY
{
    ZK_SIM_PAGE_FORMAT format;
    uint32_t seed = 0;
    EZKSimPageForm form = EZKSimPageForm::TWAIN_ROWS;

    bool operator<(const ZK_SIM_PAGE_KEY& other) const;
};

class CZKSimPageCache
{
public:
    using Page = std::shared_ptr<const ZK_SIM_PAGE_BYTES>;
    // Fills bytes with the page; bytes of a known size come from Allocate.
    using Maker = std::function<bool(ZK_SIM_PAGE_BYTES& bytes)>;

    static constexpr size_t kDefaultCapacity = size_t(256) << 20;

    explicit CZKSimPageCache(size_t capacity = kDefaultCapacity);
    CZKSimPageCache(const CZKSimPageCache&) = delete;
    CZKSimPageCache& operator=(const CZKSimPageCache&) = delete;
    ~CZKSimPageCache();

    // The one every virtual source of the process shares.
    static CZKSimPageCache& Shared();

    // The page kept for key, else the one make makes (kept when it fits);
    // null when make fails.
    Page Get(const ZK_SIM_PAGE_KEY& key, const Maker& make);
    // A buffer for a page of size bytes: room is made first, and the buffer
    // of a page evicted for it is reused when it has that size.
    ZK_SIM_PAGE_BYTES Allocate(size_t size);

    size_t KeptBytes() const;
    size_t KeptPages() const;

private:
    struct ENTRY
    {
        ZK_SIM_PAGE_KEY key;
        ZK_SIM_PAGE_BYTES bytes;
        // Raised under the lock, lowered by a holder's release without it:
        // a page returned needs no cache, so one may outlive it.
        std::atomic<int> holders{0};
    };
    using EntryList = std::list<std::shared_ptr<ENTRY>>;

    Page _Lend(const std::shared_ptr<ENTRY>& entry);
    Page _Keep(const ZK_SIM_PAGE_KEY& key, ZK_SIM_PAGE_BYTES bytes);
    // Evicts from the least recently used end until size more bytes fit;
    // an evicted buffer of exactly reuseSize bytes goes to reused.
    void _MakeRoom(size_t size, size_t reuseSize, ZK_SIM_PAGE_BYTES* reused);
    void _Evict(EntryList::iterator at, size_t reuseSize, ZK_SIM_PAGE_BYTES* reused);

    const size_t m_capacity;
    mutable std::mutex m_mutex;
    EntryList m_recent; // most recently used first
    std::map<ZK_SIM_PAGE_KEY, EntryList::iterator> m_index;
    size_t m_keptBytes = 0;
};
