// Time input masks: parsing a mask such as yyyy"-"MM"-"dd into fixed-width
// items and validating a typed value against it.
//
// Tags (case-sensitive): yyyy yy MM dd DDD HH hh mm ss TT T tt t; a quoted
// text is a literal. Blanks between items are ignored. Error codes are the
// 1001..1118 table, plus 100 for a character that starts no item and the
// reader's own codes (CZKGEI). Nothing here throws.
#pragma once

#include <brackwater/QXTimeInputMaskItemList.h>
#include <brackwater/brackwater_export.h>
#include <orrin/ZKGEI.h>
#include <wincompat/WinTypes.h>

#include <string>

class BRACKWATER_EXPORT CQXTimeInputMaskEI
{
public:
    static constexpr DWORD ERR_BADFORMAT = 1001;
    static constexpr DWORD ERR_YEAREXIST = 1002;
    static constexpr DWORD ERR_MONTHEXIST = 1003;
    static constexpr DWORD ERR_DAYEXIST = 1004;
    static constexpr DWORD ERR_HOUREXIST = 1005;
    static constexpr DWORD ERR_MINUTEEXIST = 1006;
    static constexpr DWORD ERR_SECONDEXIST = 1007;
    static constexpr DWORD ERR_TTEXIST = 1008;
    static constexpr DWORD ERR_DDDWITHOUTYEAR = 1009;
    static constexpr DWORD ERR_DDDWITHMONTH = 1010;
    static constexpr DWORD ERR_TTWITHHH = 1011;
    static constexpr DWORD ERR_TTWITHOUTHH = 1012;
    static constexpr DWORD ERR_EMPTY = 1013;
    static constexpr DWORD ERR_VARIOUS = 1014;
    static constexpr DWORD ERR_DATA_INCOMPLETE = 1101;
    static constexpr DWORD ERR_DATA_BAD_YYYY = 1102;
    static constexpr DWORD ERR_DATA_BAD_YY = 1103;
    static constexpr DWORD ERR_DATA_BAD_MM_MONTH = 1104;
    static constexpr DWORD ERR_DATA_BAD_DD = 1105;
    static constexpr DWORD ERR_DATA_BAD_DDD = 1106;
    static constexpr DWORD ERR_DATA_BAD_HH = 1107;
    static constexpr DWORD ERR_DATA_BAD_HH_SHORT = 1108;
    static constexpr DWORD ERR_DATA_BAD_MM_MINUTE = 1109;
    static constexpr DWORD ERR_DATA_BAD_SS = 1110;
    static constexpr DWORD ERR_DATA_BAD_TT = 1111;
    static constexpr DWORD ERR_DATA_BAD_T = 1112;
    static constexpr DWORD ERR_DATA_BAD_TT_LOWER = 1113;
    static constexpr DWORD ERR_DATA_BAD_T_LOWER = 1114;
    static constexpr DWORD ERR_DATA_BAD_STRING = 1115;
    static constexpr DWORD ERR_DATA_TOOMUCH = 1116;
    static constexpr DWORD ERR_DATA_INVALID_DATE = 1117;
    static constexpr DWORD ERR_DATA_INVALID_TIME = 1118;
    static constexpr DWORD ERR_INTERNAL = 0x7FFFFFFF;

    CQXTimeInputMaskEI() = default;

    // 1 on success; otherwise 0, an empty list and the code.
    static BOOL Parse(const std::wstring& mask, CQXTimeInputMaskItemList& list, DWORD& code);

    // The mask-level rules checked after the last item (DDD needs a year and
    // excludes MM, an AM/PM tag needs hh and excludes HH, not empty, no item
    // after one without a width).
    static BOOL CheckItems(const CQXTimeInputMaskItemList& list, DWORD& code);

    // 1 if text has minDigits..maxDigits characters, all digits, that read
    // as an unsigned 32-bit integer; value receives it.
    static BOOL ValidateNumber(const std::wstring& text, int minDigits, int maxDigits, int& value);

    // 1 if value fits the mask. The six outputs are set to -1 first and
    // receive the parts the value names (month and day also from a day of
    // the year); parts the mask lacks stay -1. On failure they keep what was
    // read so far.
    static BOOL Validate(const CQXTimeInputMaskItemList& list, const std::wstring& value, int& year,
                         int& month, int& day, int& hour, int& minute, int& second, DWORD& code);

    // Empty text (FALSE) for 0; the table's key for its 32 codes (resolved
    // to its text with loadText); else the reader's message.
    static BOOL GetErrorMessage(DWORD code, std::wstring& text, BOOL loadText = TRUE);
    static const wchar_t* GetErrorKey(DWORD code);

    // The ten letters that start a tag: D H M T d h m s t y.
    static BOOL Is_TimeTag(wchar_t ch);

    // Parse primitives over the reader: current is the tag letter just read;
    // the run of identical letters that follows is consumed. FALSE with the
    // reader's error set to 1001 when the run is not a tag.
    BOOL Get_TimeTag(wchar_t current, std::wstring& tag);
    BOOL Get_TimeTag(wchar_t current, int& type);

    CZKGEI& GetReader() { return m_gei; }

protected:
    BOOL _ParseItems(CQXTimeInputMaskItemList& list);
    BOOL _ParseItem(wchar_t current, CQXTimeInputMaskItemList& list, int& presentGroups);

    CZKGEI m_gei;
};
