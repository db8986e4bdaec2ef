// A hung test is stopped by the watchdog with its name and the stacks of its
// threads, well before CTest's time-out.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

TEST(TestWatchdog, AHungTestIsStoppedWithItsStacks)
{
    const std::string command =
        std::string("ZK_TEST_WATCHDOG_SECONDS=1 ") + ZK_WATCHDOG_HANG_PROGRAM + " 2>&1";
    FILE* output = popen(command.c_str(), "r");
    ASSERT_NE(nullptr, output);
    std::string text;
    std::array<char, 4096> chunk{};
    while (size_t n = fread(chunk.data(), 1, chunk.size(), output))
        text.append(chunk.data(), n);
    const int status = pclose(output);
    ASSERT_TRUE(WIFEXITED(status) || WIFSIGNALED(status));
    EXPECT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << text;
    EXPECT_NE(std::string::npos, text.find("[watchdog] WatchdogHang.NeverEnds has run for 1 s"))
        << text;
    EXPECT_NE(std::string::npos, text.find("[watchdog] WatchdogHang.NeverEnds stopped")) << text;
}
