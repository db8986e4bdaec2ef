#include <hollin/ZKDebugLog.h>
#include <hollin/ZKError.h>
#include <hollin/ZKException.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::string TempPath(const char* name)
{
    static const std::string dir = [] {
        char pattern[] = "/tmp/zkdebuglogtest.XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return dir + "/" + name;
}

// "2026-12-08T06:33:23.123Z [tid 12345] " followed by the rest.
bool HasStampAndThread(const std::string& line, std::string& rest)
{
    const std::string shape = "####-##-##T##:##:##.###Z [tid ";
    if (line.size() < shape.size())
        return false;
    for (size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == '#' ? !std::isdigit(static_cast<unsigned char>(line[i])) : line[i] != shape[i])
            return false;
    size_t pos = shape.size();
    const size_t digits = pos;
    while (pos < line.size() && std::isdigit(static_cast<unsigned char>(line[pos])))
        ++pos;
    if (pos == digits || line.compare(pos, 2, "] ") != 0)
        return false;
    rest = line.substr(pos + 2);
    return true;
}

std::vector<std::string> Lines(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class ZKDebugLogTest : public ::testing::Test
{
protected:
    void TearDown() override { SZKDebugLog::Disable(); }
};

} // namespace

TEST_F(ZKDebugLogTest, WritesFormattedLinesUpToTheLevel)
{
    const std::string path = TempPath("levels.log");
    SZKDebugLog::SetFile(path, 1);
    EXPECT_TRUE(SZKDebugLog::IsEnabled(1));
    EXPECT_FALSE(SZKDebugLog::IsEnabled(2));
    SZKDebugLog::Log(L"opened \u00e9", 0, "FENNICK");
    SZKDebugLog::Log(std::string("step\nnext"), 1, L"ZKISIS");
    SZKDebugLog::Log(L"too detailed", 2, "FENNICK");
    SZKDebugLog::Log("no module");
    SZKDebugLog::Disable();
    SZKDebugLog::Log("after disable", 0, "X");

    const auto lines = Lines(path);
    ASSERT_EQ(3u, lines.size());
    std::string rest;
    EXPECT_TRUE(HasStampAndThread(lines[0], rest)) << lines[0];
    EXPECT_EQ("FENNICK 0: opened \xC3\xA9", rest);
    EXPECT_NE(std::string::npos, lines[1].find("] ZKISIS 1: step\\nnext")) << lines[1];
    EXPECT_NE(std::string::npos, lines[2].find("] - 0: no module")) << lines[2];
}

TEST_F(ZKDebugLogTest, OffWithoutAFileAndSinkRedirects)
{
    SZKDebugLog::SetFile("");
    EXPECT_FALSE(SZKDebugLog::IsEnabled(0));
    SZKDebugLog::SetFile("/nonexistent-dir/x.log");
    EXPECT_FALSE(SZKDebugLog::IsEnabled(0)) << "an unopenable file leaves the log off";

    std::vector<std::string> captured;
    SZKDebugLog::SetSink([&captured](const std::string& line) { captured.push_back(line); }, 0);
    SZKDebugLog::Log(L"kept", 0, L"TWAIN");
    SZKDebugLog::Log(L"dropped", 1, L"TWAIN");
    ASSERT_EQ(1u, captured.size());
    EXPECT_NE(std::string::npos, captured[0].find("TWAIN 0: kept"));
    SZKDebugLog::SetSink(nullptr);
    EXPECT_FALSE(SZKDebugLog::IsEnabled(0));
}

TEST_F(ZKDebugLogTest, ManyThreadsWriteWholeLines)
{
    const std::string path = TempPath("threads.log");
    SZKDebugLog::SetFile(path, 2);
    constexpr int kThreads = 8;
    constexpr int kLines = 200;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < kLines; ++i)
                SZKDebugLog::Log("thread " + std::to_string(t) + " line " + std::to_string(i), i % 3, "MIRELIGHT");
        });
    for (std::thread& thread : threads)
        thread.join();
    SZKDebugLog::Disable();

    const auto lines = Lines(path);
    ASSERT_EQ(static_cast<size_t>(kThreads * kLines), lines.size());
    std::vector<int> perThread(kThreads, 0);
    for (const std::string& text : lines) {
        std::string rest;
        ASSERT_TRUE(HasStampAndThread(text, rest)) << text;
        int level = -1, thread = -1, index = -1;
        char tail = 0;
        ASSERT_EQ(3, std::sscanf(rest.c_str(), "MIRELIGHT %d: thread %d line %d%c", &level, &thread, &index, &tail))
            << text;
        ASSERT_EQ(index % 3, level);
        ASSERT_TRUE(thread >= 0 && thread < kThreads);
        ASSERT_EQ(perThread[static_cast<size_t>(thread)]++, index) << "lines of one thread stay in order";
    }
}

TEST_F(ZKDebugLogTest, TurnsOnFromTheEnvironment)
{
    // Runs in a fresh process, so the environment is read at first use.
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    const std::string path = TempPath("env.log");
    EXPECT_EXIT(
        {
            setenv("ZK_DEBUG_LOG", path.c_str(), 1);
            setenv("ZK_DEBUG_LEVEL", "1", 1);
            SZKDebugLog::Log("from env", 1, "FENNICK");
            SZKDebugLog::Log("hidden", 2, "FENNICK");
            const auto lines = Lines(path);
            std::exit(lines.size() == 1 && lines[0].find("FENNICK 1: from env") != std::string::npos ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            unsetenv("ZK_DEBUG_LOG");
            std::exit(SZKDebugLog::IsEnabled(0) ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(ZKDebugLogTest, ExceptionCatchRecordsAndLogsTheCode)
{
    std::vector<std::string> captured;
    SZKDebugLog::SetSink([&captured](const std::string& line) { captured.push_back(line); }, 0);
    CZKError::ClearError();
    EXPECT_TRUE(CZKError::IsNoError(CZKError::GetError()));
    try {
        CZKException::Throw();
    } catch (const CZKException& e) {
        EXPECT_EQ(ZK_EXCEPTION_FAILED, e.GetCode());
        CZKException::Catch(e, "ReadSettings");
    }
    EXPECT_EQ(0x7FFFFFFFu, CZKError::GetError());
    EXPECT_FALSE(CZKError::IsNoError(CZKError::GetError()));
    ASSERT_EQ(1u, captured.size());
    EXPECT_NE(std::string::npos, captured[0].find("0x7fffffff caught in ReadSettings")) << captured[0];

    // The last error is per thread.
    DWORD other = 1;
    std::thread([&other] { other = CZKError::GetError(); }).join();
    EXPECT_EQ(ZK_NOERROR, other);
    EXPECT_THROW(CZKException::Throw(42), std::exception);
}
