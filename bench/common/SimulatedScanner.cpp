#include "SimulatedScanner.h"

#include "PageSink.h"

#include <fennick/ZKTWSourceManager.h>

#include <stdlib.h>

#include <filesystem>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace
{
// The simulated system folder the build assembles beside bin/.
std::string SimulatorFolder()
{
    std::error_code ignored;
    return (fs::read_symlink("/proc/self/exe", ignored).parent_path().parent_path() / "sim" /
            "system")
        .string();
}
} // namespace

CSimulatedScanner::CSimulatedScanner(const std::string& sample, int sheets)
{
    std::string pattern = (fs::temp_directory_path() / "zktwbench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
    fs::create_directories(m_path + "/twain_32/profiles");
    fs::create_symlink(SimulatorFolder() + "/libtwaindsm.so", m_path + "/libtwaindsm.so");
    // One data-source file per scanner, named after its profile.
    fs::copy_file(SimulatorFolder() + "/zkvirtualsource.so", m_path + "/twain_32/bench.ds");
    std::ifstream in(SimulatorFolder() + "/twain_32/profiles/" + sample + ".profile");
    std::stringstream text;
    text << in.rdbuf();
    const std::string count = std::to_string(sheets);
    const std::string profile = std::regex_replace(text.str(), std::regex("Sheets = [0-9]+"),
                                                   "Sheets = " + count + "\nReload = " + count);
    std::ofstream(m_path + "/twain_32/profiles/bench.profile") << profile;
    setenv("ZK_SYSTEM_DIR", m_path.c_str(), 1);
    setenv("ZK_TWAIN_DS_DIR", (m_path + "/twain_32").c_str(), 1);
    setenv("ZK_TWAIN_PROFILE_DIR", (m_path + "/twain_32/profiles").c_str(), 1);
}

CSimulatedScanner::~CSimulatedScanner()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

bool UseA4Page300(CZKTWSourceManager& manager, TW_UINT16 pixelType)
{
    const TW_FIX32 dpi{300, 0};
    const TW_FRAME a4{{0, 0}, {0, 0}, {8, 16384}, {11, 45875}}; // 8.25 x 11.7 in
    const TW_BOOL simplex = 0;
    return manager.SetCapOnevalue(ICAP_PIXELTYPE, TWTY_UINT16, &pixelType) == ZKTW_CAP_SUCCESS &&
           manager.SetCapOnevalue(ICAP_XRESOLUTION, TWTY_FIX32, &dpi) == ZKTW_CAP_SUCCESS &&
           manager.SetCapOnevalue(ICAP_YRESOLUTION, TWTY_FIX32, &dpi) == ZKTW_CAP_SUCCESS &&
           manager.SetCapOnevalue(ICAP_FRAMES, TWTY_FRAME, &a4) == ZKTW_CAP_SUCCESS &&
           manager.SetCapOnevalue(CAP_DUPLEXENABLED, TWTY_BOOL, &simplex) == ZKTW_CAP_SUCCESS;
}

bool OpenA4MemorySource(CZKTWSourceManager& manager, CPageSink& sink, TW_UINT16 pixelType)
{
    manager.RegisterApp(1, 0, 13, 1, "1.0 bench", "ZK Bench", "Capture", "fennick bench");
    manager.SetObserver(&sink);
    manager.SetTransferMode(TWSX_MEMORY);
    TW_IDENTITY source{};
    std::strcpy(source.ProductName, "ZK Virtual Production Duplex");
    return manager.Open() && manager.OpenSource(source) && UseA4Page300(manager, pixelType);
}

bool AcquireBatch(CZKTWSourceManager& manager, CPageSink& sink, int pages)
{
    if (!manager.Acquire(nullptr, pages, FALSE) || sink.ended.Wait(60000) != WAIT_OBJECT_0)
        return false;
    // The layer is back to an open source once the end is told; wait on
    // the state too, so the next batch never starts early.
    while (manager.GetState() > ZKTW_STATE_SOURCE_OPEN)
        std::this_thread::yield();
    return true;
}
