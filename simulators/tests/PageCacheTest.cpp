// The page cache the virtual sources of a process share: each page made
// once, least recently used pages out first when the bytes pass the
// capacity, held pages left alone, evicted buffers reused, and safe when
// several sources use it at once.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "ZKSimPageCache.h"

namespace
{
constexpr size_t kPage = 100;

ZK_SIM_PAGE_KEY Key(uint32_t seed, EZKSimPageForm form = EZKSimPageForm::TWAIN_ROWS)
{
    ZK_SIM_PAGE_KEY key;
    key.format.width = 10;
    key.format.height = 10;
    key.seed = seed;
    key.form = form;
    return key;
}

// A maker that fills its page with the seed's low byte and counts its calls.
class CCountingMaker
{
public:
    explicit CCountingMaker(CZKSimPageCache& cache, size_t size = kPage)
        : m_cache(cache), m_size(size)
    {
    }

    CZKSimPageCache::Page Get(uint32_t seed)
    {
        return m_cache.Get(Key(seed),
                           [this, seed](ZK_SIM_PAGE_BYTES& bytes)
                           {
                               ++m_made;
                               bytes = m_cache.Allocate(m_size);
                               std::memset(bytes.data.get(), static_cast<int>(seed & 0xFF),
                                           bytes.size);
                               return true;
                           });
    }
    int Made() const { return m_made; }

private:
    CZKSimPageCache& m_cache;
    size_t m_size;
    std::atomic<int> m_made{0};
};

bool Holds(const CZKSimPageCache::Page& page, uint32_t seed)
{
    if (!page || page->size == 0)
        return false;
    for (size_t i = 0; i < page->size; ++i)
        if (page->data[i] != static_cast<BYTE>(seed))
            return false;
    return true;
}
} // namespace

TEST(PageCacheTest, APageIsMadeOnceAndSharedByItsHolders)
{
    CZKSimPageCache cache(10 * kPage);
    CCountingMaker maker(cache);
    const CZKSimPageCache::Page first = maker.Get(7);
    const CZKSimPageCache::Page again = maker.Get(7);
    EXPECT_EQ(1, maker.Made());
    EXPECT_EQ(first->data.get(), again->data.get());
    EXPECT_TRUE(Holds(again, 7));
    // Another form of the same page is another page.
    int made = 0;
    cache.Get(Key(7, EZKSimPageForm::DIB),
              [&](ZK_SIM_PAGE_BYTES& bytes)
              {
                  ++made;
                  bytes = cache.Allocate(1);
                  return true;
              });
    EXPECT_EQ(1, made);
    EXPECT_EQ(2u, cache.KeptPages());
    EXPECT_EQ(kPage + 1, cache.KeptBytes());
}

TEST(PageCacheTest, TheLeastRecentlyUsedPagesGoFirst)
{
    CZKSimPageCache cache(3 * kPage);
    CCountingMaker maker(cache);
    maker.Get(1);
    maker.Get(2);
    maker.Get(3);
    maker.Get(1); // 2 is now the oldest
    maker.Get(4);
    EXPECT_EQ(4, maker.Made());
    EXPECT_EQ(3 * kPage, cache.KeptBytes());
    maker.Get(1);
    maker.Get(3);
    maker.Get(4);
    EXPECT_EQ(4, maker.Made()) << "1, 3 and 4 stayed";
    EXPECT_TRUE(Holds(maker.Get(2), 2));
    EXPECT_EQ(5, maker.Made()) << "2 was made again";
    EXPECT_EQ(3u, cache.KeptPages());
}

TEST(PageCacheTest, AHeldPageOutlivesItsEvictionAndIsNotReused)
{
    CZKSimPageCache cache(2 * kPage);
    CCountingMaker maker(cache);
    const CZKSimPageCache::Page held = maker.Get(1);
    const BYTE* heldBytes = held->data.get();
    for (uint32_t seed = 2; seed < 8; ++seed)
    {
        const CZKSimPageCache::Page page = maker.Get(seed);
        EXPECT_NE(heldBytes, page->data.get()) << "seed " << seed;
    }
    EXPECT_TRUE(Holds(held, 1));
    EXPECT_LE(cache.KeptBytes(), 2 * kPage);
}

TEST(PageCacheTest, AnEvictedBufferNobodyHoldsServesTheNextPage)
{
    CZKSimPageCache cache(2 * kPage);
    CCountingMaker maker(cache);
    const BYTE* oldest = maker.Get(1)->data.get();
    maker.Get(2);
    const CZKSimPageCache::Page third = maker.Get(3);
    EXPECT_EQ(oldest, third->data.get());
    EXPECT_TRUE(Holds(third, 3));
    // A buffer of another size is not taken.
    CCountingMaker larger(cache, 2 * kPage);
    const CZKSimPageCache::Page big = larger.Get(9);
    EXPECT_TRUE(Holds(big, 9));
    EXPECT_EQ(2 * kPage, cache.KeptBytes());
}

TEST(PageCacheTest, PagesLargerThanTheCacheAndFailedPagesAreNotKept)
{
    CZKSimPageCache cache(kPage);
    CCountingMaker huge(cache, 2 * kPage);
    EXPECT_TRUE(Holds(huge.Get(1), 1));
    EXPECT_TRUE(Holds(huge.Get(1), 1));
    EXPECT_EQ(2, huge.Made());
    EXPECT_EQ(0u, cache.KeptBytes());
    EXPECT_EQ(nullptr, cache.Get(Key(2), [](ZK_SIM_PAGE_BYTES&) { return false; }));
    EXPECT_EQ(0u, cache.KeptPages());
}

// Sources on several threads scanning the same and different pages while
// the cache keeps evicting: every page read holds its own bytes.
TEST(PageCacheTest, SourcesOnSeveralThreadsShareItSafely)
{
    CZKSimPageCache cache(5 * kPage);
    CCountingMaker maker(cache);
    std::atomic<int> wrong{0};
    std::vector<std::thread> sources;
    for (int source = 0; source < 4; ++source)
        sources.emplace_back(
            [&, source]
            {
                for (uint32_t round = 0; round < 300; ++round)
                {
                    const uint32_t seed = (round * (source + 1)) % 9;
                    const CZKSimPageCache::Page page = maker.Get(seed);
                    if (!Holds(page, seed))
                        ++wrong;
                }
            });
    for (std::thread& source : sources)
        source.join();
    EXPECT_EQ(0, wrong.load());
    EXPECT_LE(cache.KeptBytes(), 5 * kPage);
}
