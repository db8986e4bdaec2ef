// The progress line while scanning (on a terminal only) and the summary
// after it.
#pragma once

#include <chrono>
#include <cstdio>

class CQXScanProgress
{
public:
    explicit CQXScanProgress(std::FILE* out);
    void Update(int pages, long sheet);
    void Summary(int pages, int files, const char* outcome);

private:
    double _PagesPerSecond(int pages) const;

    std::FILE* m_out;
    bool m_terminal;
    bool m_lineShown = false;
    std::chrono::steady_clock::time_point m_start;
};
