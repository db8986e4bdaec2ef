// A private simulated TWAIN system folder for benchmarks: the DSM and the
// virtual source the build assembles beside bin/, with one scanner profile
// whose feeder holds a few sheets and is refilled with the same sheets at
// every start of a scan. A run thus scans the same few distinct pages over
// and over: the source generates each once and serves it from its page
// cache after, so a figure measures the transfer rather than the page
// generator. The environment points at the folder while the object lives.
#pragma once

#include <twaindefs/ZKTwainDefs.h>

#include <string>

class CZKTWSourceManager;
class CPageSink;

// Sheets in the feeder: pages of a batch that are told apart. Eight colour
// A4 pages at 300 dpi (26 MB each) fit the source's 256 MB page cache.
constexpr int kBenchSheets = 8;

class CSimulatedScanner
{
public:
    // sample: a profile of the assembled folder ("production_duplex").
    explicit CSimulatedScanner(const std::string& sample = "production_duplex", int sheets = kBenchSheets);
    ~CSimulatedScanner();
    CSimulatedScanner(const CSimulatedScanner&) = delete;
    CSimulatedScanner& operator=(const CSimulatedScanner&) = delete;

private:
    std::string m_path;
};

// Sets the open source to a 300 dpi simplex A4 page of the pixel type.
bool UseA4Page300(CZKTWSourceManager& manager, TW_UINT16 pixelType);

// Opens the layer on the scanner of the folder, memory transfers to sink, a
// 300 dpi simplex A4 page of the pixel type.
bool OpenA4MemorySource(CZKTWSourceManager& manager, CPageSink& sink, TW_UINT16 pixelType);

// One batch of pages into sink; false when the layer refused to start.
bool AcquireBatch(CZKTWSourceManager& manager, CPageSink& sink, int pages);
