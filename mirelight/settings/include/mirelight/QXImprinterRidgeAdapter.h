// The imprinters of the maker's scanners: the limits a family answers, its
// printer command table, the translation of formulas (sequences of <name>
// tokens) into one-character printer codes and back, and the capability
// accesses of the vendor's imprinter settings.
#pragma once

#include <mirelight/QXImprinterAdapter.h>
#include <mirelight/QX_IMPRINTER_EXPRESSION.h>
#include <mirelight/mirelight_export.h>

#include <string>
#include <vector>

class CQXImprinterMessageList;

class MIRELIGHT_EXPORT CQXImprinterRidgeAdapter : public CQXImprinterAdapter
{
public:
    unsigned getIndexLimit() const override { return 999999999u; }
    virtual unsigned short getIndexDigitsLimit() const { return 9; }
    virtual unsigned short getWriteSequenceMessageLengthLimit() const { return 20; }
    // Inches; both 0 where the family has no position.
    virtual void getPositionLimit(double& min, double& max) const { min = max = 0.0; }
    virtual unsigned getWriteSequenceStringLengthFixed() const { return 0; }
    virtual unsigned getWriteSequenceStringLengthLimit() const { return 0; }
    virtual unsigned getWriteSequenceStringResultLengthLimit() const { return 0; }
    // The family's tokens in table order, display texts from the resources.
    virtual void GetSupportedCommands(std::vector<QX_IMPRINTER_EXPRESSION>& commands) const;

    // The vendor's imprinter capabilities; 1 on success.
    static int _ReadDateDelimiter(CZKTWSourceManager* sm, unsigned short& value);
    static int _WriteDateDelimiter(CZKTWSourceManager* sm, unsigned short value);
    static int _ReadDateFormat(CZKTWSourceManager* sm, unsigned short& value);
    static int _WriteDateFormat(CZKTWSourceManager* sm, unsigned short value);
    static int _ReadFont(CZKTWSourceManager* sm, unsigned short& value);
    static int _WriteFont(CZKTWSourceManager* sm, unsigned short value);
    static int _ReadIndexDigits(CZKTWSourceManager* sm, unsigned short& value);
    static int _WriteIndexDigits(CZKTWSourceManager* sm, unsigned short value);
    static int _ReadIndexFormat(CZKTWSourceManager* sm, unsigned short& value);
    static int _WriteIndexFormat(CZKTWSourceManager* sm, unsigned short value);
    // Inches, converted from and to the source's current units.
    static int _ReadPosition(CZKTWSourceManager* sm, double& inches);
    static int _WritePosition(CZKTWSourceManager* sm, double inches);
    static int _ReadWriteSequenceString(CZKTWSourceManager* sm, char (&text)[256]);
    static int _WriteWriteSequenceString(CZKTWSourceManager* sm, const char (&text)[256]);

protected:
    CQXImprinterRidgeAdapter() = default;

    using CQXTWAINSettingsAdapter::_WriteToScanner;
    // Writing is refused only while the scanner captures the back side alone.
    int _CheckPrecondition(CQXScannerImpl* impl) override;
    int _DoReadFromBuffer(CZKBuffer&) override { return 1; }
    int _DoWriteToBuffer(CZKBuffer&) override { return 1; }
    int _DoReadFromScript(CZKScript& script) override;
    int _DoWriteToScript(CZKScript& script) override;

    // A message (a default-value expression) translated and written as
    // printer text; messageKey names the message in the error text.
    int _WriteMessage(CZKTWSourceManager* sm, unsigned short capability, const wchar_t* messageKey,
                      const wchar_t* formula, unsigned short maxLength);
    // Every capability of the list cleared first (so no old text survives),
    // then each message written; the first failure stops.
    int _WriteMessages(CZKTWSourceManager* sm, const CQXImprinterMessageList& messages);
    // One code per token into out, nothing else written. A formula with
    // text outside tokens, an unknown name or more than maxLength tokens is
    // refused and out is left as it was.
    int _ConvertFormulaToPrintString(const wchar_t* formula, char* out, unsigned short maxLength);
    // Up to maxLength codes, stopping at the 'Z' padding; an unknown code
    // fails.
    int _ConvertPrintStringToFormula(const char* printString, std::wstring& formula, unsigned short maxLength) const;
    void _SetErrorText(const wchar_t* key, ...);
};
