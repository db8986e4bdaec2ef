// Imprinters whose adapter programs only the fixed messages; the on/off
// switch stays the operator's, set on the scanner itself.
#pragma once

#include <mirelight/QXImprinterRidgeAdapter.h>
#include <mirelight/mirelight_export.h>

#include <memory>

class MIRELIGHT_EXPORT CQXImprinterRidgePartialAdapter : public CQXImprinterRidgeAdapter
{
public:
    ~CQXImprinterRidgePartialAdapter() override;

    void getPositionLimit(double& min, double& max) const override { min = 0.35, max = 33.5; }
    unsigned getWriteSequenceStringLengthFixed() const override { return 80; }
    unsigned getWriteSequenceStringLengthLimit() const override { return 80; }
    unsigned getWriteSequenceStringResultLengthLimit() const override { return 40; }

    int Compare(const CQXScannerSettingsAdapter& other) const override;
    void Copy(const CQXScannerSettingsAdapter& other) override;

protected:
    // The family's messages, described by the leaf's slot table.
    explicit CQXImprinterRidgePartialAdapter(std::unique_ptr<CQXImprinterMessageList> messages);

    int _DoReadFromBuffer(CZKBuffer& buffer) override;
    int _DoWriteToBuffer(CZKBuffer& buffer) override;
    int _DoReadFromScript(CZKScript& script) override;
    int _DoWriteToScript(CZKScript& script) override;
    // A switched-off imprinter is switched on for the configuration and off
    // again; a failed configuration leaves it switched off and fails.
    int _WriteToScanner(CZKTWSourceManager* sourceManager) override;
    int _DoWriteConfigToScanner(CZKTWSourceManager* sourceManager) override;

    // Message index (1-based) of the family's list; false outside it.
    bool _GetMessage(int index, std::wstring& text) const;
    bool _SetMessage(int index, const std::wstring& text);

private:
    std::unique_ptr<CQXImprinterMessageList> m_messages;
};
