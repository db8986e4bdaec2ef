// The esker imprinter: one fixed message, sent as the printer suffix.
#pragma once

#include <mirelight/QXImprinterRidgePartialAdapter.h>
#include <mirelight/mirelight_export.h>

#include <string>

class MIRELIGHT_EXPORT CQXImprinterEskerAdapter : public CQXImprinterRidgePartialAdapter
{
public:
    CQXImprinterEskerAdapter();
    EQXScannerFamily GetFamilyCode() const override { return QX_SCANNER_FAMILY_ESKER; }

    void getWriteSequenceMessage(std::wstring& text) const { _GetMessage(1, text); }
    void setWriteSequenceMessage(const std::wstring& text) { _SetMessage(1, text); }
};
