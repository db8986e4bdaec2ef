// G4 and JPEG coding of an A4 300 dpi page: the bitmap class next to calling
// libtiff and libjpeg-turbo directly on the same data, to show the cost of
// the wrapper (the in-memory TIFF wrapping, row padding, error trapping).
// x_memcpy sets each figure against a memcpy of the page's bitmap.
#include "common/BenchHarness.h"
#include "common/TestPages.h"
#include "common/TiffMemoryFile.h"

#include <pellmark/ZKBitmapHandle.h>

#include <benchmark/benchmark.h>
#include <cstdio> // before jpeglib.h, which uses FILE
#include <jpeglib.h>
#include <tiffio.h>

#include <cstring>
#include <memory>
#include <vector>

namespace
{
const LONG kWidth = 2480, kHeight = 3508;

using MemoryFile = TiffMemoryFile;

struct Fixture
{
    CZKBitmapHandle page = testpages::MakeTextPage(kWidth, kHeight, 7);
    std::vector<uint8_t> packed; // rows without padding, as libtiff wants them
    std::vector<BYTE> g4;
    MemoryFile g4File;
    std::vector<uint8_t> jpeg;

    Fixture()
    {
        const size_t rowBytes = (kWidth + 7) / 8;
        packed.resize(rowBytes * kHeight);
        for (LONG y = 0; y < kHeight; ++y)
            std::memcpy(&packed[rowBytes * y], page.GetPtr() + size_t(y) * page.GetBytesPerLine(), rowBytes);
        page.Compress_G4(g4);
        TIFF* tif = g4File.Open("w");
        SetG4Fields(tif);
        TIFFWriteEncodedStrip(tif, 0, packed.data(), tmsize_t(packed.size()));
        TIFFClose(tif);
        const CZKBitmapHandle colour = testpages::MakeContonePage(kWidth, kHeight, 24);
        colour.Compress_JPEG(jpeg, 85);
    }

    static void SetG4Fields(TIFF* tif) { SetTiffG4Fields(tif, uint32_t(kWidth), uint32_t(kHeight)); }
};

Fixture& Data()
{
    static Fixture fixture;
    return fixture;
}

size_t BitonalPageBytes()
{
    return Data().page.GetImageSize();
}

// The 24-bit bitmap a JPEG page decodes into at a scale (sides rounded up).
size_t ColourPageBytes(int64_t scale)
{
    const size_t width = size_t((kWidth + scale - 1) / scale);
    const size_t height = size_t((kHeight + scale - 1) / scale);
    return (width * 3 + 3) / 4 * 4 * height;
}

void BM_G4Encode_Wrapper(benchmark::State& state)
{
    std::vector<BYTE> out;
    for (auto _ : state)
        benchmark::DoNotOptimize(Data().page.Compress_G4(out));
    SBenchHarness::ReportAgainstMemcpy(state, BitonalPageBytes());
}

void BM_G4Encode_Direct(benchmark::State& state)
{
    for (auto _ : state)
    {
        MemoryFile file;
        TIFF* tif = file.Open("w");
        Fixture::SetG4Fields(tif);
        TIFFWriteEncodedStrip(tif, 0, Data().packed.data(), tmsize_t(Data().packed.size()));
        TIFFClose(tif);
        benchmark::DoNotOptimize(file.bytes.data());
    }
    SBenchHarness::ReportAgainstMemcpy(state, BitonalPageBytes());
}

// A fresh bitmap per image, like the direct runs' fresh buffer. (Decoding
// into a bitmap that still holds a page keeps that page until the new one is
// complete, so two pages are alive for a moment.)
void BM_G4Decode_Wrapper(benchmark::State& state)
{
    for (auto _ : state)
    {
        CZKBitmapHandle bitmap;
        benchmark::DoNotOptimize(bitmap.Decompress_G4(Data().g4.data(), Data().g4.size(), kWidth, kHeight, 300, 300));
    }
    SBenchHarness::ReportAgainstMemcpy(state, BitonalPageBytes());
}

// The direct runs decode into a fresh buffer per image, as the wrapper does:
// every scanned page becomes a new bitmap.
void BM_G4Decode_Direct(benchmark::State& state)
{
    const size_t size = Data().packed.size();
    for (auto _ : state)
    {
        std::unique_ptr<uint8_t[]> rows(new uint8_t[size]);
        TIFF* tif = Data().g4File.Open("rm");
        benchmark::DoNotOptimize(TIFFReadEncodedStrip(tif, 0, rows.get(), tmsize_t(size)));
        TIFFClose(tif);
    }
    SBenchHarness::ReportAgainstMemcpy(state, BitonalPageBytes());
}

void BM_JPEGDecode_Wrapper(benchmark::State& state)
{
    for (auto _ : state)
    {
        CZKBitmapHandle bitmap;
        benchmark::DoNotOptimize(bitmap.Decompress_JPEG(Data().jpeg.data(), Data().jpeg.size(), int(state.range(0))));
    }
    SBenchHarness::ReportAgainstMemcpy(state, ColourPageBytes(state.range(0)));
}

void BM_JPEGDecode_Direct(benchmark::State& state)
{
    for (auto _ : state)
    {
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr err;
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, Data().jpeg.data(), Data().jpeg.size());
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_EXT_BGR;
        cinfo.scale_num = 1;
        cinfo.scale_denom = unsigned(state.range(0));
        jpeg_start_decompress(&cinfo);
        const size_t stride = size_t(cinfo.output_width) * 3;
        std::unique_ptr<uint8_t[]> pixels(new uint8_t[stride * cinfo.output_height]);
        while (cinfo.output_scanline < cinfo.output_height)
        {
            JSAMPROW row = pixels.get() + stride * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(pixels.get());
    }
    SBenchHarness::ReportAgainstMemcpy(state, ColourPageBytes(state.range(0)));
}
} // namespace

BENCHMARK(BM_G4Encode_Wrapper)->Apply(SBenchHarness::Steady)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_G4Encode_Direct)->Apply(SBenchHarness::Steady)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_G4Decode_Wrapper)->Apply(SBenchHarness::Steady)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_G4Decode_Direct)->Apply(SBenchHarness::Steady)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JPEGDecode_Wrapper)->Arg(1)->Arg(2)->Apply(SBenchHarness::Steady)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JPEGDecode_Direct)->Arg(1)->Arg(2)->Apply(SBenchHarness::Steady)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return SBenchHarness::Main(argc, argv);
}
