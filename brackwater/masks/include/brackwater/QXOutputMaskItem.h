// One item of an output mask: a text selection, a formatted number, a
// date/time tag or a literal.
#pragma once

#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class BRACKWATER_EXPORT CQXOutputMaskItem
{
public:
    enum EType
    {
        TYPE_NONE = 0,
        TYPE_TEXT = 1,
        TYPE_NUMBER = 2,
        TYPE_TIME = 3,
        TYPE_STRING = 4,
    };

    // Number styles (mask letters '0'/'n', 'N', 'p', 'P', 'c', 'C').
    enum ENumberStyle
    {
        STYLE_PLAIN = 0,
        STYLE_SIGNED = 1,
        STYLE_PERCENT = 2,
        STYLE_PERCENT_SIGNED = 3,
        STYLE_GROUPED = 4,
        STYLE_GROUPED_SIGNED = 5,
    };

    // Date/time tags, numbered in the order of the tag table.
    enum ETimeTag
    {
        TAG_YYYY = 0,
        TAG_YY,
        TAG_Y,
        TAG_MM,
        TAG_M,
        TAG_DD,
        TAG_D,
        TAG_DOW,
        TAG_DOY,
        TAG_HH,
        TAG_H,
        TAG_HH12,
        TAG_H12,
        TAG_MI2,
        TAG_MI,
        TAG_SS,
        TAG_S,
        TAG_AMPM_UPPER2,
        TAG_AMPM_UPPER1,
        TAG_AMPM_LOWER2,
        TAG_AMPM_LOWER1,
        TAG_WW,
        TAG_W,
        TAG_COUNT
    };

    // The tag text of a tag number ("yyyy", ...); nullptr when out of range.
    static const wchar_t* GetTagText(int tag);
    // The tag number of a tag text; -1 when it is none.
    static int FindTag(const std::wstring& text);

    int m_nType = TYPE_NONE;

    // Text selection. m_bSelection tells whether the mask wrote one; a number
    // item without it takes the whole value.
    BOOL m_bSelection = FALSE;
    int m_nStart = 0;
    int m_nEnd = 0;
    wchar_t m_chDelimiter = 0; // 0: no token delimiter
    int m_nCount = -1;         // -1: no character count

    int m_nStyle = STYLE_PLAIN;
    int m_nWidth = 0;      // > 0 pads on the left, < 0 on the right
    int m_nFracDigits = 0; // -1: six
    wchar_t m_chPad = L' ';

    int m_nTag = TAG_YYYY;

    std::wstring m_strText; // the literal
};
