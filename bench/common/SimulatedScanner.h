// A private simulated TWAIN system folder for benchmarks: the DSM and the
// virtual source the build assembles beside bin/, with one scanner profile
// whose feeder does not run dry within a run. The environment points at it
// while the object lives.
#pragma once

#include <twaindefs/ZKTwainDefs.h>

#include <string>

class CZKTWSourceManager;

class CSimulatedScanner
{
public:
    // sample: a profile of the assembled folder ("production_duplex").
    explicit CSimulatedScanner(const std::string& sample = "production_duplex");
    ~CSimulatedScanner();
    CSimulatedScanner(const CSimulatedScanner&) = delete;
    CSimulatedScanner& operator=(const CSimulatedScanner&) = delete;

private:
    std::string m_path;
};

// Sets the open source to a 300 dpi simplex A4 page of the pixel type.
bool UseA4Page300(CZKTWSourceManager& manager, TW_UINT16 pixelType);
