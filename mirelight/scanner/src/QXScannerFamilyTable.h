// The product names of the maker's scanners and their families, built once
// when the library loads and dropped when it unloads.
#pragma once

#include <mirelight/QX_SCANNER_INFO.h>
#include <mirelight/mirelight_export.h>

#include <map>
#include <string>

class MIRELIGHT_EXPORT CQXScannerFamilyTable
{
public:
    static CQXScannerFamilyTable& Instance();

    void Build();
    void Clear();
    size_t GetCount() const { return m_rows.size(); }
    // Exact match on an already lower-cased name; the generic row otherwise.
    const QX_SCANNER_INFO& Find(const std::wstring& lowerName) const;
    const QX_SCANNER_INFO& Generic() const;

private:
    CQXScannerFamilyTable() = default;

    std::map<std::wstring, QX_SCANNER_INFO> m_rows;
};
