#pragma once

#include <mirelight/QXPatchAdapter.h>
#include <mirelight/mirelight_export.h>

class MIRELIGHT_EXPORT CQXPatchTarnAdapter : public CQXPatchAdapter
{
public:
    CQXPatchTarnAdapter() = default;
    EQXScannerFamily GetFamilyCode() const override { return QX_SCANNER_FAMILY_TARN; }
};
