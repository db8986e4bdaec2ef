// The images a virtual driver delivers: a generated page per sheet and side,
// encoded the way the scan window asks. Images are kept in a bounded page
// cache (the process-wide one unless told otherwise), least recently used
// first out, so a long scan does not grow memory without limit; an image
// handed out stays valid while its holder keeps it, evicted or not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ZKSimPageCache.h"

struct ZK_SIM_ISIS_IMAGE_FORMAT
{
    int32_t samplesPerPixel = 1;
    int32_t bitsPerSample = 1;
    int32_t compression = 1;
    int32_t xDpi = 200;
    int32_t yDpi = 200;
    double widthInches = 8.27;
    double heightInches = 11.69;
};

struct ZK_SIM_ISIS_IMAGE
{
    int32_t width = 0;
    int32_t length = 0;
    int32_t photometric = 0;
    // Null when no image could be made; held for as long as it is sent.
    CZKSimPageCache::Page bytes;

    const uint8_t* Data() const { return bytes ? bytes->data.get() : nullptr; }
    size_t Size() const { return bytes ? bytes->size : 0; }
};

class CZKSimIsisImageSource
{
public:
    explicit CZKSimIsisImageSource(CZKSimPageCache& cache = CZKSimPageCache::Shared());

    // An image without bytes for a format no page can have.
    ZK_SIM_ISIS_IMAGE Get(const std::string& scanner, int sheet, int side,
                          const ZK_SIM_ISIS_IMAGE_FORMAT& format);

private:
    // The page format in pixels; false for sizes no page can have.
    static bool _PageFormat(const ZK_SIM_ISIS_IMAGE_FORMAT& format, ZK_SIM_PAGE_FORMAT& page);
    static EZKSimPageForm _Form(const ZK_SIM_ISIS_IMAGE_FORMAT& format, int bitsPerPixel);
    bool _Make(const ZK_SIM_PAGE_FORMAT& page, uint32_t seed, EZKSimPageForm form,
               ZK_SIM_PAGE_BYTES& bytes);
    bool _MakeRows(const ZK_SIM_PAGE_FORMAT& page, uint32_t seed, ZK_SIM_PAGE_BYTES& bytes);
    bool _MakeCoded(const ZK_SIM_PAGE_FORMAT& page, uint32_t seed, EZKSimPageForm form,
                    ZK_SIM_PAGE_BYTES& bytes);

    CZKSimPageCache& m_cache;
};
