// CCITT Group 3/4 coding of 1-bit rows through libtiff, entirely in memory.
//
// Decoding: scanners deliver bare coded data, but libtiff's fax codecs only run
// behind a TIFF handle. So a minimal TIFF header and directory describing one
// strip (width, height, coding, "white is zero") is built in memory and the
// raw data is presented right after it as the strip's bytes; the handle reads
// both through memory procedures, without temporary files or a copy of the
// data into a wrapper. Rows are decoded straight into the caller's rows.
//
// Encoding: a TIFF is written to a memory stream and the one strip's bytes
// are taken out of it; the file wrapper itself is thrown away.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class EZKCCITTVariant
{
    G3_1D,       // modified Huffman with EOL codes
    G3_1D_NOEOL, // modified Huffman, no EOL codes, rows byte-aligned
    G3_2D,       // T.4 two-dimensional with EOL codes
    G4           // T.6
};

class SZKCCITTCodec
{
public:
    // Decodes width x height pixels into rows (stride bytes apart, each at
    // least (width + 7) / 8 bytes); a set bit is black. Any libtiff error or
    // warning fails the decode; error names the first one.
    static bool Decode(EZKCCITTVariant variant, const uint8_t* data, size_t size, uint32_t width, uint32_t height,
                       uint8_t* rows, size_t stride, std::string& error);

    // Encodes rows (set bit = black unless invert) as T.6 data into out.
    static bool EncodeG4(const uint8_t* rows, size_t stride, uint32_t width, uint32_t height, bool invert,
                         std::vector<uint8_t>& out, std::string& error);

    // The in-memory TIFF header and directory placed in front of raw data.
    static std::vector<uint8_t> BuildStripHeader(EZKCCITTVariant variant, uint32_t width, uint32_t height,
                                                 uint32_t dataSize);
};
