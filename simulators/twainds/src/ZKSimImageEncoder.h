// Turns a generated page into what a transfer hands over: a DIB for native
// transfers, TWAIN rows or compressed data for memory transfers, files for
// file transfers.
#pragma once

#include <string>
#include <vector>

#include <pellmark/ZKBitmapHandle.h>
#include <twaindefs/ZKTwainDefs.h>

class SZKSimImageEncoder
{
public:
    // BITMAPINFOHEADER, palette and bottom-up rows padded to 4 bytes.
    static std::vector<BYTE> Dib(const CZKBitmapHandle& page);
    // What precedes a DIB's rows: the BITMAPINFOHEADER and the palette.
    static std::vector<BYTE> DibHeader(LONG width, LONG height, int bitsPerPixel, LONG xDpi, LONG yDpi,
                                       const std::vector<ZK_RGBQUAD>& palette);
    // Bytes of one padded DIB row.
    static DWORD DibStride(LONG width, int bitsPerPixel);
    // A .bmp file: the file header followed by the DIB (the reference the
    // served file form is checked against).
    static std::vector<BYTE> BmpFile(const CZKBitmapHandle& page);
    // Rows as memory transfers deliver them: top-down, unpadded, colour in
    // red, green, blue order.
    static std::vector<BYTE> Rows(const CZKBitmapHandle& page);
    static DWORD BytesPerRow(const CZKBitmapHandle& page);
    // Flips every bit: bitonal rows between black-is-zero and white-is-zero.
    static void Invert(BYTE* bytes, size_t size);
    // TWCP_NONE (Rows), TWCP_GROUP4 (T.6 of a 1-bit page) or TWCP_JPEG (JFIF
    // of a grey or colour page).
    static bool Encode(const CZKBitmapHandle& page, TW_UINT16 compression, std::vector<BYTE>& out);
    // A whole TIFF file in memory: Group 4 for a 1-bit page when asked,
    // else uncompressed; bitonal pages white-is-zero.
    static bool TiffBytes(TW_UINT16 compression, const CZKBitmapHandle& page, std::vector<BYTE>& out);
    // The pixel type and compression combination the source can deliver.
    static TW_UINT16 EffectiveCompression(int bitsPerPixel, TW_UINT16 compression);

private:
    static bool _WriteTiff(const std::string& path, TW_UINT16 compression, const CZKBitmapHandle& page);
};
