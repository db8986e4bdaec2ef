// The fell imprinter: the holm settings with fell's printer commands.
#pragma once

#include <mirelight/QXImprinterHolmAdapter.h>
#include <mirelight/mirelight_export.h>

class MIRELIGHT_EXPORT CQXImprinterFellAdapter : public CQXImprinterHolmAdapter
{
public:
    CQXImprinterFellAdapter() = default;
    EQXScannerFamily GetFamilyCode() const override { return QX_SCANNER_FAMILY_FELL; }

    unsigned getWriteSequenceStringLengthFixed() const override { return 20; }
    unsigned getWriteSequenceStringLengthLimit() const override { return 18; }
    unsigned getWriteSequenceStringResultLengthLimit() const override { return 40; }
    void GetSupportedCommands(std::vector<QX_IMPRINTER_EXPRESSION>& commands) const override;
};
