// One fixed-width item of a time input mask: a date/time tag or a literal.
#pragma once

#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class BRACKWATER_EXPORT CQXTimeInputMaskItem
{
public:
    enum EType
    {
        TYPE_NONE = 0,
        TYPE_YYYY = 1,      // four-digit year
        TYPE_YY = 2,        // two-digit year, 00..79 -> 2000s, 80..99 -> 1900s
        TYPE_MM = 3,        // month
        TYPE_DD = 4,        // day of month
        TYPE_DDD = 5,       // day of year
        TYPE_HH = 6,        // hour 0..23
        TYPE_HH12 = 7,      // hour 1..12 (tag "hh")
        TYPE_MI = 8,        // minute (tag "mm")
        TYPE_SS = 9,        // second
        TYPE_TT = 10,       // "AM"/"PM"
        TYPE_T = 11,        // "A"/"P"
        TYPE_TT_LOWER = 12, // "am"/"pm"
        TYPE_T_LOWER = 13,  // "a"/"p"
        TYPE_STRING = 14,   // literal text
    };

    CQXTimeInputMaskItem() = default;
    CQXTimeInputMaskItem(int type, const std::wstring& text = std::wstring())
        : m_nType(type), m_strText(text)
    {
    }

    // Width in characters; -1 for a type outside 1..14.
    int GetItemLength() const;
    int GetItemMaxLength() const { return GetItemLength(); }
    int GetItemMinLength() const { return GetItemLength(); }

    int m_nType = TYPE_NONE;
    std::wstring m_strText; // the literal of a TYPE_STRING item
};
