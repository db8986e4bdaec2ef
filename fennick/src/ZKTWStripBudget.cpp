#include "ZKTWStripBudget.h"

#include <algorithm>

namespace
{
bool IsGiven(TW_UINT32 size)
{
    return size != 0 && size != TWON_DONTCARE32;
}

uint64_t RawImageBytes(const ZKTWIMAGEINFO& info)
{
    if (info.ImageWidth <= 0 || info.ImageLength <= 0 || info.BitsPerPixel <= 0)
        return 0;
    const uint64_t bytesPerRow = (uint64_t(info.ImageWidth) * uint64_t(info.BitsPerPixel) + 7) / 8;
    return bytesPerRow * uint64_t(info.ImageLength);
}
} // namespace

TW_UINT32 CZKTWStripBudget::BufferSize(const TW_SETUPMEMXFER& setup)
{
    if (setup.Preferred == 0)
        return 0;
    const uint64_t minimum = IsGiven(setup.MinBufSize) ? setup.MinBufSize : 1;
    const uint64_t maximum =
        IsGiven(setup.MaxBufSize) ? std::min<uint64_t>(setup.MaxBufSize, kMaxBuffer) : kMaxBuffer;
    if (minimum > maximum)
        return 0;
    const uint64_t preferred =
        setup.Preferred == TWON_DONTCARE32 ? kDefaultBuffer : setup.Preferred;
    return static_cast<TW_UINT32>(std::clamp(preferred, minimum, maximum));
}

TW_UINT32 CZKTWStripBudget::PlacedStripSize(const TW_SETUPMEMXFER& setup)
{
    const TW_UINT32 ownBuffer = BufferSize(setup);
    const TW_UINT32 wanted = IsGiven(setup.MaxBufSize) ? setup.MaxBufSize : ownBuffer;
    return std::max(ownBuffer, std::min(wanted, kMaxPlacedStrip));
}

TW_UINT32 CZKTWStripBudget::MinimumBlock(const TW_SETUPMEMXFER& setup)
{
    return IsGiven(setup.MinBufSize) ? setup.MinBufSize : 1;
}

CZKTWStripBudget::CZKTWStripBudget(const ZKTWIMAGEINFO& announced)
{
    const uint64_t raw = RawImageBytes(announced);
    m_announcedBytes = raw;
    m_byteLimit =
        raw ? std::min(raw * kRawSizeFactor + kSlackBytes, kMaxImageBytes) : kMaxImageBytes;
}

bool CZKTWStripBudget::Take(TW_UINT32 bytesWritten)
{
    if (bytesWritten == 0 && ++m_emptyStrips > kMaxEmptyStrips)
        return false;
    m_bytes += bytesWritten;
    return m_bytes <= m_byteLimit;
}
