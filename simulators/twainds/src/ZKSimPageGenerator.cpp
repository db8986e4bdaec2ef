#include "ZKSimPageGenerator.h"

#include <algorithm>

namespace
{
struct Colour
{
    BYTE red, green, blue;
};

const Colour kInk = {16, 16, 24};

// A small deterministic generator (xorshift); std::mt19937's distributions are
// not specified bit for bit across libraries, this is.
class Random
{
public:
    explicit Random(uint32_t seed) : m_state(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    // A value in [low, high].
    LONG Between(LONG low, LONG high) { return high <= low ? low : low + static_cast<LONG>(Next() % (high - low + 1)); }

private:
    uint32_t m_state;
};

class Painter
{
public:
    explicit Painter(CZKBitmapHandle& page)
        : m_page(page), m_pixels(page.GetPtr()), m_stride(page.GetBytesPerLine()), m_bpp(page.GetBitsPerPixel())
    {
    }

    void Fill(LONG left, LONG top, LONG right, LONG bottom, const Colour& colour)
    {
        left = std::max<LONG>(left, 0);
        top = std::max<LONG>(top, 0);
        right = std::min(right, m_page.GetWidth());
        bottom = std::min(bottom, m_page.GetHeight());
        for (LONG y = top; y < bottom; ++y)
            for (LONG x = left; x < right; ++x)
                Set(x, y, colour);
    }

    void Set(LONG x, LONG y, const Colour& colour)
    {
        BYTE* row = m_pixels + static_cast<size_t>(y) * m_stride;
        if (m_bpp == 24)
        {
            row[x * 3] = colour.blue;
            row[x * 3 + 1] = colour.green;
            row[x * 3 + 2] = colour.red;
            return;
        }
        const int grey = (colour.red * 299 + colour.green * 587 + colour.blue * 114) / 1000;
        if (m_bpp == 8)
            row[x] = static_cast<BYTE>(grey);
        else if (grey < 128)
            row[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8))); // 0 is black
        else
            row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    }

private:
    CZKBitmapHandle& m_page;
    BYTE* m_pixels;
    DWORD m_stride;
    int m_bpp;
};

// Paper with a faint tint that darkens down the page, as scanned paper does.
void PaintBackground(Painter& painter, LONG width, LONG height, Random& random, bool tinted)
{
    if (!tinted)
    {
        painter.Fill(0, 0, width, height, Colour{255, 255, 255});
        return;
    }
    const int tint = static_cast<int>(random.Between(0, 2));
    for (LONG y = 0; y < height; ++y)
    {
        const BYTE shade = static_cast<BYTE>(250 - (y * 24) / height);
        Colour colour{shade, shade, shade};
        (tint == 0 ? colour.red : tint == 1 ? colour.green : colour.blue) = 255;
        painter.Fill(0, y, width, y + 1, colour);
    }
}

// Glyphs are 3 x 5 cells with random strokes: enough structure to look like
// text to a compressor without needing a font.
void PaintGlyph(Painter& painter, LONG x, LONG y, LONG cell, Random& random)
{
    const uint32_t shape = random.Next() | 0x4000; // never empty
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column)
            if (shape & (1u << (row * 3 + column)))
                painter.Fill(x + column * cell, y + row * cell, x + (column + 1) * cell, y + (row + 1) * cell, kInk);
}

void PaintText(Painter& painter, const ZK_SIM_PAGE_FORMAT& format, Random& random)
{
    const LONG margin = std::max<LONG>(format.xDpi / 2, 2);
    const LONG cell = std::max<LONG>(format.xDpi / 100, 1);
    const LONG glyphWidth = cell * 4;
    const LONG lineHeight = std::max<LONG>(format.yDpi / 6, cell * 7);
    for (LONG y = margin; y + cell * 5 < format.height - margin; y += lineHeight)
    {
        LONG x = margin + random.Between(0, 3) * glyphWidth; // ragged paragraph starts
        const LONG lineEnd = format.width - margin - random.Between(0, 10) * glyphWidth;
        while (x + glyphWidth < lineEnd)
        {
            const LONG letters = random.Between(1, 9);
            for (LONG i = 0; i < letters && x + glyphWidth < lineEnd; ++i, x += glyphWidth)
                PaintGlyph(painter, x, y, cell, random);
            x += glyphWidth; // the space between words
        }
        if (random.Between(0, 9) == 0)
            y += lineHeight; // a blank line between paragraphs
    }
}

void PaintPatches(Painter& painter, const ZK_SIM_PAGE_FORMAT& format, Random& random)
{
    const int patches = static_cast<int>(random.Between(1, 3));
    for (int i = 0; i < patches; ++i)
    {
        const LONG left = random.Between(0, format.width * 2 / 3);
        const LONG top = random.Between(0, format.height * 2 / 3);
        const LONG right = left + random.Between(format.width / 10 + 1, format.width / 3 + 1);
        const LONG bottom = top + random.Between(format.height / 10 + 1, format.height / 4 + 1);
        const Colour colour{static_cast<BYTE>(random.Next()), static_cast<BYTE>(random.Next()),
                            static_cast<BYTE>(random.Next())};
        painter.Fill(left, top, right, bottom, colour);
    }
}
} // namespace

uint32_t SZKSimPageGenerator::Seed(const std::string& scanner, int sheet, int side, int segment)
{
    uint32_t hash = 2166136261u; // FNV-1a
    auto mix = [&hash](uint32_t byte) {
        hash ^= byte & 0xFF;
        hash *= 16777619u;
    };
    for (unsigned char c : scanner)
        mix(c);
    for (int value : {sheet, side, segment})
        for (int shift = 0; shift < 32; shift += 8)
            mix(static_cast<uint32_t>(value) >> shift);
    return hash;
}

bool SZKSimPageGenerator::Generate(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed, CZKBitmapHandle& page)
{
    const int bpp = format.bitsPerPixel;
    if ((bpp != 1 && bpp != 8 && bpp != 24) || format.xDpi <= 0 || format.yDpi <= 0)
        return false;
    if (!page.Create(format.width, format.height, bpp))
        return false;
    if (bpp == 1)
        page.SetBOWPalette_1BPP();
    page.SetResolution(format.xDpi, format.yDpi);
    Random random(seed);
    Painter painter(page);
    PaintBackground(painter, format.width, format.height, random, bpp != 1);
    if (bpp != 1)
        PaintPatches(painter, format, random);
    PaintText(painter, format, random);
    return true;
}
