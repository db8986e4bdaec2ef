#include <hollin/ZKDebugLog.h>

#include "ZKText.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr int kUnset = -2; // environment not read yet
constexpr int kOff = -1;

// The highest level written, or kOff/kUnset. Checked first by every call so
// a disabled log costs one atomic load.
std::atomic<int> g_threshold{kUnset};

struct LogState
{
    std::mutex mutex;
    std::FILE* file = nullptr;
    std::function<void(const std::string&)> sink;
};

LogState& State()
{
    // Never destroyed: other libraries may still log from their own
    // static destructors.
    static LogState* state = new LogState;
    return *state;
}

void CloseFileLocked(LogState& state)
{
    if (state.file)
        std::fclose(state.file);
    state.file = nullptr;
}

// Opens the file and sets the threshold; call with the mutex held.
void OpenFileLocked(LogState& state, const std::string& path, int level)
{
    CloseFileLocked(state);
    state.sink = nullptr;
    if (!path.empty())
        state.file = std::fopen(path.c_str(), "a");
    g_threshold.store(state.file && level >= 0 ? level : kOff, std::memory_order_release);
}

int ParseLevel(const char* text)
{
    if (!text || !*text)
        return 0;
    char* end = nullptr;
    const long level = std::strtol(text, &end, 10);
    return (*end == '\0' && level >= 0 && level < 100) ? static_cast<int>(level) : 0;
}

void InitFromEnvironment()
{
    LogState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (g_threshold.load(std::memory_order_acquire) != kUnset)
        return;
    const char* path = std::getenv("ZK_DEBUG_LOG");
    OpenFileLocked(state, path ? path : "", ParseLevel(std::getenv("ZK_DEBUG_LEVEL")));
}

std::string Timestamp()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(millis));
    return text;
}

// One line per call: line breaks inside the text are shown as \n / \r.
void AppendOneLine(std::string& line, const std::string& text)
{
    for (char c : text) {
        if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else
            line += c;
    }
}

void Write(const std::string& text, int level, const std::string& module)
{
    std::string line = Timestamp();
    line += " [tid " + std::to_string(static_cast<long>(syscall(SYS_gettid))) + "] ";
    line += module.empty() ? "-" : module;
    line += ' ' + std::to_string(level) + ": ";
    AppendOneLine(line, text);

    LogState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (state.sink) {
        state.sink(line);
    } else if (state.file) {
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), state.file);
        std::fflush(state.file);
    }
}

void LogSafely(const std::string& text, int level, const std::string& module) noexcept
{
    try {
        Write(text, level, module);
    } catch (...) {
        // A trace line is never worth failing the caller.
    }
}

std::string Narrow(const wchar_t* text) { return text ? SZKText::WideToUtf8Lossy(text) : std::string(); }

} // namespace

bool SZKDebugLog::IsEnabled(int level)
{
    int threshold = g_threshold.load(std::memory_order_acquire);
    if (threshold == kUnset) {
        InitFromEnvironment();
        threshold = g_threshold.load(std::memory_order_acquire);
    }
    return level >= 0 && level <= threshold;
}

void SZKDebugLog::Log(const std::string& text, int level, const char* module)
{
    if (IsEnabled(level))
        LogSafely(text, level, module ? module : "");
}

void SZKDebugLog::Log(const std::wstring& text, int level, const char* module)
{
    if (IsEnabled(level))
        LogSafely(SZKText::WideToUtf8Lossy(text), level, module ? module : "");
}

void SZKDebugLog::Log(const std::wstring& text, int level, const wchar_t* module)
{
    if (IsEnabled(level))
        LogSafely(SZKText::WideToUtf8Lossy(text), level, Narrow(module));
}

void SZKDebugLog::Log(const std::string& text, int level, const wchar_t* module)
{
    if (IsEnabled(level))
        LogSafely(text, level, Narrow(module));
}

void SZKDebugLog::SetFile(const std::string& utf8Path, int level)
{
    LogState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    OpenFileLocked(state, utf8Path, level);
}

void SZKDebugLog::SetSink(std::function<void(const std::string& line)> sink, int level)
{
    LogState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    const bool hasSink = static_cast<bool>(sink);
    state.sink = std::move(sink);
    if (hasSink)
        g_threshold.store(level >= 0 ? level : kOff, std::memory_order_release);
    else
        g_threshold.store(state.file ? level : kOff, std::memory_order_release);
}

void SZKDebugLog::Disable()
{
    LogState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    CloseFileLocked(state);
    state.sink = nullptr;
    g_threshold.store(kOff, std::memory_order_release);
}
