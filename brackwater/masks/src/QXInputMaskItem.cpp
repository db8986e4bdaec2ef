#include <brackwater/QXInputMaskItem.h>

#include <orrin/ZKGEI.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace
{
using Item = CQXInputMaskItem;

// Reals closer than this count as equal: an exclusive bound must be at
// least this far from any accepted value.
constexpr double kRealStep = 1e-7;
// Absorbs binary rounding, so values exactly one step apart in decimal
// still count as one step apart.
constexpr double kRoundingSlack = 1e-12;
// Scales 1, 10, ... 10^7: candidates with 0 to 7 decimals.
constexpr int kMaxDecimals = 7;

bool IsCloserThanStep(double low, double high)
{
    return high - low < kRealStep - kRoundingSlack;
}

struct RealRange
{
    int lowMode;
    double low;
    int highMode;
    double high;

    bool Accepts(double value) const
    {
        if (lowMode == Item::BOUND_INCLUSIVE && value < low)
            return false;
        if (lowMode == Item::BOUND_EXCLUSIVE && IsCloserThanStep(low, value))
            return false;
        if (highMode == Item::BOUND_INCLUSIVE && value > high)
            return false;
        if (highMode == Item::BOUND_EXCLUSIVE && IsCloserThanStep(value, high))
            return false;
        return true;
    }
};

int TextLength(const std::wstring& text)
{
    return static_cast<int>(text.size());
}

int DecimalLength(long long value)
{
    return static_cast<int>(std::to_string(value).size());
}

// A value written the way a user would type it at its shortest.
std::wstring FormatReal(double value)
{
    char buffer[512];
    const int written = std::snprintf(buffer, sizeof buffer, "%.7f", value);
    if (written <= 0 || written >= static_cast<int>(sizeof buffer))
        return std::wstring();
    return Item::RemoveZeroAfterPiont(std::wstring(buffer, buffer + written));
}

// Reads a candidate's text back exactly as validation will read it.
bool TextAccepted(const std::wstring& text, const RealRange& range)
{
    CZKGEI reader(text);
    double value = 0.0;
    return !text.empty() && reader.Get_Float(value) && reader.IsAtEnd() && range.Accepts(value);
}

// Length of the shortest text inside the range, trying candidates with 0,
// 1, ... 7 decimals next to one bound: upward from the low bound when
// upward, else downward from the high bound. The bound itself, when
// inclusive, competes through boundText; -1 when nothing fits.
int SearchShortest(const RealRange& range, bool upward, const std::wstring* boundText)
{
    const int boundLength = boundText ? TextLength(Item::RemoveZeroAfterPiont(*boundText)) : -1;
    double scale = 1.0;
    for (int decimals = 0; decimals <= kMaxDecimals; ++decimals, scale *= 10.0)
    {
        const double start =
            upward ? std::floor(scale * range.low) + 1 : std::ceil(scale * range.high) - 1;
        // The neighbour absorbs a start that rounding put on the bound.
        for (int step = 0; step < 2; ++step)
        {
            const double scaled = upward ? start + step : start - step;
            const std::wstring text = FormatReal(scaled / scale);
            if (!TextAccepted(text, range))
                continue;
            const int length = TextLength(text);
            return boundLength < 0 ? length : std::min(length, boundLength);
        }
    }
    return boundLength;
}
} // namespace

std::wstring CQXInputMaskItem::RemoveZeroAfterPiont(const std::wstring& text)
{
    std::wstring result = (!text.empty() && text[0] == L'+') ? text.substr(1) : text;
    const size_t point = result.find(L'.');
    if (point != std::wstring::npos)
    {
        size_t end = result.size();
        while (end > point && (result[end - 1] == L'0' || result[end - 1] == L'.'))
            --end;
        result.erase(end);
    }
    if (result.empty() || result == L"+0" || result == L"-0" || result == L"-")
        result = L"0";
    return result;
}

BOOL CQXInputMaskItem::IsCharInClass(wchar_t ch, int textType)
{
    const bool digit = CZKGEI::Is_0_9(ch);
    const bool upper = CZKGEI::Is_A_Z(ch);
    const bool lower = CZKGEI::Is_a_z(ch);
    switch (textType)
    {
    case TEXT_ANY:
        return TRUE;
    case TEXT_DIGIT:
        return digit;
    case TEXT_UPPER:
        return upper;
    case TEXT_LOWER:
        return lower;
    case TEXT_LETTER:
        return upper || lower;
    case TEXT_UPPER_DIGIT:
        return upper || digit;
    case TEXT_LOWER_DIGIT:
        return lower || digit;
    case TEXT_LETTER_DIGIT:
        return upper || lower || digit;
    default:
        return FALSE;
    }
}

BOOL CQXInputMaskItem::IsRealCloserThanStep(double low, double high)
{
    return IsCloserThanStep(low, high);
}

BOOL CQXInputMaskItem::IsIntInRange(int value) const
{
    if ((m_nIntLowMode == BOUND_INCLUSIVE && value < m_nIntLow) ||
        (m_nIntLowMode == BOUND_EXCLUSIVE && value <= m_nIntLow))
        return FALSE;
    if ((m_nIntHighMode == BOUND_INCLUSIVE && value > m_nIntHigh) ||
        (m_nIntHighMode == BOUND_EXCLUSIVE && value >= m_nIntHigh))
        return FALSE;
    return TRUE;
}

BOOL CQXInputMaskItem::IsFloatInRange(double value) const
{
    return RealRange{m_nFloatLowMode, m_dFloatLow, m_nFloatHighMode, m_dFloatHigh}.Accepts(value);
}

int CQXInputMaskItem::GetItemLength() const
{
    switch (m_nType)
    {
    case TYPE_TEXT:
        return (m_nTextMinLength == m_nTextMaxLength && m_nTextMaxLength > 0) ? m_nTextMaxLength
                                                                              : -1;
    case TYPE_INT:
    {
        const int minLength = _GetIntMinLength();
        return minLength == _GetIntMaxLength() ? minLength : -1;
    }
    case TYPE_FLOAT:
        return _GetFloatLength();
    case TYPE_TIME:
        return m_timeItems.GetItemsLength();
    case TYPE_STRING:
        return TextLength(m_strText);
    default:
        return -1;
    }
}

int CQXInputMaskItem::GetItemMaxLength() const
{
    switch (m_nType)
    {
    case TYPE_TEXT:
        return m_nTextMaxLength > 0 ? m_nTextMaxLength : -1;
    case TYPE_INT:
        return _GetIntMaxLength();
    case TYPE_FLOAT:
        return -1;
    case TYPE_TIME:
        return m_timeItems.GetItemsMaxLength();
    case TYPE_STRING:
        return TextLength(m_strText);
    default:
        return -1;
    }
}

int CQXInputMaskItem::GetItemMinLength() const
{
    switch (m_nType)
    {
    case TYPE_TEXT:
        return m_nTextMinLength;
    case TYPE_INT:
        return _GetIntMinLength();
    case TYPE_FLOAT:
        return _GetFloatMinLength();
    case TYPE_TIME:
        return m_timeItems.GetItemsMinLength();
    case TYPE_STRING:
        return TextLength(m_strText);
    default:
        return -1;
    }
}

// The innermost admitted values, in 64 bits so INT_MIN/INT_MAX bounds
// cannot overflow.
int CQXInputMaskItem::_GetIntMaxLength() const
{
    if (m_nIntLowMode == BOUND_NONE || m_nIntHighMode == BOUND_NONE)
        return -1;
    const long long high = m_nIntHigh - (m_nIntHighMode == BOUND_EXCLUSIVE ? 1LL : 0LL);
    const long long low = m_nIntLow + (m_nIntLowMode == BOUND_EXCLUSIVE ? 1LL : 0LL);
    return std::max(DecimalLength(high), DecimalLength(low));
}

// The shortest admitted value: "0" when the range holds it, else the bound
// nearest to zero. An unbounded side is open towards zero, so it is
// treated like a range that reaches zero.
int CQXInputMaskItem::_GetIntMinLength() const
{
    const long long low = m_nIntLow + (m_nIntLowMode == BOUND_EXCLUSIVE ? 1LL : 0LL);
    const long long high = m_nIntHigh - (m_nIntHighMode == BOUND_EXCLUSIVE ? 1LL : 0LL);
    const bool lowBounded = m_nIntLowMode != BOUND_NONE;
    const bool highBounded = m_nIntHighMode != BOUND_NONE;
    if (lowBounded && low > 0)
        return DecimalLength(low);
    if (highBounded && high < 0)
        return DecimalLength(high);
    return 1;
}

int CQXInputMaskItem::_GetFloatLength() const
{
    const bool bothInclusive =
        m_nFloatLowMode == BOUND_INCLUSIVE && m_nFloatHighMode == BOUND_INCLUSIVE;
    if (!bothInclusive || !IsCloserThanStep(m_dFloatLow, m_dFloatHigh) ||
        m_dFloatLow > m_dFloatHigh)
        return -1;
    return TextLength(RemoveZeroAfterPiont(m_strFloatLow));
}

int CQXInputMaskItem::_GetFloatMinLength() const
{
    RealRange range{m_nFloatLowMode, m_dFloatLow, m_nFloatHighMode, m_dFloatHigh};
    std::wstring lowText = m_strFloatLow;
    std::wstring highText = m_strFloatHigh;
    if (range.lowMode == BOUND_NONE)
    {
        if (range.highMode == BOUND_NONE || range.high > kRealStep)
            return 1;
        range.low = std::trunc(range.high) - 1;
        range.lowMode = BOUND_INCLUSIVE;
        lowText = FormatReal(range.low);
    }
    if (range.highMode == BOUND_NONE)
    {
        if (range.low < -kRealStep)
            return 1;
        range.high = std::trunc(range.low) + 1;
        range.highMode = BOUND_INCLUSIVE;
        highText = FormatReal(range.high);
    }
    if (range.low > range.high)
        return -1;
    if (IsCloserThanStep(range.low, range.high))
    {
        if (range.lowMode == BOUND_EXCLUSIVE || range.highMode == BOUND_EXCLUSIVE)
            return -1;
        return TextLength(RemoveZeroAfterPiont(lowText));
    }
    if (range.low >= 0)
        return SearchShortest(range, true, range.lowMode == BOUND_INCLUSIVE ? &lowText : nullptr);
    if (range.high > 0)
        return 1;
    return SearchShortest(range, false, range.highMode == BOUND_INCLUSIVE ? &highText : nullptr);
}
