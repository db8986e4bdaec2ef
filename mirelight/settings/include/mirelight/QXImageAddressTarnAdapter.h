#pragma once

#include <mirelight/QXImageAddressAdapter.h>
#include <mirelight/mirelight_export.h>

class MIRELIGHT_EXPORT CQXImageAddressTarnAdapter : public CQXImageAddressAdapter
{
public:
    CQXImageAddressTarnAdapter() = default;
    EQXScannerFamily GetFamilyCode() const override { return QX_SCANNER_FAMILY_TARN; }

    int GetFieldLengthLimit() const override { return 9; }
    int GetImageAddressLengthLimit() const override { return 27; }

    // Kept for the application's editor only: neither stored nor written.
    int getCheckDigit() const { return m_checkDigit; }
    void setCheckDigit(int checkDigit) { m_checkDigit = checkDigit; }

private:
    int m_checkDigit = 1;
};
