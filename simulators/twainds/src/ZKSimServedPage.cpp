#include "ZKSimServedPage.h"

#include <cstring>
#include <vector>

#include "ZKSimImageEncoder.h"

namespace
{
// The palette generated pages carry: black and white, or the grey ramp.
std::vector<ZK_RGBQUAD> GreyPalette(int bitsPerPixel)
{
    if (bitsPerPixel > 8)
        return {};
    const int entries = 1 << bitsPerPixel;
    std::vector<ZK_RGBQUAD> palette(entries);
    for (int i = 0; i < entries; ++i)
    {
        const auto level = static_cast<BYTE>(i * 255 / (entries - 1));
        palette[i].rgbBlue = palette[i].rgbGreen = palette[i].rgbRed = level;
        palette[i].rgbReserved = 0;
    }
    return palette;
}

void Put32(std::vector<BYTE>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<BYTE>(value >> shift));
}

// A .bmp file's header, then the DIB's header and palette.
std::vector<BYTE> BmpFileHeader(const std::vector<BYTE>& dibHeader, size_t rowsSize)
{
    constexpr uint32_t kFileHeaderSize = 14;
    std::vector<BYTE> header{'B', 'M'};
    Put32(header, static_cast<uint32_t>(kFileHeaderSize + dibHeader.size() + rowsSize));
    Put32(header, 0);
    Put32(header, static_cast<uint32_t>(kFileHeaderSize + dibHeader.size()));
    header.insert(header.end(), dibHeader.begin(), dibHeader.end());
    return header;
}
} // namespace

// The same limits as a bitmap of the page has.
bool SZKSimServedPage::_Fits(const ZK_SIM_PAGE_FORMAT& format)
{
    const uint64_t size =
        static_cast<uint64_t>(SZKSimImageEncoder::DibStride(format.width, format.bitsPerPixel)) *
        static_cast<uint64_t>(format.height);
    return format.width <= CZKBitmapHandle::kMaxDimension &&
           format.height <= CZKBitmapHandle::kMaxDimension &&
           size <= CZKBitmapHandle::kMaxImageSize;
}

SZKSimServedPage::Page SZKSimServedPage::_Get(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed,
                                              EZKSimPageForm form,
                                              const CZKSimPageCache::Maker& make)
{
    if (!_Fits(format))
        return nullptr;
    ZK_SIM_PAGE_KEY key;
    key.format = format;
    key.seed = seed;
    key.form = form;
    return CZKSimPageCache::Shared().Get(key, make);
}

SZKSimServedPage::Page SZKSimServedPage::Memory(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed,
                                                TW_UINT16 compression)
{
    const TW_UINT16 effective =
        SZKSimImageEncoder::EffectiveCompression(format.bitsPerPixel, compression);
    if (effective == TWCP_NONE)
        return _Get(format, seed, EZKSimPageForm::TWAIN_ROWS,
                    [&](ZK_SIM_PAGE_BYTES& bytes) { return _Rows(format, seed, bytes); });
    auto encode = [effective](const CZKBitmapHandle& page, std::vector<BYTE>& out)
    { return SZKSimImageEncoder::Encode(page, effective, out); };
    return _Get(format, seed,
                effective == TWCP_GROUP4 ? EZKSimPageForm::GROUP4 : EZKSimPageForm::JPEG,
                [&](ZK_SIM_PAGE_BYTES& bytes) { return _Encoded(format, seed, encode, bytes); });
}

SZKSimServedPage::Page SZKSimServedPage::Dib(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed)
{
    return _Get(format, seed, EZKSimPageForm::DIB,
                [&](ZK_SIM_PAGE_BYTES& bytes) { return _Dib(format, seed, false, bytes); });
}

bool SZKSimServedPage::Serves(TW_UINT16 fileFormat, int bitsPerPixel)
{
    return fileFormat == TWFF_TIFF || fileFormat == TWFF_BMP || (fileFormat == TWFF_JFIF && bitsPerPixel != 1);
}

SZKSimServedPage::Page SZKSimServedPage::File(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed,
                                              TW_UINT16 fileFormat, TW_UINT16 compression)
{
    if (!Serves(fileFormat, format.bitsPerPixel))
        return nullptr;
    switch (fileFormat)
    {
    case TWFF_TIFF:
        return Tiff(format, seed, compression);
    case TWFF_BMP:
        return _Get(format, seed, EZKSimPageForm::BMP_FILE,
                    [&](ZK_SIM_PAGE_BYTES& bytes) { return _Dib(format, seed, true, bytes); });
    default: // a JFIF file is the memory transfer's JPEG data
        return Memory(format, seed, TWCP_JPEG);
    }
}

SZKSimServedPage::Page SZKSimServedPage::Tiff(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed,
                                              TW_UINT16 compression)
{
    const bool group4 =
        SZKSimImageEncoder::EffectiveCompression(format.bitsPerPixel, compression) == TWCP_GROUP4;
    auto encode = [compression](const CZKBitmapHandle& page, std::vector<BYTE>& out)
    { return SZKSimImageEncoder::TiffBytes(compression, page, out); };
    return _Get(format, seed, group4 ? EZKSimPageForm::TIFF_GROUP4 : EZKSimPageForm::TIFF,
                [&](ZK_SIM_PAGE_BYTES& bytes) { return _Encoded(format, seed, encode, bytes); });
}

bool SZKSimServedPage::_Rows(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed,
                             ZK_SIM_PAGE_BYTES& bytes)
{
    const size_t rowBytes = SZKSimPageGenerator::RowBytes(format);
    bytes = CZKSimPageCache::Shared().Allocate(rowBytes * static_cast<size_t>(format.height));
    return bytes.data && SZKSimPageGenerator::PaintScannerRows(format, seed, bytes.data.get());
}

bool SZKSimServedPage::_Dib(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed, bool withFileHeader,
                            ZK_SIM_PAGE_BYTES& bytes)
{
    const std::vector<BYTE> dibHeader =
        SZKSimImageEncoder::DibHeader(format.width, format.height, format.bitsPerPixel, format.xDpi,
                                      format.yDpi, GreyPalette(format.bitsPerPixel));
    const size_t stride = SZKSimImageEncoder::DibStride(format.width, format.bitsPerPixel);
    const size_t rowsSize = stride * static_cast<size_t>(format.height);
    const std::vector<BYTE> header =
        withFileHeader ? BmpFileHeader(dibHeader, rowsSize) : dibHeader;
    bytes = CZKSimPageCache::Shared().Allocate(header.size() + rowsSize);
    if (!bytes.data)
        return false;
    std::memcpy(bytes.data.get(), header.data(), header.size());
    ZK_SIM_PAGE_ROWS rows;
    rows.top = bytes.data.get() + header.size() + stride * static_cast<size_t>(format.height - 1);
    rows.stride = -static_cast<ptrdiff_t>(stride);
    return SZKSimPageGenerator::Paint(format, seed, rows);
}

bool SZKSimServedPage::_Encoded(
    const ZK_SIM_PAGE_FORMAT& format, uint32_t seed,
    const std::function<bool(const CZKBitmapHandle&, std::vector<BYTE>&)>& encode,
    ZK_SIM_PAGE_BYTES& bytes)
{
    CZKBitmapHandle page;
    std::vector<BYTE> encoded;
    if (!SZKSimPageGenerator::Generate(format, seed, page) || !encode(page, encoded))
        return false;
    bytes = CZKSimPageCache::Shared().Allocate(encoded.size());
    if (!bytes.data)
        return false;
    std::memcpy(bytes.data.get(), encoded.data(), encoded.size());
    return true;
}
