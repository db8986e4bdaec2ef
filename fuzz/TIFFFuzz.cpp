// TIFF files from outside (a source's native or file transfer, a file on
// disk), decoded to their first page. The decoder allows pages of up to a
// gigabyte; inputs whose first directory claims more than a few million
// pixels are left out, as they only slow the search with large allocations.
#include <pellmark/ZKBitmapHandle.h>

#include <cstdint>
#include <cstring>

namespace
{
constexpr uint64_t kMaxPixels = 4096 * 4096;

class CTiffHeaderPeek
{
public:
    CTiffHeaderPeek(const uint8_t* data, size_t size) : m_data(data), m_size(size)
    {
        m_little = size >= 2 && data[0] == 'I';
    }

    // Width times height as the first directory states them; 0 when either
    // cannot be read (the decoder then refuses the file by itself).
    uint64_t ClaimedPixels() const
    {
        const uint64_t directory = _Read(4, 4);
        const uint64_t entries = _Read(directory, 2);
        uint64_t width = 0, height = 0;
        for (uint64_t i = 0; i < entries && i < 1024; ++i)
        {
            const uint64_t entry = directory + 2 + i * 12;
            const uint64_t tag = _Read(entry, 2);
            const uint64_t value = _Read(entry + 2, 2) == 3 ? _Read(entry + 8, 2) : _Read(entry + 8, 4);
            if (tag == 256)
                width = value;
            else if (tag == 257)
                height = value;
        }
        return width * height;
    }

private:
    uint64_t _Read(uint64_t at, int bytes) const
    {
        if (at > m_size || m_size - at < static_cast<uint64_t>(bytes))
            return 0;
        uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= uint64_t(m_data[at + (m_little ? i : bytes - 1 - i)]) << (8 * i);
        return value;
    }

    const uint8_t* m_data;
    size_t m_size;
    bool m_little = true;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (CTiffHeaderPeek(data, size).ClaimedPixels() > kMaxPixels)
        return 0;
    CZKBitmapHandle page;
    if (page.Decompress_TIFF(data, size))
    {
        // A decoded page is whole: every row is there to be read.
        volatile BYTE sink = 0;
        const LONG stride = page.GetBytesPerLine();
        for (LONG y = 0; y < page.GetHeight(); ++y)
            sink = sink ^ page.GetPtr()[static_cast<size_t>(y) * stride + stride - 1];
    }
    return 0;
}
