// Input masks: what an operator or a recognition engine may type into an
// index field. A mask is a sequence of items:
//   ? 9 Z z A C c X       one character of a class; with <max> or <min,max>
//                         a run of 0..max or min..max characters (0: no limit)
//   i n                   an integer or real number, optionally with a range
//                         [low,high] / (low,high) ('[' ']' inclusive,
//                         '(' ')' exclusive, '*' unbounded)
//   T<...> t<...>         a date/time part described by a time input mask
//   "text"                a literal
// Only the last item may vary in length. Blanks between items are ignored.
// Error codes are the 2001..2106 table, plus 100, 130, 140, 2107, the time
// input mask's codes and the reader's (CZKGEI). Nothing here throws.
#pragma once

#include <brackwater/QXInputMaskItemList.h>
#include <brackwater/QXTimeInputMaskItemList.h>
#include <brackwater/brackwater_export.h>
#include <orrin/ZKGEI.h>
#include <wincompat/WinTypes.h>

#include <string>

class BRACKWATER_EXPORT CQXInputMaskEI
{
public:
    static constexpr DWORD ERR_TEXT_BADFORMAT = 2001;
    static constexpr DWORD ERR_TEXT_BADLENGTH = 2002;
    static constexpr DWORD ERR_TEXT_MINLARGERMAX = 2003;
    static constexpr DWORD ERR_NUM_BADFORMAT = 2004;
    static constexpr DWORD ERR_NUM_LOWERLARGERUPPER = 2005;
    static constexpr DWORD ERR_TIME_BADFORMAT = 2006;
    static constexpr DWORD ERR_EMPTY = 2007;
    static constexpr DWORD ERR_VARIOUS = 2008;
    static constexpr DWORD ERR_DATA_INCOMPLETE = 2101;
    static constexpr DWORD ERR_DATA_TEXT_BADLENGTH = 2102;
    static constexpr DWORD ERR_DATA_TEXT_BADCHARTYPE = 2103;
    static constexpr DWORD ERR_DATA_NUM_OUTOFRANGE = 2104;
    static constexpr DWORD ERR_DATA_STRING_BADSTRING = 2105;
    static constexpr DWORD ERR_DATA_TOOMUCH = 2106;
    static constexpr DWORD ERR_DATA_STRING_NOTFOUND = CZKGEI::ERR_LITERAL_NOT_FOUND; // 2107
    static constexpr DWORD ERR_INTERNAL = 0x7FFFFFFF;

    CQXInputMaskEI() = default;

    // 1 on success; otherwise 0, an empty list and the code.
    static BOOL Parse(const std::wstring& mask, CQXInputMaskItemList& list, DWORD& code);

    // 1 if value fits the mask. The six outputs are set to -1 first and only
    // a date/time item fills them (each such item fills the parts it names).
    // Items are checked in order and the first failing one decides the
    // code. With literalSearch the mask must be a single literal and the
    // value only has to contain it.
    static BOOL Validate(const CQXInputMaskItemList& list, const std::wstring& value, int& year,
                         int& month, int& day, int& hour, int& minute, int& second, DWORD& code,
                         BOOL literalSearch = FALSE);

    // Parse, then the list's minimum or maximum length; 0 with the code if
    // the mask does not parse.
    static BOOL GetMinLength(const std::wstring& mask, int& length, DWORD& code);
    static BOOL GetMaxLength(const std::wstring& mask, int& length, DWORD& code);

    // Empty text (FALSE) for 0; the table's key for its 14 codes (resolved
    // to its text with loadText); else the time input mask's message, which
    // ends in the reader's.
    static BOOL GetErrorMessage(DWORD code, std::wstring& text, BOOL loadText = TRUE);
    static const wchar_t* GetErrorKey(DWORD code);

    // Classifiers of the character that starts an item.
    static BOOL Is_TextType(wchar_t ch);
    static BOOL Is_TextType(wchar_t ch, int& textType);
    static BOOL Is_IntType(wchar_t ch) { return ch == L'i'; }
    static BOOL Is_FloatType(wchar_t ch) { return ch == L'n'; }
    static BOOL Is_TimeType(wchar_t ch) { return ch == L'T' || ch == L't'; }
    // kind: 1 text, 2 integer, 3 real, 4 date/time; 0 (FALSE) otherwise.
    static BOOL Is_Type(wchar_t ch);
    static BOOL Is_Type(wchar_t ch, int& kind);

    // Parse primitives over the reader. Each takes the character that
    // started the item (already read) and reads the rest of it; FALSE with
    // the reader's error set to the item's code.
    BOOL Get_TextItem(wchar_t current, int& textType, int& minLength, int& maxLength);
    BOOL Get_IntItem(wchar_t current, int& lowMode, int& low, int& highMode, int& high);
    BOOL Get_FloatItem(wchar_t current, int& lowMode, double& low, std::wstring& lowText,
                       int& highMode, double& high, std::wstring& highText);
    // The range grammar shared by both number kinds (isFloat chooses the
    // number reader); integer bounds come back as doubles.
    BOOL Get_IntFloatItem(wchar_t current, BOOL isFloat, int& lowMode, double& low,
                          std::wstring& lowText, int& highMode, double& high,
                          std::wstring& highText);
    BOOL Get_TimeItem(wchar_t current, CQXTimeInputMaskItemList& timeItems);

    CZKGEI& GetReader() { return m_gei; }

protected:
    BOOL _ParseItems(CQXInputMaskItemList& list);
    BOOL _ParseItem(wchar_t current, CQXInputMaskItem& item);
    BOOL _ReadBound(BOOL isFloat, double& value, std::wstring& text);
    BOOL _Fail(DWORD code);

    CZKGEI m_gei;
};
