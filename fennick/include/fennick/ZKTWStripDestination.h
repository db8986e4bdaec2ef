// Where the next strip of a memory transfer is to be written, for observers
// that keep each image in a block of their own and want the source to write
// straight into it (IZKTWEventObserver::OnGetStripDestination).
#pragma once

#include <fennick/ZKTWTypes.h>

struct ZKTW_STRIP_DESTINATION
{
    // Filled by the manager.
    // The image as described before its transfer (zeros where the source
    // said nothing); its BytesPerRow is 0, the strips say it.
    const ZKTWIMAGEINFO* Announced = nullptr;
    // What the earlier strips of this image carried. RowOffset is
    // TWON_DONTCARE32 once a strip did not say how many rows it held.
    TW_UINT32 ByteOffset = 0;
    TW_UINT32 RowOffset = 0;
    // A block shorter than MinimumLength is refused and the strip comes
    // through the manager's own buffer instead. The manager lets the source
    // write at most MaximumLength bytes of a longer block in one strip;
    // StripLength is what it would use for its own buffer.
    TW_UINT32 MinimumLength = 0;
    TW_UINT32 StripLength = 0;
    TW_UINT32 MaximumLength = 0;

    // The observer's answer: its block and how many bytes it holds. Used for
    // this one strip only.
    void* Memory = nullptr;
    TW_UINT32 Length = 0;
};
