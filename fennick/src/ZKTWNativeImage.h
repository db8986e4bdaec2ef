// The image of a native transfer. On Linux a source's native handle holds
// either a packed DIB or a whole TIFF file; observers always receive a packed
// DIB (BITMAPINFOHEADER, palette, bottom-up rows padded to 4 bytes) in a
// global-memory handle of their own.
#pragma once

#include <wincompat/WinTypes.h>

#include <cstddef>

class CZKBitmapHandle;

class SZKTWNativeImage
{
public:
    // A new DIB handle from the source's block of size bytes, which is never
    // read beyond; null when the block holds neither a complete DIB nor a
    // readable TIFF.
    static HGLOBAL ToDib(const BYTE* block, size_t size);

    // Bytes of the complete DIB at the start of the block; 0 when the block
    // does not start with one or is too short for what its header says.
    static size_t DibSize(const BYTE* block, size_t size);

private:
    static HGLOBAL _Copy(const BYTE* bytes, size_t size);
    static HGLOBAL _FromTiff(const BYTE* block, size_t size);
    static HGLOBAL _Pack(const CZKBitmapHandle& page);
};
