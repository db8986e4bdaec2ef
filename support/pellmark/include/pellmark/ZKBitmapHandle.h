// A device-independent bitmap: pixels, palette and resolution, plus the codecs
// that turn scanner data (CCITT Group 3/4, JPEG) into bitmaps and back.
//
// Pixel conventions (every operation of this class keeps them):
// - Rows run top-down: row 0 is the top of the page. Each row is padded to a
//   multiple of 4 bytes (GetBytesPerLine); padding bytes carry no pixels.
// - 1 bit per pixel: the most significant bit of a byte is the leftmost pixel.
//   A pixel value is a palette index, so what is black depends on the palette:
//     black-on-white palette (SetBOWPalette_1BPP): 0 = black, 1 = white
//       (the "black is zero" sense of raw scanner rows);
//     white-on-black palette (SetWOBPalette_1BPP): 0 = white, 1 = black
//       (the "white is zero" sense, the one CCITT coding uses).
//   The CCITT decoders produce a set bit for black with the white-on-black
//   palette, so decoded pages need no inversion. Compress_G4 codes the darker
//   of the two palette entries as black, so either palette encodes correctly.
//   A new 1-bit bitmap without a palette gets the white-on-black one.
// - 4 bits per pixel: the high nibble is the left pixel of a byte.
// - 8 bits per pixel: palette indices; a new 8-bit bitmap gets the grey ramp
//   (index i = grey level i, 0 black, 255 white); JPEG grey images decode so.
// - 24 bits per pixel: blue, green, red bytes per pixel; JPEG colour images
//   decode so. 24-bit bitmaps have no palette.
// - Resolution is in dots per inch, 0 when unknown.
//
// Limits: width and height are 1..kMaxDimension and the pixel block is at most
// kMaxImageSize bytes; larger requests fail instead of allocating.
//
// Every operation returning BOOL (or a pointer) reports failure as 0 and
// never throws; codec errors are logged, never printed.
#pragma once

#include <pellmark/ZKRGBQuad.h>
#include <pellmark/pellmark_export.h>
#include <wincompat/WinTypes.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class CZKBuffer;

class PELLMARK_EXPORT CZKBitmapHandle
{
public:
    static constexpr LONG kMaxDimension = 1 << 20;
    static constexpr uint64_t kMaxImageSize = uint64_t(1) << 30;

    // Resize modes. Area averaging (grey/colour) and an ink-biased coverage
    // rule for 1-bit images; see Resize.
    static constexpr int kResizeArea = 0;
    static constexpr int kResizeNearest = 1;

    CZKBitmapHandle();
    CZKBitmapHandle(const CZKBitmapHandle& other);
    CZKBitmapHandle(CZKBitmapHandle&& other) noexcept;
    CZKBitmapHandle& operator=(const CZKBitmapHandle& other);
    CZKBitmapHandle& operator=(CZKBitmapHandle&& other) noexcept;
    ~CZKBitmapHandle();

    // Allocates a zero-filled bitmap of 1, 4, 8 or 24 bits per pixel. palette,
    // when given, holds 2^bpp entries (ignored for 24 bits).
    BOOL Create(LONG width, LONG height, int bitsPerPixel, const ZK_RGBQUAD* palette = nullptr);
    // The same bitmap without clearing its pixels, for callers that write
    // every pixel of every row next: clearing a page only to overwrite it
    // costs as much as the conversion itself. The row padding is cleared.
    BOOL CreateForOverwrite(LONG width, LONG height, int bitsPerPixel,
                            const ZK_RGBQUAD* palette = nullptr);
    // Deep copy; an empty source empties this bitmap and fails.
    BOOL Create(const CZKBitmapHandle& other);
    // Takes the other bitmap's pixels over; the other one is left empty.
    BOOL Attach(CZKBitmapHandle& other);
    BOOL Free();
    BOOL IsEmpty() const;

    // Access hands out the pixel memory for writing and counts the holders;
    // Release gives one access back. The memory stays put between the two.
    BYTE* Access();
    BOOL Release();
    BYTE* GetPtr();
    const BYTE* GetPtr() const;

    LONG GetWidth() const;
    LONG GetHeight() const;
    int GetBitsPerPixel() const;
    DWORD GetBytesPerLine() const;
    DWORD GetImageSize() const;
    LONG GetXResolution() const;
    LONG GetYResolution() const;

    BOOL SetResolution(LONG xDpi, LONG yDpi);
    BOOL SetPalette(int first, int count, const ZK_RGBQUAD* colours);
    BOOL GetPalette(int first, int count, ZK_RGBQUAD* colours) const;
    int GetPaletteSize() const;
    BOOL SetBOWPalette_1BPP();
    BOOL SetWOBPalette_1BPP();
    BOOL SetGrayscalePalette_8BPP();

    // Raw CCITT data as scanners deliver it (no file wrapper), first bit of a
    // byte first. G3_1D: modified Huffman rows each starting with an EOL code;
    // G3_1D_NOEOL: modified Huffman rows without EOL codes, each beginning on a
    // byte boundary; G3_2D: T.4 two-dimensional coding with EOL codes; G4: T.6.
    // Data of the other one-dimensional form than the one named is accepted
    // too (sources name the two forms inconsistently).
    // On success the bitmap is replaced by the decoded 1-bit page (white-on-
    // black palette, set bit = black); on failure it is left as it was.
    // Any codec error or warning (truncated or damaged data) is a failure.
    BOOL Decompress_G3_1D(const CZKBuffer& data, LONG width, LONG height, LONG xDpi, LONG yDpi);
    BOOL Decompress_G3_1D_NOEOL(const CZKBuffer& data, LONG width, LONG height, LONG xDpi, LONG yDpi);
    BOOL Decompress_G3_2D(const CZKBuffer& data, LONG width, LONG height, LONG xDpi, LONG yDpi);
    BOOL Decompress_G4(const CZKBuffer& data, LONG width, LONG height, LONG xDpi, LONG yDpi);
    BOOL Decompress_G3_1D(const BYTE* data, size_t size, LONG width, LONG height, LONG xDpi, LONG yDpi);
    BOOL Decompress_G3_1D_NOEOL(const BYTE* data, size_t size, LONG width, LONG height, LONG xDpi,
                                LONG yDpi);
    BOOL Decompress_G3_2D(const BYTE* data, size_t size, LONG width, LONG height, LONG xDpi, LONG yDpi);
    BOOL Decompress_G4(const BYTE* data, size_t size, LONG width, LONG height, LONG xDpi, LONG yDpi);

    // Baseline/progressive JPEG. scale 1, 2, 4 and 8 use the decoder's own DCT
    // scaling (output size rounded up, as the decoder does); any other scale
    // >= 1 decodes fully and then resizes to width / scale x height / scale.
    // Grey images give 8 bits with the grey ramp, colour images 24 bits (BGR).
    // The resolution comes from the JFIF density, divided by the scale.
    BOOL Decompress_JPEG(const CZKBuffer& data, int scale);
    BOOL Decompress_JPEG(const BYTE* data, size_t size, int scale);

    // The first page of a TIFF file held in memory (size bytes, never read
    // beyond). Bitonal, grey and RGB pages in strips keep 1, 8 or 24 bits, a
    // "white is zero" page through its palette; other pages libtiff reads
    // become 24-bit colour. The resolution comes from the file.
    BOOL Decompress_TIFF(const BYTE* data, size_t size);
    // TRUE when the bytes start with a TIFF signature.
    static BOOL IsTIFF(const BYTE* data, size_t size);

    // T.6 coding of a 1-bit bitmap, ending with the EOFB code.
    BOOL Compress_G4(CZKBuffer& out) const;
    BOOL Compress_G4(std::vector<BYTE>& out) const;
    // JFIF baseline of an 8-bit grey or 24-bit bitmap; quality 1..100.
    BOOL Compress_JPEG(CZKBuffer& out, int quality) const;
    BOOL Compress_JPEG(std::vector<BYTE>& out, int quality) const;

    // Rescales to width x height (either direction). Mode kResizeArea: 24-bit
    // and grey 8/4-bit pixels become the area-weighted average of the source
    // pixels they cover; a 1-bit pixel becomes black when black covers at
    // least a third of its source area, so one-pixel strokes survive halving
    // and text stays legible; palette images whose palette is not a grey ramp
    // fall back to nearest neighbour. Mode kResizeNearest: nearest neighbour.
    // The resolution scales with the size.
    BOOL Resize(LONG width, LONG height, int mode);

private:
    bool _Allocate(LONG width, LONG height, int bitsPerPixel, const ZK_RGBQUAD* palette, bool clear);
    BOOL _DecodeCCITT(int variant, const BYTE* data, size_t size, LONG width, LONG height, LONG xDpi,
                      LONG yDpi);
    void _SetDefaultPalette();
    BOOL _SetTwoColourPalette(const ZK_RGBQUAD& zero, const ZK_RGBQUAD& one);

    LONG m_width = 0;
    LONG m_height = 0;
    int m_bitsPerPixel = 0;
    DWORD m_bytesPerLine = 0;
    LONG m_xDpi = 0;
    LONG m_yDpi = 0;
    int m_accessCount = 0;
    std::unique_ptr<BYTE[]> m_pixels;
    size_t m_imageSize = 0;
    std::vector<ZK_RGBQUAD> m_palette;
};
