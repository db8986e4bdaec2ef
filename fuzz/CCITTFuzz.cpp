// Raw CCITT data as scanners deliver it, with the page geometry the scanner
// claims. Input: variant byte, width and height (16 bits each, signed, kept
// within 4096 so a page stays small), resolution byte, then the coded data.
// A decoded G4 page must code and decode back to the same pixels.
#include <pellmark/ZKBitmapHandle.h>

#include "common/FuzzInput.h"

#include <cstring>
#include <vector>

namespace
{
constexpr int kMaxSide = 4096;

LONG TakeSide(CFuzzInput& input)
{
    return static_cast<int16_t>(input.TakeWord()) % (kMaxSide + 1);
}

// Row by row over the pixel bits only: padding carries no pixels.
bool SamePixels(const CZKBitmapHandle& a, const CZKBitmapHandle& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return false;
    const size_t fullBytes = size_t(a.GetWidth()) / 8;
    const int lastBits = int(a.GetWidth() % 8);
    const BYTE lastMask = BYTE(0xFF << (8 - lastBits));
    for (LONG y = 0; y < a.GetHeight(); ++y)
    {
        const BYTE* rowA = a.GetPtr() + size_t(y) * a.GetBytesPerLine();
        const BYTE* rowB = b.GetPtr() + size_t(y) * b.GetBytesPerLine();
        if (std::memcmp(rowA, rowB, fullBytes) != 0)
            return false;
        if (lastBits && ((rowA[fullBytes] ^ rowB[fullBytes]) & lastMask))
            return false;
    }
    return true;
}

void CheckG4RoundTrip(const CZKBitmapHandle& page)
{
    std::vector<BYTE> coded;
    if (!page.Compress_G4(coded))
        FuzzFail("a decoded page cannot be coded as G4");
    CZKBitmapHandle again;
    if (!again.Decompress_G4(coded.data(), coded.size(), page.GetWidth(), page.GetHeight(), 200, 200) ||
        !SamePixels(page, again))
        FuzzFail("a page changes on a G4 code/decode round trip");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const uint8_t variant = input.TakeByte() % 4;
    const LONG width = TakeSide(input);
    const LONG height = TakeSide(input);
    const LONG dpi = input.TakeByte() * 4;
    const BYTE* coded = input.Rest();
    const size_t codedSize = input.RestSize();

    CZKBitmapHandle page;
    switch (variant)
    {
    case 0:
        if (page.Decompress_G4(coded, codedSize, width, height, dpi, dpi))
            CheckG4RoundTrip(page);
        break;
    case 1:
        page.Decompress_G3_1D(coded, codedSize, width, height, dpi, dpi);
        break;
    case 2:
        page.Decompress_G3_1D_NOEOL(coded, codedSize, width, height, dpi, dpi);
        break;
    default:
        page.Decompress_G3_2D(coded, codedSize, width, height, dpi, dpi);
        break;
    }
    return 0;
}
