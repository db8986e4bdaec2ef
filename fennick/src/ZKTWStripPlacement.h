// Strips written straight into the observer's own block. Before each strip
// the observer is asked where it goes; the transfer record then points
// there, and what the source reports afterwards is held against that block,
// so that a lying source makes neither us nor the observer read or write
// outside it.
#pragma once

#include <fennick/ZKTWEventObserver.h>

class CZKTWStripPlacement
{
public:
    // announced must outlive the placement.
    CZKTWStripPlacement(const TW_SETUPMEMXFER& setup, const ZKTWIMAGEINFO& announced);

    // Asks the observer for the next strip's block. True when it gave one
    // that is long enough: block.Memory then points into it and the fields
    // the source fills are reset, so nothing of the previous strip counts.
    bool Place(IZKTWEventObserver& observer, TW_IMAGEMEMXFER& block);
    // After the source answered for a placed strip: its counts fit the block.
    bool Fits(const TW_IMAGEMEMXFER& block) const;
    // Counts a strip the source delivered, placed or not.
    void Advance(const TW_IMAGEMEMXFER& block);

private:
    bool _IsUncompressed(const TW_IMAGEMEMXFER& block) const;

    const ZKTWIMAGEINFO& m_announced;
    TW_UINT32 m_minimumLength;
    TW_UINT32 m_stripLength;
    TW_UINT32 m_maximumLength;
    TW_UINT32 m_byteOffset = 0;
    TW_UINT32 m_rowOffset = 0;
    TW_MEMORY m_given{};
};
