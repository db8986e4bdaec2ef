// One item of an input mask: a text run of one character class, an integer
// or real number with an optional range, a date/time sub-mask or a literal.
#pragma once

#include <brackwater/QXTimeInputMaskItemList.h>
#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class BRACKWATER_EXPORT CQXInputMaskItem
{
public:
    enum EType
    {
        TYPE_NONE = 0,
        TYPE_TEXT = 1,
        TYPE_INT = 2,
        TYPE_FLOAT = 3,
        TYPE_TIME = 4,
        TYPE_STRING = 5,
    };

    // Character classes of text items (mask letters ? 9 Z z A C c X).
    enum ETextType
    {
        TEXT_ANY = 0,
        TEXT_DIGIT = 1,
        TEXT_UPPER = 2,
        TEXT_LOWER = 3,
        TEXT_LETTER = 4,
        TEXT_UPPER_DIGIT = 5,
        TEXT_LOWER_DIGIT = 6,
        TEXT_LETTER_DIGIT = 7,
    };

    // Range bound modes of number items.
    enum EBoundMode
    {
        BOUND_NONE = 0,
        BOUND_INCLUSIVE = 1,
        BOUND_EXCLUSIVE = 2,
    };

    // Fixed length, or -1 when the item's values vary in length.
    int GetItemLength() const;
    // Longest value, -1 without a limit.
    int GetItemMaxLength() const;
    // Shortest value; -1 for an item that admits no value (an empty real
    // range).
    int GetItemMinLength() const;

    // Whether ch belongs to the character class.
    static BOOL IsCharInClass(wchar_t ch, int textType);
    // Whether a number satisfies this item's bounds. An exclusive real bound
    // needs the value at least 1e-7 away from it.
    BOOL IsIntInRange(int value) const;
    BOOL IsFloatInRange(double value) const;
    // Whether two reals lie closer than the 1e-7 step that separates
    // distinct values.
    static BOOL IsRealCloserThanStep(double low, double high);

    // A real number's text without a leading '+', trailing fraction zeros
    // and a bare point: "12.500" -> "12.5", "12.000" -> "12", "-0.000" -> "0".
    static std::wstring RemoveZeroAfterPiont(const std::wstring& text);

    int m_nType = TYPE_NONE;

    int m_nTextType = TEXT_ANY;
    int m_nTextMinLength = 0; // 0: no minimum
    int m_nTextMaxLength = 0; // 0: no maximum

    int m_nIntLowMode = BOUND_NONE;
    int m_nIntLow = 0;
    int m_nIntHighMode = BOUND_NONE;
    int m_nIntHigh = 0;

    int m_nFloatLowMode = BOUND_NONE;
    double m_dFloatLow = 0.0;
    std::wstring m_strFloatLow = L"0"; // as written in the mask
    int m_nFloatHighMode = BOUND_NONE;
    double m_dFloatHigh = 0.0;
    std::wstring m_strFloatHigh = L"0";

    CQXTimeInputMaskItemList m_timeItems;

    std::wstring m_strText; // the literal

private:
    int _GetIntMinLength() const;
    int _GetIntMaxLength() const;
    int _GetFloatMinLength() const;
    int _GetFloatLength() const;
};
