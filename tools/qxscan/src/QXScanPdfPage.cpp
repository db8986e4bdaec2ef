#include "QXScanPdfPage.h"

#include "QXScanRasterView.h"

namespace
{
constexpr int kFormatRaw = 1;
constexpr int kFormatJpeg = 2;
constexpr int kFormatG4 = 3;
} // namespace

bool QXSCAN_PDF_PAGE::From(const QXSCAN_IMAGE& image, std::string& error)
{
    const QX_SCANNER_IMAGE_INFO& info = image.info;
    width = info.ImageWidth;
    height = info.ImageLength;
    xResolution = info.XResolution > 0 ? info.XResolution : 72.0;
    yResolution = info.YResolution > 0 ? info.YResolution : 72.0;
    colour = info.BitsPerPixel == 24;
    if (width <= 0 || height <= 0)
    {
        error = "the scanner sent an image without a size";
        return false;
    }
    switch (info.imageFormat.value)
    {
    case kFormatG4:
        bitsPerComponent = 1;
        filter = "/CCITTFaxDecode";
        // Same reading as the TIFF writer's: white-is-zero is the usual
        // fax sense, in which the filter yields 0 for black.
        oneIsBlack = info.bWhiteIsZero == 0;
        data.assign(image.bytes.begin(), image.bytes.end());
        return true;
    case kFormatJpeg:
        bitsPerComponent = 8;
        filter = "/DCTDecode";
        data.assign(image.bytes.begin(), image.bytes.end());
        return true;
    case kFormatRaw:
        return _FromRaw(image, error);
    default:
        error = "the scanner sent data coded in a way --format pdf does not take";
        return false;
    }
}

bool QXSCAN_PDF_PAGE::_FromRaw(const QXSCAN_IMAGE& image, std::string& error)
{
    const int bits = image.info.BitsPerPixel;
    if (bits != 1 && bits != 8 && bits != 24)
    {
        error = "--format pdf takes 1, 8 or 24 bits per pixel, not " + std::to_string(bits);
        return false;
    }
    CQXScanRasterView raster;
    if (!raster.Attach(image, error))
        return false;
    bitsPerComponent = bits == 1 ? 1 : 8;
    oneIsBlack = bits == 1 && raster.ZeroIsWhite();
    const size_t rowBytes = (static_cast<size_t>(width) * bits + 7) / 8;
    data.clear();
    data.reserve(rowBytes * raster.Rows());
    for (size_t row = 0; row < raster.Rows(); ++row)
    {
        const BYTE* bytes = raster.Row(row);
        data.append(reinterpret_cast<const char*>(bytes), rowBytes);
    }
    return true;
}
