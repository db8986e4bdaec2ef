#include <wincompat/ZKEvent.h>
#include <wincompat/ZKHiddenWindow.h>
#include <wincompat/ZKMessageBox.h>
#include <wincompat/ZKMessageQueue.h>
#include <wincompat/ZKThread.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace
{
// Counts the allocations of every thread while a test asks for it.
std::atomic<bool> g_countAllocations{false};
std::atomic<long> g_allocations{0};
} // namespace

void* operator new(std::size_t size)
{
    if (g_countAllocations.load(std::memory_order_relaxed))
        g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

// Not inlined: the compiler would otherwise pair our new with free.
__attribute__((noinline)) void operator delete(void* block) noexcept
{
    std::free(block);
}

__attribute__((noinline)) void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace
{

constexpr UINT kStop = WM_APP + 100;

// A thread owning one hidden window and running the usual message loop
// until told to stop.
class WindowThread
{
public:
    explicit WindowThread(ZKWindowHandler handler)
    {
        m_thread.Start(
            [this, handler]
            {
                m_hwnd = CZKHiddenWindow::Create(
                    [handler](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT
                    {
                        if (message == kStop)
                        {
                            CZKMessageQueue::PostQuit(0);
                            return 0;
                        }
                        return handler(message, wParam, lParam);
                    });
                m_ready.Set();
                MSG msg;
                while (CZKMessageQueue::Get(msg))
                    CZKMessageQueue::Dispatch(msg);
                CZKHiddenWindow::Destroy(m_hwnd);
            });
        m_ready.Wait();
    }
    ~WindowThread() { Stop(); }

    void Stop()
    {
        CZKHiddenWindow::Post(m_hwnd, kStop, 0, 0);
        m_thread.Join();
    }
    HWND Hwnd() const { return m_hwnd; }
    DWORD Id() const { return m_thread.Id(); }

private:
    CZKThread m_thread;
    CZKEvent m_ready;
    std::atomic<HWND> m_hwnd{nullptr};
};

// Runs body on a fresh thread, so each test starts with an empty queue.
void OnOwnThread(std::function<void()> body)
{
    CZKThread thread;
    ASSERT_TRUE(thread.Start(std::move(body)));
    ASSERT_EQ(WAIT_OBJECT_0, thread.Join());
}

} // namespace

TEST(MessageQueue, SendFromAnotherThreadRunsOnTheOwnerAndWaitsForTheResult)
{
    std::atomic<DWORD> handledOn{0};
    WindowThread window(
        [&](UINT, WPARAM wParam, LPARAM) -> LRESULT
        {
            handledOn = CZKThread::CurrentId();
            return static_cast<LRESULT>(wParam * 2);
        });
    bool delivered = false;
    EXPECT_EQ(42, CZKHiddenWindow::Send(window.Hwnd(), WM_USER, 21, 0, &delivered));
    EXPECT_TRUE(delivered);
    EXPECT_EQ(window.Id(), handledOn.load());
    EXPECT_NE(CZKThread::CurrentId(), handledOn.load());
    EXPECT_EQ(window.Id(), CZKHiddenWindow::OwnerThreadId(window.Hwnd()));
}

TEST(MessageQueue, SendBlocksUntilTheOwnerGetsRoundToIt)
{
    CZKEvent ready(true);
    CZKEvent gate(true);
    std::atomic<bool> handled{false};
    std::atomic<HWND> hwnd{nullptr};
    CZKThread owner;
    owner.Start(
        [&]
        {
            hwnd = CZKHiddenWindow::Create(
                [&](UINT message, WPARAM, LPARAM) -> LRESULT
                {
                    if (message != WM_USER)
                        return 0;
                    handled = true;
                    CZKMessageQueue::PostQuit(0);
                    return 5;
                });
            ready.Set();
            gate.Wait(); // busy elsewhere: the send has to wait
            MSG msg;
            while (CZKMessageQueue::Get(msg))
                CZKMessageQueue::Dispatch(msg);
            CZKHiddenWindow::Destroy(hwnd);
        });
    ready.Wait();
    std::atomic<bool> handledWhenSendReturned{false};
    std::atomic<LRESULT> result{0};
    CZKThread sender;
    sender.Start(
        [&]
        {
            result = CZKHiddenWindow::Send(hwnd, WM_USER, 0, 0);
            handledWhenSendReturned = handled.load();
        });
    gate.Set();
    sender.Join();
    owner.Join();
    EXPECT_EQ(5, result.load());
    EXPECT_TRUE(handledWhenSendReturned);
}

TEST(MessageQueue, SendOnTheOwnerThreadRunsTheHandlerDirectly)
{
    OnOwnThread(
        []
        {
            DWORD handledOn = 0;
            HWND hwnd = CZKHiddenWindow::Create(
                [&](UINT message, WPARAM, LPARAM) -> LRESULT
                {
                    handledOn = CZKThread::CurrentId();
                    if (message == WM_USER + 1)
                        throw 1; // a throwing handler is reported, not propagated
                    return 9;
                });
            EXPECT_EQ(9, CZKHiddenWindow::Send(hwnd, WM_USER, 0, 0));
            EXPECT_EQ(CZKThread::CurrentId(), handledOn);
            bool delivered = true;
            CZKHiddenWindow::Send(hwnd, WM_USER + 1, 0, 0, &delivered);
            EXPECT_FALSE(delivered);
            EXPECT_TRUE(CZKHiddenWindow::Destroy(hwnd));
        });
}

TEST(MessageQueue, SendingBackToABlockedSenderDoesNotDeadlock)
{
    // Two threads bounce one message between them: each handler sends to the
    // other window while the other thread is itself blocked in a send.
    std::atomic<HWND> mine{nullptr};
    std::atomic<HWND> theirs{nullptr};
    std::atomic<int> handledOnMe{0};
    auto bounce = [&](std::atomic<HWND>& other)
    {
        return [&other](UINT, WPARAM depth, LPARAM) -> LRESULT
        {
            if (depth == 0)
                return 0;
            return CZKHiddenWindow::Send(other, WM_USER, depth - 1, 0) + 1;
        };
    };
    WindowThread window(bounce(mine));
    theirs = window.Hwnd();
    OnOwnThread(
        [&]
        {
            const DWORD me = CZKThread::CurrentId();
            auto forward = bounce(theirs);
            mine = CZKHiddenWindow::Create(
                [&, me, forward](UINT message, WPARAM depth, LPARAM lParam) -> LRESULT
                {
                    if (message == WM_USER && CZKThread::CurrentId() == me)
                        ++handledOnMe;
                    return forward(message, depth, lParam);
                });
            EXPECT_EQ(10, CZKHiddenWindow::Send(theirs, WM_USER, 10, 0));
            CZKHiddenWindow::Destroy(mine);
        });
    EXPECT_EQ(5, handledOnMe.load()); // depths 9, 7, 5, 3, 1 ran here
}

TEST(MessageQueue, PostsFromManyThreadsArriveInOrderPerSender)
{
    constexpr int kSenders = 4;
    constexpr int kPerSender = 500;
    std::vector<std::pair<WPARAM, LPARAM>> received; // only the window thread touches it until Stop
    {
        WindowThread window(
            [&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT
            {
                if (message == WM_USER)
                    received.emplace_back(wParam, lParam);
                return 0;
            });
        std::vector<std::unique_ptr<CZKThread>> senders;
        for (int s = 0; s < kSenders; ++s)
        {
            senders.push_back(std::make_unique<CZKThread>());
            senders.back()->Start(
                [&, s]
                {
                    for (int i = 0; i < kPerSender; ++i)
                        EXPECT_TRUE(CZKHiddenWindow::Post(window.Hwnd(), WM_USER, WPARAM(s), i));
                });
        }
        for (auto& sender : senders)
            sender->Join();
        window.Stop();
    }
    ASSERT_EQ(size_t(kSenders * kPerSender), received.size());
    std::vector<LPARAM> next(kSenders, 0);
    for (const auto& entry : received)
    {
        ASSERT_LT(entry.first, WPARAM(kSenders));
        EXPECT_EQ(next[entry.first]++, entry.second);
    }
}

TEST(MessageQueue, PeekGetAndQuitFollowPostingOrder)
{
    OnOwnThread(
        []
        {
            HWND hwnd = CZKHiddenWindow::Create([](UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
            MSG msg{};
            EXPECT_FALSE(CZKMessageQueue::Peek(msg, true));
            CZKHiddenWindow::Post(hwnd, WM_USER + 1, 0, 0);
            CZKHiddenWindow::Post(hwnd, WM_USER + 2, 0, 0);
            CZKMessageQueue::PostQuit(5);
            CZKHiddenWindow::Post(hwnd, WM_USER + 3, 0, 0);
            EXPECT_EQ(3u, CZKMessageQueue::PendingCount());

            ASSERT_TRUE(CZKMessageQueue::Peek(msg, false));
            EXPECT_EQ(WM_USER + 1, msg.message);
            ASSERT_TRUE(CZKMessageQueue::Peek(msg, true));
            EXPECT_EQ(WM_USER + 1, msg.message);
            EXPECT_EQ(hwnd, msg.hwnd);
            ASSERT_TRUE(CZKMessageQueue::Get(msg));
            EXPECT_EQ(WM_USER + 2, msg.message);
            // The quit waits for everything posted before it is read.
            ASSERT_TRUE(CZKMessageQueue::Get(msg));
            EXPECT_EQ(WM_USER + 3, msg.message);
            EXPECT_FALSE(CZKMessageQueue::Get(msg));
            EXPECT_EQ(WM_QUIT, msg.message);
            EXPECT_EQ(5u, msg.wParam);
            EXPECT_FALSE(CZKMessageQueue::Peek(msg, true));
            CZKHiddenWindow::Destroy(hwnd);
        });
}

TEST(MessageQueue, ThreadMessagesReachTheThreadsLoop)
{
    std::atomic<DWORD> id{0};
    CZKEvent ready;
    CZKThread thread;
    std::atomic<UINT> got{0};
    thread.Start(
        [&]
        {
            id = CZKThread::CurrentId();
            MSG msg{};
            CZKMessageQueue::Peek(msg, false); // creates the queue
            ready.Set();
            if (CZKMessageQueue::Get(msg) && msg.hwnd == nullptr)
                got = msg.message;
        });
    ready.Wait();
    EXPECT_TRUE(CZKMessageQueue::PostToThread(id, WM_USER + 7, 0, 0));
    thread.Join();
    EXPECT_EQ(WM_USER + 7, got.load());
    EXPECT_FALSE(CZKMessageQueue::PostToThread(id, WM_USER, 0, 0)); // thread ended
}

TEST(MessageQueue, DestroyedWindowRefusesMessagesAndDropsWhatWasQueued)
{
    OnOwnThread(
        []
        {
            std::vector<UINT> seen;
            HWND hwnd = CZKHiddenWindow::Create(
                [&](UINT message, WPARAM, LPARAM) -> LRESULT
                {
                    seen.push_back(message);
                    return 0;
                });
            HWND other = CZKHiddenWindow::Create([](UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
            CZKHiddenWindow::Post(hwnd, WM_USER, 0, 0);
            CZKHiddenWindow::Post(other, WM_USER + 1, 0, 0);
            EXPECT_TRUE(CZKHiddenWindow::Destroy(hwnd));
            EXPECT_EQ(std::vector<UINT>{WM_DESTROY}, seen);
            EXPECT_FALSE(CZKHiddenWindow::IsWindow(hwnd));
            EXPECT_FALSE(CZKHiddenWindow::Destroy(hwnd));
            EXPECT_FALSE(CZKHiddenWindow::Post(hwnd, WM_USER, 0, 0));
            bool delivered = true;
            CZKHiddenWindow::Send(hwnd, WM_USER, 0, 0, &delivered);
            EXPECT_FALSE(delivered);
            MSG msg{};
            ASSERT_TRUE(
                CZKMessageQueue::Peek(msg, true)); // only the other window's message is left
            EXPECT_EQ(other, msg.hwnd);
            EXPECT_FALSE(CZKMessageQueue::Peek(msg, true));
            EXPECT_EQ(0, CZKMessageQueue::Dispatch(MSG{hwnd, WM_USER, 0, 0, 0, {0, 0}}));
            CZKHiddenWindow::Destroy(other);
        });
}

TEST(MessageQueue, OnlyTheOwnerThreadCanDestroyAWindow)
{
    WindowThread window([](UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    EXPECT_FALSE(CZKHiddenWindow::Destroy(window.Hwnd()));
    EXPECT_TRUE(CZKHiddenWindow::IsWindow(window.Hwnd()));
}

TEST(MessageQueue, SendToAThreadThatHasQuitFailsInsteadOfHanging)
{
    CZKEvent quitRead(true);
    CZKEvent finish(true);
    std::atomic<HWND> hwnd{nullptr};
    CZKThread owner;
    owner.Start(
        [&]
        {
            hwnd = CZKHiddenWindow::Create([](UINT, WPARAM, LPARAM) -> LRESULT { return 1; });
            CZKMessageQueue::PostQuit(0);
            MSG msg;
            while (CZKMessageQueue::Get(msg))
                CZKMessageQueue::Dispatch(msg);
            quitRead.Set();
            finish.Wait(); // still alive, window still there, loop over
        });
    quitRead.Wait();
    bool delivered = true;
    CZKHiddenWindow::Send(hwnd, WM_USER, 0, 0, &delivered);
    EXPECT_FALSE(delivered);
    finish.Set();
    owner.Join();
}

TEST(MessageQueue, SendToAThreadThatEndsFailsAndItsWindowsGo)
{
    CZKEvent ready(true);
    CZKEvent finish(true);
    std::atomic<HWND> hwnd{nullptr};
    CZKThread owner;
    owner.Start(
        [&]
        {
            hwnd = CZKHiddenWindow::Create([](UINT, WPARAM, LPARAM) -> LRESULT { return 1; });
            ready.Set();
            finish.Wait(); // never reads its queue, never destroys the window
        });
    ready.Wait();
    std::atomic<bool> delivered{true};
    CZKThread sender;
    sender.Start(
        [&]
        {
            bool ok = true;
            CZKHiddenWindow::Send(hwnd, WM_USER, 0, 0, &ok);
            delivered = ok;
        });
    finish.Set();
    owner.Join();
    sender.Join();
    EXPECT_FALSE(delivered.load());
    EXPECT_FALSE(CZKHiddenWindow::IsWindow(hwnd));
    EXPECT_FALSE(CZKHiddenWindow::Post(hwnd, WM_USER, 0, 0));
}

TEST(MessageQueue, TimedOutSendIsNotHandledLater)
{
    CZKEvent ready(true);
    CZKEvent gate(true);
    std::atomic<int> handled{0};
    std::atomic<HWND> hwnd{nullptr};
    CZKThread owner;
    owner.Start(
        [&]
        {
            hwnd = CZKHiddenWindow::Create([&](UINT message, WPARAM, LPARAM) -> LRESULT
                                           { return message == WM_USER ? ++handled : 0; });
            ready.Set();
            gate.Wait();
            CZKMessageQueue::ProcessSent();
            CZKHiddenWindow::Destroy(hwnd);
        });
    ready.Wait();
    LRESULT result = 77;
    EXPECT_FALSE(CZKHiddenWindow::SendTimeout(hwnd, WM_USER, 0, 0, 20, &result));
    EXPECT_EQ(0, result);
    gate.Set();
    owner.Join();
    EXPECT_EQ(0, handled.load());
}

TEST(MessageQueue, ASendGivenUpOnDoesNotStandInForTheSendersNextOne)
{
    CZKEvent ready(true);
    CZKEvent gate(true);
    std::atomic<int> handled{0};
    std::atomic<WPARAM> handledValue{0};
    std::atomic<HWND> hwnd{nullptr};
    WindowThread owner(
        [&](UINT message, WPARAM wParam, LPARAM) -> LRESULT
        {
            if (message == WM_APP)
            {
                ready.Set();
                gate.Wait(); // busy: the sends below queue up
                return 0;
            }
            if (message != WM_USER)
                return 0;
            ++handled;
            handledValue = wParam;
            return static_cast<LRESULT>(wParam + 100);
        });
    ASSERT_TRUE(CZKHiddenWindow::Post(owner.Hwnd(), WM_APP, 0, 0));
    ready.Wait();
    std::atomic<LRESULT> second{0};
    std::atomic<bool> firstTimedOut{false};
    CZKThread sender;
    sender.Start(
        [&]
        {
            LRESULT ignored = 0;
            firstTimedOut = !CZKHiddenWindow::SendTimeout(owner.Hwnd(), WM_USER, 1, 0, 20, &ignored);
            second = CZKHiddenWindow::Send(owner.Hwnd(), WM_USER, 2, 0);
        });
    // The second send is queued behind the abandoned one before the owner
    // gets round to either.
    ZKSleep(60);
    gate.Set();
    sender.Join();
    EXPECT_TRUE(firstTimedOut.load());
    EXPECT_EQ(102, second.load());
    EXPECT_EQ(1, handled.load());
    EXPECT_EQ(2u, handledValue.load());
}

TEST(MessageQueue, ASendAllocatesNothingOnceItsThreadHasSentBefore)
{
    WindowThread window([](UINT, WPARAM wParam, LPARAM) -> LRESULT { return static_cast<LRESULT>(wParam); });
    ASSERT_EQ(7, CZKHiddenWindow::Send(window.Hwnd(), WM_USER, 7, 0)); // the first one sets up
    g_allocations = 0;
    g_countAllocations = true;
    int wrong = 0;
    for (int i = 0; i < 200; ++i)
        wrong += CZKHiddenWindow::Send(window.Hwnd(), WM_USER, static_cast<WPARAM>(i), 0) == i ? 0 : 1;
    g_countAllocations = false;
    EXPECT_EQ(0, wrong);
    EXPECT_EQ(0, g_allocations.load());
}

TEST(MessageQueue, ConcurrentSendersEachGetTheirOwnAnswer)
{
    constexpr int kSenders = 6;
    constexpr int kSendsEach = 400;
    std::atomic<int> handled{0};
    WindowThread owner(
        [&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT
        {
            if (message != WM_USER)
                return 0;
            ++handled;
            return static_cast<LRESULT>(wParam * 1000 + static_cast<WPARAM>(lParam));
        });
    std::atomic<int> wrong{0};
    std::atomic<int> undelivered{0};
    std::vector<std::unique_ptr<CZKThread>> senders;
    for (int t = 0; t < kSenders; ++t)
    {
        senders.push_back(std::make_unique<CZKThread>());
        senders.back()->Start(
            [&, t]
            {
                for (int i = 0; i < kSendsEach; ++i)
                {
                    bool delivered = false;
                    const LRESULT answer = CZKHiddenWindow::Send(owner.Hwnd(), WM_USER, static_cast<WPARAM>(t),
                                                                 static_cast<LPARAM>(i), &delivered);
                    undelivered += delivered ? 0 : 1;
                    wrong += answer == t * 1000 + i ? 0 : 1;
                }
            });
    }
    for (auto& sender : senders)
        sender->Join();
    EXPECT_EQ(0, undelivered.load());
    EXPECT_EQ(0, wrong.load());
    EXPECT_EQ(kSenders * kSendsEach, handled.load());
}

TEST(HiddenWindow, DesktopCallsSucceedAndMessageBoxGoesToTheSink)
{
    WindowThread window([](UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    EXPECT_TRUE(CZKHiddenWindow::Show(window.Hwnd(), 5));
    EXPECT_TRUE(CZKHiddenWindow::Enable(window.Hwnd(), FALSE));
    EXPECT_TRUE(CZKHiddenWindow::SetForeground(window.Hwnd()));
    EXPECT_EQ(nullptr, CZKHiddenWindow::Create(ZKWindowHandler()));

    std::vector<std::wstring> logged;
    CZKMessageBox::SetSink([&](const std::wstring& caption, const std::wstring& text)
                           { logged.push_back(caption + L": " + text); });
    EXPECT_EQ(1, CZKMessageBox::Show(window.Hwnd(), L"Paper jam", L"Scanner"));
    EXPECT_EQ(7, CZKMessageBox::Show(nullptr, L"Continue?", L"Batch", 7));
    CZKMessageBox::SetSink(nullptr);
    CZKMessageBox::Show(nullptr, L"dropped", L"nobody");
    EXPECT_EQ((std::vector<std::wstring>{L"Scanner: Paper jam", L"Batch: Continue?"}), logged);
}
