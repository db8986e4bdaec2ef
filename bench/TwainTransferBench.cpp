// Memory transfers through the TWAIN layer against the simulated source with
// no per-page delay: pages per second of a 300 dpi A4 page in colour and in
// bitonal, each page assembled in one buffer, next to a plain copy of the
// same bytes. The second argument says how the page is assembled: 1 the
// source writes the strips straight into it, 0 the observer copies each
// strip in.
#include "common/PageSink.h"
#include "common/SimulatedScanner.h"

#include <fennick/ZKTWSourceManager.h>
#include <wincompat/ZKThread.h>

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace
{
constexpr int kPagesPerBatch = 20;

bool OpenScanner(CZKTWSourceManager& manager, CPageSink& sink, TW_UINT16 pixelType)
{
    manager.RegisterApp(1, 0, 13, 1, "1.0 bench", "ZK Bench", "Capture", "fennick bench");
    manager.SetObserver(&sink);
    manager.SetTransferMode(TWSX_MEMORY);
    if (!manager.Open())
        return false;
    std::vector<TW_IDENTITY> sources;
    manager.QueryAvailableSources(sources);
    for (TW_IDENTITY& source : sources)
    {
        if (std::strcmp(source.ProductName, "ZK Virtual Production Duplex") != 0 || !manager.OpenSource(source))
            continue;
        return UseA4Page300(manager, pixelType);
    }
    return false;
}

void BM_MemoryTransfer(benchmark::State& state)
{
    CSimulatedScanner scanner;
    CPageSink sink;
    sink.placeStrips = state.range(1) != 0;
    CZKTWSourceManager manager;
    if (!OpenScanner(manager, sink, static_cast<TW_UINT16>(state.range(0))))
    {
        state.SkipWithError("simulated scanner not available");
        return;
    }
    for (auto _ : state)
    {
        sink.ended = false;
        if (!manager.Acquire(nullptr, kPagesPerBatch, FALSE))
        {
            state.SkipWithError("Acquire failed");
            break;
        }
        while (!sink.ended || manager.GetState() > ZKTW_STATE_SOURCE_OPEN)
            ZKSleep(1);
    }
    if (sink.errors != 0 || sink.pages != kPagesPerBatch * static_cast<int>(state.iterations()))
        state.SkipWithError("pages missing");
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(sink.pages), benchmark::Counter::kIsRate);
    state.counters["page_bytes"] = static_cast<double>(sink.pageBytes);
    state.SetBytesProcessed(static_cast<int64_t>(sink.pages) * static_cast<int64_t>(sink.pageBytes));
    manager.CloseSource();
    manager.Close();
}

// The same bytes moved with memcpy alone, in 64 KB strips.
void BM_PlainCopy(benchmark::State& state)
{
    const size_t rowBytes = state.range(0) == TWPT_RGB ? 2475 * 3 : (2475 + 7) / 8;
    const size_t pageBytes = rowBytes * 3510;
    const size_t strip = 65536 / rowBytes * rowBytes;
    std::vector<BYTE> source(strip, 0x5A), page(pageBytes);
    int64_t pages = 0;
    for (auto _ : state)
    {
        for (int p = 0; p < kPagesPerBatch; ++p, ++pages)
            for (size_t offset = 0; offset < pageBytes; offset += strip)
                std::memcpy(page.data() + offset, source.data(), std::min(strip, pageBytes - offset));
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(pages * static_cast<int64_t>(pageBytes));
}
} // namespace

BENCHMARK(BM_MemoryTransfer)
    ->ArgNames({"pixeltype", "placed"})
    ->Args({TWPT_RGB, 1})
    ->Args({TWPT_RGB, 0})
    ->Args({TWPT_BW, 1})
    ->Args({TWPT_BW, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PlainCopy)->Arg(TWPT_RGB)->Arg(TWPT_BW)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
