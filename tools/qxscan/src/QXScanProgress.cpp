#include "QXScanProgress.h"

#include <unistd.h>

CQXScanProgress::CQXScanProgress(std::FILE* out)
    : m_out(out), m_terminal(isatty(fileno(out)) != 0), m_start(std::chrono::steady_clock::now())
{
}

double CQXScanProgress::_PagesPerSecond(int pages) const
{
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - m_start;
    return elapsed.count() > 0 ? pages / elapsed.count() : 0.0;
}

void CQXScanProgress::Update(int pages, long sheet)
{
    if (!m_terminal)
        return;
    std::fprintf(m_out, "\rscanning: %d pages  %.1f pages/s  sheet %ld   ", pages,
                 _PagesPerSecond(pages), sheet);
    std::fflush(m_out);
    m_lineShown = true;
}

void CQXScanProgress::Summary(int pages, int files, const char* outcome)
{
    if (m_lineShown)
        std::fputc('\n', m_out);
    std::fprintf(m_out, "%s: %d pages in %d files, %.1f pages/s\n", outcome, pages, files,
                 _PagesPerSecond(pages));
    std::fflush(m_out);
}
