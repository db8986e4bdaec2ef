// Memory transfers through the TWAIN layer against the simulated source with
// no per-page delay: pages per second of a 300 dpi A4 page in colour and in
// bitonal, next to a plain copy of the same bytes.
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

namespace fs = std::filesystem;

namespace
{
constexpr int kPagesPerBatch = 20;

// The simulated system folder the build assembles beside bin/.
std::string SimulatorFolder()
{
    std::error_code ignored;
    return (fs::read_symlink("/proc/self/exe", ignored).parent_path().parent_path() / "sim" / "system").string();
}

// Joins the strips into one page buffer, as an application would.
class CPageSink : public IZKTWEventObserver
{
public:
    void OnAcquireBegin() override {}
    void OnAcquireEnd(BOOL) override { ended = true; }
    void OnDeviceEvent(TW_DEVICEEVENT*) override {}
    void OnTWAINError(DWORD, WORD, WORD, WORD, WORD) override { ++errors; }
    void OnCreateExtraImageInfo(CZKTWExtraImageInfo*&) override {}
    void OnNativeImage(HGLOBAL, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo*) override { delete info; }
    void OnSetupFileTransfer(TW_SETUPFILEXFER*) override {}
    void OnFileTransferred(TW_SETUPFILEXFER*) override {}
    void OnMemoryBlock(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra) override
    {
        const BYTE* data = static_cast<const BYTE*>(block->Memory.TheMem);
        page.insert(page.end(), data, data + block->BytesWritten);
        if (!last)
            return;
        pageBytes = page.size();
        page.clear();
        ++pages;
        delete info;
        delete extra;
    }

    std::vector<BYTE> page;
    size_t pageBytes = 0;
    std::atomic<int> pages{0};
    std::atomic<int> errors{0};
    std::atomic<bool> ended{false};
};

// A private system folder with the simulated DSM and one scanner whose
// feeder never runs dry within a run.
class CSimulatedScanner
{
public:
    CSimulatedScanner()
    {
        std::string pattern = (fs::temp_directory_path() / "zktwbench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        m_path = pattern;
        fs::create_directories(m_path + "/twain_32/profiles");
        fs::create_symlink(SimulatorFolder() + "/libtwaindsm.so", m_path + "/libtwaindsm.so");
        fs::copy_file(SimulatorFolder() + "/zkvirtualsource.so", m_path + "/twain_32/bench.ds");
        std::ifstream in(SimulatorFolder() + "/twain_32/profiles/production_duplex.profile");
        std::stringstream text;
        text << in.rdbuf();
        std::string profile = text.str();
        const std::string sheets = "Sheets = 10";
        profile.replace(profile.find(sheets), sheets.size(), "Sheets = 1000000");
        std::ofstream(m_path + "/twain_32/profiles/bench.profile") << profile;
        setenv("ZK_SYSTEM_DIR", m_path.c_str(), 1);
        setenv("ZK_TWAIN_DS_DIR", (m_path + "/twain_32").c_str(), 1);
        setenv("ZK_TWAIN_PROFILE_DIR", (m_path + "/twain_32/profiles").c_str(), 1);
    }
    ~CSimulatedScanner()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }

private:
    std::string m_path;
};

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
        const TW_FIX32 dpi{300, 0};
        const TW_FRAME a4{{0, 0}, {0, 0}, {8, 16384}, {11, 45875}}; // 8.25 x 11.7 in
        const TW_BOOL simplex = 0;
        return manager.SetCapOnevalue(ICAP_PIXELTYPE, TWTY_UINT16, &pixelType) == ZKTW_CAP_SUCCESS &&
               manager.SetCapOnevalue(ICAP_XRESOLUTION, TWTY_FIX32, &dpi) == ZKTW_CAP_SUCCESS &&
               manager.SetCapOnevalue(ICAP_YRESOLUTION, TWTY_FIX32, &dpi) == ZKTW_CAP_SUCCESS &&
               manager.SetCapOnevalue(ICAP_FRAMES, TWTY_FRAME, &a4) == ZKTW_CAP_SUCCESS &&
               manager.SetCapOnevalue(CAP_DUPLEXENABLED, TWTY_BOOL, &simplex) == ZKTW_CAP_SUCCESS;
    }
    return false;
}

void BM_MemoryTransfer(benchmark::State& state)
{
    CSimulatedScanner scanner;
    CPageSink sink;
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

BENCHMARK(BM_MemoryTransfer)->Arg(TWPT_RGB)->Arg(TWPT_BW)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainCopy)->Arg(TWPT_RGB)->Arg(TWPT_BW)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
