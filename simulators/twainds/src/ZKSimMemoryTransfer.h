// One image handed over through DAT_IMAGEMEMXFER: uncompressed data in strips
// of whole rows, compressed data (one stream for the whole image) in as many
// buffers as it takes.
#pragma once

#include <cstdint>

#include <twaindefs/ZKTwainDefs.h>

#include "ZKSimPageCache.h"

class CZKSimMemoryTransfer
{
public:
    // Strips are copied straight from the shared page.
    void Begin(CZKSimPageCache::Page data, TW_UINT16 compression, TW_UINT32 bytesPerRow, TW_UINT32 columns,
               TW_UINT32 rows);
    void Clear();
    bool IsActive() const { return m_active; }
    // Whether the application's buffer can take a strip at all.
    bool Fits(const TW_IMAGEMEMXFER& block) const;
    static bool Fits(const TW_IMAGEMEMXFER& block, TW_UINT32 bytesPerRow, bool compressed);
    // Copies the next strip into the application's buffer: TWRC_SUCCESS while
    // more follows, TWRC_XFERDONE with the last one.
    TW_UINT16 Next(TW_IMAGEMEMXFER& block, TW_UINT16& condition);

private:
    CZKSimPageCache::Page m_data;
    size_t m_offset = 0;
    TW_UINT16 m_compression = TWCP_NONE;
    TW_UINT32 m_bytesPerRow = 0;
    TW_UINT32 m_columns = 0;
    TW_UINT32 m_rows = 0;
    bool m_active = false;
};
