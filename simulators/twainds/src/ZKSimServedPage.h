// The bytes a transfer hands over for one generated page, each form made
// once per distinct page and kept in the shared page cache. Uncompressed
// forms are painted straight into their layout; compressed ones are encoded
// from the page's bitmap.
#pragma once

#include <twaindefs/ZKTwainDefs.h>

#include "ZKSimPageCache.h"

class SZKSimServedPage
{
public:
    using Page = CZKSimPageCache::Page;

    // Memory-transfer data: top-down unpadded rows with colour red first
    // (TWCP_NONE), T.6 (TWCP_GROUP4 of a 1-bit page) or JFIF (TWCP_JPEG of a
    // grey or colour page). Null when the page cannot be made.
    static Page Memory(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed, TW_UINT16 compression);
    // A native transfer's DIB: header, palette, bottom-up padded rows.
    static Page Dib(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed);
    // A whole TIFF file, Group 4 for a 1-bit page when asked.
    static Page Tiff(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed, TW_UINT16 compression);
    // A file transfer's whole file: TWFF_TIFF as Tiff, TWFF_BMP, or TWFF_JFIF
    // of a grey or colour page. Null when the page cannot be made or the
    // file format has no form of the page (see Serves).
    static Page File(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed, TW_UINT16 fileFormat,
                     TW_UINT16 compression);
    static bool Serves(TW_UINT16 fileFormat, int bitsPerPixel);

private:
    static bool _Fits(const ZK_SIM_PAGE_FORMAT& format);
    static Page _Get(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed, EZKSimPageForm form,
                     const CZKSimPageCache::Maker& make);
    static bool _Rows(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed, ZK_SIM_PAGE_BYTES& bytes);
    // The DIB, after a .bmp file header when withFileHeader.
    static bool _Dib(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed, bool withFileHeader,
                     ZK_SIM_PAGE_BYTES& bytes);
    // Encodes the page's bitmap with encode and keeps the result.
    static bool
    _Encoded(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed,
             const std::function<bool(const CZKBitmapHandle&, std::vector<BYTE>&)>& encode,
             ZK_SIM_PAGE_BYTES& bytes);
};
