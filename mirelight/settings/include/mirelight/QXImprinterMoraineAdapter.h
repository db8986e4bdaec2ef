// The moraine imprinter: six fixed messages written as printer text.
#pragma once

#include <mirelight/QXImprinterRidgePartialAdapter.h>
#include <mirelight/mirelight_export.h>

#include <string>

class MIRELIGHT_EXPORT CQXImprinterMoraineAdapter : public CQXImprinterRidgePartialAdapter
{
public:
    CQXImprinterMoraineAdapter();
    EQXScannerFamily GetFamilyCode() const override { return QX_SCANNER_FAMILY_MORAINE; }

    // index 1 to 6; the setter answers 0 for any other index and the getter
    // leaves text unchanged.
    void getWriteSequenceMessage(int index, std::wstring& text) const { _GetMessage(index, text); }
    int setWriteSequenceMessage(int index, const std::wstring& text) { return _SetMessage(index, text) ? 1 : 0; }
};
