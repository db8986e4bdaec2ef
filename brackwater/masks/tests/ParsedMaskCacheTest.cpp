// The cache of parsed masks on its own: what it keeps, what it drops, and
// that many threads can share it.
#include "QXParsedMaskCache.h"

#include <brackwater/QXInputMaskEI.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace
{
std::atomic<int> g_parses{0};

BOOL CountedParse(const std::wstring& mask, CQXInputMaskItemList& list, DWORD& code)
{
    ++g_parses;
    return CQXInputMaskEI::Parse(mask, list, code);
}

using Cache = CQXParsedMaskCache<CQXInputMaskItemList>;

// Distinct valid masks whose maximum length tells them apart.
std::wstring DigitsMask(int length)
{
    return L"9<" + std::to_wstring(length) + L">";
}
} // namespace

TEST(ParsedMaskCacheTest, ParsesATextOnceAndSharesItsForm)
{
    Cache cache(&CountedParse);
    g_parses = 0;
    DWORD code = 99;
    const auto first = cache.Get(L"99\"-\"XXX<2,5>", code);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(code, 0u);
    code = 99;
    const auto again = cache.Get(L"99\"-\"XXX<2,5>", code);
    EXPECT_EQ(again, first);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(g_parses.load(), 1);
    EXPECT_EQ(first->GetCount(), 6); // 9, 9, "-", X, X, X<2,5>
}

TEST(ParsedMaskCacheTest, FailuresAreParsedAgainAndKeepTheParsersCode)
{
    Cache cache(&CountedParse);
    g_parses = 0;
    for (const wchar_t* bad : {L"9<5", L"X<4,2>", L"", L"i[5,1]", L"Q"})
    {
        CQXInputMaskItemList list;
        DWORD expected = 0;
        ASSERT_FALSE(CQXInputMaskEI::Parse(bad, list, expected));
        for (int call = 0; call < 2; ++call)
        {
            DWORD code = 0;
            EXPECT_EQ(cache.Get(bad, code), nullptr);
            EXPECT_EQ(code, expected) << "mask " << std::wstring(bad).size() << " call " << call;
        }
    }
    EXPECT_EQ(g_parses.load(), 10);
    EXPECT_EQ(cache.GetCount(), 0u);
}

TEST(ParsedMaskCacheTest, HoldsNoMoreThanItsCapacityAndKeepsWhatIsInUse)
{
    Cache cache(&CountedParse, 64);
    DWORD code = 0;
    const auto favourite = cache.Get(L"T<yyyyMMdd>", code);
    ASSERT_NE(favourite, nullptr);
    const auto evictedSoon = cache.Get(DigitsMask(1), code);
    for (int length = 2; length < 1000; ++length)
    {
        ASSERT_NE(cache.Get(DigitsMask(length), code), nullptr);
        ASSERT_LE(cache.GetCount(), cache.GetCapacity());
        // Used between every new mask, the favourite is never the oldest.
        ASSERT_EQ(cache.Get(L"T<yyyyMMdd>", code), favourite) << "after " << length;
    }
    EXPECT_EQ(cache.GetCapacity(), 64u);

    // An evicted form stays valid for whoever holds it; asking again parses anew.
    EXPECT_EQ(evictedSoon->GetItemsMaxLength(), 1);
    g_parses = 0;
    const auto reparsed = cache.Get(DigitsMask(1), code);
    EXPECT_NE(reparsed, evictedSoon);
    EXPECT_EQ(reparsed->GetItemsMaxLength(), 1);
    EXPECT_EQ(g_parses.load(), 1);
}

TEST(ParsedMaskCacheTest, LongTextsAreParsedButNotKept)
{
    Cache cache(&CountedParse);
    std::wstring longMask;
    while (longMask.size() <= Cache::kLongestKeptText)
        longMask += L"\"literal\" ";
    DWORD code = 0;
    ASSERT_NE(cache.Get(longMask, code), nullptr);
    EXPECT_EQ(cache.GetCount(), 0u);
}

// Threads share the cache while it evicts: each must still get the form of
// the text it asked for (run under ThreadSanitizer as well).
TEST(ParsedMaskCacheTest, ThreadsSharingTheCacheGetTheirOwnMasks)
{
    Cache cache(&CountedParse, 32);
    constexpr int kThreads = 6;
    constexpr int kMasks = 100;
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back([&cache, &wrong, t] {
            for (int round = 0; round < 20; ++round)
            {
                for (int i = 0; i < kMasks; ++i)
                {
                    const int length = 1 + (i * 7 + t * 13 + round) % kMasks;
                    DWORD code = 0;
                    const auto list = cache.Get(DigitsMask(length), code);
                    if (!list || code != 0 || list->GetItemsMaxLength() != length)
                        ++wrong;
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_LE(cache.GetCount(), cache.GetCapacity());
}
