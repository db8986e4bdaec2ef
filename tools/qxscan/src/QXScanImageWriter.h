// Writes delivered images into the output folder: one file per image, or
// one multipage TIFF or PDF per document (the scanner's document number).
// Coded data (G4, JPEG) is written through as it came, never re-encoded.
#pragma once

#include "QXScanImage.h"
#include "QXScanPdfDocument.h"
#include "QXScanRasterView.h"

#include <memory>
#include <string>

struct tiff;

class CQXScanImageWriter
{
public:
    CQXScanImageWriter(const std::string& folder, const std::string& format, bool multipage);
    ~CQXScanImageWriter();
    CQXScanImageWriter(const CQXScanImageWriter&) = delete;
    CQXScanImageWriter& operator=(const CQXScanImageWriter&) = delete;

    // The file name (relative to the folder) the image went to and its page
    // within it (from 0). FALSE with a message when it could not be written.
    bool Write(const QXSCAN_IMAGE& image, std::string& file, int& page, std::string& error);
    // Closes the open multipage file; FALSE with a message when the PDF it
    // holds cannot be written.
    bool Finish(std::string& error);

private:
    bool _CheckCoding(const QXSCAN_IMAGE& image, std::string& error) const;
    std::string _FileName(long document) const;
    bool _WritePdfPage(const QXSCAN_IMAGE& image, std::string& file, int& page, std::string& error);
    bool _WriteJpeg(const QXSCAN_IMAGE& image, const std::string& path, std::string& error);
    bool _WriteTiffPage(struct tiff* file, const QXSCAN_IMAGE& image, std::string& error);
    bool _WriteRawRows(struct tiff* file, CQXScanRasterView& raster, std::string& error);
    struct tiff* _TiffFor(const QXSCAN_IMAGE& image, std::string& file, std::string& error);
    static long _Document(const QXSCAN_IMAGE& image);

    std::string m_folder;
    std::string m_format;
    bool m_multipage;
    int m_images = 0;
    struct tiff* m_open = nullptr; // the multipage file being written
    std::string m_openName;
    long m_openDocument = -1;
    int m_openPages = 0;
    std::unique_ptr<CQXScanPdfDocument> m_pdf; // the PDF being collected
};
