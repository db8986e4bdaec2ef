#include "ZKSimImageEncoder.h"

#include <tiffio.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

namespace
{
constexpr int kJpegQuality = 80;
constexpr DWORD kInfoHeaderSize = 40;
constexpr DWORD kFileHeaderSize = 14;

void Put16(std::vector<BYTE>& out, unsigned value)
{
    out.push_back(static_cast<BYTE>(value));
    out.push_back(static_cast<BYTE>(value >> 8));
}

void Put32(std::vector<BYTE>& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Swapping red and blue is a blend of the row with itself shifted two bytes
// either way, under masks that repeat every pixel. Over blocks of whole
// pixels and whole 16-byte vectors the masks are constants and the compiler
// turns the blend into vector code.
constexpr size_t kSwapBlock = 48;

struct SwapMasks
{
    BYTE fromRight[kSwapBlock], same[kSwapBlock], fromLeft[kSwapBlock];

    constexpr SwapMasks() : fromRight(), same(), fromLeft()
    {
        for (size_t i = 0; i < kSwapBlock; ++i)
        {
            fromRight[i] = i % 3 == 0 ? 0xFF : 0;
            same[i] = i % 3 == 1 ? 0xFF : 0;
            fromLeft[i] = i % 3 == 2 ? 0xFF : 0;
        }
    }
};
constexpr SwapMasks kSwapMasks;

void CopySwappingRedAndBlue(const BYTE* __restrict from, BYTE* __restrict to, size_t pixels)
{
    const size_t size = pixels * 3;
    size_t at = 0;
    auto copyPixelsTo = [&](size_t end)
    {
        for (; at < end; at += 3)
        {
            to[at] = from[at + 2];
            to[at + 1] = from[at + 1];
            to[at + 2] = from[at];
        }
    };
    // The blocks read two bytes either side: the first and last pixels go
    // one by one.
    copyPixelsTo(std::min<size_t>(size, 3));
    for (; at + kSwapBlock + 3 <= size; at += kSwapBlock)
    {
        const BYTE* left = from + at - 2;
        BYTE* out = to + at;
        for (size_t i = 0; i < kSwapBlock; ++i)
            out[i] = static_cast<BYTE>((left[i + 4] & kSwapMasks.fromRight[i]) |
                                       (left[i + 2] & kSwapMasks.same[i]) |
                                       (left[i] & kSwapMasks.fromLeft[i]));
    }
    copyPixelsTo(size);
}

uint32_t PelsPerMeter(LONG dpi)
{
    return static_cast<uint32_t>(dpi * 10000 / 254);
}

struct TiffCloser
{
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
} // namespace

DWORD SZKSimImageEncoder::BytesPerRow(const CZKBitmapHandle& page)
{
    return static_cast<DWORD>((static_cast<uint64_t>(page.GetWidth()) * page.GetBitsPerPixel() + 7) / 8);
}

DWORD SZKSimImageEncoder::DibStride(LONG width, int bitsPerPixel)
{
    return static_cast<DWORD>((static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32 * 4);
}

std::vector<BYTE> SZKSimImageEncoder::DibHeader(LONG width, LONG height, int bitsPerPixel, LONG xDpi, LONG yDpi,
                                                const std::vector<ZK_RGBQUAD>& palette)
{
    std::vector<BYTE> header;
    header.reserve(kInfoHeaderSize + palette.size() * 4);
    Put32(header, kInfoHeaderSize);
    Put32(header, static_cast<uint32_t>(width));
    Put32(header, static_cast<uint32_t>(height)); // positive: bottom-up
    Put16(header, 1);
    Put16(header, static_cast<unsigned>(bitsPerPixel));
    Put32(header, 0); // BI_RGB
    Put32(header, DibStride(width, bitsPerPixel) * static_cast<uint32_t>(height));
    Put32(header, PelsPerMeter(xDpi));
    Put32(header, PelsPerMeter(yDpi));
    Put32(header, static_cast<uint32_t>(palette.size()));
    Put32(header, 0);
    for (const ZK_RGBQUAD& entry : palette)
        for (BYTE byte : {entry.rgbBlue, entry.rgbGreen, entry.rgbRed, BYTE(0)})
            header.push_back(byte);
    return header;
}

std::vector<BYTE> SZKSimImageEncoder::Dib(const CZKBitmapHandle& page)
{
    std::vector<ZK_RGBQUAD> palette(page.GetPaletteSize());
    if (!palette.empty())
        page.GetPalette(0, static_cast<int>(palette.size()), palette.data());
    std::vector<BYTE> dib = DibHeader(page.GetWidth(), page.GetHeight(), page.GetBitsPerPixel(),
                                      page.GetXResolution(), page.GetYResolution(), palette);
    const DWORD stride = page.GetBytesPerLine();
    dib.reserve(dib.size() + static_cast<size_t>(stride) * page.GetHeight());
    const BYTE* pixels = page.GetPtr();
    for (LONG y = page.GetHeight() - 1; y >= 0; --y)
    {
        const BYTE* row = pixels + static_cast<size_t>(y) * stride;
        dib.insert(dib.end(), row, row + stride);
    }
    return dib;
}

std::vector<BYTE> SZKSimImageEncoder::BmpFile(const CZKBitmapHandle& page)
{
    const std::vector<BYTE> dib = Dib(page);
    std::vector<BYTE> file;
    file.reserve(kFileHeaderSize + dib.size());
    file.push_back('B');
    file.push_back('M');
    Put32(file, static_cast<uint32_t>(kFileHeaderSize + dib.size()));
    Put32(file, 0);
    Put32(file, kFileHeaderSize + kInfoHeaderSize + static_cast<uint32_t>(page.GetPaletteSize()) * 4);
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

std::vector<BYTE> SZKSimImageEncoder::Rows(const CZKBitmapHandle& page)
{
    const DWORD rowBytes = BytesPerRow(page);
    const DWORD stride = page.GetBytesPerLine();
    std::vector<BYTE> rows(static_cast<size_t>(rowBytes) * page.GetHeight());
    for (LONG y = 0; y < page.GetHeight(); ++y)
    {
        const BYTE* from = page.GetPtr() + static_cast<size_t>(y) * stride;
        BYTE* to = rows.data() + static_cast<size_t>(y) * rowBytes;
        if (page.GetBitsPerPixel() == 24)
            CopySwappingRedAndBlue(from, to, rowBytes / 3); // the bitmap keeps blue first
        else
            std::memcpy(to, from, rowBytes);
    }
    return rows;
}

void SZKSimImageEncoder::Invert(BYTE* bytes, size_t size)
{
    // Whole words first: a loop the compiler turns into vector code.
    size_t at = 0;
    for (; at + sizeof(uint64_t) <= size; at += sizeof(uint64_t))
    {
        uint64_t word;
        std::memcpy(&word, bytes + at, sizeof(word));
        word = ~word;
        std::memcpy(bytes + at, &word, sizeof(word));
    }
    for (; at < size; ++at)
        bytes[at] = static_cast<BYTE>(~bytes[at]);
}

TW_UINT16 SZKSimImageEncoder::EffectiveCompression(int bitsPerPixel, TW_UINT16 compression)
{
    if (compression == TWCP_GROUP4 && bitsPerPixel == 1)
        return TWCP_GROUP4;
    if (compression == TWCP_JPEG && bitsPerPixel != 1)
        return TWCP_JPEG;
    return TWCP_NONE;
}

bool SZKSimImageEncoder::Encode(const CZKBitmapHandle& page, TW_UINT16 compression, std::vector<BYTE>& out)
{
    switch (EffectiveCompression(page.GetBitsPerPixel(), compression))
    {
    case TWCP_GROUP4:
        return page.Compress_G4(out) != FALSE;
    case TWCP_JPEG:
        return page.Compress_JPEG(out, kJpegQuality) != FALSE;
    default:
        out = Rows(page);
        return true;
    }
}

// libtiff writes files only, so the page goes through a scratch file.
bool SZKSimImageEncoder::TiffBytes(TW_UINT16 compression, const CZKBitmapHandle& page, std::vector<BYTE>& out)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string path = std::string(tmp && *tmp ? tmp : "/tmp") + "/zkvirtual-native-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd < 0)
        return false;
    close(fd);
    bool written = _WriteTiff(path, compression, page);
    if (written)
    {
        std::ifstream in(path, std::ios::binary);
        out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        written = !out.empty();
    }
    std::remove(path.c_str());
    return written;
}

bool SZKSimImageEncoder::_WriteTiff(const std::string& path, TW_UINT16 compression, const CZKBitmapHandle& page)
{
    std::unique_ptr<TIFF, TiffCloser> tiff(TIFFOpen(path.c_str(), "w"));
    if (!tiff)
        return false;
    const int bpp = page.GetBitsPerPixel();
    TIFF* out = tiff.get();
    TIFFSetField(out, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(page.GetWidth()));
    TIFFSetField(out, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(page.GetHeight()));
    TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, bpp == 24 ? 8 : bpp);
    TIFFSetField(out, TIFFTAG_SAMPLESPERPIXEL, bpp == 24 ? 3 : 1);
    TIFFSetField(out, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    // Bitonal pages are stored "white is zero", as fax-coded TIFFs are.
    TIFFSetField(out, TIFFTAG_PHOTOMETRIC,
                 bpp == 24 ? PHOTOMETRIC_RGB : bpp == 1 ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_MINISBLACK);
    TIFFSetField(out, TIFFTAG_COMPRESSION,
                 EffectiveCompression(bpp, compression) == TWCP_GROUP4 ? COMPRESSION_CCITTFAX4 : COMPRESSION_NONE);
    TIFFSetField(out, TIFFTAG_XRESOLUTION, static_cast<float>(page.GetXResolution()));
    TIFFSetField(out, TIFFTAG_YRESOLUTION, static_cast<float>(page.GetYResolution()));
    TIFFSetField(out, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    TIFFSetField(out, TIFFTAG_ROWSPERSTRIP, static_cast<uint32_t>(page.GetHeight()));
    std::vector<BYTE> rows = Rows(page);
    if (bpp == 1)
        Invert(rows.data(), rows.size());
    const DWORD rowBytes = BytesPerRow(page);
    for (LONG y = 0; y < page.GetHeight(); ++y)
        if (TIFFWriteScanline(out, rows.data() + static_cast<size_t>(y) * rowBytes, static_cast<uint32_t>(y), 0) < 0)
            return false;
    return TIFFFlush(out) == 1;
}
