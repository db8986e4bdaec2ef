// The ISIS-backed scanner in pages per second: raw rows of an A4 300 dpi
// page arrive as the ISIS layer hands them on (64 KiB blocks, then the image
// end) and are pooled and joined. Bitonal pages are then compressed to CCITT
// G4, next to a plain libtiff G4 encode of the same rows in the same run (the
// layer aims at 90% or more of it); colour pages become bitmap rows in place,
// next to a memcpy of the page.
#include "QXISISScannerImpl.h"

#include "common/BenchHarness.h"
#include "common/TestPages.h"
#include "common/TiffMemoryFile.h"

#include <mirelight/QXScannerEventObserver.h>
#include <mirelight/QX_SCANNER_IMAGEDATA_INFO.h>

#include <hollin/ZKBuffer.h>
#include <hollin/ZKTagHolder.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
const LONG kWidth = 2480, kHeight = 3508;
const size_t kBlockSize = 64 * 1024;

// Takes each page as an application would: the records are its own.
class CPageCounter : public IQXScannerEventObserver
{
public:
    void OnSessionBegin(QX_SCANNER_SESSION_BEGIN_INFO&) override {}
    void OnSessionEnd(QX_SCANNER_SESSION_END_INFO&) override {}
    void OnError(QX_SCANNER_ERROR_INFO&) override { ++errors; }
    void OnImageFileBegin(QX_SCANNER_IMAGEFILE_BEGIN_INFO&) override {}
    void OnImageFileEnd(QX_SCANNER_IMAGEFILE_END_INFO&) override {}
    void OnImageData(QX_SCANNER_IMAGEDATA_INFO& info) override
    {
        std::unique_ptr<QX_SCANNER_IMAGE_INFO> record(info.pImageInfo);
        std::unique_ptr<CZKTagHolder> tags(info.pTags);
        codedBytes = info.pData->GetSize();
        ++pages;
    }

    size_t codedBytes = 0;
    int pages = 0;
    int errors = 0;
};

// The page's rows without padding, ink as set bits ("white is zero").
std::vector<BYTE> WhiteIsZeroRows()
{
    const CZKBitmapHandle page = testpages::MakeTextPage(kWidth, kHeight, 7);
    const size_t rowBytes = (kWidth + 7) / 8;
    std::vector<BYTE> rows(rowBytes * kHeight);
    for (LONG y = 0; y < kHeight; ++y)
        std::memcpy(&rows[rowBytes * y], page.GetPtr() + size_t(y) * page.GetBytesPerLine(),
                    rowBytes);
    return rows;
}

const std::vector<BYTE>& Rows()
{
    static const std::vector<BYTE> rows = WhiteIsZeroRows();
    return rows;
}

// Red, green, blue rows of a colour page; the pixel values do not matter to
// the path, only their number.
const std::vector<BYTE>& ColourRows()
{
    static const std::vector<BYTE> rows = [] {
        std::vector<BYTE> bytes(size_t(kWidth) * 3 * kHeight);
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = BYTE(i * 7 + i / 4093);
        return bytes;
    }();
    return rows;
}

ZK_ISIS_IMAGE_INFO BitonalInfo()
{
    ZK_ISIS_IMAGE_INFO info;
    info.ImageWidth = kWidth;
    info.ImageLength = kHeight;
    info.SamplesPerPixel = 1;
    info.BitsPerSample = 1;
    info.Photometric = 0;
    info.Compression = 1;
    info.XResolution = 300;
    info.YResolution = 300;
    return info;
}

ZK_ISIS_IMAGE_INFO ColourInfo()
{
    ZK_ISIS_IMAGE_INFO info = BitonalInfo();
    info.SamplesPerPixel = 3;
    info.BitsPerSample = 8;
    info.Photometric = 2;
    return info;
}

// One page per iteration through the scanner, as the layer hands it on.
void RunPages(benchmark::State& state, const std::vector<BYTE>& rows, const ZK_ISIS_IMAGE_INFO& info,
              CPageCounter& observer)
{
    CQXISISScannerImpl scanner;
    scanner.SetObserver(&observer);
    ZK_ISIS_IMAGE_END end;
    end.Info = info;
    for (auto _ : state)
    {
        for (size_t offset = 0; offset < rows.size(); offset += kBlockSize)
        {
            ZK_ISIS_IMAGE_DATA data;
            data.Data = rows.data() + offset;
            data.Length = static_cast<DWORD>(std::min(kBlockSize, rows.size() - offset));
            scanner.OnISISImageData(&data);
        }
        scanner.OnISISImageEnd(&end);
    }
    ZK_ISIS_SESSION_END sessionEnd;
    scanner.OnISISSessionEnd(&sessionEnd);
    if (observer.errors != 0 || observer.pages != static_cast<int>(state.iterations()))
        state.SkipWithError("pages were lost");
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_IsisBitonalPage_Layer(benchmark::State& state)
{
    CPageCounter observer;
    RunPages(state, Rows(), BitonalInfo(), observer);
    state.counters["G4 bytes"] = static_cast<double>(observer.codedBytes);
}

void BM_IsisColourPage_Layer(benchmark::State& state)
{
    CPageCounter observer;
    RunPages(state, ColourRows(), ColourInfo(), observer);
    SBenchHarness::ReportAgainstMemcpy(state, ColourRows().size());
}

void BM_IsisBitonalPage_PlainLibtiff(benchmark::State& state)
{
    const std::vector<BYTE>& rows = Rows();
    for (auto _ : state)
    {
        TiffMemoryFile file;
        TIFF* tif = file.Open("w");
        SetTiffG4Fields(tif, uint32_t(kWidth), uint32_t(kHeight));
        TIFFWriteEncodedStrip(tif, 0, const_cast<BYTE*>(rows.data()), tmsize_t(rows.size()));
        TIFFClose(tif);
        benchmark::DoNotOptimize(file.bytes.data());
    }
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
} // namespace

BENCHMARK(BM_IsisBitonalPage_Layer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IsisBitonalPage_PlainLibtiff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IsisColourPage_Layer)->Unit(benchmark::kMillisecond)->Apply(SBenchHarness::Steady);

int main(int argc, char** argv)
{
    return SBenchHarness::Main(argc, argv);
}
