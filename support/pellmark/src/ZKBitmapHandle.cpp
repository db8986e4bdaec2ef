#include <pellmark/ZKBitmapHandle.h>

#include "ZKBitmapResampler.h"
#include "ZKCCITTCodec.h"
#include "ZKImagingLog.h"
#include "ZKJPEGCodec.h"
#include "ZKTIFFFileCodec.h"

#include <hollin/ZKBuffer.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

namespace
{
const ZK_RGBQUAD kBlack = {0, 0, 0, 0};
const ZK_RGBQUAD kWhite = {255, 255, 255, 0};

// Exported operations never throw: an allocation failure (or anything else
// unexpected) inside one becomes its failure result.
template <typename F>
BOOL Guarded(F&& body) noexcept
{
    try
    {
        return body() ? TRUE : FALSE;
    }
    catch (...)
    {
        return FALSE;
    }
}

bool IsSupportedDepth(int bpp) { return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24; }

std::vector<ZK_RGBQUAD> GreyRamp(int entries)
{
    std::vector<ZK_RGBQUAD> palette(static_cast<size_t>(entries));
    for (int i = 0; i < entries; ++i)
    {
        const BYTE level = BYTE(i * 255 / (entries - 1));
        palette[size_t(i)] = {level, level, level, 0};
    }
    return palette;
}

// Decoders write the pixels of each row but not the bytes after them, and the
// CCITT decoder keeps the bits after the last pixel of a partly used byte; so
// everything from that byte on is cleared to keep the padding defined.
void ClearRowPadding(BYTE* pixels, LONG width, LONG height, int bitsPerPixel, size_t stride)
{
    const size_t fullBytes = size_t(width) * size_t(bitsPerPixel) / 8;
    if (fullBytes == stride)
        return;
    for (LONG y = 0; y < height; ++y)
        std::memset(pixels + size_t(y) * stride + fullBytes, 0, stride - fullBytes);
}

bool BufferHoldsData(const CZKBuffer& data) { return data.GetPtr() != nullptr && data.GetSize() > 0; }

bool StoreInBuffer(const std::vector<BYTE>& bytes, CZKBuffer& out)
{
    return out.CopyFrom(bytes.data(), bytes.size()) != FALSE;
}
} // namespace

CZKBitmapHandle::CZKBitmapHandle() = default;

CZKBitmapHandle::CZKBitmapHandle(const CZKBitmapHandle& other)
{
    if (!other.IsEmpty())
        Create(other);
}

CZKBitmapHandle::CZKBitmapHandle(CZKBitmapHandle&& other) noexcept { Attach(other); }

CZKBitmapHandle& CZKBitmapHandle::operator=(const CZKBitmapHandle& other)
{
    if (this != &other)
    {
        if (other.IsEmpty())
            Free();
        else
            Create(other);
    }
    return *this;
}

CZKBitmapHandle& CZKBitmapHandle::operator=(CZKBitmapHandle&& other) noexcept
{
    Attach(other);
    return *this;
}

CZKBitmapHandle::~CZKBitmapHandle() = default;

BOOL CZKBitmapHandle::Create(LONG width, LONG height, int bitsPerPixel, const ZK_RGBQUAD* palette)
{
    return Guarded([&] { return _Allocate(width, height, bitsPerPixel, palette, true); });
}

BOOL CZKBitmapHandle::CreateForOverwrite(LONG width, LONG height, int bitsPerPixel,
                                         const ZK_RGBQUAD* palette)
{
    return Guarded([&] { return _Allocate(width, height, bitsPerPixel, palette, false); });
}

bool CZKBitmapHandle::_Allocate(LONG width, LONG height, int bitsPerPixel, const ZK_RGBQUAD* palette, bool clear)
{
    if (!IsSupportedDepth(bitsPerPixel) || width < 1 || height < 1 || width > kMaxDimension ||
        height > kMaxDimension)
        return false;
    const uint64_t stride = (uint64_t(width) * uint64_t(bitsPerPixel) + 31) / 32 * 4;
    const uint64_t size = stride * uint64_t(height);
    if (size > kMaxImageSize)
    {
        SZKImagingLog::Log("bitmap of " + std::to_string(size) + " bytes refused");
        return false;
    }
    // Plain new[]: clearing a page-sized block only to overwrite it at once
    // costs a decoder a measurable share of its time.
    std::unique_ptr<BYTE[]> pixels(new BYTE[size]);
    if (clear)
        std::memset(pixels.get(), 0, size);
    else
        ClearRowPadding(pixels.get(), width, height, bitsPerPixel, size_t(stride));
    std::vector<ZK_RGBQUAD> colours;
    if (bitsPerPixel <= 8)
    {
        const size_t entries = size_t(1) << bitsPerPixel;
        if (palette)
            colours.assign(palette, palette + entries);
        else
            colours.resize(entries);
    }
    m_pixels = std::move(pixels);
    m_imageSize = size_t(size);
    m_palette.swap(colours);
    m_width = width;
    m_height = height;
    m_bitsPerPixel = bitsPerPixel;
    m_bytesPerLine = DWORD(stride);
    m_xDpi = m_yDpi = 0;
    m_accessCount = 0;
    if (bitsPerPixel <= 8 && !palette)
        _SetDefaultPalette();
    return true;
}

BOOL CZKBitmapHandle::Create(const CZKBitmapHandle& other)
{
    if (&other == this)
        return IsEmpty() ? FALSE : TRUE;
    return Guarded([&] {
        if (other.IsEmpty())
        {
            Free();
            return false;
        }
        std::unique_ptr<BYTE[]> pixels(new BYTE[other.m_imageSize]);
        std::memcpy(pixels.get(), other.m_pixels.get(), other.m_imageSize);
        std::vector<ZK_RGBQUAD> palette(other.m_palette);
        m_pixels = std::move(pixels);
        m_imageSize = other.m_imageSize;
        m_palette.swap(palette);
        m_width = other.m_width;
        m_height = other.m_height;
        m_bitsPerPixel = other.m_bitsPerPixel;
        m_bytesPerLine = other.m_bytesPerLine;
        m_xDpi = other.m_xDpi;
        m_yDpi = other.m_yDpi;
        m_accessCount = 0;
        return true;
    });
}

BOOL CZKBitmapHandle::Attach(CZKBitmapHandle& other)
{
    if (&other == this)
        return IsEmpty() ? FALSE : TRUE;
    m_pixels.swap(other.m_pixels);
    m_imageSize = other.m_imageSize;
    m_palette.swap(other.m_palette);
    m_width = other.m_width;
    m_height = other.m_height;
    m_bitsPerPixel = other.m_bitsPerPixel;
    m_bytesPerLine = other.m_bytesPerLine;
    m_xDpi = other.m_xDpi;
    m_yDpi = other.m_yDpi;
    m_accessCount = 0;
    other.Free();
    return IsEmpty() ? FALSE : TRUE;
}

BOOL CZKBitmapHandle::Free()
{
    m_pixels.reset();
    m_imageSize = 0;
    std::vector<ZK_RGBQUAD>().swap(m_palette);
    m_width = m_height = 0;
    m_bitsPerPixel = 0;
    m_bytesPerLine = 0;
    m_xDpi = m_yDpi = 0;
    m_accessCount = 0;
    return TRUE;
}

BOOL CZKBitmapHandle::IsEmpty() const { return m_pixels ? FALSE : TRUE; }

BYTE* CZKBitmapHandle::Access()
{
    if (IsEmpty())
        return nullptr;
    ++m_accessCount;
    return m_pixels.get();
}

BOOL CZKBitmapHandle::Release()
{
    if (m_accessCount <= 0)
        return FALSE;
    --m_accessCount;
    return TRUE;
}

BYTE* CZKBitmapHandle::GetPtr() { return m_pixels.get(); }
const BYTE* CZKBitmapHandle::GetPtr() const { return m_pixels.get(); }
LONG CZKBitmapHandle::GetWidth() const { return m_width; }
LONG CZKBitmapHandle::GetHeight() const { return m_height; }
int CZKBitmapHandle::GetBitsPerPixel() const { return m_bitsPerPixel; }
DWORD CZKBitmapHandle::GetBytesPerLine() const { return m_bytesPerLine; }
DWORD CZKBitmapHandle::GetImageSize() const { return DWORD(m_imageSize); }
LONG CZKBitmapHandle::GetXResolution() const { return m_xDpi; }
LONG CZKBitmapHandle::GetYResolution() const { return m_yDpi; }

BOOL CZKBitmapHandle::SetResolution(LONG xDpi, LONG yDpi)
{
    if (IsEmpty() || xDpi < 0 || yDpi < 0)
        return FALSE;
    m_xDpi = xDpi;
    m_yDpi = yDpi;
    return TRUE;
}

int CZKBitmapHandle::GetPaletteSize() const { return int(m_palette.size()); }

BOOL CZKBitmapHandle::SetPalette(int first, int count, const ZK_RGBQUAD* colours)
{
    if (!colours || first < 0 || count < 1 || first > GetPaletteSize() - count)
        return FALSE;
    std::copy(colours, colours + count, m_palette.begin() + first);
    return TRUE;
}

BOOL CZKBitmapHandle::GetPalette(int first, int count, ZK_RGBQUAD* colours) const
{
    if (!colours || first < 0 || count < 1 || first > GetPaletteSize() - count)
        return FALSE;
    std::copy(m_palette.begin() + first, m_palette.begin() + first + count, colours);
    return TRUE;
}

BOOL CZKBitmapHandle::_SetTwoColourPalette(const ZK_RGBQUAD& zero, const ZK_RGBQUAD& one)
{
    if (m_bitsPerPixel != 1 || IsEmpty())
        return FALSE;
    m_palette[0] = zero;
    m_palette[1] = one;
    return TRUE;
}

BOOL CZKBitmapHandle::SetBOWPalette_1BPP() { return _SetTwoColourPalette(kBlack, kWhite); }

BOOL CZKBitmapHandle::SetWOBPalette_1BPP() { return _SetTwoColourPalette(kWhite, kBlack); }

BOOL CZKBitmapHandle::SetGrayscalePalette_8BPP()
{
    if (m_bitsPerPixel != 8 || IsEmpty())
        return FALSE;
    return Guarded([&] {
        m_palette = GreyRamp(256);
        return true;
    });
}

void CZKBitmapHandle::_SetDefaultPalette()
{
    if (m_bitsPerPixel == 1)
        SetWOBPalette_1BPP();
    else
        m_palette = GreyRamp(1 << m_bitsPerPixel);
}

BOOL CZKBitmapHandle::_DecodeCCITT(int variant, const BYTE* data, size_t size, LONG width, LONG height, LONG xDpi,
                                   LONG yDpi)
{
    return Guarded([&] {
        CZKBitmapHandle page;
        if (!data || size == 0 || !page.CreateForOverwrite(width, height, 1))
            return false;
        const auto decode = [&](EZKCCITTVariant v, std::string& error) {
            return SZKCCITTCodec::Decode(v, data, size, uint32_t(width), uint32_t(height), page.GetPtr(),
                                         page.GetBytesPerLine(), error);
        };
        std::string error, ignored;
        bool decoded = decode(EZKCCITTVariant(variant), error);
        // Sources disagree about which of the two one-dimensional forms a
        // compression name means, so the other form is tried before giving
        // up. Correctly named data never gets here, and data of the wrong form
        // is refused by the first decoder (an EOL code or its absence breaks
        // the row lengths), so this only rescues misnamed data.
        if (!decoded && EZKCCITTVariant(variant) == EZKCCITTVariant::G3_1D)
            decoded = decode(EZKCCITTVariant::G3_1D_NOEOL, ignored);
        else if (!decoded && EZKCCITTVariant(variant) == EZKCCITTVariant::G3_1D_NOEOL)
            decoded = decode(EZKCCITTVariant::G3_1D, ignored);
        if (!decoded)
        {
            SZKImagingLog::Log("CCITT decoding failed: " + error);
            return false;
        }
        page.SetResolution(std::max<LONG>(xDpi, 0), std::max<LONG>(yDpi, 0));
        return Attach(page) != FALSE;
    });
}

BOOL CZKBitmapHandle::Decompress_G3_1D(const BYTE* data, size_t size, LONG width, LONG height, LONG xDpi, LONG yDpi)
{
    return _DecodeCCITT(int(EZKCCITTVariant::G3_1D), data, size, width, height, xDpi, yDpi);
}

BOOL CZKBitmapHandle::Decompress_G3_1D_NOEOL(const BYTE* data, size_t size, LONG width, LONG height, LONG xDpi,
                                             LONG yDpi)
{
    return _DecodeCCITT(int(EZKCCITTVariant::G3_1D_NOEOL), data, size, width, height, xDpi, yDpi);
}

BOOL CZKBitmapHandle::Decompress_G3_2D(const BYTE* data, size_t size, LONG width, LONG height, LONG xDpi, LONG yDpi)
{
    return _DecodeCCITT(int(EZKCCITTVariant::G3_2D), data, size, width, height, xDpi, yDpi);
}

BOOL CZKBitmapHandle::Decompress_G4(const BYTE* data, size_t size, LONG width, LONG height, LONG xDpi, LONG yDpi)
{
    return _DecodeCCITT(int(EZKCCITTVariant::G4), data, size, width, height, xDpi, yDpi);
}

BOOL CZKBitmapHandle::Decompress_G3_1D(const CZKBuffer& data, LONG width, LONG height, LONG xDpi, LONG yDpi)
{
    return Decompress_G3_1D(data.GetPtr(), data.GetSize(), width, height, xDpi, yDpi);
}

BOOL CZKBitmapHandle::Decompress_G3_1D_NOEOL(const CZKBuffer& data, LONG width, LONG height, LONG xDpi, LONG yDpi)
{
    return Decompress_G3_1D_NOEOL(data.GetPtr(), data.GetSize(), width, height, xDpi, yDpi);
}

BOOL CZKBitmapHandle::Decompress_G3_2D(const CZKBuffer& data, LONG width, LONG height, LONG xDpi, LONG yDpi)
{
    return Decompress_G3_2D(data.GetPtr(), data.GetSize(), width, height, xDpi, yDpi);
}

BOOL CZKBitmapHandle::Decompress_G4(const CZKBuffer& data, LONG width, LONG height, LONG xDpi, LONG yDpi)
{
    return Decompress_G4(data.GetPtr(), data.GetSize(), width, height, xDpi, yDpi);
}

BOOL CZKBitmapHandle::Decompress_JPEG(const BYTE* data, size_t size, int scale)
{
    return Guarded([&] {
        if (scale < 1)
            return false;
        const bool decoderScales = SZKJPEGCodec::IsDCTScale(scale);
        CZKBitmapHandle image;
        std::string error;
        if (!SZKJPEGCodec::Decode(data, size, decoderScales ? scale : 1, image, error))
            return false;
        if (!decoderScales &&
            !image.Resize(std::max<LONG>(image.GetWidth() / scale, 1), std::max<LONG>(image.GetHeight() / scale, 1),
                          kResizeArea))
            return false;
        return Attach(image) != FALSE;
    });
}

BOOL CZKBitmapHandle::Decompress_JPEG(const CZKBuffer& data, int scale)
{
    return BufferHoldsData(data) ? Decompress_JPEG(data.GetPtr(), data.GetSize(), scale) : FALSE;
}

BOOL CZKBitmapHandle::Decompress_TIFF(const BYTE* data, size_t size)
{
    return Guarded([&] {
        std::string error;
        if (SZKTIFFFileCodec::Decode(data, size, *this, error))
            return true;
        SZKImagingLog::Log("TIFF decoding failed: " + error);
        return false;
    });
}

BOOL CZKBitmapHandle::IsTIFF(const BYTE* data, size_t size)
{
    return SZKTIFFFileCodec::HasSignature(data, size) ? TRUE : FALSE;
}

BOOL CZKBitmapHandle::Compress_G4(std::vector<BYTE>& out) const
{
    return Guarded([&] {
        if (IsEmpty() || m_bitsPerPixel != 1)
            return false;
        std::string error;
        const bool invert = SZKBitmapResampler::InkIndex_1BPP(*this) == 0;
        if (!SZKCCITTCodec::EncodeG4(m_pixels.get(), m_bytesPerLine, uint32_t(m_width), uint32_t(m_height), invert,
                                     out, error))
        {
            SZKImagingLog::Log("G4 encoding failed: " + error);
            return false;
        }
        return true;
    });
}

BOOL CZKBitmapHandle::Compress_G4(CZKBuffer& out) const
{
    return Guarded([&] {
        std::vector<BYTE> coded;
        return Compress_G4(coded) && StoreInBuffer(coded, out);
    });
}

BOOL CZKBitmapHandle::Compress_JPEG(std::vector<BYTE>& out, int quality) const
{
    return Guarded([&] {
        std::string error;
        if (!SZKJPEGCodec::Encode(*this, quality, out, error))
        {
            SZKImagingLog::Log("JPEG encoding failed: " + error);
            return false;
        }
        return true;
    });
}

BOOL CZKBitmapHandle::Compress_JPEG(CZKBuffer& out, int quality) const
{
    return Guarded([&] {
        std::vector<BYTE> coded;
        return Compress_JPEG(coded, quality) && StoreInBuffer(coded, out);
    });
}

BOOL CZKBitmapHandle::Resize(LONG width, LONG height, int mode)
{
    return Guarded([&] {
        CZKBitmapHandle resized;
        if (!SZKBitmapResampler::Resize(*this, width, height, mode, resized))
            return false;
        return Attach(resized) != FALSE;
    });
}
