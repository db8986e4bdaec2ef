#include "ZKSimPageGenerator.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

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
    LONG Between(LONG low, LONG high)
    {
        return high <= low ? low : low + static_cast<LONG>(Next() % (high - low + 1));
    }

private:
    uint32_t m_state;
};

struct Patch
{
    LONG left, top, right, bottom;
    Colour colour;
};

struct Glyph
{
    LONG x;
    uint32_t shape; // 3 x 5 cells, bit row * 3 + column
};

struct TextLine
{
    LONG top;
    size_t first, count; // into the plan's glyphs
};

constexpr int kGlyphRows = 5;
constexpr int kGlyphColumns = 3;

bool IsSupported(const ZK_SIM_PAGE_FORMAT& format)
{
    const int bpp = format.bitsPerPixel;
    return (bpp == 1 || bpp == 8 || bpp == 24) && format.xDpi > 0 && format.yDpi > 0 &&
           format.width > 0 && format.height > 0;
}

// Everything the random stream decides about a page, drawn in the order a
// page has always drawn it (background tint, patches, text), so that a seed
// keeps giving the same pixels.
class PagePlan
{
public:
    PagePlan(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed)
        : m_format(format), m_cell(std::max<LONG>(format.xDpi / 100, 1)),
          m_tinted(format.bitsPerPixel != 1)
    {
        Random random(seed);
        if (m_tinted)
        {
            m_tint = static_cast<int>(random.Between(0, 2));
            _PlanPatches(random);
        }
        _PlanText(random);
    }

    LONG Cell() const { return m_cell; }
    const std::vector<Patch>& Patches() const { return m_patches; }
    const std::vector<TextLine>& Lines() const { return m_lines; }
    const Glyph* Glyphs(const TextLine& line) const { return m_glyphs.data() + line.first; }

    // Paper with a faint tint that darkens down the page, as scanned paper does.
    Colour Background(LONG y) const
    {
        if (!m_tinted)
            return Colour{255, 255, 255};
        const BYTE shade = Shade(y);
        Colour colour{shade, shade, shade};
        (m_tint == 0 ? colour.red : m_tint == 1 ? colour.green : colour.blue) = 255;
        return colour;
    }
    BYTE Shade(LONG y) const
    {
        return m_tinted ? static_cast<BYTE>(250 - (y * 24) / m_format.height) : 255;
    }

private:
    void _PlanPatches(Random& random)
    {
        const LONG width = m_format.width;
        const LONG height = m_format.height;
        const int patches = static_cast<int>(random.Between(1, 3));
        for (int i = 0; i < patches; ++i)
        {
            const LONG left = random.Between(0, width * 2 / 3);
            const LONG top = random.Between(0, height * 2 / 3);
            const LONG right = left + random.Between(width / 10 + 1, width / 3 + 1);
            const LONG bottom = top + random.Between(height / 10 + 1, height / 4 + 1);
            const Colour colour{static_cast<BYTE>(random.Next()), static_cast<BYTE>(random.Next()),
                                static_cast<BYTE>(random.Next())};
            m_patches.push_back(Patch{left, top, right, std::min(bottom, height), colour});
        }
    }

    // Glyphs are 3 x 5 cells with random strokes: enough structure to look
    // like text to a compressor without needing a font.
    void _PlanText(Random& random)
    {
        const LONG margin = std::max<LONG>(m_format.xDpi / 2, 2);
        const LONG glyphWidth = m_cell * 4;
        const LONG lineHeight = std::max<LONG>(m_format.yDpi / 6, m_cell * 7);
        for (LONG y = margin; y + m_cell * kGlyphRows < m_format.height - margin; y += lineHeight)
        {
            TextLine line{y, m_glyphs.size(), 0};
            LONG x = margin + random.Between(0, 3) * glyphWidth; // ragged paragraph starts
            const LONG lineEnd = m_format.width - margin - random.Between(0, 10) * glyphWidth;
            while (x + glyphWidth < lineEnd)
            {
                const LONG letters = random.Between(1, 9);
                for (LONG i = 0; i < letters && x + glyphWidth < lineEnd; ++i, x += glyphWidth)
                    m_glyphs.push_back(Glyph{x, random.Next() | 0x4000}); // never empty
                x += glyphWidth;                                          // the space between words
            }
            line.count = m_glyphs.size() - line.first;
            m_lines.push_back(line);
            if (random.Between(0, 9) == 0)
                y += lineHeight; // a blank line between paragraphs
        }
    }

    const ZK_SIM_PAGE_FORMAT& m_format;
    const LONG m_cell;
    const bool m_tinted;
    int m_tint = 0;
    std::vector<Patch> m_patches;
    std::vector<TextLine> m_lines;
    std::vector<Glyph> m_glyphs;
};

uint64_t ToBigEndian(uint64_t word)
{
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    return __builtin_bswap64(word);
#else
    return word;
#endif
}

// A colour as the row holds it: bytes in the row's order and its grey.
struct Pixel
{
    BYTE first, green, last, grey;
};

// The runs of set cells in one row of a glyph, by its three bits.
struct ColumnRun
{
    LONG first, columns;
};
const ColumnRun kColumnRuns[8][2] = {{{0, 0}, {0, 0}}, {{0, 1}, {0, 0}}, {{1, 1}, {0, 0}},
                                     {{0, 2}, {0, 0}}, {{2, 1}, {0, 0}}, {{0, 1}, {2, 1}},
                                     {{1, 2}, {0, 0}}, {{0, 3}, {0, 0}}};

// What decides a row's pixels; a row that looks like the one above it is a
// copy of it, which makes most of a page a run of row copies.
struct RowLook
{
    BYTE shade = 0;
    uint32_t patches = 0;   // bit i: patch i crosses the row
    size_t line = SIZE_MAX; // the text line crossing the row
    LONG glyphRow = -1;

    bool operator==(const RowLook& other) const
    {
        return shade == other.shade && patches == other.patches && line == other.line &&
               glyphRow == other.glyphRow;
    }
};

// Paints a planned page row by row, top to bottom, in runs of equal bytes.
class RowPainter
{
public:
    RowPainter(const ZK_SIM_PAGE_FORMAT& format, const PagePlan& plan, const ZK_SIM_PAGE_ROWS& rows)
        : m_format(format), m_plan(plan), m_rows(rows),
          m_rowBytes(SZKSimPageGenerator::RowBytes(format)),
          m_rowSpan(static_cast<size_t>(std::abs(rows.stride))), m_ink(_Resolve(kInk))
    {
        _PrepareBitMasks();
    }

    void PaintPage()
    {
        const BYTE* above = nullptr;
        RowLook aboveLook;
        for (LONG y = 0; y < m_format.height; ++y)
        {
            BYTE* row = m_rows.top + static_cast<ptrdiff_t>(y) * m_rows.stride;
            const RowLook look = _LookOf(y);
            if (above && look == aboveLook)
                std::memcpy(row, above, m_rowSpan);
            else
                _PaintRow(y, look, row);
            above = row;
            aboveLook = look;
        }
    }

private:
    RowLook _LookOf(LONG y)
    {
        RowLook look;
        look.shade = m_plan.Shade(y);
        const std::vector<Patch>& patches = m_plan.Patches();
        for (size_t i = 0; i < patches.size(); ++i)
            if (y >= patches[i].top && y < patches[i].bottom)
                look.patches |= 1u << i;
        const std::vector<TextLine>& lines = m_plan.Lines();
        const LONG band = m_plan.Cell() * kGlyphRows;
        while (m_line < lines.size() && y >= lines[m_line].top + band)
            ++m_line;
        if (m_line < lines.size() && y >= lines[m_line].top)
        {
            look.line = m_line;
            look.glyphRow = (y - lines[m_line].top) / m_plan.Cell();
        }
        return look;
    }

    void _PaintRow(LONG y, const RowLook& look, BYTE* row)
    {
        std::memset(row + m_rowBytes, 0, m_rowSpan - m_rowBytes); // padding
        if (m_format.bitsPerPixel == 1)
            row[m_rowBytes - 1] = 0; // the bits beyond the last pixel
        _Span(row, 0, m_format.width, _Resolve(m_plan.Background(y)));
        const std::vector<Patch>& patches = m_plan.Patches();
        for (size_t i = 0; i < patches.size(); ++i)
            if (look.patches & (1u << i))
                _Span(row, patches[i].left, patches[i].right, _Resolve(patches[i].colour));
        if (look.line != SIZE_MAX)
            _PaintGlyphRow(m_plan.Lines()[look.line], look.glyphRow, row);
    }

    void _PaintGlyphRow(const TextLine& line, LONG glyphRow, BYTE* row)
    {
        const Glyph* glyphs = m_plan.Glyphs(line);
        const int shift = static_cast<int>(glyphRow) * kGlyphColumns;
        if (m_bitMasks)
            std::fill(m_inkWords.begin(), m_inkWords.end(), 0);
        for (size_t i = 0; i < line.count; ++i)
        {
            const uint32_t columns = (glyphs[i].shape >> shift) & 7;
            if (!_CollectInkBits(glyphs[i].x, columns))
                _InkSpans(row, glyphs[i].x, columns);
        }
        if (m_bitMasks)
            _ApplyInkBits(row);
    }

    void _InkSpans(BYTE* row, LONG x, uint32_t columns)
    {
        const LONG cell = m_plan.Cell();
        for (const ColumnRun& run : kColumnRuns[columns])
            if (run.columns > 0)
                _Span(row, x + run.first * cell, x + (run.first + run.columns) * cell, m_ink);
    }

    // Bitonal glyph cells are gathered as bits in 64-bit words first and put
    // into the row in one pass: a page holds tens of thousands of glyph rows.
    bool _CollectInkBits(LONG x, uint32_t columns)
    {
        if (!m_bitMasks || x < 0 || x + m_plan.Cell() * kGlyphColumns > m_format.width)
            return false;
        const uint64_t mask = m_cellMasks[columns];
        const size_t word = static_cast<size_t>(x) / 64;
        const int offset = x % 64;
        m_inkWords[word] |= mask >> offset;
        if (offset > 0)
            m_inkWords[word + 1] |= mask << (64 - offset);
        return true;
    }

    void _ApplyInkBits(BYTE* row) const
    {
        const bool set = m_ink.grey >= 128;
        for (size_t word = 0; word * 8 < m_rowBytes; ++word)
        {
            const uint64_t ink = m_inkWords[word];
            if (!ink)
                continue;
            const size_t at = word * 8;
            if (at + 8 <= m_rowBytes)
            {
                uint64_t bits;
                std::memcpy(&bits, row + at, sizeof(bits));
                bits = ToBigEndian(set ? ToBigEndian(bits) | ink : ToBigEndian(bits) & ~ink);
                std::memcpy(row + at, &bits, sizeof(bits));
                continue;
            }
            for (size_t byte = at; byte < m_rowBytes; ++byte)
            {
                const auto mask = static_cast<BYTE>(ink >> (56 - 8 * (byte - at)));
                row[byte] = set ? row[byte] | mask : row[byte] & ~mask;
            }
        }
    }

    // The glyph cells of each three-bit column pattern as bits from the top
    // of a 64-bit word down, for bitonal pages whose glyphs fit in a word.
    void _PrepareBitMasks()
    {
        const LONG cell = m_plan.Cell();
        m_bitMasks = m_format.bitsPerPixel == 1 && cell * kGlyphColumns <= 64;
        if (!m_bitMasks)
            return;
        m_inkWords.assign(static_cast<size_t>(m_format.width) / 64 + 2, 0);
        for (uint32_t columns = 0; columns < 8; ++columns)
        {
            uint64_t mask = 0;
            for (int column = 0; column < kGlyphColumns; ++column)
                if (columns & (1u << column))
                    for (LONG bit = column * cell; bit < (column + 1) * cell; ++bit)
                        mask |= uint64_t(1) << (63 - bit);
            m_cellMasks[columns] = mask;
        }
    }

    Pixel _Resolve(const Colour& colour) const
    {
        Pixel pixel;
        pixel.first = m_rows.redFirst ? colour.red : colour.blue;
        pixel.green = colour.green;
        pixel.last = m_rows.redFirst ? colour.blue : colour.red;
        pixel.grey =
            static_cast<BYTE>((colour.red * 299 + colour.green * 587 + colour.blue * 114) / 1000);
        return pixel;
    }

    void _Span(BYTE* row, LONG left, LONG right, const Pixel& pixel)
    {
        left = std::max<LONG>(left, 0);
        right = std::min(right, m_format.width);
        if (left >= right)
            return;
        switch (m_format.bitsPerPixel)
        {
        case 24:
            _ColourSpan(row + static_cast<size_t>(left) * 3, static_cast<size_t>(right - left),
                        pixel);
            break;
        case 8:
            std::memset(row + left, pixel.grey, static_cast<size_t>(right - left));
            break;
        default:
            _BitSpan(row, left, right, pixel.grey >= 128); // 0 is black
        }
    }

    // Writes one pixel, then doubles the written run until the span is full.
    static void _ColourSpan(BYTE* at, size_t pixels, const Pixel& pixel)
    {
        at[0] = pixel.first;
        at[1] = pixel.green;
        at[2] = pixel.last;
        const size_t total = pixels * 3;
        for (size_t done = 3; done < total;)
        {
            const size_t more = std::min(done, total - done);
            std::memcpy(at + done, at, more);
            done += more;
        }
    }

    static void _BitSpan(BYTE* row, LONG left, LONG right, bool set)
    {
        const LONG first = left / 8;
        const LONG last = (right - 1) / 8;
        const auto head = static_cast<BYTE>(0xFF >> (left % 8));
        const auto tail = static_cast<BYTE>(0xFF << (7 - (right - 1) % 8));
        auto apply = [set](BYTE& byte, BYTE mask) { byte = set ? byte | mask : byte & ~mask; };
        if (first == last)
        {
            apply(row[first], head & tail);
            return;
        }
        apply(row[first], head);
        std::memset(row + first + 1, set ? 0xFF : 0x00, static_cast<size_t>(last - first - 1));
        apply(row[last], tail);
    }

    const ZK_SIM_PAGE_FORMAT& m_format;
    const PagePlan& m_plan;
    const ZK_SIM_PAGE_ROWS m_rows;
    const size_t m_rowBytes;
    const size_t m_rowSpan;
    const Pixel m_ink;
    bool m_bitMasks = false;
    uint64_t m_cellMasks[8] = {};
    std::vector<uint64_t>
        m_inkWords;    // the ink of the glyph row being painted, pixel 0 at the top bit
    size_t m_line = 0; // the first text line not yet above the row painted
};
} // namespace

uint32_t SZKSimPageGenerator::Seed(const std::string& scanner, int sheet, int side, int segment)
{
    uint32_t hash = 2166136261u; // FNV-1a
    auto mix = [&hash](uint32_t byte)
    {
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

bool SZKSimPageGenerator::PaintScannerRows(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed, BYTE* out)
{
    ZK_SIM_PAGE_ROWS rows;
    rows.top = out;
    rows.stride = static_cast<ptrdiff_t>(RowBytes(format));
    rows.redFirst = true;
    return Paint(format, seed, rows);
}

size_t SZKSimPageGenerator::RowBytes(const ZK_SIM_PAGE_FORMAT& format)
{
    return static_cast<size_t>((static_cast<uint64_t>(format.width) * format.bitsPerPixel + 7) / 8);
}

bool SZKSimPageGenerator::Generate(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed,
                                   CZKBitmapHandle& page)
{
    if (!IsSupported(format))
        return false;
    const bool reusable = !page.IsEmpty() && page.GetWidth() == format.width &&
                          page.GetHeight() == format.height &&
                          page.GetBitsPerPixel() == format.bitsPerPixel;
    if (!reusable && !page.Create(format.width, format.height, format.bitsPerPixel))
        return false;
    if (format.bitsPerPixel == 1)
        page.SetBOWPalette_1BPP();
    else if (format.bitsPerPixel == 8)
        page.SetGrayscalePalette_8BPP();
    page.SetResolution(format.xDpi, format.yDpi);
    ZK_SIM_PAGE_ROWS rows;
    rows.top = page.GetPtr();
    rows.stride = static_cast<ptrdiff_t>(page.GetBytesPerLine());
    return Paint(format, seed, rows);
}

bool SZKSimPageGenerator::Paint(const ZK_SIM_PAGE_FORMAT& format, uint32_t seed,
                                const ZK_SIM_PAGE_ROWS& rows)
{
    if (!IsSupported(format) || !rows.top ||
        static_cast<size_t>(std::abs(rows.stride)) < RowBytes(format))
        return false;
    const PagePlan plan(format, seed);
    RowPainter(format, plan, rows).PaintPage();
    return true;
}
