// Memory transfers through the TWAIN layer against the simulated source with
// no per-page delay: a 300 dpi A4 page in colour and in bitonal, each page
// assembled in one buffer, with "x_memcpy" the time per page over that of a
// memcpy of the page measured in the same run. The second argument says how
// the page is assembled: 1 the source writes the strips straight into it,
// 0 the observer copies each strip in.
//
// The feeder holds a few distinct sheets and is refilled with the same ones
// for every batch; the first batch, before the timing, has the source
// generate them, so the figure is that of serving and moving pages.
#include "common/BenchHarness.h"
#include "common/PageSink.h"
#include "common/SimulatedScanner.h"

#include <fennick/ZKTWSourceManager.h>

#include <benchmark/benchmark.h>

namespace
{
constexpr size_t kA4ColourBytes = size_t(2475) * 3 * 3510;
constexpr size_t kA4BitonalBytes = size_t(2475 + 7) / 8 * 3510;

void BM_MemoryTransfer(benchmark::State& state)
{
    CSimulatedScanner scanner;
    CPageSink sink;
    sink.placeStrips = state.range(1) != 0;
    CZKTWSourceManager manager;
    if (!OpenA4MemorySource(manager, sink, static_cast<TW_UINT16>(state.range(0))) ||
        !AcquireBatch(manager, sink, kBenchSheets))
    {
        state.SkipWithError("simulated scanner not available");
        return;
    }
    const int generated = sink.pages;
    for (auto _ : state)
    {
        if (!AcquireBatch(manager, sink, kBenchSheets))
        {
            state.SkipWithError("Acquire failed");
            break;
        }
    }
    const int pages = sink.pages - generated;
    if (sink.errors != 0 || pages != kBenchSheets * static_cast<int>(state.iterations()))
        state.SkipWithError("pages missing");
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
    SBenchHarness::ReportAgainstMemcpy(state, sink.pageBytes, kBenchSheets);
    manager.CloseSource();
    manager.Close();
}
} // namespace

BENCHMARK(BM_MemoryTransfer)
    ->ArgNames({"pixeltype", "placed"})
    ->Args({TWPT_RGB, 1})
    ->Args({TWPT_RGB, 0})
    ->Args({TWPT_BW, 1})
    ->Args({TWPT_BW, 0})
    ->Apply(SBenchHarness::Steady)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(SBenchHarness::Memcpy)
    ->Arg(kA4ColourBytes)
    ->Arg(kA4BitonalBytes)
    ->Apply(SBenchHarness::Steady)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return SBenchHarness::Main(argc, argv);
}
