#include <wincompat/ZKCriticalSection.h>
#include <wincompat/ZKEvent.h>
#include <wincompat/ZKThread.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <set>
#include <vector>

TEST(Thread, IdsAreDistinctAndKnownInsideTheThread)
{
    CZKThread first;
    CZKThread second;
    std::atomic<DWORD> seenFirst{0};
    std::atomic<DWORD> seenSecond{0};
    ASSERT_TRUE(first.Start([&] { seenFirst = CZKThread::CurrentId(); }));
    ASSERT_TRUE(second.Start([&] { seenSecond = CZKThread::CurrentId(); }));
    EXPECT_EQ(WAIT_OBJECT_0, first.Join());
    EXPECT_EQ(WAIT_OBJECT_0, second.Join());
    EXPECT_EQ(first.Id(), seenFirst.load());
    EXPECT_EQ(second.Id(), seenSecond.load());
    std::set<DWORD> ids{first.Id(), second.Id(), CZKThread::CurrentId()};
    EXPECT_EQ(3u, ids.size());
    EXPECT_EQ(0u, ids.count(0));
    EXPECT_EQ(CZKThread::CurrentId(), CZKThread::CurrentId());
}

TEST(Thread, JoinTimesOutWhileRunningAndRefusesMisuse)
{
    CZKThread thread;
    EXPECT_EQ(WAIT_FAILED, thread.Join(0)); // never started
    CZKEvent release;
    ASSERT_TRUE(thread.Start([&] { release.Wait(); }));
    EXPECT_FALSE(thread.Start([] {})); // already running
    EXPECT_EQ(WAIT_TIMEOUT, thread.Join(0));
    EXPECT_TRUE(thread.IsRunning());
    release.Set();
    EXPECT_EQ(WAIT_OBJECT_0, thread.Join());
    EXPECT_FALSE(thread.IsRunning());
    // A thread that has ended can run again.
    std::atomic<bool> ran{false};
    ASSERT_TRUE(thread.Start([&] { ran = true; }));
    EXPECT_EQ(WAIT_OBJECT_0, thread.Join());
    EXPECT_TRUE(ran);
}

TEST(Thread, ExceptionInBodyDoesNotEscape)
{
    CZKThread thread;
    ASSERT_TRUE(thread.Start([] { throw 42; }));
    EXPECT_EQ(WAIT_OBJECT_0, thread.Join());
}

TEST(Event, AutoResetReleasesOneWaitPerSet)
{
    CZKEvent event;
    EXPECT_EQ(WAIT_TIMEOUT, event.Wait(0));
    event.Set();
    EXPECT_EQ(WAIT_OBJECT_0, event.Wait(0));
    EXPECT_EQ(WAIT_TIMEOUT, event.Wait(0));

    std::atomic<int> released{0};
    CZKThread waiters[3];
    for (auto& waiter : waiters)
        waiter.Start(
            [&]
            {
                event.Wait();
                ++released;
            });
    // Each Set may land before a waiter waits, so keep setting until all are
    // through; an auto-reset event never lets two go on one Set.
    while (released < 3)
    {
        event.Set();
        ZKSleep(1);
    }
    for (auto& waiter : waiters)
        EXPECT_EQ(WAIT_OBJECT_0, waiter.Join());
}

TEST(Event, ManualResetStaysSetUntilReset)
{
    CZKEvent event(true, true);
    EXPECT_EQ(WAIT_OBJECT_0, event.Wait(0));
    EXPECT_EQ(WAIT_OBJECT_0, event.Wait(0));
    EXPECT_TRUE(event.IsSet());
    event.Reset();
    EXPECT_EQ(WAIT_TIMEOUT, event.Wait(10));

    CZKThread waiter;
    std::atomic<bool> through{false};
    waiter.Start(
        [&]
        {
            event.Wait();
            through = true;
        });
    event.Set();
    EXPECT_EQ(WAIT_OBJECT_0, waiter.Join());
    EXPECT_TRUE(through);
    EXPECT_TRUE(event.IsSet());
}

TEST(Event, WaitForAnyReportsLowestSignalledIndexAndConsumesOnlyIt)
{
    CZKEvent a;
    CZKEvent b;
    CZKEvent c(true);
    EXPECT_EQ(WAIT_TIMEOUT, CZKEvent::WaitForMultiple({&a, &b, &c}, false, 5));
    b.Set();
    c.Set();
    EXPECT_EQ(WAIT_OBJECT_0 + 1, CZKEvent::WaitForMultiple({&a, &b, &c}, false, 0));
    EXPECT_FALSE(b.IsSet());
    EXPECT_EQ(WAIT_OBJECT_0 + 2, CZKEvent::WaitForMultiple({&a, &b, &c}, false, 0));
    EXPECT_TRUE(c.IsSet()); // manual reset

    CZKThread setter;
    setter.Start([&] { a.Set(); });
    c.Reset();
    EXPECT_EQ(WAIT_OBJECT_0, CZKEvent::WaitForMultiple({&a, &b, &c}, false, INFINITE));
    setter.Join();
}

TEST(Event, WaitForAllNeedsEveryEventAndConsumesNothingUntilThen)
{
    CZKEvent a;
    CZKEvent b;
    a.Set();
    EXPECT_EQ(WAIT_TIMEOUT, CZKEvent::WaitForMultiple({&a, &b}, true, 5));
    EXPECT_TRUE(a.IsSet()); // a partial match takes nothing

    CZKThread setter;
    setter.Start([&] { b.Set(); });
    EXPECT_EQ(WAIT_OBJECT_0, CZKEvent::WaitForMultiple({&a, &b}, true, INFINITE));
    setter.Join();
    EXPECT_FALSE(a.IsSet());
    EXPECT_FALSE(b.IsSet());
}

TEST(Event, BadListsFail)
{
    CZKEvent a;
    EXPECT_EQ(WAIT_FAILED, CZKEvent::WaitForMultiple({}, false, 0));
    EXPECT_EQ(WAIT_FAILED, CZKEvent::WaitForMultiple({&a, nullptr}, true, 0));
}

TEST(CriticalSection, IsRecursiveAndExcludesOtherThreads)
{
    CZKCriticalSection section;
    section.Enter();
    EXPECT_TRUE(section.TryEnter()); // same thread: recursion
    std::atomic<BOOL> otherGotIt{TRUE};
    CZKThread other;
    other.Start([&] { otherGotIt = section.TryEnter(); });
    other.Join();
    EXPECT_FALSE(otherGotIt.load());
    section.Leave();
    section.Leave();

    other.Start(
        [&]
        {
            otherGotIt = section.TryEnter();
            if (otherGotIt)
                section.Leave();
        });
    other.Join();
    EXPECT_TRUE(otherGotIt.load());
}

TEST(CriticalSection, ScopedLockSerialisesIncrements)
{
    CZKCriticalSection section;
    long counter = 0; // deliberately not atomic: the section must protect it
    std::vector<std::unique_ptr<CZKThread>> threads;
    for (int t = 0; t < 4; ++t)
    {
        threads.push_back(std::make_unique<CZKThread>());
        threads.back()->Start(
            [&]
            {
                for (int i = 0; i < 10000; ++i)
                {
                    CZKCriticalSection::ScopedLock lock(section);
                    CZKCriticalSection::ScopedLock again(section);
                    ++counter;
                }
            });
    }
    for (auto& thread : threads)
        thread->Join();
    EXPECT_EQ(40000, counter);
}
