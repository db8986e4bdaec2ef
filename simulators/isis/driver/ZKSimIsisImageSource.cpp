#include "ZKSimIsisImageSource.h"

#include <cmath>

#include "ZKSimImageEncoder.h"

namespace
{
// ISIS compression tag values.
constexpr int32_t kUncompressed = 1;
constexpr int32_t kGroup4 = 4;
constexpr int32_t kJpeg = 6;

// Pixels along inches at dpi, as a scanner truncates them; false when the
// product is no page dimension at all (negative, not a number, too large).
bool Pixels(double inches, int32_t dpi, LONG& pixels)
{
    const double product = inches * dpi;
    if (!std::isfinite(product) || product < 1 || product > CZKBitmapHandle::kMaxDimension)
        return false;
    pixels = static_cast<LONG>(product);
    return true;
}
} // namespace

CZKSimIsisImageSource::CZKSimIsisImageSource(CZKSimPageCache& cache) : m_cache(cache) {}

ZK_SIM_ISIS_IMAGE CZKSimIsisImageSource::Get(const std::string& scanner, int sheet, int side,
                                             const ZK_SIM_ISIS_IMAGE_FORMAT& format)
{
    ZK_SIM_ISIS_IMAGE image;
    ZK_SIM_PAGE_KEY key;
    if (!_PageFormat(format, key.format))
        return image;
    key.seed = SZKSimPageGenerator::Seed(scanner, sheet, side, 0);
    key.form = _Form(format, key.format.bitsPerPixel);
    image.bytes = m_cache.Get(key, [&](ZK_SIM_PAGE_BYTES& bytes)
                              { return _Make(key.format, key.seed, key.form, bytes); });
    if (!image.bytes)
        return image;
    image.width = key.format.width;
    image.length = key.format.height;
    const int bitsPerPixel = key.format.bitsPerPixel;
    // Bitonal images go out white-is-zero, the sense of CCITT coding.
    image.photometric = bitsPerPixel == 1 ? 0 : bitsPerPixel == 8 ? 1 : 2;
    return image;
}

bool CZKSimIsisImageSource::_PageFormat(const ZK_SIM_ISIS_IMAGE_FORMAT& format,
                                        ZK_SIM_PAGE_FORMAT& page)
{
    page.bitsPerPixel = format.samplesPerPixel * format.bitsPerSample;
    page.xDpi = format.xDpi;
    page.yDpi = format.yDpi;
    if (page.bitsPerPixel != 1 && page.bitsPerPixel != 8 && page.bitsPerPixel != 24)
        return false;
    if (!Pixels(format.widthInches, format.xDpi, page.width) ||
        !Pixels(format.heightInches, format.yDpi, page.height))
        return false;
    // The limits a bitmap of the page has, which coded forms are made from.
    const uint64_t size = static_cast<uint64_t>(SZKSimImageEncoder::DibStride(page.width, page.bitsPerPixel)) *
                          static_cast<uint64_t>(page.height);
    return size <= CZKBitmapHandle::kMaxImageSize;
}

// A compression the layer does not know gets coded data all the same, as
// from a scanner with a coder of its own; a coding the image type cannot
// have (G4 of a grey page, JPEG of a bitonal one) gets raw rows, as drivers
// send them.
EZKSimPageForm CZKSimIsisImageSource::_Form(const ZK_SIM_ISIS_IMAGE_FORMAT& format, int bitsPerPixel)
{
    const bool bitonal = bitsPerPixel == 1;
    const int32_t compression = format.compression;
    const bool known = compression == kUncompressed || compression == kGroup4 || compression == kJpeg;
    if (bitonal && (compression == kGroup4 || !known))
        return EZKSimPageForm::GROUP4;
    if (!bitonal && (compression == kJpeg || !known))
        return EZKSimPageForm::JPEG;
    return bitonal ? EZKSimPageForm::ROWS_WHITE_IS_ZERO : EZKSimPageForm::TWAIN_ROWS;
}

bool CZKSimIsisImageSource::_Make(const ZK_SIM_PAGE_FORMAT& page, uint32_t seed, EZKSimPageForm form,
                                  ZK_SIM_PAGE_BYTES& bytes)
{
    if (form == EZKSimPageForm::GROUP4 || form == EZKSimPageForm::JPEG)
        return _MakeCoded(page, seed, form, bytes);
    return _MakeRows(page, seed, bytes);
}

// Top-down unpadded rows painted straight into the image, colour red first;
// bitonal rows then turned to white-is-zero.
bool CZKSimIsisImageSource::_MakeRows(const ZK_SIM_PAGE_FORMAT& page, uint32_t seed, ZK_SIM_PAGE_BYTES& bytes)
{
    const size_t rowBytes = SZKSimPageGenerator::RowBytes(page);
    bytes = m_cache.Allocate(rowBytes * static_cast<size_t>(page.height));
    if (!bytes.data || !SZKSimPageGenerator::PaintScannerRows(page, seed, bytes.data.get()))
        return false;
    if (page.bitsPerPixel == 1)
        SZKSimImageEncoder::Invert(bytes.data.get(), bytes.size);
    return true;
}

bool CZKSimIsisImageSource::_MakeCoded(const ZK_SIM_PAGE_FORMAT& page, uint32_t seed, EZKSimPageForm form,
                                       ZK_SIM_PAGE_BYTES& bytes)
{
    CZKBitmapHandle bitmap;
    std::vector<BYTE> coded;
    if (!SZKSimPageGenerator::Generate(page, seed, bitmap) ||
        !SZKSimImageEncoder::Encode(bitmap, form == EZKSimPageForm::GROUP4 ? TWCP_GROUP4 : TWCP_JPEG, coded))
        return false;
    bytes = m_cache.Allocate(coded.size());
    if (!bytes.data)
        return false;
    std::copy(coded.begin(), coded.end(), bytes.data.get());
    return true;
}
