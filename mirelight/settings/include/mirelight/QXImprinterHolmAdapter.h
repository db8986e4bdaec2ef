// The holm imprinters (fell, talus): a suffix message and one print line.
#pragma once

#include <mirelight/QXImprinterRidgeFullAdapter.h>
#include <mirelight/mirelight_export.h>

#include <string>

class MIRELIGHT_EXPORT CQXImprinterHolmAdapter : public CQXImprinterRidgeFullAdapter
{
public:
    unsigned getSuffixLengthLimit() const override { return 20; }
    void getPositionLimit(double& min, double& max) const override { min = 0.35, max = 25.65; }

    std::wstring getSuffix() const { return m_holm.suffix; }
    void setSuffix(const std::wstring& formula) { m_holm.suffix = formula; }
    std::wstring getPrintString() const { return m_holm.printString; }
    void setPrintString(const std::wstring& formula) { m_holm.printString = formula; }

    int Compare(const CQXScannerSettingsAdapter& other) const override;
    void Copy(const CQXScannerSettingsAdapter& other) override;

protected:
    CQXImprinterHolmAdapter();

    int _DoReadFromBuffer(CZKBuffer& buffer) override;
    int _DoWriteToBuffer(CZKBuffer& buffer) override;
    int _DoReadFromScript(CZKScript& script) override;
    int _DoWriteToScript(CZKScript& script) override;
    int _DoWriteConfigToScanner(CZKTWSourceManager* sourceManager) override;
    // The print line from offset 0, at most the family's string limit.
    int _GetWriteSequenceString(char (&text)[256]) override;

private:
    struct HOLM_SETTINGS
    {
        std::wstring suffix;
        std::wstring printString;
    };
    HOLM_SETTINGS m_holm;
};
