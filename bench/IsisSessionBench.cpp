// Pages per second through the ISIS scan session (virtual driver, page
// module, session thread, a no-op observer) for 300 dpi A4 pages, next to a
// plain memcpy of the same bytes. The session hands the driver's blocks on
// without copying them and the driver serves pages it made before, so the
// steady runs measure the message chain; the first scans of a driver whose
// pages were never made measure the driver making every page. The session hands the driver's blocks on
// without copying them, and the driver serves pages it made before, so the
// steady runs measure the message chain; the first scans of a new driver
// measure the driver making every page.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <goldmere/ZKISISManager.h>
#include <hollin/ZKCommon.h>
#include <wincompat/ZKEvent.h>

namespace
{
namespace fs = std::filesystem;

const int kSheetsPerRun = 20;

class CNoOpObserver : public IZKISISEventObserver
{
public:
    void OnISISSessionBegin(ZK_ISIS_SESSION_BEGIN*) override {}
    void OnISISImageBegin(ZK_ISIS_IMAGE_BEGIN*) override {}
    BOOL OnISISImageData(ZK_ISIS_IMAGE_DATA* data) override
    {
        benchmark::DoNotOptimize(data->Data);
        return FALSE;
    }
    BOOL OnISISImageEnd(ZK_ISIS_IMAGE_END* end) override
    {
        bytes = end->Info.ImageDataSize;
        ++images;
        return FALSE;
    }
    void OnISISImageNotAccepted() override { ++refused; }
    void OnISISSessionEnd(ZK_ISIS_SESSION_END*) override { ended.Set(); }
    void OnISISError(ZK_ISIS_ERROR*) override {}
    void OnISISQueryImageFileName(ZK_ISIS_IMAGEFILE_BEGIN_INFO*) override {}
    void OnISISImageFileEnd(ZK_ISIS_IMAGEFILE_END_INFO*) override {}

    CZKEvent ended;
    DWORD bytes = 0;
    int images = 0;
    int refused = 0;
};

const int kFirstScanSheets = 4;

std::string Profile(int samplesPerPixel, int bitsPerSample, int sheets = kSheetsPerRun,
                    int distinctSheets = 2)
{
    return "[Driver]\nModel = Bench\nSheets = " + std::to_string(sheets) +
           "\nDistinctSheets = " + std::to_string(distinctSheets) +
           "\nPageSize = A4\nBlockSize = 262144\n"
           "[Tag.1300]\nValue = 3\nChoices = 3\n"
           "[Tag.277]\nValue = " + std::to_string(samplesPerPixel) + "\n"
           "[Tag.258]\nValue = " + std::to_string(bitsPerSample) + "\n"
           "[Tag.259]\nValue = 1\nChoices = 1\n"
           "[Tag.282]\nType = RATIONAL\nValue = 300\n"
           "[Tag.283]\nType = RATIONAL\nValue = 300\n";
}

// A system folder with the one driver, for the benchmark's lifetime.
struct BenchFolder
{
    // The driver's name also seeds its pages: a new name, new pages.
    explicit BenchFolder(const std::string& profile, const std::string& driver = "BENCH")
    {
        std::string pattern = (fs::temp_directory_path() / "isis-bench-XXXXXX").string();
        path = mkdtemp(pattern.data()) ? pattern : std::string();
        fs::create_directories(fs::path(path) / "isisdrv");
        fs::copy_file(ZK_ISIS_VIRTUAL_DRIVER, fs::path(path) / "isisdrv" / (driver + ".isd"));
        std::ofstream(fs::path(path) / "isisdrv" / (driver + ".profile")) << profile;
        setenv("ZK_SYSTEM_DIR", path.c_str(), 1);
    }
    ~BenchFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string path;
};

void RunSession(benchmark::State& state, int samplesPerPixel, int bitsPerSample)
{
    BenchFolder folder(Profile(samplesPerPixel, bitsPerSample));
    CNoOpObserver observer;
    CZKISISManager manager;
    manager.SetObserver(&observer);
    if (!manager.Initialize() || !manager.Open(L"BENCH"))
    {
        state.SkipWithError("the virtual driver did not open");
        return;
    }
    manager.SetCompressionType(ZKISIS_COMPRESSION_NONE);
    // One run first: the driver generates its pages once.
    manager.StartRun(-1);
    observer.ended.Wait(60000);
    observer.images = 0;
    for (auto _ : state)
    {
        if (!manager.StartRun(-1) || observer.ended.Wait(60000) != WAIT_OBJECT_0)
        {
            state.SkipWithError("the run did not start or end");
            break;
        }
    }
    if (observer.images != state.iterations() * kSheetsPerRun || observer.refused)
        state.SkipWithError("pages were lost or refused");
    state.counters["pages_per_second"] =
        benchmark::Counter(double(state.iterations()) * kSheetsPerRun, benchmark::Counter::kIsRate);
    state.SetBytesProcessed(int64_t(state.iterations()) * kSheetsPerRun * observer.bytes);
    manager.Close();
    manager.Uninitialize();
}

// One scan of pages the driver never made before, every sheet distinct;
// opening and closing the driver is not timed.
void RunFirstScans(benchmark::State& state, int samplesPerPixel, int bitsPerSample)
{
    int scans = 0;
    int images = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        const std::string driver = "NEW" + std::to_string(++scans);
        BenchFolder folder(Profile(samplesPerPixel, bitsPerSample, kFirstScanSheets, 0), driver);
        CNoOpObserver observer;
        CZKISISManager manager;
        manager.SetObserver(&observer);
        if (!manager.Initialize() || !manager.Open(SZKCommon::MBStoWCS(driver).c_str()))
        {
            state.SkipWithError("the virtual driver did not open");
            break;
        }
        manager.SetCompressionType(ZKISIS_COMPRESSION_NONE);
        state.ResumeTiming();
        const bool ended = manager.StartRun(-1) && observer.ended.Wait(60000) == WAIT_OBJECT_0;
        state.PauseTiming();
        images += observer.images;
        manager.Close();
        manager.Uninitialize();
        state.ResumeTiming();
        if (!ended)
        {
            state.SkipWithError("the run did not start or end");
            break;
        }
    }
    if (images != state.iterations() * kFirstScanSheets)
        state.SkipWithError("pages were lost or refused");
    state.counters["pages_per_second"] =
        benchmark::Counter(double(state.iterations()) * kFirstScanSheets, benchmark::Counter::kIsRate);
}

void CopyPages(benchmark::State& state, size_t bytesPerPage)
{
    std::vector<char> source(bytesPerPage, 1), target(bytesPerPage);
    for (auto _ : state)
        for (int page = 0; page < kSheetsPerRun; ++page)
        {
            std::memcpy(target.data(), source.data(), bytesPerPage);
            benchmark::ClobberMemory();
        }
    state.counters["pages_per_second"] =
        benchmark::Counter(double(state.iterations()) * kSheetsPerRun, benchmark::Counter::kIsRate);
    state.SetBytesProcessed(int64_t(state.iterations()) * kSheetsPerRun * int64_t(bytesPerPage));
}

// A4 at 300 dpi as the driver scans it: 2481 x 3507 pixels.
const size_t kBitonalPageBytes = (2481 + 7) / 8 * 3507;
const size_t kColourPageBytes = 2481 * 3 * 3507;

void BM_IsisSessionBitonal(benchmark::State& state) { RunSession(state, 1, 1); }
void BM_IsisSessionColour(benchmark::State& state) { RunSession(state, 3, 8); }
void BM_IsisFirstScanBitonal(benchmark::State& state) { RunFirstScans(state, 1, 1); }
void BM_IsisFirstScanColour(benchmark::State& state) { RunFirstScans(state, 3, 8); }
void BM_MemcpyBitonal(benchmark::State& state) { CopyPages(state, kBitonalPageBytes); }
void BM_MemcpyColour(benchmark::State& state) { CopyPages(state, kColourPageBytes); }
} // namespace

BENCHMARK(BM_IsisSessionBitonal)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MemcpyBitonal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IsisSessionColour)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MemcpyColour)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IsisFirstScanBitonal)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_IsisFirstScanColour)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
