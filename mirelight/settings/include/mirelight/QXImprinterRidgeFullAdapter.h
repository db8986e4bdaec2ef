// Imprinters whose adapter owns the whole configuration, the on/off switch
// included: counter, date delimiter, font, counter digits and format,
// print position, and the print line as a write-sequence string.
#pragma once

#include <mirelight/QXImprinterRidgeAdapter.h>
#include <mirelight/mirelight_export.h>

class MIRELIGHT_EXPORT CQXImprinterRidgeFullAdapter : public CQXImprinterRidgeAdapter
{
public:
    int getEnable() const { return m_full.enable; }
    void setEnable(int enable) { m_full.enable = enable ? 1 : 0; }
    unsigned getIndex() const { return m_full.index; }
    void setIndex(unsigned index) { m_full.index = index; }
    unsigned short getDateDelimiter() const { return m_full.dateDelimiter; }
    void setDateDelimiter(unsigned short value) { m_full.dateDelimiter = value; }
    unsigned short getFont() const { return m_full.font; }
    void setFont(unsigned short value) { m_full.font = value; }
    unsigned short getIndexDigits() const { return m_full.indexDigits; }
    void setIndexDigits(unsigned short value) { m_full.indexDigits = value; }
    unsigned short getIndexFormat() const { return m_full.indexFormat; }
    void setIndexFormat(unsigned short value) { m_full.indexFormat = value; }
    double getPostion() const { return m_full.position; }
    void setPosition(double inches) { m_full.position = inches; }

    int Compare(const CQXScannerSettingsAdapter& other) const override;
    void Copy(const CQXScannerSettingsAdapter& other) override;

protected:
    explicit CQXImprinterRidgeFullAdapter(double defaultPosition);

    int _DoReadFromBuffer(CZKBuffer& buffer) override;
    int _DoWriteToBuffer(CZKBuffer& buffer) override;
    int _DoReadFromScript(CZKScript& script) override;
    int _DoWriteToScript(CZKScript& script) override;
    // Enable first; a disabled imprinter gets nothing else. The print line
    // is built before anything is written, and a write that fails after the
    // switch went on switches the imprinter off again, so a half-written
    // configuration never prints.
    int _WriteToScanner(CZKTWSourceManager* sourceManager) override;
    int _DoWriteConfigToScanner(CZKTWSourceManager* sourceManager) override;
    // The print line in printer codes over the 'Z'-padded buffer.
    virtual int _GetWriteSequenceString(char (&text)[256]) = 0;

private:
    // Counter and position outside the family's limits; sets the error text.
    bool _CheckLimits();

    struct FULL_SETTINGS
    {
        int enable = 0;
        unsigned index = 0;
        WORD dateDelimiter = 0;
        WORD font = 4;
        WORD indexDigits = 9;
        WORD indexFormat = 0;
        double position = 0.0;
        bool operator==(const FULL_SETTINGS& o) const;
    };
    FULL_SETTINGS m_full;
};
