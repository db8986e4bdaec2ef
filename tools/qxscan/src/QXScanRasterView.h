// The rows of an uncompressed image, whichever way they were handed over:
// memory transfers arrive as bitmap rows (top-down, padded, colour B,G,R);
// native transfers as a device-independent bitmap (header, palette,
// bottom-up rows padded to 4 bytes, colour B,G,R). TIFF wants R,G,B.
#pragma once

#include "QXScanImage.h"

#include <string>
#include <vector>

class CQXScanRasterView
{
public:
    // FALSE with a message when the bytes do not hold the image the record
    // describes.
    bool Attach(const QXSCAN_IMAGE& image, std::string& error);

    size_t Rows() const { return m_rows; }
    // Row `row` from the top, as R,G,B for colour.
    const BYTE* Row(size_t row);
    // For bitonal rows: TRUE when a 0 bit is white.
    bool ZeroIsWhite() const { return m_zeroIsWhite; }

private:
    bool _AttachDib(const QXSCAN_IMAGE& image, std::string& error);

    const BYTE* m_bits = nullptr;
    size_t m_rows = 0;
    size_t m_rowBytes = 0;
    size_t m_stride = 0;
    bool m_bottomUp = false;
    bool m_bgr = false;
    bool m_zeroIsWhite = false;
    std::vector<BYTE> m_swapped;
};
