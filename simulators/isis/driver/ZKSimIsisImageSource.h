// The images a virtual driver delivers: a generated page per sheet and side,
// encoded the way the scan window asks, built once and then served from
// memory.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include <isisdefs/ZKIsisToolkit.h>

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
    std::vector<uint8_t> bytes;
};

class CZKSimIsisImageSource
{
public:
    // nullptr for a format no page can have.
    const ZK_SIM_ISIS_IMAGE* Get(const std::string& scanner, int sheet, int side, const ZK_SIM_ISIS_IMAGE_FORMAT& format);

private:
    typedef std::tuple<int, int, int32_t, int32_t, int32_t, int32_t, int32_t> Key;
    static bool _Build(uint32_t seed, const ZK_SIM_ISIS_IMAGE_FORMAT& format, ZK_SIM_ISIS_IMAGE& image);

    std::map<Key, ZK_SIM_ISIS_IMAGE> m_cache;
};
