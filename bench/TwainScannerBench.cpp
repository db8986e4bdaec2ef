// Pages per second through the scanner facade's TWAIN half, and the share of
// the time that is the facade's own.
//
// - BM_Facade*: CQXScanner against the simulated source, to an observer that
//   keeps each page's bytes, next to BM_Layer*: the same pages through the
//   TWAIN layer alone to a sink that joins the strips. The difference is
//   what the facade adds. The feeder's few distinct sheets are generated
//   once, in a first batch before the timing, and served from the source's
//   cache after.
// - BM_StripJoin: the facade's strip handling alone (pool, join, bitmap rows
//   for uncompressed pages, compressed pages passed whole), fed 64 KB strips
//   of a 300 dpi A4 page the way the layer hands them over, next to
//   BM_StripCopy: one memcpy of the same strips, the least any application
//   must do to keep a page. Uncompressed strips are joined and turned into
//   bitmap rows; G4 and JPEG strips are joined without being decoded.
#include "common/BenchHarness.h"
#include "common/PageSink.h"
#include "common/SimulatedScanner.h"

#include "QXTWAINScannerImpl.h"

#include <mirelight/QXScanner.h>
#include <mirelight/QX_SCANNER_IMAGEDATA_INFO.h>

#include <fennick/ZKTWSourceManager.h>
#include <hollin/ZKBuffer.h>
#include <hollin/ZKTagHolder.h>
#include <pellmark/ZKBitmapHandle.h>
#include <wincompat/ZKEvent.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace
{
// A batch scans every sheet of the feeder once.
constexpr int kPagesPerBatch = kBenchSheets;
constexpr LONG kWidth = 2475;  // 8.25 in at 300 dpi
constexpr LONG kHeight = 3510; // 11.7 in
constexpr size_t kStripBytes = 65536;

// Keeps the last page's bytes, as an application that stores pages would.
class CKeepingObserver : public IQXScannerEventObserver
{
public:
    void OnSessionBegin(QX_SCANNER_SESSION_BEGIN_INFO&) override {}
    void OnSessionEnd(QX_SCANNER_SESSION_END_INFO&) override { ended.Set(); }
    void OnError(QX_SCANNER_ERROR_INFO&) override { ++errors; }
    void OnImageFileBegin(QX_SCANNER_IMAGEFILE_BEGIN_INFO&) override {}
    void OnImageFileEnd(QX_SCANNER_IMAGEFILE_END_INFO&) override {}
    void OnImageData(QX_SCANNER_IMAGEDATA_INFO& info) override
    {
        std::unique_ptr<QX_SCANNER_IMAGE_INFO> imageInfo(info.pImageInfo);
        std::unique_ptr<CZKTagHolder> tags(info.pTags);
        page.assign(info.pData->GetPtr(), info.pData->GetPtr() + info.pData->GetSize());
        ++pages;
    }

    std::vector<BYTE> page;
    std::atomic<int> pages{0};
    std::atomic<int> errors{0};
    CZKEvent ended; // set at the end of each batch
};

bool OpenFacade(CQXScanner& scanner, TW_UINT16 pixelType)
{
    scanner.Initialize(); // the ISIS half is not part of this build
    if (!scanner.SetTagValue(14, static_cast<int>(TWSX_MEMORY)) ||
        !scanner.Open(L"ZK Virtual Production Duplex", QX_SCANNER_PROTOCOL_TWAIN))
        return false;
    CZKTWSourceManager* manager = scanner.GetSessionManager().GetTWAIN();
    return manager && UseA4Page300(*manager, pixelType);
}

bool ScanFacadeBatch(CQXScanner& scanner, CKeepingObserver& observer)
{
    if (!scanner.Acquire(nullptr, kPagesPerBatch) || observer.ended.Wait(60000) != WAIT_OBJECT_0)
        return false;
    while (scanner.IsAcquiring())
        std::this_thread::yield();
    return true;
}

void BM_FacadeMemoryTransfer(benchmark::State& state)
{
    CSimulatedScanner folder;
    CKeepingObserver observer;
    CQXScanner scanner;
    scanner.SetObserver(&observer);
    // The first batch, untimed, has the source generate its sheets.
    if (!OpenFacade(scanner, static_cast<TW_UINT16>(state.range(0))) || !ScanFacadeBatch(scanner, observer))
    {
        state.SkipWithError("simulated scanner not available");
        return;
    }
    const int generated = observer.pages;
    for (auto _ : state)
    {
        if (!ScanFacadeBatch(scanner, observer))
        {
            state.SkipWithError("Acquire failed");
            break;
        }
    }
    const int pages = observer.pages - generated;
    if (observer.errors != 0 || pages != kPagesPerBatch * static_cast<int>(state.iterations()))
        state.SkipWithError("pages missing");
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
    scanner.Close();
    scanner.Uninitialize();
}

void BM_LayerMemoryTransfer(benchmark::State& state)
{
    CSimulatedScanner folder;
    CPageSink sink;
    CZKTWSourceManager manager;
    // The first batch, untimed, has the source generate its sheets.
    if (!OpenA4MemorySource(manager, sink, static_cast<TW_UINT16>(state.range(0))) ||
        !AcquireBatch(manager, sink, kPagesPerBatch))
    {
        state.SkipWithError("simulated scanner not available");
        return;
    }
    const int generated = sink.pages;
    for (auto _ : state)
    {
        if (!AcquireBatch(manager, sink, kPagesPerBatch))
        {
            state.SkipWithError("Acquire failed");
            break;
        }
    }
    const int pages = sink.pages - generated;
    if (sink.errors != 0 || pages != kPagesPerBatch * static_cast<int>(state.iterations()))
        state.SkipWithError("pages missing");
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
    manager.CloseSource();
    manager.Close();
}

// What the layer hands over for one page: its bytes and description.
struct PAGE_DATA
{
    std::vector<BYTE> bytes;
    ZKTWIMAGEINFO info;
};

enum PageKind
{
    BITONAL_RAW,
    COLOUR_RAW,
    BITONAL_G4,
    COLOUR_JPEG
};

PAGE_DATA MakePage(int kind)
{
    const bool colour = kind == COLOUR_RAW || kind == COLOUR_JPEG;
    PAGE_DATA page;
    ZKTWIMAGEINFO& info = page.info;
    info.XResolution = info.YResolution = 300;
    info.ImageWidth = kWidth;
    info.ImageLength = kHeight;
    info.SamplesPerPixel = colour ? 3 : 1;
    info.BitsPerPixel = colour ? 24 : 1;
    info.PixelType = colour ? TWPT_RGB : TWPT_BW;
    info.BytesPerRow = colour ? kWidth * 3 : (kWidth + 7) / 8;
    info.Compression = kind == BITONAL_G4    ? TWCP_GROUP4
                       : kind == COLOUR_JPEG ? TWCP_JPEG
                                             : TWCP_NONE;
    page.bytes.resize(static_cast<size_t>(info.BytesPerRow) * kHeight);
    for (size_t i = 0; i < page.bytes.size(); ++i)
        page.bytes[i] = static_cast<BYTE>((i / 97) * 31 + (i % 13)); // text-like variation
    if (info.Compression == TWCP_NONE)
        return page;
    CZKBitmapHandle bitmap;
    bitmap.Create(kWidth, kHeight, colour ? 24 : 1);
    if (BYTE* bits = bitmap.Access())
    {
        for (DWORD i = 0; i < bitmap.GetImageSize(); ++i)
            bits[i] = static_cast<BYTE>((i / 1024) % 7 == 0 ? 0x00 : 0xFF);
        bitmap.Release();
    }
    std::vector<BYTE> coded;
    if (colour ? bitmap.Compress_JPEG(coded, 80) : bitmap.Compress_G4(coded))
        page.bytes = coded;
    return page;
}

// The strips of a page: whole rows for uncompressed data, plain chunks for
// coded data, as sources fill their buffers.
size_t StripBytes(const PAGE_DATA& page)
{
    if (page.info.Compression != TWCP_NONE)
        return kStripBytes;
    return kStripBytes / page.info.BytesPerRow * page.info.BytesPerRow;
}

// Stands in for the application: takes each page and drops it.
class CCountingObserver : public IQXScannerEventObserver
{
public:
    void OnSessionBegin(QX_SCANNER_SESSION_BEGIN_INFO&) override {}
    void OnSessionEnd(QX_SCANNER_SESSION_END_INFO&) override {}
    void OnError(QX_SCANNER_ERROR_INFO&) override { ++errors; }
    void OnImageFileBegin(QX_SCANNER_IMAGEFILE_BEGIN_INFO&) override {}
    void OnImageFileEnd(QX_SCANNER_IMAGEFILE_END_INFO&) override {}
    void OnImageData(QX_SCANNER_IMAGEDATA_INFO& info) override
    {
        delete info.pImageInfo;
        delete info.pTags;
        bytes = info.pData->GetSize();
        ++pages;
    }
    size_t bytes = 0;
    int pages = 0;
    int errors = 0;
};

void BM_StripJoin(benchmark::State& state)
{
    const PAGE_DATA page = MakePage(static_cast<int>(state.range(0)));
    const size_t strip = StripBytes(page);
    std::vector<BYTE> buffer(strip);
    CCountingObserver observer;
    CQXTWAINScannerImpl impl;
    impl.SetObserver(&observer);
    for (auto _ : state)
    {
        for (size_t at = 0; at < page.bytes.size(); at += strip)
        {
            const size_t n = std::min(strip, page.bytes.size() - at);
            std::memcpy(buffer.data(), page.bytes.data() + at, n); // the source fills its buffer
            TW_IMAGEMEMXFER block{};
            block.Memory.TheMem = buffer.data();
            block.Memory.Length = static_cast<TW_UINT32>(strip);
            block.BytesWritten = static_cast<TW_UINT32>(n);
            const bool last = at + n >= page.bytes.size();
            impl.OnMemoryBlock(&block, last ? TRUE : FALSE,
                               last ? new ZKTWIMAGEINFO(page.info) : nullptr, nullptr);
        }
    }
    impl.OnAcquireEnd(FALSE); // the pool lives for the session
    if (observer.errors != 0 || observer.pages != static_cast<int>(state.iterations()))
        state.SkipWithError("pages missing");
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(observer.pages), benchmark::Counter::kIsRate);
    state.counters["page_bytes"] = static_cast<double>(page.bytes.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(page.bytes.size()));
}

void BM_StripCopy(benchmark::State& state)
{
    const PAGE_DATA page = MakePage(static_cast<int>(state.range(0)));
    const size_t strip = StripBytes(page);
    std::vector<BYTE> buffer(strip);
    std::vector<BYTE> kept(page.bytes.size());
    for (auto _ : state)
    {
        for (size_t at = 0; at < page.bytes.size(); at += strip)
        {
            const size_t n = std::min(strip, page.bytes.size() - at);
            std::memcpy(buffer.data(), page.bytes.data() + at, n);
            std::memcpy(kept.data() + at, buffer.data(), n);
        }
        benchmark::DoNotOptimize(kept.data());
    }
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(page.bytes.size()));
}
} // namespace

BENCHMARK(BM_LayerMemoryTransfer)
    ->Arg(TWPT_RGB)
    ->Arg(TWPT_BW)
    ->Apply(SBenchHarness::Steady)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_FacadeMemoryTransfer)
    ->Arg(TWPT_RGB)
    ->Arg(TWPT_BW)
    ->Apply(SBenchHarness::Steady)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_StripCopy)->DenseRange(BITONAL_RAW, COLOUR_JPEG)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StripJoin)->DenseRange(BITONAL_RAW, COLOUR_JPEG)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return SBenchHarness::Main(argc, argv);
}
