// One DSM call made from a thread other than the window thread: the layer
// hands it to its window thread and waits. Next to it, the same DSM call
// handed to a worker thread through a bare mutex and condition variable, the
// least any hand-off of a call to another thread costs; and that bare round
// trip with no call at all.
#include "common/BenchHarness.h"
#include "common/SimulatedScanner.h"

#include <fennick/ZKTWSourceManager.h>

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
// Opens the direct DSM path to the benchmark's worker thread.
class CBenchManager : public CZKTWSourceManager
{
public:
    DWORD DirectStatusCall(TW_STATUS& status)
    {
        TW_IDENTITY source{};
        GetCurrentSource(source);
        return _DSM_Entry(&source, DG_CONTROL, DAT_STATUS, MSG_GET, &status, FALSE);
    }
};

bool OpenSource(CZKTWSourceManager& manager)
{
    manager.RegisterApp(1, 0, 13, 1, "1.0 bench", "ZK Bench", "Capture", "fennick bench");
    if (!manager.Open())
        return false;
    std::vector<TW_IDENTITY> sources;
    manager.QueryAvailableSources(sources);
    for (TW_IDENTITY& source : sources)
        if (std::strcmp(source.ProductName, "ZK Virtual Production Duplex") == 0 &&
            manager.OpenSource(source))
            return true;
    return false;
}

// A worker that runs one request at a time for a waiting caller: a mutex,
// one condition variable each way, the waker releasing the lock first.
class CBareHandOff
{
public:
    explicit CBareHandOff(std::function<void()> work)
        : m_work(std::move(work)), m_thread([this] { _Run(); })
    {
    }
    ~CBareHandOff()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_request.notify_one();
        m_thread.join();
    }

    void Call()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_pending = true;
        }
        m_request.notify_one();
        std::unique_lock<std::mutex> lock(m_mutex);
        m_reply.wait(lock, [this] { return !m_pending; });
    }

private:
    void _Run()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;)
        {
            m_request.wait(lock, [this] { return m_pending || m_stop; });
            if (m_stop)
                return;
            lock.unlock();
            m_work();
            lock.lock();
            m_pending = false;
            lock.unlock();
            m_reply.notify_one();
            lock.lock();
        }
    }

    std::function<void()> m_work;
    std::mutex m_mutex;
    std::condition_variable m_request;
    std::condition_variable m_reply;
    bool m_pending = false;
    bool m_stop = false;
    std::thread m_thread;
};

void BM_ForwardedDsmCall(benchmark::State& state)
{
    CSimulatedScanner scanner;
    CZKTWSourceManager manager;
    if (!OpenSource(manager))
    {
        state.SkipWithError("simulated scanner not available");
        return;
    }
    TW_STATUS status{};
    for (auto _ : state)
        benchmark::DoNotOptimize(
            manager.InvokeDSCommand(DG_CONTROL, DAT_STATUS, MSG_GET, &status, FALSE));
    manager.CloseSource();
    manager.Close();
}

void BM_BareHandOffDsmCall(benchmark::State& state)
{
    CSimulatedScanner scanner;
    CBenchManager manager;
    if (!OpenSource(manager))
    {
        state.SkipWithError("simulated scanner not available");
        return;
    }
    TW_STATUS status{};
    {
        CBareHandOff handOff([&] { benchmark::DoNotOptimize(manager.DirectStatusCall(status)); });
        for (auto _ : state)
            handOff.Call();
    }
    manager.CloseSource();
    manager.Close();
}

void BM_BareHandOffNoCall(benchmark::State& state)
{
    CBareHandOff handOff([] {});
    for (auto _ : state)
        handOff.Call();
}
} // namespace

BENCHMARK(BM_ForwardedDsmCall)->Apply(SBenchHarness::Steady)->UseRealTime();
BENCHMARK(BM_BareHandOffDsmCall)->Apply(SBenchHarness::Steady)->UseRealTime();
BENCHMARK(BM_BareHandOffNoCall)->Apply(SBenchHarness::Steady)->UseRealTime();

int main(int argc, char** argv)
{
    return SBenchHarness::Main(argc, argv);
}
