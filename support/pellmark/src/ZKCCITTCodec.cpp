#include "ZKCCITTCodec.h"

#include "ZKTIFFErrorTrap.h"
#include "ZKTIFFMemoryStream.h"

#include <tiffio.h>

#include <cstring>
#include <limits>
#include <memory>

namespace
{
const uint16_t kTypeShort = 3;
const uint16_t kTypeLong = 4;

struct DirectoryEntry
{
    uint16_t tag;
    uint16_t type;
    uint32_t value;
};

void PutLE16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void PutLE32(std::vector<uint8_t>& out, uint32_t v)
{
    PutLE16(out, uint16_t(v));
    PutLE16(out, uint16_t(v >> 16));
}

void PutEntry(std::vector<uint8_t>& out, const DirectoryEntry& e)
{
    PutLE16(out, e.tag);
    PutLE16(out, e.type);
    PutLE32(out, 1); // every value here is a single number held in the entry
    if (e.type == kTypeShort)
    {
        PutLE16(out, uint16_t(e.value));
        PutLE16(out, 0);
    }
    else
    {
        PutLE32(out, e.value);
    }
}

uint16_t CompressionOf(EZKCCITTVariant variant)
{
    switch (variant)
    {
    case EZKCCITTVariant::G3_1D_NOEOL:
        return COMPRESSION_CCITTRLE;
    case EZKCCITTVariant::G4:
        return COMPRESSION_CCITTFAX4;
    default:
        return COMPRESSION_CCITTFAX3;
    }
}

struct TIFFCloser
{
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TIFFHandle = std::unique_ptr<TIFF, TIFFCloser>;

TIFFHandle OpenStream(CZKTIFFMemoryStream& stream, const char* mode, const CZKTIFFErrorTrap& trap)
{
    return TIFFHandle(TIFFClientOpenExt("memory", mode, &stream, &CZKTIFFMemoryStream::ReadProc,
                                        &CZKTIFFMemoryStream::WriteProc, &CZKTIFFMemoryStream::SeekProc,
                                        &CZKTIFFMemoryStream::CloseProc, &CZKTIFFMemoryStream::SizeProc,
                                        &CZKTIFFMemoryStream::MapProc, &CZKTIFFMemoryStream::UnmapProc,
                                        trap.Options()));
}

std::string FailureText(const CZKTIFFErrorTrap& trap, const char* fallback)
{
    return trap.Tripped() ? trap.FirstMessage() : std::string(fallback);
}

bool SetG4Fields(TIFF* tif, uint32_t width, uint32_t height)
{
    return TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width) && TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height) &&
           TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1) && TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1) &&
           TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4) &&
           TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE) &&
           TIFFSetField(tif, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB) &&
           TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
           TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, height);
}
} // namespace

std::vector<uint8_t> SZKCCITTCodec::BuildStripHeader(EZKCCITTVariant variant, uint32_t width, uint32_t height,
                                                     uint32_t dataSize)
{
    std::vector<DirectoryEntry> entries = {
        {TIFFTAG_IMAGEWIDTH, kTypeLong, width},
        {TIFFTAG_IMAGELENGTH, kTypeLong, height},
        {TIFFTAG_BITSPERSAMPLE, kTypeShort, 1},
        {TIFFTAG_COMPRESSION, kTypeShort, CompressionOf(variant)},
        {TIFFTAG_PHOTOMETRIC, kTypeShort, PHOTOMETRIC_MINISWHITE},
        {TIFFTAG_FILLORDER, kTypeShort, FILLORDER_MSB2LSB},
        {TIFFTAG_STRIPOFFSETS, kTypeLong, 0}, // patched below
        {TIFFTAG_SAMPLESPERPIXEL, kTypeShort, 1},
        {TIFFTAG_ROWSPERSTRIP, kTypeLong, height},
        {TIFFTAG_STRIPBYTECOUNTS, kTypeLong, dataSize},
    };
    if (variant == EZKCCITTVariant::G3_1D || variant == EZKCCITTVariant::G3_2D)
        entries.push_back({TIFFTAG_GROUP3OPTIONS, kTypeLong, variant == EZKCCITTVariant::G3_2D ? 1u : 0u});
    else if (variant == EZKCCITTVariant::G4)
        entries.push_back({TIFFTAG_GROUP4OPTIONS, kTypeLong, 0});

    const uint32_t headerSize = 8 + 2 + uint32_t(entries.size()) * 12 + 4;
    for (auto& e : entries)
        if (e.tag == TIFFTAG_STRIPOFFSETS)
            e.value = headerSize;

    std::vector<uint8_t> out;
    out.reserve(headerSize);
    out.push_back('I'); // little-endian byte order
    out.push_back('I');
    PutLE16(out, 42);
    PutLE32(out, 8);
    PutLE16(out, uint16_t(entries.size()));
    for (const auto& e : entries)
        PutEntry(out, e);
    PutLE32(out, 0); // no further directory
    return out;
}

bool SZKCCITTCodec::Decode(EZKCCITTVariant variant, const uint8_t* data, size_t size, uint32_t width,
                           uint32_t height, uint8_t* rows, size_t stride, std::string& error)
{
    // The strip's byte count and offset are 32-bit fields of the directory.
    if (!data || size == 0 || size > std::numeric_limits<uint32_t>::max() - 4096u)
    {
        error = "no coded data or more than a 32-bit strip can describe";
        return false;
    }
    if (width == 0 || height == 0 || stride < (size_t(width) + 7) / 8)
    {
        error = "bad image geometry";
        return false;
    }
    CZKTIFFErrorTrap trap;
    CZKTIFFMemoryStream stream(BuildStripHeader(variant, width, height, uint32_t(size)), data, size);
    TIFFHandle tif = OpenStream(stream, "rm", trap);
    if (!tif || trap.Tripped())
    {
        error = FailureText(trap, "cannot open the coded data");
        return false;
    }
    for (uint32_t y = 0; y < height; ++y)
    {
        if (TIFFReadScanline(tif.get(), rows + size_t(y) * stride, y, 0) < 0 || trap.Tripped())
        {
            error = FailureText(trap, "decoding failed");
            return false;
        }
    }
    return true;
}

bool SZKCCITTCodec::EncodeG4(const uint8_t* rows, size_t stride, uint32_t width, uint32_t height, bool invert,
                             std::vector<uint8_t>& out, std::string& error)
{
    const size_t rowBytes = (size_t(width) + 7) / 8;
    if (!rows || width == 0 || height == 0 || stride < rowBytes)
    {
        error = "bad image geometry";
        return false;
    }
    CZKTIFFErrorTrap trap;
    CZKTIFFMemoryStream stream;
    TIFFHandle tif = OpenStream(stream, "w", trap);
    if (!tif || !SetG4Fields(tif.get(), width, height))
    {
        error = FailureText(trap, "cannot set up the encoder");
        return false;
    }
    // The codec takes a writable row; a private copy keeps the bitmap const
    // and is where the bits are inverted for a "black is zero" palette.
    std::vector<uint8_t> row(rowBytes);
    for (uint32_t y = 0; y < height; ++y)
    {
        const uint8_t* src = rows + size_t(y) * stride;
        if (invert)
            for (size_t i = 0; i < rowBytes; ++i)
                row[i] = uint8_t(~src[i]);
        else
            std::memcpy(row.data(), src, rowBytes);
        if (TIFFWriteScanline(tif.get(), row.data(), y, 0) < 0)
        {
            error = FailureText(trap, "encoding failed");
            return false;
        }
    }
    // Finish the strip only: writing the directory would reset the strip
    // table before it is read below.
    if (!TIFFFlushData(tif.get()) || trap.Tripped())
    {
        error = FailureText(trap, "encoding failed");
        return false;
    }
    const uint64_t offset = TIFFGetStrileOffset(tif.get(), 0);
    const uint64_t count = TIFFGetStrileByteCount(tif.get(), 0);
    const std::vector<uint8_t>& file = stream.Written();
    if (count == 0 || offset > file.size() || count > file.size() - offset)
    {
        error = "encoded strip not found";
        return false;
    }
    out.assign(file.begin() + ptrdiff_t(offset), file.begin() + ptrdiff_t(offset + count));
    return true;
}
