// Trace log. Off unless the environment variable ZK_DEBUG_LOG names a file;
// then every line with level <= ZK_DEBUG_LEVEL (default 0) is appended to it.
// A disabled call costs one atomic load. Thread-safe.
//
// Line format (UTF-8, one line per call, embedded line breaks written as \n):
//   2026-12-08T06:33:23.123Z [tid 12345] FENNICK 1: text
#pragma once

#include <hollin/hollin_export.h>

#include <functional>
#include <string>

class HOLLIN_EXPORT SZKDebugLog
{
public:
    // Levels in use: 0 lifecycle and errors, 1 steps, 2 every low-level call.
    static void Log(const std::wstring& text, int level = 0, const char* module = nullptr);
    static void Log(const std::string& text, int level = 0, const char* module = nullptr);
    static void Log(const std::wstring& text, int level, const wchar_t* module);
    static void Log(const std::string& text, int level, const wchar_t* module);

    // True when a line of this level would be written; lets callers skip
    // building expensive text.
    static bool IsEnabled(int level);

    // Overrides the environment (tests, tools). An empty path turns the file
    // off; level is the highest level written.
    static void SetFile(const std::string& utf8Path, int level = 0);
    // Routes finished lines (without the line break) to sink instead of the
    // file, at levels <= level. An empty sink restores the file (if any).
    // The sink runs under the log's lock: it must not log itself.
    static void SetSink(std::function<void(const std::string& line)> sink, int level = 0);
    // Turns logging off until SetFile/SetSink is called again.
    static void Disable();
};
