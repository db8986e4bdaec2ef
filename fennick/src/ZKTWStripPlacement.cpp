#include "ZKTWStripPlacement.h"

#include "ZKTWStripBudget.h"
#include "ZKTWTrace.h"

#include <algorithm>
#include <cstdint>

namespace
{
bool IsGiven(TW_UINT32 value)
{
    return value != TWON_DONTCARE32;
}
} // namespace

CZKTWStripPlacement::CZKTWStripPlacement(const TW_SETUPMEMXFER& setup,
                                         const ZKTWIMAGEINFO& announced)
    : m_announced(announced), m_minimumLength(CZKTWStripBudget::MinimumBlock(setup)),
      m_stripLength(CZKTWStripBudget::BufferSize(setup)),
      m_maximumLength(CZKTWStripBudget::PlacedStripSize(setup))
{
}

bool CZKTWStripPlacement::Place(IZKTWEventObserver& observer, TW_IMAGEMEMXFER& block)
{
    // Filled afresh each time: the observer's earlier answer counts for its
    // own strip only.
    ZKTW_STRIP_DESTINATION destination;
    destination.Announced = &m_announced;
    destination.ByteOffset = m_byteOffset;
    destination.RowOffset = m_rowOffset;
    destination.MinimumLength = m_minimumLength;
    destination.StripLength = m_stripLength;
    destination.MaximumLength = m_maximumLength;
    if (!observer.OnGetStripDestination(destination) || !destination.Memory)
        return false;
    if (destination.Length < m_minimumLength)
    {
        SZKTWTrace::Log("Memory transfer: the observer's strip block is too small, the strip goes "
                        "through our buffer",
                        1);
        return false;
    }
    m_given.Flags = TWMF_APPOWNS | TWMF_POINTER;
    m_given.Length = std::min(destination.Length, m_maximumLength);
    m_given.TheMem = destination.Memory;
    block.Memory = m_given;
    block.Compression = TWON_DONTCARE16;
    block.BytesPerRow = block.Rows = block.YOffset = TWON_DONTCARE32;
    block.BytesWritten = 0;
    return true;
}

bool CZKTWStripPlacement::_IsUncompressed(const TW_IMAGEMEMXFER& block) const
{
    const TW_UINT16 compression =
        block.Compression == TWON_DONTCARE16 ? m_announced.Compression : block.Compression;
    return compression == TWCP_NONE;
}

bool CZKTWStripPlacement::Fits(const TW_IMAGEMEMXFER& block) const
{
    // The record's buffer is ours to name: a source that moved it wrote
    // somewhere the observer does not look.
    if (block.Memory.TheMem != m_given.TheMem || block.Memory.Length != m_given.Length ||
        block.BytesWritten > m_given.Length)
        return false;
    if (_IsUncompressed(block) && IsGiven(block.Rows) && IsGiven(block.BytesPerRow) &&
        uint64_t(block.Rows) * block.BytesPerRow > block.BytesWritten)
        return false;
    // The observer placed the strip for the rows it was told of.
    return !IsGiven(block.YOffset) || !IsGiven(m_rowOffset) || block.YOffset == m_rowOffset;
}

void CZKTWStripPlacement::Advance(const TW_IMAGEMEMXFER& block)
{
    // The strip budget keeps an image's bytes far below 4 GB.
    m_byteOffset += block.BytesWritten;
    if (!IsGiven(m_rowOffset))
        return;
    const uint64_t rows =
        IsGiven(block.Rows) ? uint64_t(m_rowOffset) + block.Rows : TWON_DONTCARE32;
    m_rowOffset = rows < TWON_DONTCARE32 ? static_cast<TW_UINT32>(rows) : TWON_DONTCARE32;
}
