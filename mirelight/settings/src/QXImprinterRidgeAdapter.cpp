#include <mirelight/QXImprinterRidgeAdapter.h>
#include <mirelight/QXScannerHelper.h>
#include <mirelight/QXScannerImpl.h>

#include "QXImprinterFormula.h"
#include "QXImprinterMessageList.h"
#include "QXSettingsCaps.h"

#include <fennick/ZKTWHelper.h>
#include <fennick/ZKTWSourceManager.h>
#include <orrin/ZKRCM.h>
#include <twaindefs/ZKTwainConstants.h>

#include <cstdarg>
#include <cstring>
#include <cwchar>

namespace
{
constexpr WORD CAP_INDEX_FORMAT = 0x801A;
constexpr WORD CAP_INDEX_DIGITS = 0x801B;
constexpr WORD CAP_DATE_DELIMITER = 0x801C;
constexpr WORD CAP_DATE_FORMAT = 0x8033;
constexpr WORD CAP_FONT = 0x8044;
constexpr WORD CAP_POSITION = 0x8046;
constexpr WORD CAP_WRITE_SEQUENCE_STRING = 0x8009;
// Tag 3 of the scanner implementation; 2 means the back side only.
constexpr DWORD TAG_CAPTURE_SIDE = 3;
constexpr int CAPTURE_SIDE_BACK = 2;

int ReadWord(CZKTWSourceManager* sm, WORD cap, unsigned short& value)
{
    WORD read = 0;
    if (!SQXSettingsCaps::ReadWord(sm, cap, read))
        return 0;
    value = read;
    return 1;
}

int WriteWord(CZKTWSourceManager* sm, WORD cap, unsigned short value)
{
    return SQXSettingsCaps::WriteWord(sm, cap, value) ? 1 : 0;
}

bool ReadUnits(CZKTWSourceManager* sm, EZKTWImageUnit& unit)
{
    WORD units = 0;
    if (!SQXSettingsCaps::ReadWord(sm, ICAP_UNITS, units))
        return false;
    unit = static_cast<EZKTWImageUnit>(units);
    return true;
}
} // namespace

void CQXImprinterRidgeAdapter::GetSupportedCommands(std::vector<QX_IMPRINTER_EXPRESSION>& commands) const
{
    commands.clear();
}

int CQXImprinterRidgeAdapter::_ReadDateDelimiter(CZKTWSourceManager* sm, unsigned short& v) { return ReadWord(sm, CAP_DATE_DELIMITER, v); }
int CQXImprinterRidgeAdapter::_WriteDateDelimiter(CZKTWSourceManager* sm, unsigned short v) { return WriteWord(sm, CAP_DATE_DELIMITER, v); }
int CQXImprinterRidgeAdapter::_ReadDateFormat(CZKTWSourceManager* sm, unsigned short& v) { return ReadWord(sm, CAP_DATE_FORMAT, v); }
int CQXImprinterRidgeAdapter::_WriteDateFormat(CZKTWSourceManager* sm, unsigned short v) { return WriteWord(sm, CAP_DATE_FORMAT, v); }
int CQXImprinterRidgeAdapter::_ReadFont(CZKTWSourceManager* sm, unsigned short& v) { return ReadWord(sm, CAP_FONT, v); }
int CQXImprinterRidgeAdapter::_WriteFont(CZKTWSourceManager* sm, unsigned short v) { return WriteWord(sm, CAP_FONT, v); }
int CQXImprinterRidgeAdapter::_ReadIndexDigits(CZKTWSourceManager* sm, unsigned short& v) { return ReadWord(sm, CAP_INDEX_DIGITS, v); }
int CQXImprinterRidgeAdapter::_WriteIndexDigits(CZKTWSourceManager* sm, unsigned short v) { return WriteWord(sm, CAP_INDEX_DIGITS, v); }
int CQXImprinterRidgeAdapter::_ReadIndexFormat(CZKTWSourceManager* sm, unsigned short& v) { return ReadWord(sm, CAP_INDEX_FORMAT, v); }
int CQXImprinterRidgeAdapter::_WriteIndexFormat(CZKTWSourceManager* sm, unsigned short v) { return WriteWord(sm, CAP_INDEX_FORMAT, v); }

int CQXImprinterRidgeAdapter::_ReadPosition(CZKTWSourceManager* sm, double& inches)
{
    EZKTWImageUnit unit = ZKTW_UNIT_INCHES;
    TW_FIX32 item = {};
    if (!ReadUnits(sm, unit) ||
        sm->GetCapOnevalue(CAP_POSITION, ZKTW_GETCAP_CURRENT, TWTY_FIX32, &item) != ZKTW_CAP_SUCCESS)
        return 0;
    inches = CZKTWHelper::ConvertUnit(unit, CZKTWHelper::Fix32ToDouble(item), ZKTW_UNIT_INCHES);
    return 1;
}

int CQXImprinterRidgeAdapter::_WritePosition(CZKTWSourceManager* sm, double inches)
{
    EZKTWImageUnit unit = ZKTW_UNIT_INCHES;
    if (!ReadUnits(sm, unit))
        return 0;
    return SQXSettingsCaps::WriteFix32(sm, CAP_POSITION, CZKTWHelper::ConvertUnit(ZKTW_UNIT_INCHES, inches, unit)) ? 1
                                                                                                                 : 0;
}

int CQXImprinterRidgeAdapter::_ReadWriteSequenceString(CZKTWSourceManager* sm, char (&text)[256])
{
    std::string read;
    if (!SQXSettingsCaps::ReadString255(sm, CAP_WRITE_SEQUENCE_STRING, read))
        return 0;
    std::memset(text, 0, sizeof(text));
    std::memcpy(text, read.data(), read.size());
    return 1;
}

int CQXImprinterRidgeAdapter::_WriteWriteSequenceString(CZKTWSourceManager* sm, const char (&text)[256])
{
    return SQXSettingsCaps::WriteString255(sm, CAP_WRITE_SEQUENCE_STRING, std::string(text, strnlen(text, 255))) ? 1
                                                                                                               : 0;
}

int CQXImprinterRidgeAdapter::_CheckPrecondition(CQXScannerImpl* impl)
{
    int side = 3;
    impl->GetTagValue(TAG_CAPTURE_SIDE, 0, &side);
    return side != CAPTURE_SIDE_BACK ? 1 : 0;
}

// No keys of its own: each family's step enters the "Imprinter" section for
// its keys and restores the caller's section afterwards.
int CQXImprinterRidgeAdapter::_DoReadFromScript(CZKScript&) { return 1; }

int CQXImprinterRidgeAdapter::_DoWriteToScript(CZKScript&) { return 1; }

void CQXImprinterRidgeAdapter::_SetErrorText(const wchar_t* key, ...)
{
    std::wstring format;
    SZKRCM::LoadText(key, format);
    va_list args;
    va_start(args, key);
    wchar_t text[1024] = {};
    const int written = format.empty() ? -1 : std::vswprintf(text, 1024, format.c_str(), args);
    va_end(args);
    _SetLastError(written < 0 ? std::wstring(key) : std::wstring(text));
}

int CQXImprinterRidgeAdapter::_WriteMessage(CZKTWSourceManager* sm, unsigned short capability,
                                            const wchar_t* messageKey, const wchar_t* formula,
                                            unsigned short maxLength)
{
    std::wstring messageName;
    SZKRCM::LoadText(messageKey, messageName);
    char text[256] = {};
    if (!CQXScannerHelper::TranslateExpression(formula, text, maxLength, FALSE))
    {
        _SetErrorText(L"MSG_IMPRINTER_TRANSLATE_STRING_FAILED", messageName.c_str(), static_cast<int>(maxLength));
        return 0;
    }
    if (!SQXSettingsCaps::WriteString255(sm, capability, text))
    {
        _SetErrorText(L"MSG_IMPRINTER_WRITE_STRING_FAILED", messageName.c_str());
        return 0;
    }
    return 1;
}

int CQXImprinterRidgeAdapter::_WriteMessages(CZKTWSourceManager* sm, const CQXImprinterMessageList& messages)
{
    const unsigned short maxLength = getWriteSequenceMessageLengthLimit();
    // Every message is translated before anything is sent, so a typing
    // error never leaves the scanner with half of the new messages.
    for (size_t i = 0; i < messages.Count(); ++i)
    {
        std::string text;
        if (!CQXScannerHelper::TranslateExpression(messages.Text(i).c_str(), text, maxLength, FALSE))
        {
            std::wstring messageName;
            SZKRCM::LoadText(messages.Slot(i).messageKey, messageName);
            _SetErrorText(L"MSG_IMPRINTER_TRANSLATE_STRING_FAILED", messageName.c_str(), static_cast<int>(maxLength));
            return 0;
        }
    }
    for (size_t i = 0; i < messages.Count(); ++i)
        SQXSettingsCaps::WriteString255(sm, messages.Slot(i).capability, std::string());
    for (size_t i = 0; i < messages.Count(); ++i)
    {
        const CQXImprinterMessageList::SLOT& slot = messages.Slot(i);
        if (!_WriteMessage(sm, slot.capability, slot.messageKey, messages.Text(i).c_str(), maxLength))
            return 0;
    }
    return 1;
}

int CQXImprinterRidgeAdapter::_ConvertFormulaToPrintString(const wchar_t* formula, char* out,
                                                           unsigned short maxLength)
{
    std::vector<std::wstring> names;
    if (!SQXImprinterFormula::SplitTokens(formula ? formula : L"", names) || names.size() > maxLength)
        return 0;
    std::vector<QX_IMPRINTER_EXPRESSION> commands;
    GetSupportedCommands(commands);
    std::string codes;
    for (const std::wstring& name : names)
    {
        const QX_IMPRINTER_EXPRESSION* found = nullptr;
        for (const QX_IMPRINTER_EXPRESSION& command : commands)
            if (command.strName == name)
                found = &command;
        if (!found)
            return 0;
        codes.push_back(found->chCode);
    }
    std::memcpy(out, codes.data(), codes.size());
    return 1;
}

int CQXImprinterRidgeAdapter::_ConvertPrintStringToFormula(const char* printString, std::wstring& formula,
                                                           unsigned short maxLength) const
{
    std::vector<QX_IMPRINTER_EXPRESSION> commands;
    GetSupportedCommands(commands);
    std::wstring result;
    for (unsigned short i = 0; i < maxLength && printString[i] && printString[i] != 'Z'; ++i)
    {
        const QX_IMPRINTER_EXPRESSION* found = nullptr;
        for (const QX_IMPRINTER_EXPRESSION& command : commands)
            if (command.chCode == printString[i])
                found = &command;
        if (!found)
            return 0;
        result += L"<" + found->strName + L">";
    }
    formula = result;
    return 1;
}
