// The tarn imprinter: date format, six messages and four print lines (one
// per image-address level and one for all levels), which may print parts of
// the image address laid out by the tarn image-address adapter.
#pragma once

#include <mirelight/QXImprinterRidgeFullAdapter.h>
#include <mirelight/mirelight_export.h>

#include <map>
#include <memory>
#include <string>

class CQXImprinterMessageList;

class MIRELIGHT_EXPORT CQXImprinterTarnAdapter : public CQXImprinterRidgeFullAdapter
{
public:
    CQXImprinterTarnAdapter();
    ~CQXImprinterTarnAdapter() override;
    EQXScannerFamily GetFamilyCode() const override { return QX_SCANNER_FAMILY_TARN; }

    void getPositionLimit(double& min, double& max) const override { min = 0.5, max = 25.65; }
    unsigned getWriteSequenceStringLengthFixed() const override { return 80; }
    unsigned getWriteSequenceStringLengthLimit() const override { return 20; }
    unsigned getWriteSequenceStringResultLengthLimit() const override { return 40; }
    void GetSupportedCommands(std::vector<QX_IMPRINTER_EXPRESSION>& commands) const override;

    unsigned short getDateFormat() const { return m_tarn.dateFormat; }
    void setDateFormat(unsigned short value) { m_tarn.dateFormat = value; }
    // The leading-zeros code of the image address, kept here for the
    // binary settings form.
    unsigned short getImageAddressFormat() const { return m_tarn.imageAddressFormat; }
    void setImageAddressFormat(unsigned short value) { m_tarn.imageAddressFormat = value; }
    int getUseUniformPrintString() const { return m_tarn.useUniformPrintString; }
    void setUseUniformPrintString(int value) { m_tarn.useUniformPrintString = value ? 1 : 0; }
    // index 1 to 6; the setter answers 0 for any other index.
    void getWriteSequenceMessage(int index, std::wstring& text) const;
    int setWriteSequenceMessage(int index, const std::wstring& text);
    int getPrintStringLevel1(std::wstring& formula) const { return _GetPrintString(LEVEL_1, formula); }
    int getPrintStringLevel2(std::wstring& formula) const { return _GetPrintString(LEVEL_2, formula); }
    int getPrintStringLevel3(std::wstring& formula) const { return _GetPrintString(LEVEL_3, formula); }
    int getPrintStringAllLevels(std::wstring& formula) const { return _GetPrintString(ALL_LEVELS, formula); }
    int setPrintStringLevel1(const std::wstring& formula) { return _SetPrintStringField(LEVEL_1, formula); }
    int setPrintStringLevel2(const std::wstring& formula) { return _SetPrintStringField(LEVEL_2, formula); }
    int setPrintStringLevel3(const std::wstring& formula) { return _SetPrintStringField(LEVEL_3, formula); }
    int setPrintStringAllLevels(const std::wstring& formula) { return _SetPrintStringField(ALL_LEVELS, formula); }

    int Compare(const CQXScannerSettingsAdapter& other) const override;
    void Copy(const CQXScannerSettingsAdapter& other) override;

protected:
    int _DoReadFromBuffer(CZKBuffer& buffer) override;
    int _DoWriteToBuffer(CZKBuffer& buffer) override;
    int _DoReadFromScript(CZKScript& script) override;
    int _DoWriteToScript(CZKScript& script) override;
    int _DoWriteConfigToScanner(CZKTWSourceManager* sourceManager) override;
    // The four print lines at offsets 0, 20, 40 and 60.
    int _GetWriteSequenceString(char (&text)[256]) override;

    // A print line (image-address tags replaced) converted into out+offset.
    int _SetPrintString(const wchar_t* formula, unsigned offset, char* out);
    void _GetReplaceTags(std::map<std::wstring, std::wstring>& tags) const;
    static void _ReplaceTags(std::wstring& text, const std::map<std::wstring, std::wstring>& tags);

private:
    enum EPrintLine
    {
        LEVEL_1,
        LEVEL_2,
        LEVEL_3,
        ALL_LEVELS,
        PRINT_LINE_COUNT
    };
    int _GetPrintString(EPrintLine line, std::wstring& formula) const;
    int _SetPrintStringField(EPrintLine line, const std::wstring& formula);

    struct TARN_SETTINGS
    {
        WORD dateFormat = 0;
        WORD imageAddressFormat = 0;
        int useUniformPrintString = 0;
        std::wstring printStrings[PRINT_LINE_COUNT];
    };
    TARN_SETTINGS m_tarn;
    std::unique_ptr<CQXImprinterMessageList> m_messages;
};
