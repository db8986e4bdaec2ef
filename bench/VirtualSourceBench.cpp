// The virtual source's own share of a memory transfer: pages per second of a
// 300 dpi A4 page, colour and bitonal, taken with raw DSM calls (no TWAIN
// layer) in 64 KB strips written straight into a page buffer, next to a plain
// page-to-page copy in the same strips. "New" pages are all different sheets,
// so each is generated; "repeated" pages come from a feeder reloaded with the
// same four sheets, so they are served from the page cache.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "common/TwainCapability.h"
#include "common/TwainScan.h"

namespace
{
constexpr LONG kWidth = 2475;  // 8.25 in at 300 dpi
constexpr LONG kHeight = 3510; // 11.7 in
constexpr TW_UINT32 kStrip = 64 * 1024;
constexpr int kReloadedSheets = 4;

size_t PageBytes(TW_UINT16 pixelType)
{
    const size_t rowBytes = pixelType == TWPT_RGB ? kWidth * 3 : (kWidth + 7) / 8;
    return rowBytes * kHeight;
}

bool SetFrame(CTwainScan& scan)
{
    const TW_FRAME a4{{0, 0}, {0, 0}, {8, 16384}, {11, 45875}};
    CTwainCapability frames(ICAP_FRAMES, TWON_ONEVALUE,
                            CTwainCapability::OneValue(TWTY_FRAME, &a4, sizeof(a4)));
    return scan.Control(DAT_CAPABILITY, MSG_SET, &frames) == TWRC_SUCCESS;
}

bool SetSimplex(CTwainScan& scan)
{
    const TW_BOOL simplex = 0;
    CTwainCapability duplex(CAP_DUPLEXENABLED, TWON_ONEVALUE,
                            CTwainCapability::OneValue(TWTY_BOOL, &simplex, sizeof(simplex)));
    return scan.Control(DAT_CAPABILITY, MSG_SET, &duplex) == TWRC_SUCCESS;
}

std::unique_ptr<CTwainScan> OpenScan(TW_UINT16 pixelType, bool repeated)
{
    auto scan = repeated ? std::make_unique<CTwainScan>(kReloadedSheets, "Reload = 4")
                         : std::make_unique<CTwainScan>(1000000);
    if (!scan->SetUint16(ICAP_XFERMECH, TWSX_MEMORY) ||
        !scan->SetUint16(ICAP_PIXELTYPE, pixelType) || !scan->SetResolution(300) ||
        !SetFrame(*scan) || !SetSimplex(*scan) || !scan->Start())
        return nullptr;
    return scan;
}

// One image in strips straight into the page; false on any failure.
bool TransferPage(CTwainScan& scan, std::vector<BYTE>& page)
{
    size_t offset = 0;
    TW_UINT16 rc = TWRC_SUCCESS;
    while (rc == TWRC_SUCCESS)
    {
        TW_IMAGEMEMXFER block{};
        const auto length = static_cast<TW_UINT32>(std::min<size_t>(kStrip, page.size() - offset));
        block.Memory = TW_MEMORY{TWMF_APPOWNS | TWMF_POINTER, length, page.data() + offset};
        rc = scan.Image(DAT_IMAGEMEMXFER, &block);
        offset += block.BytesWritten;
    }
    return rc == TWRC_XFERDONE && offset == page.size();
}

// Ends the image; an empty feeder is reloaded by enabling again.
bool NextImage(CTwainScan& scan)
{
    if (scan.Pending(MSG_ENDXFER) > 0)
        return true;
    return scan.App().Disable() == TWRC_SUCCESS && scan.Start();
}

void BM_SourceMemoryTransfer(benchmark::State& state)
{
    const auto pixelType = static_cast<TW_UINT16>(state.range(0));
    std::unique_ptr<CTwainScan> scan = OpenScan(pixelType, state.range(1) != 0);
    if (!scan)
    {
        state.SkipWithError("virtual source not available");
        return;
    }
    std::vector<BYTE> page(PageBytes(pixelType));
    int64_t pages = 0;
    for (auto _ : state)
    {
        if (!TransferPage(*scan, page) || !NextImage(*scan))
        {
            state.SkipWithError("transfer failed");
            break;
        }
        ++pages;
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(pages * static_cast<int64_t>(page.size()));
}

// A cached page copied into the application's page, strip by strip.
void BM_PageCopy(benchmark::State& state)
{
    const size_t bytes = PageBytes(static_cast<TW_UINT16>(state.range(0)));
    std::vector<BYTE> cached(bytes, 0x5A), page(bytes, 0);
    int64_t pages = 0;
    for (auto _ : state)
    {
        for (size_t offset = 0; offset < bytes; offset += kStrip)
            std::memcpy(page.data() + offset, cached.data() + offset,
                        std::min<size_t>(kStrip, bytes - offset));
        benchmark::DoNotOptimize(page.data());
        ++pages;
    }
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(pages * static_cast<int64_t>(bytes));
}
} // namespace

BENCHMARK(BM_SourceMemoryTransfer)
    ->ArgNames({"pixel", "repeated"})
    ->Args({TWPT_RGB, 0})
    ->Args({TWPT_RGB, 1})
    ->Args({TWPT_BW, 0})
    ->Args({TWPT_BW, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PageCopy)
    ->ArgNames({"pixel"})
    ->Arg(TWPT_RGB)
    ->Arg(TWPT_BW)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
