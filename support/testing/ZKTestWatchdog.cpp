// Linked into every test program. A test that runs far longer than any test
// should is stopped before CTest's own time-out, after every thread's stack
// has been printed (through gdb, where the machine has it): a hang that
// shows once in a thousand runs is then seen where it happens, not only as
// a time-out. ZK_TEST_WATCHDOG_SECONDS sets the limit; 0 turns it off.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace
{
// CTest gives each test 120 s; the report needs some of that.
constexpr int kDefaultLimitSeconds = 90;
constexpr int kReportSeconds = 25;

int LimitSeconds()
{
    const char* text = std::getenv("ZK_TEST_WATCHDOG_SECONDS");
    return text && *text ? std::atoi(text) : kDefaultLimitSeconds;
}

// Runs gdb on this process and waits a bounded time for it.
void PrintAllStacks()
{
    const std::string pid = std::to_string(getpid());
    const pid_t child = fork();
    if (child == 0)
    {
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execlp("gdb", "gdb", "-p", pid.c_str(), "-batch", "-nx", "-ex", "thread apply all bt",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    if (child < 0)
        return;
    for (int waited = 0; waited < kReportSeconds * 10; ++waited)
    {
        if (waitpid(child, nullptr, WNOHANG) == child)
            return;
        usleep(100 * 1000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

// What the watching thread reads. Never freed: should a program end without
// the test framework's end of run, its thread is still watching.
struct WATCHED_TEST
{
    int limitSeconds = 0;
    std::mutex lock;
    std::condition_variable wake;
    std::string name;
    std::chrono::steady_clock::time_point started;
    bool running = false;
    bool stop = false;
    std::thread thread;
};

// Reports and aborts; only ever called once.
[[noreturn]] void StopHungTest(const std::string& test, int seconds)
{
    std::fprintf(stderr, "\n[watchdog] %s has run for %d s; the stacks of every thread:\n",
                 test.c_str(), seconds);
    std::fflush(stderr);
    PrintAllStacks();
    std::fprintf(stderr, "[watchdog] %s stopped\n", test.c_str());
    std::fflush(stderr);
    std::abort();
}

void Watch(WATCHED_TEST& watched)
{
    const auto limit = std::chrono::seconds(watched.limitSeconds);
    std::unique_lock<std::mutex> lock(watched.lock);
    while (!watched.stop)
    {
        watched.wake.wait_for(lock, std::chrono::seconds(1));
        if (!watched.stop && watched.running &&
            std::chrono::steady_clock::now() - watched.started >= limit)
        {
            const std::string test = watched.name;
            lock.unlock();
            StopHungTest(test, watched.limitSeconds);
        }
    }
}

// The thread runs only while tests do: listing them starts none, and none is
// left at exit (a sanitizer may wait a second for every thread still there).
class CTestWatchdog : public ::testing::EmptyTestEventListener
{
public:
    explicit CTestWatchdog(WATCHED_TEST& watched) : m_watched(watched) {}

    void OnTestProgramStart(const ::testing::UnitTest&) override
    {
        if (!m_watched.thread.joinable())
            m_watched.thread = std::thread(Watch, std::ref(m_watched));
    }

    void OnTestProgramEnd(const ::testing::UnitTest&) override
    {
        {
            std::lock_guard<std::mutex> guard(m_watched.lock);
            m_watched.stop = true;
        }
        m_watched.wake.notify_all();
        if (m_watched.thread.joinable())
            m_watched.thread.join();
    }

    void OnTestStart(const ::testing::TestInfo& test) override
    {
        std::lock_guard<std::mutex> guard(m_watched.lock);
        m_watched.name = std::string(test.test_suite_name()) + "." + test.name();
        m_watched.started = std::chrono::steady_clock::now();
        m_watched.running = true;
    }

    void OnTestEnd(const ::testing::TestInfo&) override
    {
        std::lock_guard<std::mutex> guard(m_watched.lock);
        m_watched.running = false;
    }

private:
    WATCHED_TEST& m_watched;
};

WATCHED_TEST* const kWatched = []
{
    const int limit = LimitSeconds();
    if (limit <= 0)
        return static_cast<WATCHED_TEST*>(nullptr);
    auto* watched = new WATCHED_TEST;
    watched->limitSeconds = limit;
    // The listener list owns the listener.
    ::testing::UnitTest::GetInstance()->listeners().Append(new CTestWatchdog(*watched));
    return watched;
}();
} // namespace
