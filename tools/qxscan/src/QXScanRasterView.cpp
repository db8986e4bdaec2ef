#include "QXScanRasterView.h"

#include <cstdint>
#include <cstring>

namespace
{
constexpr uint32_t kDibHeaderSize = 40;

uint32_t ReadU32(const BYTE* at)
{
    uint32_t value = 0;
    std::memcpy(&value, at, sizeof(value));
    return value;
}

bool LooksLikeDib(const QXSCAN_IMAGE& image)
{
    const std::vector<BYTE>& bytes = image.bytes;
    if (bytes.size() < kDibHeaderSize || ReadU32(bytes.data()) != kDibHeaderSize)
        return false;
    const int32_t width = static_cast<int32_t>(ReadU32(bytes.data() + 4));
    const int32_t height = static_cast<int32_t>(ReadU32(bytes.data() + 8));
    return width == image.info.ImageWidth &&
           (height == image.info.ImageLength || -height == image.info.ImageLength);
}
} // namespace

bool CQXScanRasterView::Attach(const QXSCAN_IMAGE& image, std::string& error)
{
    const QX_SCANNER_IMAGE_INFO& info = image.info;
    m_rows = static_cast<size_t>(info.ImageLength > 0 ? info.ImageLength : 0);
    m_rowBytes = (static_cast<size_t>(info.ImageWidth) * info.BitsPerPixel + 7) / 8;
    if (LooksLikeDib(image))
        return _AttachDib(image, error);
    m_bits = image.bytes.data();
    m_stride = m_rows ? image.bytes.size() / m_rows : 0;
    m_bgr = info.BitsPerPixel == 24;
    m_zeroIsWhite = info.bWhiteIsZero != 0;
    if (m_rows == 0 || m_stride < m_rowBytes)
    {
        error = "the scanner sent fewer bytes than the image size says";
        return false;
    }
    return true;
}

bool CQXScanRasterView::_AttachDib(const QXSCAN_IMAGE& image, std::string& error)
{
    const BYTE* header = image.bytes.data();
    const int32_t height = static_cast<int32_t>(ReadU32(header + 8));
    const uint32_t bits = ReadU32(header + 12) >> 16; // biPlanes in the low word
    const uint32_t used = ReadU32(header + 32);
    const size_t colours = bits <= 8 ? (used ? used : (1u << bits)) : 0;
    const size_t offset = kDibHeaderSize + colours * 4;
    m_stride = (static_cast<size_t>(image.info.ImageWidth) * bits + 31) / 32 * 4;
    m_bottomUp = height > 0;
    m_bgr = bits == 24;
    // A bitonal palette says which of 0 and 1 is black.
    m_zeroIsWhite = bits == 1 && colours >= 1 && image.bytes.size() > offset &&
                    header[kDibHeaderSize] + header[kDibHeaderSize + 1] + header[kDibHeaderSize + 2] > 3 * 127;
    m_bits = header + offset;
    if (bits != image.info.BitsPerPixel || m_rows == 0 ||
        image.bytes.size() < offset + m_rows * m_stride || m_stride < m_rowBytes)
    {
        error = "the scanner sent a bitmap that does not match its image record";
        return false;
    }
    return true;
}

const BYTE* CQXScanRasterView::Row(size_t row)
{
    const BYTE* bytes = m_bits + (m_bottomUp ? m_rows - 1 - row : row) * m_stride;
    if (!m_bgr)
        return bytes;
    m_swapped.assign(bytes, bytes + m_rowBytes);
    for (size_t i = 0; i + 2 < m_swapped.size(); i += 3)
        std::swap(m_swapped[i], m_swapped[i + 2]);
    return m_swapped.data();
}
