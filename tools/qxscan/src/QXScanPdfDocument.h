// A PDF file of one or more scanned pages, each page the size of its image
// at the scanner's resolution. Pages are held until Save, which writes the
// whole file under a temporary name and renames it, so a reader never sees
// a half-written PDF.
#pragma once

#include "QXScanPdfPage.h"

#include <string>
#include <utility>
#include <vector>

class CQXScanPdfDocument
{
public:
    explicit CQXScanPdfDocument(const std::string& path) : m_path(path) {}

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    const std::string& Path() const { return m_path; }
    void AddPage(QXSCAN_PDF_PAGE page) { m_pages.push_back(std::move(page)); }
    // FALSE with a one-line message when the file cannot be written.
    bool Save(std::string& error) const;

private:
    std::string m_path;
    std::vector<QXSCAN_PDF_PAGE> m_pages;
};
