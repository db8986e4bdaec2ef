// What a memory transfer may cost. The source chooses the strip buffer and
// says how large the image is; both are only proposals: the buffer is
// clamped to what the source accepts and to a sane cap, and an image whose
// strips go on well past the announced size (or never carry bytes) is a
// source that will not stop on its own.
#pragma once

#include <fennick/ZKTWTypes.h>

#include <cstdint>

class CZKTWStripBudget
{
public:
    // Used when the source has no preference.
    static constexpr TW_UINT32 kDefaultBuffer = 64 * 1024;
    static constexpr TW_UINT32 kMaxBuffer = 64 * 1024 * 1024;
    // Compressed data may exceed the raw size a little; this is far beyond.
    static constexpr uint64_t kRawSizeFactor = 8;
    static constexpr uint64_t kSlackBytes = 1024 * 1024;
    // For an image of unknown size.
    static constexpr uint64_t kMaxImageBytes = uint64_t(2) << 30;
    static constexpr unsigned kMaxEmptyStrips = 1024;
    // Strips written into an observer's own block may be as long as the
    // source takes, up to this: fewer calls, no buffer of ours to fill.
    static constexpr TW_UINT32 kMaxPlacedStrip = 4 * 1024 * 1024;

    // The strip buffer for the source's sizes; 0 when they leave none (a
    // preferred size of 0, a minimum above the cap, a maximum below the
    // minimum).
    static TW_UINT32 BufferSize(const TW_SETUPMEMXFER& setup);
    // The longest strip to let the source write into an observer's block:
    // the source's maximum (its preference when it names none) within
    // kMaxPlacedStrip, never below BufferSize. Only for a setup BufferSize
    // accepts.
    static TW_UINT32 PlacedStripSize(const TW_SETUPMEMXFER& setup);
    // The least block the source writes a strip into.
    static TW_UINT32 MinimumBlock(const TW_SETUPMEMXFER& setup);

    // announced: the image info read before the transfer (zeros when the
    // source gave none).
    explicit CZKTWStripBudget(const ZKTWIMAGEINFO& announced);
    // Counts one strip; false once the image has gone past its budget.
    bool Take(TW_UINT32 bytesWritten);
    // The strips have carried the whole announced image (uncompressed), or
    // its size was never announced. A cancelled image is let finish until
    // then: a source that goes on beyond it is not going to finish.
    bool PastAnnouncedSize() const { return m_bytes >= m_announcedBytes; }
    uint64_t ByteLimit() const { return m_byteLimit; }

private:
    uint64_t m_announcedBytes;
    uint64_t m_byteLimit;
    uint64_t m_bytes = 0;
    unsigned m_emptyStrips = 0;
};
