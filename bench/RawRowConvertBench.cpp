// TWAIN raw colour rows of a 300 dpi A4 page into a bitmap, next to a plain
// copy of the same bytes: the copy is the floor the conversion is held to
// (x_memcpy). The conversion runs both into a bitmap made for overwriting,
// as the converter does, and into a cleared one, as it did before; the
// red/blue swap alone is measured both ways it can run.
#include "QXImageConverter.h"
#include "QXRedBlueSwap.h"
#include "common/BenchHarness.h"

#include <mirelight/QX_SCANNER_IMAGE_INFO.h>

#include <hollin/ZKRBuffer.h>
#include <pellmark/ZKBitmapHandle.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace
{
constexpr int kWidth = 2480;  // 210 mm at 300 dpi
constexpr int kHeight = 3508; // 297 mm at 300 dpi
constexpr int kRowSize = kWidth * 3;

const CZKRBuffer& PageRows()
{
    static CZKRBuffer rows = [] {
        CZKRBuffer buffer(static_cast<size_t>(kRowSize) * kHeight);
        BYTE* p = buffer.GetPtr();
        for (size_t i = 0; i < buffer.GetSize(); ++i)
            p[i] = static_cast<BYTE>(i * 31 + (i >> 9));
        return buffer;
    }();
    return rows;
}

QX_SCANNER_IMAGE_INFO PageInfo()
{
    QX_SCANNER_IMAGE_INFO info;
    info.ImageWidth = kWidth;
    info.ImageLength = kHeight;
    info.BitsPerPixel = 24;
    info.SamplesPerPixel = 3;
    info.RowSize = kRowSize;
    info.XResolution = 300;
    info.YResolution = 300;
    info.imageType.value = 3;
    info.imageFormat.value = 1;
    return info;
}

const size_t kPageBytes = static_cast<size_t>(kRowSize) * kHeight;

void BM_TwainColourRowsToBitmap(benchmark::State& state)
{
    const CZKRBuffer& rows = PageRows();
    const QX_SCANNER_IMAGE_INFO info = PageInfo();
    CZKBitmapHandle bitmap;
    for (auto _ : state)
    {
        if (!SQXImageConverter::TwainRowsToBitmap(rows, info, bitmap))
            state.SkipWithError("conversion failed");
        benchmark::DoNotOptimize(bitmap.GetPtr());
    }
    SBenchHarness::ReportAgainstMemcpy(state, rows.GetSize());
}

// The conversion as it ran before bitmaps could be made for overwriting:
// a cleared bitmap, then the rows.
void BM_TwainColourRowsToClearedBitmap(benchmark::State& state)
{
    const CZKRBuffer& rows = PageRows();
    const QX_SCANNER_IMAGE_INFO info = PageInfo();
    CZKBitmapHandle bitmap;
    for (auto _ : state)
    {
        if (!bitmap.Create(kWidth, kHeight, 24) ||
            !SQXImageConverter::TwainRowsToBitmapRows(rows, info, bitmap.Access(), bitmap.GetImageSize()))
            state.SkipWithError("conversion failed");
        bitmap.Release();
        benchmark::DoNotOptimize(bitmap.GetPtr());
    }
    SBenchHarness::ReportAgainstMemcpy(state, rows.GetSize());
}

// A plain copy into a fresh block each time, as the conversion makes a
// fresh bitmap: the copy's own floor with the first touch of new memory.
void BM_PlainCopyToAFreshBlock(benchmark::State& state)
{
    const CZKRBuffer& rows = PageRows();
    for (auto _ : state)
    {
        std::unique_ptr<BYTE[]> copy(new BYTE[rows.GetSize()]);
        std::memcpy(copy.get(), rows.GetPtr(), rows.GetSize());
        benchmark::DoNotOptimize(copy.get());
        benchmark::ClobberMemory();
    }
    SBenchHarness::ReportAgainstMemcpy(state, rows.GetSize());
}

// The red/blue swap of the page's rows alone: 0 the plain loop, 1 the byte
// shuffle (skipped on a processor without it).
void BM_RedBlueSwapOfThePage(benchmark::State& state)
{
    const CZKRBuffer& rows = PageRows();
    std::vector<BYTE> out(rows.GetSize());
    const bool shuffled = state.range(0) == 1;
    if (shuffled && !SQXRedBlueSwap::RowShuffled(rows.GetPtr(), out.data(), 1))
    {
        state.SkipWithError("no byte shuffle on this processor");
        return;
    }
    for (auto _ : state)
    {
        for (int y = 0; y < kHeight; ++y)
        {
            const BYTE* src = rows.GetPtr() + static_cast<size_t>(y) * kRowSize;
            BYTE* dst = out.data() + static_cast<size_t>(y) * kRowSize;
            if (shuffled)
                SQXRedBlueSwap::RowShuffled(src, dst, kWidth);
            else
                SQXRedBlueSwap::RowPlain(src, dst, kWidth);
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    SBenchHarness::ReportAgainstMemcpy(state, rows.GetSize());
}
} // namespace

BENCHMARK(SBenchHarness::Memcpy)
    ->Arg(static_cast<int64_t>(kPageBytes))
    ->Apply(SBenchHarness::Steady)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainCopyToAFreshBlock)->Apply(SBenchHarness::Steady)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedBlueSwapOfThePage)->Arg(0)->Arg(1)->Apply(SBenchHarness::Steady)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwainColourRowsToClearedBitmap)->Apply(SBenchHarness::Steady)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwainColourRowsToBitmap)->Apply(SBenchHarness::Steady)->Unit(benchmark::kMillisecond);
int main(int argc, char** argv)
{
    return SBenchHarness::Main(argc, argv);
}
