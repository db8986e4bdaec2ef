#include "ZKBitmapResampler.h"

#include <pellmark/ZKBitmapHandle.h>

#include <cstdint>
#include <vector>

namespace
{
// Which source pixels one destination pixel covers, along one axis, and how
// much of each. Destination pixel j spans [j*n, (j+1)*n) in units where source
// pixel i spans [i*m, (i+1)*m) (n source, m destination pixels), so every
// weight is an integer and the weights of one destination pixel add up to n.
struct AxisSpans
{
    std::vector<uint32_t> start; // per destination pixel: first index into taps
    std::vector<uint32_t> source;
    std::vector<uint64_t> weight;

    AxisSpans(uint64_t n, uint64_t m)
    {
        start.reserve(m + 1);
        for (uint64_t j = 0; j < m; ++j)
        {
            start.push_back(uint32_t(source.size()));
            const uint64_t lo = j * n, hi = (j + 1) * n;
            for (uint64_t i = lo / m; i < n && i * m < hi; ++i)
            {
                const uint64_t a = i * m > lo ? i * m : lo;
                const uint64_t b = (i + 1) * m < hi ? (i + 1) * m : hi;
                source.push_back(uint32_t(i));
                weight.push_back(b - a);
            }
        }
        start.push_back(uint32_t(source.size()));
    }
};

int Luminance(const ZK_RGBQUAD& c) { return c.rgbRed * 299 + c.rgbGreen * 587 + c.rgbBlue * 114; }

// Index averaging only makes sense when the palette is a grey ramp in order.
bool IsMonotonicGrey(const CZKBitmapHandle& bitmap)
{
    const int n = bitmap.GetPaletteSize();
    std::vector<ZK_RGBQUAD> palette(size_t(n > 0 ? n : 0));
    if (n < 2 || !bitmap.GetPalette(0, n, palette.data()))
        return false;
    int direction = 0;
    for (int i = 0; i < n; ++i)
    {
        const ZK_RGBQUAD& c = palette[size_t(i)];
        if (c.rgbRed != c.rgbGreen || c.rgbGreen != c.rgbBlue)
            return false;
        if (i == 0)
            continue;
        const int step = int(c.rgbRed) - int(palette[size_t(i) - 1].rgbRed);
        if ((step > 0 && direction < 0) || (step < 0 && direction > 0))
            return false;
        if (step != 0)
            direction = step;
    }
    return true;
}

class PixelRow
{
public:
    PixelRow(int bpp, int ink) : m_bpp(bpp), m_ink(ink) {}
    int Channels() const { return m_bpp == 24 ? 3 : 1; }

    // Unpacks a row into one byte per channel; 1-bit rows become 1 for ink.
    void Unpack(const BYTE* row, LONG width, std::vector<uint8_t>& out) const
    {
        out.resize(size_t(width) * size_t(Channels()));
        for (LONG x = 0; x < width; ++x)
        {
            switch (m_bpp)
            {
            case 1:
                out[size_t(x)] = ((row[x >> 3] >> (7 - (x & 7))) & 1) == m_ink ? 1 : 0;
                break;
            case 4:
                out[size_t(x)] = (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
                break;
            case 8:
                out[size_t(x)] = row[x];
                break;
            default:
                for (int c = 0; c < 3; ++c)
                    out[size_t(x) * 3 + size_t(c)] = row[size_t(x) * 3 + size_t(c)];
            }
        }
    }

    // Stores one pixel value (or the ink flag for 1-bit rows).
    void Put(BYTE* row, LONG x, int channel, unsigned value) const
    {
        switch (m_bpp)
        {
        case 1: {
            const unsigned bit = value ? unsigned(m_ink) : unsigned(1 - m_ink);
            const BYTE mask = BYTE(0x80 >> (x & 7));
            row[x >> 3] = bit ? BYTE(row[x >> 3] | mask) : BYTE(row[x >> 3] & ~mask);
            break;
        }
        case 4:
            row[x >> 1] = (x & 1) ? BYTE((row[x >> 1] & 0xF0) | value) : BYTE((row[x >> 1] & 0x0F) | (value << 4));
            break;
        case 8:
            row[x] = BYTE(value);
            break;
        default:
            row[size_t(x) * 3 + size_t(channel)] = BYTE(value);
        }
    }

private:
    int m_bpp;
    int m_ink;
};

void ResizeArea(const CZKBitmapHandle& src, CZKBitmapHandle& dst, const PixelRow& pixels, bool inkRule)
{
    const LONG sw = src.GetWidth(), sh = src.GetHeight(), dw = dst.GetWidth(), dh = dst.GetHeight();
    const AxisSpans xs(static_cast<uint64_t>(sw), static_cast<uint64_t>(dw));
    const AxisSpans ys(static_cast<uint64_t>(sh), static_cast<uint64_t>(dh));
    const int ch = pixels.Channels();
    const uint64_t total = uint64_t(sw) * uint64_t(sh);
    std::vector<uint8_t> unpacked;
    std::vector<uint64_t> rowSums(size_t(dw) * size_t(ch));
    std::vector<uint64_t> acc(rowSums.size());
    long cachedRow = -1;

    for (LONG dy = 0; dy < dh; ++dy)
    {
        std::fill(acc.begin(), acc.end(), 0);
        for (uint32_t t = ys.start[size_t(dy)]; t < ys.start[size_t(dy) + 1]; ++t)
        {
            const uint32_t sy = ys.source[t];
            // Consecutive destination rows share at most their boundary
            // source row, so caching the last one avoids recomputing it.
            if (long(sy) != cachedRow)
            {
                pixels.Unpack(src.GetPtr() + size_t(sy) * src.GetBytesPerLine(), sw, unpacked);
                for (LONG dx = 0; dx < dw; ++dx)
                    for (int c = 0; c < ch; ++c)
                    {
                        uint64_t sum = 0;
                        for (uint32_t k = xs.start[size_t(dx)]; k < xs.start[size_t(dx) + 1]; ++k)
                            sum += xs.weight[k] * unpacked[size_t(xs.source[k]) * size_t(ch) + size_t(c)];
                        rowSums[size_t(dx) * size_t(ch) + size_t(c)] = sum;
                    }
                cachedRow = long(sy);
            }
            for (size_t k = 0; k < acc.size(); ++k)
                acc[k] += ys.weight[t] * rowSums[k];
        }
        BYTE* out = dst.GetPtr() + size_t(dy) * dst.GetBytesPerLine();
        for (LONG dx = 0; dx < dw; ++dx)
            for (int c = 0; c < ch; ++c)
            {
                const uint64_t a = acc[size_t(dx) * size_t(ch) + size_t(c)];
                pixels.Put(out, dx, c, inkRule ? unsigned(a * 3 >= total) : unsigned((a + total / 2) / total));
            }
    }
}

void ResizeNearest(const CZKBitmapHandle& src, CZKBitmapHandle& dst, const PixelRow& pixels)
{
    const LONG sw = src.GetWidth(), sh = src.GetHeight(), dw = dst.GetWidth(), dh = dst.GetHeight();
    const int ch = pixels.Channels();
    std::vector<uint8_t> unpacked;
    for (LONG dy = 0; dy < dh; ++dy)
    {
        const uint64_t sy = (2 * uint64_t(dy) + 1) * uint64_t(sh) / (2 * uint64_t(dh));
        pixels.Unpack(src.GetPtr() + size_t(sy) * src.GetBytesPerLine(), sw, unpacked);
        BYTE* out = dst.GetPtr() + size_t(dy) * dst.GetBytesPerLine();
        for (LONG dx = 0; dx < dw; ++dx)
        {
            const uint64_t sx = (2 * uint64_t(dx) + 1) * uint64_t(sw) / (2 * uint64_t(dw));
            for (int c = 0; c < ch; ++c)
                pixels.Put(out, dx, c, unpacked[size_t(sx) * size_t(ch) + size_t(c)]);
        }
    }
}

LONG ScaledResolution(LONG dpi, LONG newSize, LONG oldSize)
{
    return LONG(int64_t(dpi) * newSize / oldSize);
}
} // namespace

int SZKBitmapResampler::InkIndex_1BPP(const CZKBitmapHandle& bitmap)
{
    ZK_RGBQUAD palette[2];
    if (!bitmap.GetPalette(0, 2, palette))
        return 1;
    return Luminance(palette[0]) < Luminance(palette[1]) ? 0 : 1;
}

bool SZKBitmapResampler::Resize(const CZKBitmapHandle& src, LONG width, LONG height, int mode, CZKBitmapHandle& dst)
{
    if (src.IsEmpty() || (mode != CZKBitmapHandle::kResizeArea && mode != CZKBitmapHandle::kResizeNearest))
        return false;
    const int bpp = src.GetBitsPerPixel();
    std::vector<ZK_RGBQUAD> palette(size_t(src.GetPaletteSize()));
    if (!palette.empty() && !src.GetPalette(0, int(palette.size()), palette.data()))
        return false;
    if (!dst.Create(width, height, bpp, palette.empty() ? nullptr : palette.data()))
        return false;
    const PixelRow pixels(bpp, bpp == 1 ? InkIndex_1BPP(src) : 0);
    const bool averageable = bpp == 24 || bpp == 1 || IsMonotonicGrey(src);
    if (mode == CZKBitmapHandle::kResizeArea && averageable)
        ResizeArea(src, dst, pixels, bpp == 1);
    else
        ResizeNearest(src, dst, pixels);
    dst.SetResolution(ScaledResolution(src.GetXResolution(), width, src.GetWidth()),
                      ScaledResolution(src.GetYResolution(), height, src.GetHeight()));
    return true;
}
