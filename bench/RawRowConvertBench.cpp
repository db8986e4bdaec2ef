// TWAIN raw colour rows of a 300 dpi A4 page into a bitmap, next to a plain
// copy of the same bytes: the copy is the floor the conversion is held to.
// The red/blue swap alone is measured both ways it can run.
#include "QXImageConverter.h"
#include "QXRedBlueSwap.h"

#include <mirelight/QX_SCANNER_IMAGE_INFO.h>

#include <hollin/ZKRBuffer.h>
#include <pellmark/ZKBitmapHandle.h>

#include <benchmark/benchmark.h>

#include <cstring>
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
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(rows.GetSize()));
}

void BM_PlainCopyOfThePage(benchmark::State& state)
{
    const CZKRBuffer& rows = PageRows();
    for (auto _ : state)
    {
        // A fresh block each time, as the conversion allocates its bitmap.
        std::vector<BYTE> copy(rows.GetSize());
        std::memcpy(copy.data(), rows.GetPtr(), rows.GetSize());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(rows.GetSize()));
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
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(rows.GetSize()));
}
} // namespace

BENCHMARK(BM_RedBlueSwapOfThePage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwainColourRowsToBitmap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainCopyOfThePage)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
