// Output masks: how a value is written out. A mask is a sequence of items:
//   [sel]                 characters of the value text; sel is * or a start,
//                         then ",end" / ",'c'" (token delimiter) / ";count"
//   0w                    the number, zero-padded to width w
//   n<...> N p P c C      a number: <[sel], width, fraction[, 'pad']>
//   yyyy MM dd HH ...     a date/time tag, optionally followed by <[sel]>
//   "text"                a literal
// Blanks between items are ignored. Error codes are the 3001..3111 table,
// plus 100 for a character that starts no item and the reader's own codes.
// Nothing here throws.
#pragma once

#include <brackwater/QXOutputMaskItemList.h>
#include <brackwater/brackwater_export.h>
#include <orrin/ZKGEI.h>
#include <wincompat/WinTypes.h>

#include <string>

class BRACKWATER_EXPORT CQXOutputMaskEI
{
public:
    static constexpr DWORD ERR_TEXT_BADFORMAT = 3001;
    static constexpr DWORD ERR_NUM_BADFORMAT = 3002;
    static constexpr DWORD ERR_NUM_BADWIDTHFRAC = 3003;
    static constexpr DWORD ERR_TIME_BADFORMAT = 3004;
    static constexpr DWORD ERR_DATA_TEXT_OUTOFLEN = 3101;
    static constexpr DWORD ERR_DATA_NUM_BADNUMBER = 3102;
    static constexpr DWORD ERR_DATA_NUM_LONGNUMBER = 3103;
    static constexpr DWORD ERR_DATA_TIME_INVALIDDATE = 3104;
    static constexpr DWORD ERR_DATA_TIME_INVALIDTIME = 3105;
    static constexpr DWORD ERR_DATA_TIME_NOYEAR = 3106;
    static constexpr DWORD ERR_DATA_TIME_NOMONTH = 3107;
    static constexpr DWORD ERR_DATA_TIME_NODAY = 3108;
    static constexpr DWORD ERR_DATA_TIME_NOHOUR = 3109;
    static constexpr DWORD ERR_DATA_TIME_NOMINUTE = 3110;
    static constexpr DWORD ERR_DATA_TIME_NOSECOND = 3111;
    static constexpr DWORD ERR_INTERNAL = 0x7FFFFFFF;

    static constexpr int MaxFracDigits = 20;
    // Widths of number items, either sign; wider ones are malformed (3002).
    static constexpr int MaxWidth = 4096;

    CQXOutputMaskEI() = default;

    // 1 on success; otherwise 0, an empty list and the code. An empty mask
    // gives an empty list.
    static BOOL Parse(const std::wstring& mask, CQXOutputMaskItemList& list, DWORD& code);

    // Formats every item in order, appending to text as passed in; the
    // first failing item ends it with 0 and its code. An empty list writes
    // the value itself, or the default date/time form (yyyyMMddHHmmss, with
    // the tag letters standing in for absent parts) when the value is empty
    // and some part is present. A part is present when year, month, day > 0
    // and hour, minute, second >= 0.
    static BOOL Format(const CQXOutputMaskItemList& list, const std::wstring& value, int year,
                       int month, int day, int hour, int minute, int second, BOOL strictText,
                       BOOL strictNumber, BOOL strictTime, std::wstring& text, DWORD& code);
    static BOOL Format(const CQXOutputMaskItem& item, const std::wstring& value, int year,
                       int month, int day, int hour, int minute, int second, BOOL strictText,
                       BOOL strictNumber, BOOL strictTime, std::wstring& text, DWORD& code);

    // Empty text (FALSE) for 0; the table's key (resolved to its text with
    // loadText); else the reader's message.
    static BOOL GetErrorMessage(DWORD code, std::wstring& text, BOOL loadText = TRUE);
    static const wchar_t* GetErrorKey(DWORD code);

    static BOOL Is_TextType(wchar_t ch) { return ch == L'['; }
    static BOOL Is_NumberType(wchar_t ch);
    static BOOL Is_NumberType(wchar_t ch, int& style);
    static BOOL Is_TimeType(wchar_t ch);

    // Parse primitives over the reader: current is the character that
    // started the item (already read). FALSE with the reader's error set.
    BOOL Get_TextItem(wchar_t current, CQXOutputMaskItem& item);
    BOOL Get_NumberItem(wchar_t current, CQXOutputMaskItem& item);
    BOOL Get_TimeTag(wchar_t current, int& tag);
    BOOL Get_TimeItem(wchar_t current, CQXOutputMaskItem& item);

    CZKGEI& GetReader() { return m_gei; }

protected:
    static BOOL Format_Text(const CQXOutputMaskItem& item, const std::wstring& value, BOOL strict,
                            std::wstring& text, DWORD& code);
    static BOOL Format_Number(const CQXOutputMaskItem& item, const std::wstring& value,
                              BOOL strictText, BOOL strictNumber, std::wstring& text, DWORD& code);
    static BOOL Format_Time(const CQXOutputMaskItem& item, int year, int month, int day, int hour,
                            int minute, int second, BOOL strict, std::wstring& text, DWORD& code);
    static BOOL FormatDefaultDate(int year, int month, int day, std::wstring& text);
    static BOOL FormatDefaultTime(int hour, int minute, int second, std::wstring& text);

    BOOL _ParseItems(CQXOutputMaskItemList& list);
    BOOL _ParseItem(wchar_t current, CQXOutputMaskItem& item);
    // The selection after '[' up to and including ']'.
    BOOL _GetSelection(CQXOutputMaskItem& item);
    BOOL _GetNumberBody(CQXOutputMaskItem& item);
    BOOL _Fail(DWORD code);

    CZKGEI m_gei;
};
