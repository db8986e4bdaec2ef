#include "QXScanImageWriter.h"

#include "QXScanPngWriter.h"

#include <tiffio.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace
{
constexpr int kFormatJpeg = 2;
constexpr int kFormatG4 = 3;
constexpr long kNoDocument = -1;

std::string Numbered(const char* stem, long number, const char* extension)
{
    char name[64];
    std::snprintf(name, sizeof(name), "%s%04ld.%s", stem, number, extension);
    return name;
}

// libtiff reports through handlers; the tool reports through results.
void SilenceLibtiff()
{
    static const bool silenced = [] {
        TIFFSetWarningHandler(nullptr);
        TIFFSetErrorHandler(nullptr);
        return true;
    }();
    (void)silenced;
}
} // namespace

CQXScanImageWriter::CQXScanImageWriter(const std::string& folder, const std::string& format,
                                       bool multipage)
    : m_folder(folder), m_format(format), m_multipage(multipage)
{
    SilenceLibtiff();
}

CQXScanImageWriter::~CQXScanImageWriter()
{
    std::string ignored;
    Finish(ignored);
}

long CQXScanImageWriter::_Document(const QXSCAN_IMAGE& image)
{
    LONG document = 0;
    return image.tags.GetValue(202, document) ? document : kNoDocument;
}

bool CQXScanImageWriter::Write(const QXSCAN_IMAGE& image, std::string& file, int& page,
                               std::string& error)
{
    ++m_images;
    page = 0;
    if (!_CheckCoding(image, error))
        return false;
    if (m_format == "jpeg")
    {
        file = Numbered("image", m_images, "jpg");
        return _WriteJpeg(image, m_folder + "/" + file, error);
    }
    if (m_format == "png")
    {
        file = Numbered("image", m_images, "png");
        return CQXScanPngWriter::Write(image, m_folder + "/" + file, error);
    }
    if (m_format == "pdf")
        return _WritePdfPage(image, file, page, error);
    struct tiff* tiff = _TiffFor(image, file, error);
    if (!tiff)
        return false;
    page = m_multipage ? m_openPages++ : 0;
    const bool written = _WriteTiffPage(tiff, image, error);
    if (!m_multipage)
        TIFFClose(tiff);
    return written;
}

bool CQXScanImageWriter::_CheckCoding(const QXSCAN_IMAGE& image, std::string& error) const
{
    const bool jpegData = image.info.imageFormat.value == kFormatJpeg;
    if (jpegData && m_format != "jpeg" && m_format != "pdf")
    {
        error = "the scanner sent JPEG data, which only --format jpeg or pdf writes";
        return false;
    }
    if (!jpegData && m_format == "jpeg")
    {
        error = "the scanner did not send JPEG data; use --mode gray or color, or another format";
        return false;
    }
    return true;
}

std::string CQXScanImageWriter::_FileName(long document) const
{
    const char* extension = m_format == "pdf" ? "pdf" : "tif";
    return m_multipage ? Numbered("document", document == kNoDocument ? 1 : document, extension)
                       : Numbered("image", m_images, extension);
}

bool CQXScanImageWriter::_WritePdfPage(const QXSCAN_IMAGE& image, std::string& file, int& page,
                                       std::string& error)
{
    QXSCAN_PDF_PAGE pdfPage;
    if (!pdfPage.From(image, error))
        return false;
    const long document = _Document(image);
    if (!m_pdf || !m_multipage || document != m_openDocument)
    {
        if (!Finish(error))
            return false;
        m_pdf.reset(new CQXScanPdfDocument(m_folder + "/" + _FileName(document)));
        m_openDocument = document;
    }
    file = fs::path(m_pdf->Path()).filename().string();
    page = m_pdf->PageCount();
    m_pdf->AddPage(std::move(pdfPage));
    // A single-image file is complete at once; a document when it ends.
    return m_multipage || Finish(error);
}

struct tiff* CQXScanImageWriter::_TiffFor(const QXSCAN_IMAGE& image, std::string& file,
                                          std::string& error)
{
    const long document = _Document(image);
    if (m_multipage && m_open && document == m_openDocument)
    {
        file = m_openName;
        return m_open;
    }
    if (m_multipage && !Finish(error))
        return nullptr;
    file = _FileName(document);
    struct tiff* tiff = TIFFOpen((m_folder + "/" + file).c_str(), "w");
    if (!tiff)
    {
        error = "cannot create " + m_folder + "/" + file;
        return nullptr;
    }
    if (m_multipage)
    {
        m_open = tiff;
        m_openName = file;
        m_openDocument = document;
        m_openPages = 0;
    }
    return tiff;
}

bool CQXScanImageWriter::_WriteTiffPage(struct tiff* tiff, const QXSCAN_IMAGE& image,
                                        std::string& error)
{
    const QX_SCANNER_IMAGE_INFO& info = image.info;
    const bool coded = info.imageFormat.value == kFormatG4;
    const int samples = info.BitsPerPixel == 24 ? 3 : 1;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(info.ImageWidth));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(info.ImageLength));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, static_cast<uint16_t>(info.BitsPerPixel / samples));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, static_cast<uint16_t>(samples));
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, static_cast<uint32_t>(info.ImageLength));
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, static_cast<float>(info.XResolution));
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, static_cast<float>(info.YResolution));
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    if (m_multipage)
    {
        TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
        TIFFSetField(tiff, TIFFTAG_PAGENUMBER, static_cast<uint16_t>(m_openPages - 1),
                     static_cast<uint16_t>(0));
    }
    const bool g4 = coded || (info.BitsPerPixel == 1 && m_format == "tiff-g4");
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, g4 ? COMPRESSION_CCITTFAX4 : COMPRESSION_NONE);
    CQXScanRasterView raster;
    if (!coded && !raster.Attach(image, error))
        return false;
    const bool zeroIsWhite = coded ? info.bWhiteIsZero != 0 : raster.ZeroIsWhite();
    uint16_t photometric = samples == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    if (info.BitsPerPixel == 1 && zeroIsWhite)
        photometric = PHOTOMETRIC_MINISWHITE;
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, photometric);
    if (coded)
    {
        // The scanner's own G4 stream, as it came.
        if (TIFFWriteRawStrip(tiff, 0, const_cast<BYTE*>(image.bytes.data()),
                              static_cast<tmsize_t>(image.bytes.size())) < 0)
        {
            error = "cannot write the G4 page";
            return false;
        }
    }
    else if (!_WriteRawRows(tiff, raster, error))
        return false;
    if (!TIFFWriteDirectory(tiff))
    {
        error = "cannot write the TIFF directory";
        return false;
    }
    return true;
}

bool CQXScanImageWriter::_WriteRawRows(struct tiff* tiff, CQXScanRasterView& raster,
                                       std::string& error)
{
    for (size_t row = 0; row < raster.Rows(); ++row)
    {
        BYTE* bytes = const_cast<BYTE*>(raster.Row(row));
        if (TIFFWriteScanline(tiff, bytes, static_cast<uint32_t>(row), 0) < 0)
        {
            error = "cannot write row " + std::to_string(row);
            return false;
        }
    }
    return true;
}

bool CQXScanImageWriter::_WriteJpeg(const QXSCAN_IMAGE& image, const std::string& path,
                                    std::string& error)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.bytes.data()),
              static_cast<std::streamsize>(image.bytes.size()));
    if (!out.flush())
    {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool CQXScanImageWriter::Finish(std::string& error)
{
    if (m_open)
        TIFFClose(m_open);
    m_open = nullptr;
    m_openDocument = kNoDocument;
    std::unique_ptr<CQXScanPdfDocument> pdf(std::move(m_pdf));
    return !pdf || pdf->Save(error);
}
