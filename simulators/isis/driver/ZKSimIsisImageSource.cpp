#include "ZKSimIsisImageSource.h"

#include "ZKSimImageEncoder.h"
#include "ZKSimPageGenerator.h"

const ZK_SIM_ISIS_IMAGE* CZKSimIsisImageSource::Get(const std::string& scanner, int sheet, int side,
                                                    const ZK_SIM_ISIS_IMAGE_FORMAT& format)
{
    const Key key(sheet, side, format.samplesPerPixel * format.bitsPerSample, format.compression, format.xDpi,
                  format.yDpi, static_cast<int32_t>(format.widthInches * 1000));
    auto found = m_cache.find(key);
    if (found != m_cache.end())
        return &found->second;
    ZK_SIM_ISIS_IMAGE image;
    if (!_Build(SZKSimPageGenerator::Seed(scanner, sheet, side, 0), format, image))
        return nullptr;
    return &m_cache.emplace(key, std::move(image)).first->second;
}

bool CZKSimIsisImageSource::_Build(uint32_t seed, const ZK_SIM_ISIS_IMAGE_FORMAT& format, ZK_SIM_ISIS_IMAGE& image)
{
    ZK_SIM_PAGE_FORMAT page;
    page.bitsPerPixel = format.samplesPerPixel * format.bitsPerSample;
    page.xDpi = format.xDpi;
    page.yDpi = format.yDpi;
    page.width = static_cast<LONG>(format.widthInches * format.xDpi);
    page.height = static_cast<LONG>(format.heightInches * format.yDpi);
    CZKBitmapHandle bitmap;
    if (!SZKSimPageGenerator::Generate(page, seed, bitmap))
        return false;
    image.width = page.width;
    image.length = page.height;
    const bool bitonal = page.bitsPerPixel == 1;
    // Bitonal images go out white-is-zero, the sense of CCITT coding.
    image.photometric = bitonal ? 0 : page.bitsPerPixel == 8 ? 1 : 2;
    const bool known = format.compression == 1 || format.compression == 4 || format.compression == 6;
    // A compression the layer does not know gets coded data all the same, as
    // from a scanner with a coder of its own.
    if (bitonal && (format.compression == 4 || !known))
        return SZKSimImageEncoder::Encode(bitmap, TWCP_GROUP4, image.bytes);
    if (!bitonal && (format.compression == 6 || !known))
        return SZKSimImageEncoder::Encode(bitmap, TWCP_JPEG, image.bytes);
    // Uncompressed rows, also for a coding the image type cannot have (G4 of
    // a grey page, JPEG of a bitonal one): drivers then send raw data.
    image.bytes = SZKSimImageEncoder::Rows(bitmap);
    if (bitonal)
        for (uint8_t& byte : image.bytes)
            byte = static_cast<uint8_t>(~byte);
    return true;
}
