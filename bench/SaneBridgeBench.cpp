// Pages per second from SANE's test backend through the SANE bridge and the
// TWAIN layer (memory transfers, feeder batches of ten), next to a plain
// sane_start/sane_read loop into a buffer with the same device settings.
#include "common/PageSink.h"
#include "common/SimulatedScanner.h"

#include <fennick/ZKTWSourceManager.h>

#include <sane/sane.h>

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// The backend's feeder holds ten sheets: one batch empties it.
constexpr int kPagesPerBatch = 10;

// A colour page of 200 x 200 mm at 150 dpi, the backend's colour pattern.
const char kSettings[] = "number_of_devices 1\nmode Color\ndepth 8\nresolution 150\n"
                         "test-picture \"Color pattern\"\nbr_x 200.0\nbr_y 200.0\n";

// A private SANE configuration and system folder, the same for both
// benchmarks: libsane reads its configuration folder once per process.
struct BENCH_FOLDERS
{
    std::string root;

    BENCH_FOLDERS()
    {
        std::string pattern = (fs::temp_directory_path() / "zksane-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary folder");
        root = pattern;
        fs::create_directories(root + "/sane");
        fs::create_directories(root + "/system/twain_32");
        std::ofstream(root + "/sane/dll.conf") << "test\n";
        std::ofstream(root + "/sane/test.conf") << kSettings;
        fs::copy_file(ZK_SANE_DSM_FILE, root + "/system/libtwaindsm.so");
        fs::copy_file(ZK_SANE_SOURCE_FILE, root + "/system/twain_32/sane.ds");
        setenv("SANE_CONFIG_DIR", (root + "/sane").c_str(), 1);
        setenv("ZK_SYSTEM_DIR", (root + "/system").c_str(), 1);
        setenv("ZK_TWAIN_DS_DIR", (root + "/system/twain_32").c_str(), 1);
    }
    ~BENCH_FOLDERS()
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

const BENCH_FOLDERS& Folders()
{
    static BENCH_FOLDERS folders;
    return folders;
}

bool SetFeeder(SANE_Handle handle)
{
    SANE_Int count = 0;
    sane_control_option(handle, 0, SANE_ACTION_GET_VALUE, &count, nullptr);
    for (SANE_Int i = 1; i < count; ++i)
    {
        const SANE_Option_Descriptor* option = sane_get_option_descriptor(handle, i);
        if (option && option->name && std::strcmp(option->name, "source") == 0)
        {
            char value[] = "Automatic Document Feeder";
            return sane_control_option(handle, i, SANE_ACTION_SET_VALUE, value, nullptr) == SANE_STATUS_GOOD;
        }
    }
    return false;
}

// Reads pages until the feeder is empty; returns the pages read.
int ReadBatch(SANE_Handle handle, std::vector<SANE_Byte>& page)
{
    int pages = 0;
    while (sane_start(handle) == SANE_STATUS_GOOD)
    {
        page.clear();
        SANE_Byte buffer[256 * 1024];
        SANE_Status status = SANE_STATUS_GOOD;
        while (status == SANE_STATUS_GOOD)
        {
            SANE_Int length = 0;
            status = sane_read(handle, buffer, sizeof(buffer), &length);
            page.insert(page.end(), buffer, buffer + length);
        }
        if (status != SANE_STATUS_EOF)
            break;
        ++pages;
    }
    sane_cancel(handle);
    return pages;
}

void BM_SaneReadDirect(benchmark::State& state)
{
    Folders();
    SANE_Int version = 0;
    SANE_Handle handle = nullptr;
    const SANE_Device** devices = nullptr;
    if (sane_init(&version, nullptr) != SANE_STATUS_GOOD || sane_get_devices(&devices, SANE_TRUE) != SANE_STATUS_GOOD ||
        !devices[0] || sane_open(devices[0]->name, &handle) != SANE_STATUS_GOOD || !SetFeeder(handle))
    {
        state.SkipWithError("SANE's test backend is not available");
        sane_exit();
        return;
    }
    std::vector<SANE_Byte> page;
    int64_t pages = 0;
    for (auto _ : state)
    {
        const int read = ReadBatch(handle, page);
        if (read != kPagesPerBatch)
            state.SkipWithError("pages missing");
        pages += read;
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
    state.counters["page_bytes"] = static_cast<double>(page.size());
    sane_close(handle);
    sane_exit();
}

bool OpenBridge(CZKTWSourceManager& manager, CPageSink& sink)
{
    manager.RegisterApp(1, 0, 13, 1, "1.0 bench", "ZK Bench", "Capture", "SANE bridge bench");
    manager.SetObserver(&sink);
    manager.SetTransferMode(TWSX_MEMORY);
    if (!manager.Open())
        return false;
    std::vector<TW_IDENTITY> sources;
    manager.QueryAvailableSources(sources);
    for (const TW_IDENTITY& source : sources)
        if (std::strcmp(source.ProductName, "frontend-tester") == 0)
            return manager.OpenSource(source);
    return false;
}

void BM_SaneThroughBridge(benchmark::State& state)
{
    Folders();
    CPageSink sink;
    CZKTWSourceManager manager;
    if (!OpenBridge(manager, sink))
    {
        state.SkipWithError("the SANE bridge is not available");
        return;
    }
    for (auto _ : state)
    {
        if (!AcquireBatch(manager, sink, -1))
        {
            state.SkipWithError("Acquire failed");
            break;
        }
    }
    if (sink.errors != 0 || sink.pages != kPagesPerBatch * static_cast<int>(state.iterations()))
        state.SkipWithError("pages missing");
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(sink.pages), benchmark::Counter::kIsRate);
    state.counters["page_bytes"] = static_cast<double>(sink.pageBytes);
    manager.CloseSource();
    manager.Close();
}
} // namespace

BENCHMARK(BM_SaneReadDirect)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaneThroughBridge)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
