#include "ZKSimMemoryTransfer.h"

#include <algorithm>
#include <cstring>

void CZKSimMemoryTransfer::Begin(CZKSimPageCache::Page data, TW_UINT16 compression, TW_UINT32 bytesPerRow,
                                 TW_UINT32 columns, TW_UINT32 rows)
{
    m_data = std::move(data);
    m_offset = 0;
    m_compression = compression;
    m_bytesPerRow = bytesPerRow;
    m_columns = columns;
    m_rows = rows;
    m_active = m_data != nullptr;
}

void CZKSimMemoryTransfer::Clear()
{
    m_data.reset();
    m_offset = 0;
    m_active = false;
}

bool CZKSimMemoryTransfer::Fits(const TW_IMAGEMEMXFER& block, TW_UINT32 bytesPerRow, bool compressed)
{
    const TW_MEMORY memory = block.Memory; // packed: copy before use
    if (!memory.TheMem || memory.Length == 0)
        return false;
    return compressed || memory.Length >= bytesPerRow;
}

bool CZKSimMemoryTransfer::Fits(const TW_IMAGEMEMXFER& block) const
{
    return Fits(block, m_bytesPerRow, m_compression != TWCP_NONE);
}

TW_UINT16 CZKSimMemoryTransfer::Next(TW_IMAGEMEMXFER& block, TW_UINT16& condition)
{
    if (!m_active)
    {
        condition = TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    if (!Fits(block))
    {
        condition = TWCC_BADVALUE;
        return TWRC_FAILURE;
    }
    TW_MEMORY memory = block.Memory;
    const size_t left = m_data->size - m_offset;
    size_t count = std::min<size_t>(left, memory.Length);
    TW_UINT32 firstRow = 0;
    TW_UINT32 rows = m_rows;
    if (m_compression == TWCP_NONE)
    {
        // Whole rows only; the strip says where it sits in the image.
        rows = static_cast<TW_UINT32>(count / m_bytesPerRow);
        count = static_cast<size_t>(rows) * m_bytesPerRow;
        firstRow = static_cast<TW_UINT32>(m_offset / m_bytesPerRow);
    }
    std::memcpy(memory.TheMem, m_data->data.get() + m_offset, count);
    m_offset += count;
    block.Compression = m_compression;
    block.BytesPerRow = m_bytesPerRow;
    block.Columns = m_columns;
    block.Rows = rows;
    block.XOffset = 0;
    block.YOffset = firstRow;
    block.BytesWritten = static_cast<TW_UINT32>(count);
    if (m_offset < m_data->size)
        return TWRC_SUCCESS;
    Clear();
    return TWRC_XFERDONE;
}
