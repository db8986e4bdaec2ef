#include <wincompat/ZKHiddenWindow.h>
#include <wincompat/ZKThread.h>
#include <wincompat/ZKWindowThread.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

TEST(WindowThread, InvokeRunsOnTheWindowThreadFromAnyThread)
{
    CZKWindowThread window;
    ASSERT_TRUE(window.Start());
    EXPECT_FALSE(window.Start());
    int counter = 0; // touched only on the window thread
    std::vector<std::unique_ptr<CZKThread>> callers;
    std::atomic<int> wrongThread{0};
    for (int c = 0; c < 4; ++c)
    {
        callers.push_back(std::make_unique<CZKThread>());
        callers.back()->Start(
            [&]
            {
                for (int i = 0; i < 100; ++i)
                    EXPECT_TRUE(window.Invoke(
                        [&]
                        {
                            if (CZKThread::CurrentId() != window.ThreadId())
                                ++wrongThread;
                            ++counter;
                        }));
            });
    }
    for (auto& caller : callers)
        caller->Join();
    // Nested: a call already on the window thread runs directly.
    EXPECT_TRUE(window.Invoke([&] { EXPECT_TRUE(window.Invoke([&] { ++counter; })); }));
    int seen = 0;
    EXPECT_TRUE(window.Invoke([&] { seen = counter; }));
    EXPECT_EQ(401, seen);
    EXPECT_EQ(0, wrongThread.load());
    EXPECT_FALSE(window.Invoke([] { throw 3; }));
}

TEST(WindowThread, HandlerGetsPostedMessagesAndStopDrainsThemFirst)
{
    std::vector<WPARAM> received;
    CZKWindowThread window;
    ASSERT_TRUE(window.Start(
        [&](UINT message, WPARAM wParam, LPARAM) -> LRESULT
        {
            if (message == WM_USER)
                received.push_back(wParam);
            return 0;
        }));
    HWND hwnd = window.Window();
    for (WPARAM i = 0; i < 50; ++i)
        EXPECT_TRUE(CZKHiddenWindow::Post(hwnd, WM_USER, i, 0));
    window.Stop();
    EXPECT_FALSE(window.IsRunning());
    EXPECT_FALSE(CZKHiddenWindow::IsWindow(hwnd));
    EXPECT_FALSE(window.Invoke([] {}));
    ASSERT_EQ(50u, received.size());
    for (WPARAM i = 0; i < 50; ++i)
        EXPECT_EQ(i, received[i]);
    window.Stop();               // twice is harmless
    ASSERT_TRUE(window.Start()); // and it can start again
    EXPECT_TRUE(window.Invoke([] {}));
}
