// Turns raw scanner rows into bitmap rows. Rows of a bitmap are padded to a
// multiple of 4 bytes; the drivers' rows are not.
//
// Every converter checks that the buffer holds every row it reads: a short
// buffer or a row stride too small for the pixels is refused (FALSE), never
// read past.
//
// 4-bit samples: the high nibble of a byte is the left pixel, byte x / 2
// holds pixel x, the way the bitmap class stores 4-bit rows.
#pragma once

#include <mirelight/mirelight_export.h>
#include <wincompat/WinTypes.h>

#include <goldmere/ZKISISTypes.h>

class CZKBitmapHandle;
class CZKBuffer;
struct QX_SCANNER_IMAGE_INFO;

class MIRELIGHT_EXPORT SQXImageConverter
{
public:
    // Uncompressed TWAIN memory-transfer rows (RowSize bytes each) into a
    // bitmap; colour rows come red, green, blue and become blue, green, red.
    static BOOL TwainRowsToBitmap(const CZKBuffer& data, const QX_SCANNER_IMAGE_INFO& info,
                                  CZKBitmapHandle& bitmap);

    // The same rows written in bitmap-row layout (BitmapStride per row, padding
    // zeroed) straight into out, which must hold a stride for every row.
    static BOOL TwainRowsToBitmapRows(const CZKBuffer& data, const QX_SCANNER_IMAGE_INFO& info, BYTE* out,
                                      size_t outSize);
    static BOOL TwainRowsToBitmapRows(const BYTE* data, size_t size, const QX_SCANNER_IMAGE_INFO& info, BYTE* out,
                                      size_t outSize);

    // Uncompressed ISIS rows into a bitmap (the row stride is the buffer size
    // divided by the image length).
    static BOOL IsisRowsToBitmap(const CZKBuffer& data, const ZK_ISIS_IMAGE_INFO& info,
                                 CZKBitmapHandle& bitmap);
    // The same conversion, written back over the buffer as bitmap rows;
    // bitsPerPixel receives the bitmap depth of the new rows.
    static BOOL IsisRowsInPlace(CZKBuffer& data, const ZK_ISIS_IMAGE_INFO& info, WORD& bitsPerPixel);

    // Bytes of a bitmap row of the given width and depth (padded to 4 bytes).
    static size_t BitmapStride(size_t width, unsigned bitsPerPixel);

protected:
    SQXImageConverter() = default;
};
