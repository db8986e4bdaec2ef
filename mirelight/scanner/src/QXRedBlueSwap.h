// Reverses the byte order of every 3-byte pixel of a row: red, green, blue
// rows become the blue, green, red rows of a bitmap and back. The processor's
// byte-shuffle instructions are used when it has them, chosen once at run
// time; the plain loop serves every other processor.
#pragma once

#include <mirelight/mirelight_export.h>
#include <wincompat/WinTypes.h>

#include <cstdint>

class MIRELIGHT_EXPORT SQXRedBlueSwap
{
public:
    // width pixels from src to dst; src and dst may be the same row, but
    // must not overlap otherwise.
    static void Row(const BYTE* src, BYTE* dst, uint32_t width);

    // The two ways, for tests and benchmarks. RowShuffled returns false,
    // and touches nothing, on a processor without the instructions.
    static void RowPlain(const BYTE* src, BYTE* dst, uint32_t width);
    static bool RowShuffled(const BYTE* src, BYTE* dst, uint32_t width);
};
