// JPEG data as scanners deliver it, decoded at a scale from the first byte
// (the decoder's own 1, 2, 4, 8 or any other, resized afterwards).
#include <pellmark/ZKBitmapHandle.h>

#include "common/FuzzInput.h"

namespace
{
// The frame header states the size the decoder will allocate for; larger
// claims only slow the search down, so they are left out.
constexpr uint64_t kMaxPixels = 4096 * 4096;

bool ClaimsHugeFrame(const uint8_t* data, size_t size)
{
    for (size_t i = 0; i + 8 < size; ++i)
    {
        const uint8_t marker = data[i + 1];
        const bool frameHeader = data[i] == 0xFF && marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
                                 marker != 0xC8 && marker != 0xCC;
        if (!frameHeader)
            continue;
        const uint64_t height = (uint64_t(data[i + 5]) << 8) | data[i + 6];
        const uint64_t width = (uint64_t(data[i + 7]) << 8) | data[i + 8];
        if (width * height > kMaxPixels)
            return true;
    }
    return false;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const int scale = static_cast<int8_t>(input.TakeByte()) % 12;
    if (ClaimsHugeFrame(input.Rest(), input.RestSize()))
        return 0;
    CZKBitmapHandle image;
    image.Decompress_JPEG(input.Rest(), input.RestSize(), scale);
    return 0;
}
