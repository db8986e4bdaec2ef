// Pages read straight from libsane, the way a SANE frontend reads them, to
// compare with what arrives through TWAIN. Run only while no TWAIN session
// has the library in use.
#pragma once

#include <sane/sane.h>

#include <cstdint>
#include <string>
#include <vector>

struct SANE_REFERENCE_PAGE
{
    SANE_Parameters parameters{}; // of the last frame
    std::vector<uint8_t> bytes;   // every frame, one after another
};

class CSaneReferenceScan
{
public:
    // Up to pages images of the first device, with the configured options.
    static std::vector<SANE_REFERENCE_PAGE> Scan(int pages = 1);
    // The page's rows without the padding a backend adds past the last pixel.
    // The bits past the last pixel of a row's last byte are cleared: the test
    // backend leaves them as they happen to be in its buffer.
    static std::vector<uint8_t> PixelRows(const SANE_REFERENCE_PAGE& page);
    // Clears those bits in rows of rowBytes bytes holding bitsPerRow bits each.
    static void ClearBitsPastRowEnd(std::vector<uint8_t>& rows, size_t rowBytes, size_t bitsPerRow);
};
