#include "QXScanFileImage.h"

#include <mirelight/QXRidgeExtraImageInfo.h>

#include <brackwater/QX_IMAGEADDRESS.h>
#include <fennick/ZKTWSourceManager.h>
#include <twaindefs/ZKTwainConstants.h>

#include <tiffio.h>

#include <algorithm>
#include <cwctype>

namespace
{
constexpr double kCentimetresPerInch = 2.54;

int FormatOf(uint16_t compression)
{
    switch (compression)
    {
    case COMPRESSION_NONE:
        return 1;
    case COMPRESSION_JPEG:
    case COMPRESSION_OJPEG:
        return 2;
    case COMPRESSION_CCITTFAX4:
        return 3;
    default:
        return 0;
    }
}

double Inches(float resolution, uint16_t unit)
{
    return unit == RESUNIT_CENTIMETER ? resolution * kCentimetresPerInch : resolution;
}

template <class Getter> void SetNumber(CZKTagHolder& tags, DWORD tag, Getter get)
{
    unsigned value = 0;
    if (get(value))
        tags.SetValue(tag, static_cast<LONG>(value));
}

bool Has(const std::wstring& text, const wchar_t* word)
{
    return text.find(word) != std::wstring::npos;
}
} // namespace

void CQXScanFileImage::Describe(const std::string& path, CZKTWSourceManager* twain,
                                const QX_SCANNER_SESSION_BEGIN_INFO& session, QXSCAN_IMAGE& image)
{
    _ReadTiff(path, image.info);
    if (!twain)
        return;
    CQXRidgeExtraImageInfo header;
    const DWORD result =
        twain->InvokeDSCommand(DG_IMAGE, DAT_EXTIMAGEINFO, MSG_GET, header.GetBlock(), FALSE);
    header.AdoptSourceValues();
    if (ZKTWReturnCode(result) != TWRC_SUCCESS)
        return;
    _ReadSide(header, image);
    _ReadStandardTags(header, image.tags);
    _ReadHeaderTags(header, image.tags);
    _ReadImageAddress(header, session, image.tags);
}

void CQXScanFileImage::_ReadTiff(const std::string& path, QX_SCANNER_IMAGE_INFO& info)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff)
        return;
    uint32_t width = 0;
    uint32_t length = 0;
    uint16_t bits = 1;
    uint16_t samples = 1;
    uint16_t compression = COMPRESSION_NONE;
    uint16_t unit = RESUNIT_INCH;
    float x = 0;
    float y = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &length);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
    TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &x);
    TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &y);
    TIFFClose(tiff);
    info.ImageWidth = static_cast<int>(width);
    info.ImageLength = static_cast<int>(length);
    info.SamplesPerPixel = samples;
    info.BitsPerPixel = static_cast<WORD>(bits * samples);
    info.XResolution = Inches(x, unit);
    info.YResolution = Inches(y, unit);
    info.imageFormat.value = static_cast<decltype(info.imageFormat.value)>(FormatOf(compression));
}

// The camera's name says the side, as it does for images in memory.
void CQXScanFileImage::_ReadSide(const CQXRidgeExtraImageInfo& header, QXSCAN_IMAGE& image)
{
    std::wstring camera;
    if (!header.GetCamera(camera))
        return;
    std::transform(camera.begin(), camera.end(), camera.begin(),
                   [](wchar_t c) { return std::towupper(c); });
    const bool front = Has(camera, L"TOP") || Has(camera, L"FRONT");
    const bool back = !front && (Has(camera, L"BOTTOM") || Has(camera, L"REAR"));
    image.info.imageSide.value = static_cast<decltype(image.info.imageSide.value)>(front  ? 1
                                                                                   : back ? 2
                                                                                          : 0);
    image.tags.SetValue(1, back ? 1L : 0L);
}

void CQXScanFileImage::_ReadStandardTags(const CQXRidgeExtraImageInfo& header, CZKTagHolder& tags)
{
    std::wstring book;
    if (header.GetBookName(book))
        tags.SetValue(200, book);
    SetNumber(tags, 201, [&header](unsigned& v) { return header.GetChapterNumber(v); });
    SetNumber(tags, 202, [&header](unsigned& v) { return header.GetDocumentNumber(v); });
}

void CQXScanFileImage::_ReadHeaderTags(const CQXRidgeExtraImageInfo& header, CZKTagHolder& tags)
{
    SetNumber(tags, 3, [&header](unsigned& v) { return header.GetHdrDeskew(v); });
    SetNumber(tags, 4, [&header](unsigned& v) { return header.GetHdrDeskewAngle(v); });
    SetNumber(tags, 5, [&header](unsigned& v) { return header.GetHdrMultifeed(v); });
    SetNumber(tags, 100, [&header](unsigned& v) { return header.GetHdrDocumentCount(v); });
    SetNumber(tags, 203, [&header](unsigned& v) { return header.GetHdrPageNumber(v); });
    SetNumber(tags, 300, [&header](unsigned& v) { return header.GetHdrPrinterIndex(v); });
    std::wstring imprint;
    if (header.GetHdrPrinterString(imprint))
        tags.SetValue(301, imprint);
    SetNumber(tags, 400, [&header](unsigned& v) { return header.GetHdrLevel(v); });
    SetNumber(tags, 500, [&header](unsigned& v) { return header.GetHdrFeaturePatch(v); });
}

// Printed in the scanner's address format, from the same numbers.
void CQXScanFileImage::_ReadImageAddress(const CQXRidgeExtraImageInfo& header,
                                         const QX_SCANNER_SESSION_BEGIN_INFO& session,
                                         CZKTagHolder& tags)
{
    std::wstring book;
    unsigned chapter = 0;
    unsigned document = 0;
    unsigned page = 0;
    if (!session.bImageAddress || !header.GetHdrPageNumber(page))
        return;
    header.GetBookName(book);
    header.GetChapterNumber(chapter);
    header.GetDocumentNumber(document);
    QX_IMAGEADDRESS address;
    std::wstring text;
    if (address.Parse(book, static_cast<LONG>(document), static_cast<LONG>(chapter),
                      static_cast<LONG>(page), session.imageAddressFormat) &&
        address.ToStdString(text))
        tags.SetValue(403, text);
}
