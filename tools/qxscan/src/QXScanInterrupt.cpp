#include "QXScanInterrupt.h"

#include <atomic>
#include <csignal>

namespace
{
std::atomic<bool> g_requested{false};
}

void CQXScanInterrupt::Install()
{
    std::signal(SIGINT, &CQXScanInterrupt::_OnSignal);
    std::signal(SIGTERM, &CQXScanInterrupt::_OnSignal);
}

bool CQXScanInterrupt::Requested()
{
    return g_requested.load();
}

void CQXScanInterrupt::Request()
{
    g_requested = true;
}

void CQXScanInterrupt::_OnSignal(int signal)
{
    g_requested = true;
    std::signal(signal, SIG_DFL);
}
