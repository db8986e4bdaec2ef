// A test program whose one test never ends; the watchdog test runs it.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(WatchdogHang, NeverEnds)
{
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}
