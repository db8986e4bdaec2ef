#include <wincompat/ZKGlobalMemory.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

namespace
{

HGLOBAL FilledBlock(size_t size, uint8_t first)
{
    HGLOBAL h = CZKGlobalMemory::Alloc(size);
    auto* bytes = static_cast<uint8_t*>(CZKGlobalMemory::Lock(h));
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(first + i);
    CZKGlobalMemory::Unlock(h);
    return h;
}

void ExpectRefused(HGLOBAL h)
{
    EXPECT_FALSE(CZKGlobalMemory::IsValid(h));
    EXPECT_EQ(nullptr, CZKGlobalMemory::Lock(h));
    EXPECT_FALSE(CZKGlobalMemory::Unlock(h));
    EXPECT_EQ(0u, CZKGlobalMemory::Size(h));
    EXPECT_EQ(nullptr, CZKGlobalMemory::ReAlloc(h, 16));
    EXPECT_FALSE(CZKGlobalMemory::Free(h));
}

} // namespace

TEST(GlobalMemory, AllocatesZeroFilledLockableBlocks)
{
    HGLOBAL h = CZKGlobalMemory::Alloc(64);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(64u, CZKGlobalMemory::Size(h));
    auto* bytes = static_cast<uint8_t*>(CZKGlobalMemory::Lock(h));
    ASSERT_NE(nullptr, bytes);
    EXPECT_EQ(std::vector<uint8_t>(64, 0), std::vector<uint8_t>(bytes, bytes + 64));
    // Locks nest: the same bytes each time, and each lock needs its unlock.
    EXPECT_EQ(bytes, CZKGlobalMemory::Lock(h));
    EXPECT_EQ(2u, CZKGlobalMemory::LockCount(h));
    EXPECT_TRUE(CZKGlobalMemory::Unlock(h));
    EXPECT_TRUE(CZKGlobalMemory::Unlock(h));
    EXPECT_FALSE(CZKGlobalMemory::Unlock(h));
    EXPECT_TRUE(CZKGlobalMemory::Free(h));
}

TEST(GlobalMemory, RefusesFreedForeignAndNullHandles)
{
    HGLOBAL h = FilledBlock(8, 1);
    ASSERT_TRUE(CZKGlobalMemory::Free(h));
    ExpectRefused(h); // includes the double free

    int local = 0;
    ExpectRefused(nullptr);
    ExpectRefused(reinterpret_cast<HGLOBAL>(&local));
    ExpectRefused(reinterpret_cast<HGLOBAL>(uintptr_t(0x1234)));

    // A value next to a live handle is not a handle either.
    HGLOBAL live = CZKGlobalMemory::Alloc(4);
    ExpectRefused(reinterpret_cast<HGLOBAL>(reinterpret_cast<uintptr_t>(live) + 1));
    EXPECT_TRUE(CZKGlobalMemory::Free(live));
}

TEST(GlobalMemory, FreedHandlesAreNotReusedSoon)
{
    HGLOBAL freed = CZKGlobalMemory::Alloc(4);
    ASSERT_TRUE(CZKGlobalMemory::Free(freed));
    std::vector<HGLOBAL> later;
    for (int i = 0; i < 1000; ++i)
    {
        later.push_back(CZKGlobalMemory::Alloc(4));
        EXPECT_NE(freed, later.back());
    }
    EXPECT_FALSE(CZKGlobalMemory::IsValid(freed));
    for (HGLOBAL h : later)
        EXPECT_TRUE(CZKGlobalMemory::Free(h));
}

TEST(GlobalMemory, ZeroSizeBlockIsValidAndLockable)
{
    HGLOBAL h = CZKGlobalMemory::Alloc(0);
    ASSERT_NE(nullptr, h);
    EXPECT_TRUE(CZKGlobalMemory::IsValid(h));
    EXPECT_EQ(0u, CZKGlobalMemory::Size(h));
    EXPECT_NE(nullptr, CZKGlobalMemory::Lock(h));
    EXPECT_TRUE(CZKGlobalMemory::Unlock(h));
    EXPECT_TRUE(CZKGlobalMemory::Free(h));
}

TEST(GlobalMemory, ReAllocKeepsContentAndZeroFillsGrowth)
{
    HGLOBAL h = FilledBlock(16, 10);
    ASSERT_EQ(h, CZKGlobalMemory::ReAlloc(h, 32));
    EXPECT_EQ(32u, CZKGlobalMemory::Size(h));
    auto* bytes = static_cast<uint8_t*>(CZKGlobalMemory::Lock(h));
    for (size_t i = 0; i < 16; ++i)
        EXPECT_EQ(10 + i, bytes[i]);
    for (size_t i = 16; i < 32; ++i)
        EXPECT_EQ(0, bytes[i]);
    CZKGlobalMemory::Unlock(h);

    ASSERT_EQ(h, CZKGlobalMemory::ReAlloc(h, 4));
    bytes = static_cast<uint8_t*>(CZKGlobalMemory::Lock(h));
    EXPECT_EQ((std::vector<uint8_t>{10, 11, 12, 13}), std::vector<uint8_t>(bytes, bytes + 4));
    CZKGlobalMemory::Unlock(h);
    EXPECT_TRUE(CZKGlobalMemory::Free(h));
}

TEST(GlobalMemory, ReAllocOfLockedBlockIsRefusedAndLeavesItIntact)
{
    HGLOBAL h = FilledBlock(8, 1);
    auto* bytes = static_cast<uint8_t*>(CZKGlobalMemory::Lock(h));
    EXPECT_EQ(nullptr, CZKGlobalMemory::ReAlloc(h, 100));
    EXPECT_EQ(8u, CZKGlobalMemory::Size(h));
    EXPECT_EQ(1, bytes[0]); // the locked pointer still points at the block
    CZKGlobalMemory::Unlock(h);
    EXPECT_TRUE(CZKGlobalMemory::Free(h));
}

TEST(GlobalMemory, OversizedRequestsFailCleanly)
{
    EXPECT_EQ(nullptr, CZKGlobalMemory::Alloc(SIZE_MAX));
    HGLOBAL h = FilledBlock(8, 5);
    EXPECT_EQ(nullptr, CZKGlobalMemory::ReAlloc(h, SIZE_MAX));
    EXPECT_EQ(8u, CZKGlobalMemory::Size(h));
    auto* bytes = static_cast<uint8_t*>(CZKGlobalMemory::Lock(h));
    EXPECT_EQ(5, bytes[0]);
    CZKGlobalMemory::Unlock(h);
    EXPECT_TRUE(CZKGlobalMemory::Free(h));
}

TEST(GlobalMemory, FreeingALockedBlockStillFreesIt)
{
    HGLOBAL h = CZKGlobalMemory::Alloc(8);
    ASSERT_NE(nullptr, CZKGlobalMemory::Lock(h));
    EXPECT_TRUE(CZKGlobalMemory::Free(h));
    ExpectRefused(h);
}

TEST(GlobalMemory, ConcurrentUseGivesDistinctHandles)
{
    constexpr int kThreads = 4;
    constexpr int kBlocks = 200;
    std::vector<std::vector<HGLOBAL>> perThread(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(
            [&, t]
            {
                for (int i = 0; i < kBlocks; ++i)
                {
                    HGLOBAL h = CZKGlobalMemory::Alloc(16);
                    std::memset(CZKGlobalMemory::Lock(h), t, 16);
                    CZKGlobalMemory::Unlock(h);
                    perThread[t].push_back(h);
                }
            });
    for (auto& thread : threads)
        thread.join();
    std::set<HGLOBAL> all;
    for (int t = 0; t < kThreads; ++t)
        for (HGLOBAL h : perThread[t])
        {
            all.insert(h);
            EXPECT_EQ(t, static_cast<uint8_t*>(CZKGlobalMemory::Lock(h))[15]);
            CZKGlobalMemory::Unlock(h);
            EXPECT_TRUE(CZKGlobalMemory::Free(h));
        }
    EXPECT_EQ(size_t(kThreads * kBlocks), all.size());
}
