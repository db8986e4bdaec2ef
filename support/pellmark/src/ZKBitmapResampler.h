// Rescaling of bitmaps: area averaging (with an ink-biased coverage rule for
// 1-bit images) and nearest neighbour. See CZKBitmapHandle::Resize.
#pragma once

#include <wincompat/WinTypes.h>

class CZKBitmapHandle;

class SZKBitmapResampler
{
public:
    // Builds dst (any previous content is replaced) from src at width x height.
    static bool Resize(const CZKBitmapHandle& src, LONG width, LONG height, int mode, CZKBitmapHandle& dst);
    // The palette index that shows the darker colour of a 1-bit bitmap.
    static int InkIndex_1BPP(const CZKBitmapHandle& bitmap);
};
