#include "ZKSaneFrameAssembler.h"

#include <algorithm>
#include <cstring>

namespace
{
// A backend may send frame types this SANE version does not name: the
// value is read as a plain number, never as the enumeration.
int FormatOf(const SANE_Parameters& parameters)
{
    int format = 0;
    static_assert(sizeof(format) == sizeof(parameters.format), "SANE_Frame is an int");
    std::memcpy(&format, &parameters.format, sizeof(format));
    return format;
}

size_t SlotOf(int format)
{
    switch (format)
    {
    case SANE_FRAME_RED:
        return 1;
    case SANE_FRAME_GREEN:
        return 2;
    case SANE_FRAME_BLUE:
        return 3;
    default:
        return 0;
    }
}

int Channels(int format)
{
    return format == SANE_FRAME_RGB ? 3 : 1;
}
} // namespace

bool CZKSaneFrameAssembler::BeginFrame(const SANE_Parameters& parameters, TW_UINT16& condition)
{
    const int format = FormatOf(parameters);
    const bool knownFormat = format == SANE_FRAME_GRAY || format == SANE_FRAME_RGB || SlotOf(format) != 0;
    const bool knownDepth = parameters.depth == 1 || parameters.depth == 8 || parameters.depth == 16;
    // Colour at one bit per sample is not a TWAIN pixel type.
    const bool colourBits = parameters.depth == 1 && format != SANE_FRAME_GRAY;
    const uint64_t needed =
        (uint64_t(std::max(parameters.pixels_per_line, 0)) * Channels(format) * parameters.depth + 7) / 8;
    if (!knownFormat || !knownDepth || colourBits || parameters.pixels_per_line <= 0 ||
        parameters.bytes_per_line <= 0 || uint64_t(parameters.bytes_per_line) < needed ||
        uint64_t(parameters.bytes_per_line) > kLargestLine)
    {
        condition = TWCC_BADVALUE;
        return false;
    }
    FRAME& frame = m_frames[SlotOf(format)];
    frame = FRAME();
    frame.present = true;
    frame.format = format;
    frame.depth = parameters.depth;
    frame.pixels = static_cast<uint32_t>(parameters.pixels_per_line);
    frame.lineBytes = static_cast<size_t>(parameters.bytes_per_line);
    if (parameters.lines > 0 && uint64_t(parameters.lines) * frame.lineBytes <= kLargestFrame)
        frame.data.reserve(size_t(parameters.lines) * frame.lineBytes);
    m_current = &frame;
    return true;
}

bool CZKSaneFrameAssembler::Append(const uint8_t* data, size_t length, TW_UINT16& condition)
{
    if (!m_current)
    {
        condition = TWCC_SEQERROR;
        return false;
    }
    if (m_current->data.size() + length > kLargestFrame)
    {
        condition = TWCC_LOWMEMORY;
        return false;
    }
    m_current->data.insert(m_current->data.end(), data, data + length);
    return true;
}

size_t CZKSaneFrameAssembler::_UsefulBytes(const FRAME& frame) const
{
    return (size_t(frame.pixels) * Channels(frame.format) * frame.depth + 7) / 8;
}

// Only whole lines count: a scan that stops early gives a shorter image.
uint32_t CZKSaneFrameAssembler::_Lines(const FRAME& frame) const
{
    return static_cast<uint32_t>(frame.data.size() / frame.lineBytes);
}

// Sample i of a line at 8 bits: 16-bit samples come in host order.
uint8_t CZKSaneFrameAssembler::_Sample(const FRAME& frame, uint32_t line, size_t sample) const
{
    const uint8_t* row = frame.data.data() + size_t(line) * frame.lineBytes;
    if (frame.depth == 8)
        return row[sample];
    uint16_t value;
    std::memcpy(&value, row + sample * 2, sizeof(value));
    return static_cast<uint8_t>(value >> 8);
}

bool CZKSaneFrameAssembler::Finish(double dpi, ZK_SANE_PAGE& page, TW_UINT16& condition)
{
    page.xDpi = page.yDpi = dpi;
    const FRAME& first = m_frames[0];
    const bool ok = first.present ? _FinishGray(first, page) : _FinishColour(page);
    if (!ok)
        condition = TWCC_BADVALUE;
    return ok;
}

bool CZKSaneFrameAssembler::_FinishGray(const FRAME& frame, ZK_SANE_PAGE& page) const
{
    const uint32_t lines = _Lines(frame);
    if (lines == 0)
        return false;
    page.width = frame.pixels;
    page.height = lines;
    const int channels = Channels(frame.format);
    page.bitsPerPixel = static_cast<TW_UINT16>(frame.depth == 1 ? 1 : 8 * channels);
    page.pixelType = frame.depth == 1 ? TWPT_BW : (channels == 3 ? TWPT_RGB : TWPT_GRAY);
    const size_t rowBytes = page.BytesPerRow();
    page.rows.assign(rowBytes * lines, 0);
    for (uint32_t y = 0; y < lines; ++y)
    {
        uint8_t* target = page.rows.data() + y * rowBytes;
        if (frame.depth == 1)
        {
            // SANE's bitonal 1 is black, TWAIN's is white.
            const uint8_t* source = frame.data.data() + size_t(y) * frame.lineBytes;
            for (size_t i = 0; i < rowBytes; ++i)
                target[i] = static_cast<uint8_t>(~source[i]);
        }
        else if (frame.depth == 8)
            std::memcpy(target, frame.data.data() + size_t(y) * frame.lineBytes, _UsefulBytes(frame));
        else
            for (size_t i = 0; i < rowBytes; ++i)
                target[i] = _Sample(frame, y, i);
    }
    return true;
}

bool CZKSaneFrameAssembler::_FinishColour(ZK_SANE_PAGE& page) const
{
    const FRAME& red = m_frames[1];
    const FRAME& green = m_frames[2];
    const FRAME& blue = m_frames[3];
    if (!red.present || !green.present || !blue.present || red.pixels != green.pixels ||
        red.pixels != blue.pixels || red.depth == 1 || green.depth == 1 || blue.depth == 1)
        return false;
    const uint32_t lines = std::min({_Lines(red), _Lines(green), _Lines(blue)});
    if (lines == 0)
        return false;
    page.width = red.pixels;
    page.height = lines;
    page.bitsPerPixel = 24;
    page.pixelType = TWPT_RGB;
    const size_t rowBytes = page.BytesPerRow();
    page.rows.assign(rowBytes * lines, 0);
    const FRAME* planes[3] = {&red, &green, &blue};
    for (uint32_t y = 0; y < lines; ++y)
    {
        uint8_t* target = page.rows.data() + y * rowBytes;
        for (uint32_t x = 0; x < page.width; ++x)
            for (int c = 0; c < 3; ++c)
                target[size_t(x) * 3 + c] = _Sample(*planes[c], y, x);
    }
    return true;
}
