#include "QXScannerFamilyTable.h"

namespace
{
struct FamilyRow
{
    const wchar_t* name;
    EQXScannerFamily family;
};

// The maker's models as their TWAIN sources name them, in lower case. This
// is the one place to edit when a model is added.
const FamilyRow kFamilyRows[] = {
    {L"generic", QX_SCANNER_FAMILY_GENERIC},
    {L"vantrel dx110", QX_SCANNER_FAMILY_KAME},
    {L"vantrel dx115", QX_SCANNER_FAMILY_KAME},
    {L"vantrel dx220", QX_SCANNER_FAMILY_DRUMLIN2},
    {L"vantrel px310", QX_SCANNER_FAMILY_FELL},
    {L"vantrel px420", QX_SCANNER_FAMILY_TALUS},
    {L"vantrel px530", QX_SCANNER_FAMILY_TARN},
    {L"vantrel hx640", QX_SCANNER_FAMILY_CIRQUE},
    {L"vantrel hx640d", QX_SCANNER_FAMILY_CIRQUE},
    {L"vantrel hx750", QX_SCANNER_FAMILY_MORAINE},
    {L"vantrel hx860", QX_SCANNER_FAMILY_ESKER},
    {L"vantrel hx860d", QX_SCANNER_FAMILY_ESKER},
    {L"vantrel mx970", QX_SCANNER_FAMILY_CORRIE},
};

const QX_SCANNER_INFO& GenericRow()
{
    static const QX_SCANNER_INFO generic{L"generic", QX_SCANNER_FAMILY_GENERIC, L""};
    return generic;
}
} // namespace

CQXScannerFamilyTable& CQXScannerFamilyTable::Instance()
{
    static CQXScannerFamilyTable table;
    return table;
}

void CQXScannerFamilyTable::Build()
{
    m_rows.clear();
    for (const FamilyRow& row : kFamilyRows)
        m_rows[row.name] = QX_SCANNER_INFO{row.name, row.family, L""};
}

void CQXScannerFamilyTable::Clear() { m_rows.clear(); }

const QX_SCANNER_INFO& CQXScannerFamilyTable::Find(const std::wstring& lowerName) const
{
    const auto found = m_rows.find(lowerName);
    return found != m_rows.end() ? found->second : Generic();
}

// Before the table is built (or after it is dropped) every scanner is generic.
const QX_SCANNER_INFO& CQXScannerFamilyTable::Generic() const
{
    const auto generic = m_rows.find(GenericRow().strName);
    return generic != m_rows.end() ? generic->second : GenericRow();
}
