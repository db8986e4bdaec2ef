// qxscan with the SANE bridge in its system folder: the test backend is
// listed as a TWAIN source and scanned into files and an index.
#include "common/SaneReferenceScan.h"
#include "common/SaneTestSystem.h"

#include "ToolRun.h"

#include <tiffio.h>

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>

namespace
{
const std::string kScanner = std::string("twain:") + kSaneTestProduct;

// Sets an environment variable for the tool the test runs; the old value
// comes back afterwards.
class CToolEnvironment
{
public:
    CToolEnvironment(const char* name, const char* value) : m_name(name)
    {
        const char* old = getenv(name);
        m_had = old != nullptr;
        m_old = old ? old : "";
        setenv(name, value, 1);
    }
    ~CToolEnvironment()
    {
        if (m_had)
            setenv(m_name.c_str(), m_old.c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }
    CToolEnvironment(const CToolEnvironment&) = delete;
    CToolEnvironment& operator=(const CToolEnvironment&) = delete;

private:
    std::string m_name;
    bool m_had = false;
    std::string m_old;
};

// The tool unloads the bridge and libsane before it exits, so a leak checker
// in a sanitizer build can neither name nor suppress the test backend's own
// leaks there. The bridge's code is leak-checked by the in-process SANE
// tests, which keep the backend loaded; the tool runs here without it. The
// test backend's reader threads are kept from being cancelled inside the
// allocator, as in the test programs.
class SaneToolTest : public ::testing::Test
{
private:
    CToolEnvironment m_noLeakCheck{"LSAN_OPTIONS", "detect_leaks=0"};
    CToolEnvironment m_deferredCancel{"LD_PRELOAD", ZK_SANE_DEFERRED_CANCEL};
};
} // namespace

TEST_F(SaneToolTest, ListShowsTheSaneDeviceAsATwainSource)
{
    CSaneTestSystem system;
    const TOOL_RESULT result = CToolRun::Run({"--system", system.SystemFolder(), "list"});
    ASSERT_EQ(0, result.exitCode) << result.err;
    EXPECT_NE(std::string::npos, result.out.find(kScanner + "\n")) << result.out;
}

TEST_F(SaneToolTest, ScanWritesTheBackendsPages)
{
    CSaneTestSystem system({"test-picture \"Grid\"", "resolution 50"});
    const std::vector<SANE_REFERENCE_PAGE> reference = CSaneReferenceScan::Scan();
    ASSERT_EQ(1u, reference.size());
    CTempFolder out;
    const TOOL_RESULT result = CToolRun::Run({"--system", system.SystemFolder(), "scan", kScanner, "--pages", "3",
                                              "--mode", "gray", "--format", "tiff", "--out", out.Path()});
    ASSERT_EQ(0, result.exitCode) << result.err;

    std::ifstream index(out.Path() + "/index.jsonl");
    int lines = 0;
    for (std::string line; std::getline(index, line);)
        ++lines;
    EXPECT_EQ(3, lines);
    int pictures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(out.Path()))
    {
        if (entry.path().extension() != ".tif")
            continue;
        ++pictures;
        TIFF* tiff = TIFFOpen(entry.path().c_str(), "r");
        ASSERT_NE(nullptr, tiff) << entry.path();
        uint32_t width = 0, height = 0;
        TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
        TIFFClose(tiff);
        EXPECT_EQ(uint32_t(reference[0].parameters.pixels_per_line), width);
        EXPECT_EQ(uint32_t(reference[0].parameters.lines), height);
    }
    EXPECT_EQ(3, pictures);
}
