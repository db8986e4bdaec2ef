#pragma once

#include <mirelight/QXBatchAdapter.h>
#include <mirelight/mirelight_export.h>

class MIRELIGHT_EXPORT CQXBatchTarnAdapter : public CQXBatchAdapter
{
public:
    CQXBatchTarnAdapter() = default;
    EQXScannerFamily GetFamilyCode() const override { return QX_SCANNER_FAMILY_TARN; }
};
