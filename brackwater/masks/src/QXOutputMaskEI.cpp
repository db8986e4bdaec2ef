#include <brackwater/QXOutputMaskEI.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKDateTime.h>
#include <wincompat/ZKOleDate.h>

#include "QXMaskErrorKeys.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace
{
using Item = CQXOutputMaskItem;

const SQXMaskErrorKeys::Entry kErrorKeys[] = {
    {3001, L"STR_OM_ERR_TEXT_BADFORMAT"},        {3002, L"STR_OM_ERR_NUM_BADFORMAT"},
    {3003, L"STR_OM_ERR_NUM_BADWIDTHFRAC"},      {3004, L"STR_OM_ERR_TIME_BADFORMAT"},
    {3101, L"STR_OM_ERR_DATA_TEXT_OUTOFLEN"},    {3102, L"STR_OM_ERR_DATA_NUM_BADNUMBER"},
    {3103, L"STR_OM_ERR_DATA_NUM_LONGNUMBER"},   {3104, L"STR_OM_ERR_DATA_TIME_INVALIDDATE"},
    {3105, L"STR_OM_ERR_DATA_TIME_INVALIDTIME"}, {3106, L"STR_OM_ERR_DATA_TIME_NOYEAR"},
    {3107, L"STR_OM_ERR_DATA_TIME_NOMONTH"},     {3108, L"STR_OM_ERR_DATA_TIME_NODAY"},
    {3109, L"STR_OM_ERR_DATA_TIME_NOHOUR"},      {3110, L"STR_OM_ERR_DATA_TIME_NOMINUTE"},
    {3111, L"STR_OM_ERR_DATA_TIME_NOSECOND"},
};

struct NumberLetter
{
    wchar_t letter;
    int style;
};

const NumberLetter kNumberLetters[] = {
    {L'0', Item::STYLE_PLAIN},          {L'n', Item::STYLE_PLAIN},
    {L'N', Item::STYLE_SIGNED},         {L'p', Item::STYLE_PERCENT},
    {L'P', Item::STYLE_PERCENT_SIGNED}, {L'c', Item::STYLE_GROUPED},
    {L'C', Item::STYLE_GROUPED_SIGNED},
};

// Which date/time parts a tag needs, in the order of their "missing" codes.
enum EPart
{
    PART_YEAR = 0,
    PART_MONTH,
    PART_DAY,
    PART_HOUR,
    PART_MINUTE,
    PART_SECOND,
    PART_COUNT
};
constexpr int Need(EPart part)
{
    return 1 << part;
}
constexpr int kNeedDate = Need(PART_YEAR) | Need(PART_MONTH) | Need(PART_DAY);

struct TagRule
{
    int needs;
    const wchar_t* absent; // written when a needed part is missing (not strict)
};

// Indexed by tag number.
const TagRule kTagRules[Item::TAG_COUNT] = {
    {Need(PART_YEAR), L"    "}, {Need(PART_YEAR), L"  "},   {Need(PART_YEAR), L""},
    {Need(PART_MONTH), L"  "},  {Need(PART_MONTH), L""},    {Need(PART_DAY), L"  "},
    {Need(PART_DAY), L""},      {kNeedDate, L" "},          {kNeedDate, L"   "},
    {Need(PART_HOUR), L"  "},   {Need(PART_HOUR), L""},     {Need(PART_HOUR), L"  "},
    {Need(PART_HOUR), L""},     {Need(PART_MINUTE), L"  "}, {Need(PART_MINUTE), L""},
    {Need(PART_SECOND), L"  "}, {Need(PART_SECOND), L""},   {Need(PART_HOUR), L"  "},
    {Need(PART_HOUR), L" "},    {Need(PART_HOUR), L"  "},   {Need(PART_HOUR), L" "},
    {kNeedDate, L"  "},         {kNeedDate, L""},
};

// The six parts of a value; absent ones are normalised to -1, the form the
// calendar checks accept for "not given" (callers also pass 0 for an absent
// year, month or day).
struct DateTimeParts
{
    int values[PART_COUNT];

    DateTimeParts(int year, int month, int day, int hour, int minute, int second)
        : values{year > 0 ? year : -1,  month > 0 ? month : -1,    day > 0 ? day : -1,
                 hour >= 0 ? hour : -1, minute >= 0 ? minute : -1, second >= 0 ? second : -1}
    {
    }

    int operator[](EPart part) const { return values[part]; }
    bool Has(EPart part) const { return values[part] != -1; }

    bool AnyPresent() const
    {
        return std::any_of(std::begin(values), std::end(values), [](int v) { return v != -1; });
    }

    // The first needed part that is missing, or PART_COUNT.
    int FirstMissing(int needs) const
    {
        for (int part = 0; part < PART_COUNT; ++part)
        {
            if ((needs & (1 << part)) && values[part] == -1)
                return part;
        }
        return PART_COUNT;
    }

    bool DateIsValid() const
    {
        return SZKDateTime::CheckDate(values[0], values[1], values[2]) != FALSE;
    }
    bool TimeIsValid() const
    {
        return SZKDateTime::CheckTime(values[3], values[4], values[5]) != FALSE;
    }
};

// Decimal digits of value, zero-padded to minDigits. Never depends on the
// process locale.
std::wstring Digits(long long value, int minDigits = 0)
{
    const bool negative = value < 0;
    std::wstring digits = std::to_wstring(negative ? -value : value);
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), L'0');
    return negative ? L"-" + digits : digits;
}

int ShortHour(int hour)
{
    const int shortHour = hour % 12;
    return shortHour == 0 ? 12 : shortHour;
}

// The text of a tag whose parts are all present; FALSE when a derived value
// (weekday, day or week of the year) cannot be computed for this date.
bool TagValue(int tag, const DateTimeParts& p, std::wstring& out)
{
    const int hour = p[PART_HOUR];
    switch (tag)
    {
    case Item::TAG_YYYY:
        out = Digits(p[PART_YEAR], 4);
        return true;
    case Item::TAG_YY:
        out = Digits(p[PART_YEAR] % 100, 2);
        return true;
    case Item::TAG_Y:
        out = Digits(p[PART_YEAR]);
        return true;
    case Item::TAG_MM:
        out = Digits(p[PART_MONTH], 2);
        return true;
    case Item::TAG_M:
        out = Digits(p[PART_MONTH]);
        return true;
    case Item::TAG_DD:
        out = Digits(p[PART_DAY], 2);
        return true;
    case Item::TAG_D:
        out = Digits(p[PART_DAY]);
        return true;
    case Item::TAG_HH:
        out = Digits(hour, 2);
        return true;
    case Item::TAG_H:
        out = Digits(hour);
        return true;
    case Item::TAG_HH12:
        out = Digits(ShortHour(hour), 2);
        return true;
    case Item::TAG_H12:
        out = Digits(ShortHour(hour));
        return true;
    case Item::TAG_MI2:
        out = Digits(p[PART_MINUTE], 2);
        return true;
    case Item::TAG_MI:
        out = Digits(p[PART_MINUTE]);
        return true;
    case Item::TAG_SS:
        out = Digits(p[PART_SECOND], 2);
        return true;
    case Item::TAG_S:
        out = Digits(p[PART_SECOND]);
        return true;
    case Item::TAG_AMPM_UPPER2:
        out = hour < 12 ? L"AM" : L"PM";
        return true;
    case Item::TAG_AMPM_UPPER1:
        out = hour < 12 ? L"A" : L"P";
        return true;
    case Item::TAG_AMPM_LOWER2:
        out = hour < 12 ? L"am" : L"pm";
        return true;
    case Item::TAG_AMPM_LOWER1:
        out = hour < 12 ? L"a" : L"p";
        return true;
    default:
        break;
    }
    // The derived tags need a real calendar date.
    if (!p.DateIsValid())
        return false;
    const CZKOleDate date(p[PART_YEAR], p[PART_MONTH], p[PART_DAY]);
    int week = 0;
    switch (tag)
    {
    case Item::TAG_DOW:
        if (!date.IsValid())
            return false;
        out = Digits(date.DayOfWeek() + 1);
        return true;
    case Item::TAG_DOY:
        if (!date.IsValid())
            return false;
        out = Digits(date.DayOfYear(), 3);
        return true;
    case Item::TAG_WW:
    case Item::TAG_W:
        if (!SZKDateTime::GetWeekOfYear(p[PART_YEAR], p[PART_MONTH], p[PART_DAY], week))
            return false;
        out = Digits(week, tag == Item::TAG_WW ? 2 : 0);
        return true;
    default:
        return false;
    }
}

// A selection position: 1-based from the start, negative from the end.
long long SelectionStart(const Item& item, long long length)
{
    if (item.m_nStart > 0)
        return item.m_nStart - 1LL;
    if (item.m_nStart < 0)
        return length + item.m_nStart;
    return 0;
}

long long SelectionEnd(const Item& item, long long start, long long length)
{
    if (item.m_nCount > 0)
        return start + item.m_nCount - 1;
    if (item.m_nEnd > 0)
        return item.m_nEnd - 1LL;
    if (item.m_nEnd < 0)
        return length + item.m_nEnd;
    return length; // one past the last character: up to the end
}

// The characters from s to e, clipped to the value; backwards when e < s.
std::wstring CopyRange(const std::wstring& value, long long s, long long e)
{
    const long long last = static_cast<long long>(value.size()) - 1;
    std::wstring out;
    if (e >= s)
    {
        const long long from = std::max(s, 0LL);
        const long long to = std::min(e, last);
        if (from <= to)
            out.assign(value, static_cast<size_t>(from), static_cast<size_t>(to - from + 1));
        return out;
    }
    const long long from = std::min(s, last);
    const long long to = std::max(e, 0LL);
    for (long long i = from; i >= to; --i)
        out += value[static_cast<size_t>(i)];
    return out;
}

// The absolute value with fracDigits fraction digits, rounded as a
// fixed-point printf would, always with '.' as the point.
std::wstring FixedPoint(double value, int fracDigits)
{
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), std::fabs(value),
                                      std::chars_format::fixed, fracDigits);
    if (result.ec != std::errc())
        return L"0";
    return std::wstring(buffer, result.ptr);
}

std::wstring GroupThousands(const std::wstring& digits)
{
    std::wstring out;
    const size_t count = digits.size();
    for (size_t i = 0; i < count; ++i)
    {
        if (i > 0 && (count - i) % 3 == 0)
            out += L',';
        out += digits[i];
    }
    return out;
}

bool IsPercent(int style)
{
    return style == Item::STYLE_PERCENT || style == Item::STYLE_PERCENT_SIGNED;
}

bool IsSigned(int style)
{
    return style == Item::STYLE_SIGNED || style == Item::STYLE_PERCENT_SIGNED ||
           style == Item::STYLE_GROUPED_SIGNED;
}

bool IsGrouped(int style)
{
    return style == Item::STYLE_GROUPED || style == Item::STYLE_GROUPED_SIGNED;
}

// Sign, grouping, fraction and percent of a number, before padding.
std::wstring NumberText(double number, const Item& item)
{
    const int fracDigits = item.m_nFracDigits < 0 ? 6 : item.m_nFracDigits;
    const std::wstring fixed = FixedPoint(number, fracDigits);
    const size_t point = fixed.find(L'.');
    std::wstring integer = fixed.substr(0, point);
    if (integer.empty())
        integer = L"0";
    if (IsGrouped(item.m_nStyle))
        integer = GroupThousands(integer);
    std::wstring text;
    if (number < 0)
        text = L"-";
    else if (IsSigned(item.m_nStyle))
        text = L"+";
    text += integer;
    if (point != std::wstring::npos)
        text += fixed.substr(point);
    if (IsPercent(item.m_nStyle))
        text += L'%';
    return text;
}

// Pads text to the item's width; FALSE when it is wider than that.
bool PadToWidth(std::wstring& text, const Item& item)
{
    if (item.m_nWidth == 0)
        return true;
    const long long width = std::llabs(static_cast<long long>(item.m_nWidth));
    const long long length = static_cast<long long>(text.size());
    if (length > width)
        return false;
    const std::wstring padding(static_cast<size_t>(width - length), item.m_chPad);
    text = item.m_nWidth > 0 ? padding + text : text + padding;
    return true;
}

// The width is padding the mask asks for: an absurd one would only ask for
// absurd memory.
bool IsSaneWidth(int width)
{
    return std::llabs(static_cast<long long>(width)) <= CQXOutputMaskEI::MaxWidth;
}

BOOL Fail(DWORD failure, DWORD& code)
{
    code = failure;
    return FALSE;
}
} // namespace

// ---- parsing ---------------------------------------------------------------

BOOL CQXOutputMaskEI::Parse(const std::wstring& mask, CQXOutputMaskItemList& list, DWORD& code)
{
    list.RemoveAll();
    code = 0;
    try
    {
        CQXOutputMaskEI parser;
        parser.m_gei.SetExpression(mask);
        if (parser._ParseItems(list))
            return TRUE;
        code = parser.m_gei.GetError() != 0 ? parser.m_gei.GetError() : ERR_INTERNAL;
    }
    catch (...)
    {
        code = ERR_INTERNAL;
    }
    list.RemoveAll();
    return FALSE;
}

BOOL CQXOutputMaskEI::_ParseItems(CQXOutputMaskItemList& list)
{
    for (;;)
    {
        const wchar_t ch = m_gei.Get();
        if (CZKGEI::Is_EOF(ch))
            return TRUE;
        auto item = std::make_unique<CQXOutputMaskItem>();
        if (!_ParseItem(ch, *item))
            return FALSE;
        list.Add(item.release());
    }
}

BOOL CQXOutputMaskEI::_ParseItem(wchar_t current, CQXOutputMaskItem& item)
{
    if (CZKGEI::Is_StringDelimiter(current))
    {
        item.m_nType = Item::TYPE_STRING;
        m_gei.Unget();
        return m_gei.Get_String(item.m_strText);
    }
    if (Is_TextType(current))
        return Get_TextItem(current, item);
    if (Is_NumberType(current))
        return Get_NumberItem(current, item);
    if (Is_TimeType(current))
        return Get_TimeItem(current, item);
    return _Fail(CZKGEI::ERR_UNEXPECTED_CHAR);
}

BOOL CQXOutputMaskEI::_Fail(DWORD code)
{
    m_gei.SetError(code);
    return FALSE;
}

BOOL CQXOutputMaskEI::Is_NumberType(wchar_t ch)
{
    int style = 0;
    return Is_NumberType(ch, style);
}

BOOL CQXOutputMaskEI::Is_NumberType(wchar_t ch, int& style)
{
    for (const NumberLetter& entry : kNumberLetters)
    {
        if (entry.letter == ch)
        {
            style = entry.style;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CQXOutputMaskEI::Is_TimeType(wchar_t ch)
{
    return std::wstring(L"DHMTdhmstwy").find(ch) != std::wstring::npos ? TRUE : FALSE;
}

BOOL CQXOutputMaskEI::_GetSelection(CQXOutputMaskItem& item)
{
    item.m_bSelection = TRUE;
    item.m_nStart = 0;
    item.m_nEnd = 0;
    item.m_chDelimiter = 0;
    item.m_nCount = -1;
    if (!m_gei.Get(L'*', FALSE, FALSE, FALSE) && !m_gei.Get_Int(item.m_nStart))
        return FALSE;
    wchar_t ch = m_gei.Get();
    if (ch == L',')
    {
        if (m_gei.Get(L'*', FALSE, FALSE, FALSE))
            item.m_nEnd = 0;
        else if (CZKGEI::Is_CharDelimiter(m_gei.Peek()))
        {
            // A token delimiter counts tokens from the start.
            if (!m_gei.Get_Char(item.m_chDelimiter) || item.m_chDelimiter == 0 || item.m_nStart < 0)
                return FALSE;
        }
        else if (!m_gei.Get_Int(item.m_nEnd))
            return FALSE;
        ch = m_gei.Get();
    }
    else if (ch == L';')
    {
        m_gei.SkipBlanks();
        if (!m_gei.Get_Int(item.m_nCount) || item.m_nCount <= 0)
            return FALSE;
        ch = m_gei.Get();
    }
    return ch == L']' ? TRUE : FALSE;
}

BOOL CQXOutputMaskEI::Get_TextItem(wchar_t /*current*/, CQXOutputMaskItem& item)
{
    item.m_nType = Item::TYPE_TEXT;
    return _GetSelection(item) ? TRUE : _Fail(ERR_TEXT_BADFORMAT);
}

BOOL CQXOutputMaskEI::Get_NumberItem(wchar_t current, CQXOutputMaskItem& item)
{
    item.m_nType = Item::TYPE_NUMBER;
    if (!Is_NumberType(current, item.m_nStyle))
        return _Fail(ERR_NUM_BADFORMAT);
    if (current == L'0')
    {
        // "0w": the whole value, zero-padded, no fraction.
        item.m_nFracDigits = 0;
        item.m_chPad = L'0';
        return m_gei.Get_Int_NoSign(item.m_nWidth) && IsSaneWidth(item.m_nWidth) ? TRUE : _Fail(ERR_NUM_BADFORMAT);
    }
    if (!m_gei.Get(L'<', FALSE, FALSE, FALSE))
        return _Fail(ERR_NUM_BADFORMAT);
    return _GetNumberBody(item);
}

BOOL CQXOutputMaskEI::_GetNumberBody(CQXOutputMaskItem& item)
{
    if (m_gei.Get(L'[', FALSE, FALSE, FALSE) &&
        (!_GetSelection(item) || !m_gei.Get(L',', FALSE, FALSE, FALSE)))
        return _Fail(ERR_NUM_BADFORMAT);
    item.m_nWidth = 0;
    if (!m_gei.Get(L'*', FALSE, FALSE, FALSE) && !(m_gei.Get_Int(item.m_nWidth) && IsSaneWidth(item.m_nWidth)))
        return _Fail(ERR_NUM_BADFORMAT);
    if (!m_gei.Get(L',', FALSE, FALSE, FALSE))
        return _Fail(ERR_NUM_BADFORMAT);
    if (m_gei.Get(L'*', FALSE, FALSE, FALSE))
        item.m_nFracDigits = -1;
    else
    {
        if (!m_gei.Get_Int(item.m_nFracDigits))
            return _Fail(ERR_NUM_BADFORMAT);
        const long long width = std::llabs(static_cast<long long>(item.m_nWidth));
        if (item.m_nFracDigits < 0 || item.m_nFracDigits > MaxFracDigits ||
            (width != 0 && item.m_nFracDigits >= width))
            return _Fail(ERR_NUM_BADWIDTHFRAC);
    }
    item.m_chPad = L' ';
    if (m_gei.Get(L',', FALSE, FALSE, FALSE))
    {
        m_gei.SkipBlanks();
        if (!m_gei.Get_Char(item.m_chPad))
            return _Fail(ERR_NUM_BADFORMAT);
    }
    return m_gei.Get(L'>', FALSE, FALSE, FALSE) ? TRUE : _Fail(ERR_NUM_BADFORMAT);
}

BOOL CQXOutputMaskEI::Get_TimeTag(wchar_t current, int& tag)
{
    std::wstring run(1, current);
    while (m_gei.Peek(TRUE, TRUE, TRUE) == current)
        run += m_gei.Get(TRUE, TRUE, TRUE);
    tag = CQXOutputMaskItem::FindTag(run);
    return tag >= 0 ? TRUE : _Fail(ERR_TIME_BADFORMAT);
}

BOOL CQXOutputMaskEI::Get_TimeItem(wchar_t current, CQXOutputMaskItem& item)
{
    item.m_nType = Item::TYPE_TIME;
    if (!Get_TimeTag(current, item.m_nTag))
        return FALSE;
    if (!m_gei.Get(L'<', FALSE, FALSE, FALSE))
        return TRUE;
    if (m_gei.Get(L'[', FALSE, FALSE, FALSE) && !_GetSelection(item))
        return _Fail(ERR_TIME_BADFORMAT);
    return m_gei.Get(L'>', FALSE, FALSE, FALSE) ? TRUE : _Fail(ERR_TIME_BADFORMAT);
}

// ---- formatting ------------------------------------------------------------

BOOL CQXOutputMaskEI::Format(const CQXOutputMaskItemList& list, const std::wstring& value, int year,
                             int month, int day, int hour, int minute, int second, BOOL strictText,
                             BOOL strictNumber, BOOL strictTime, std::wstring& text, DWORD& code)
{
    code = 0;
    try
    {
        if (list.IsEmpty())
        {
            if (!value.empty())
            {
                text = value;
                return TRUE;
            }
            if (!DateTimeParts(year, month, day, hour, minute, second).AnyPresent())
            {
                text.clear();
                return TRUE;
            }
            std::wstring date;
            std::wstring time;
            if (!FormatDefaultDate(year, month, day, date))
                return Fail(ERR_DATA_TIME_INVALIDDATE, code);
            if (!FormatDefaultTime(hour, minute, second, time))
                return Fail(ERR_DATA_TIME_INVALIDTIME, code);
            text = date + time;
            return TRUE;
        }
        for (int i = 0; i < list.GetCount(); ++i)
        {
            if (!Format(*list.Get(i), value, year, month, day, hour, minute, second, strictText,
                        strictNumber, strictTime, text, code))
                return FALSE;
        }
        return TRUE;
    }
    catch (...)
    {
        return Fail(ERR_INTERNAL, code);
    }
}

BOOL CQXOutputMaskEI::Format(const CQXOutputMaskItem& item, const std::wstring& value, int year,
                             int month, int day, int hour, int minute, int second, BOOL strictText,
                             BOOL strictNumber, BOOL strictTime, std::wstring& text, DWORD& code)
{
    code = 0;
    // Items may be built by hand, with any width: running out of memory is
    // reported by code like every other failure.
    try
    {
        switch (item.m_nType)
        {
        case Item::TYPE_TEXT:
            return Format_Text(item, value, strictText, text, code);
        case Item::TYPE_NUMBER:
            return Format_Number(item, value, strictText, strictNumber, text, code);
        case Item::TYPE_TIME:
            return Format_Time(item, year, month, day, hour, minute, second, strictTime, text, code);
        case Item::TYPE_STRING:
            text += item.m_strText;
            return TRUE;
        default:
            return Fail(ERR_INTERNAL, code);
        }
    }
    catch (...)
    {
        return Fail(ERR_INTERNAL, code);
    }
}

BOOL CQXOutputMaskEI::Format_Text(const CQXOutputMaskItem& item, const std::wstring& value,
                                  BOOL strict, std::wstring& text, DWORD& code)
{
    if (item.m_chDelimiter != 0)
    {
        const std::vector<std::wstring> tokens =
            SZKCommon::SplitCommandLine(value, item.m_chDelimiter);
        const size_t index = static_cast<size_t>(std::max(item.m_nStart, 1));
        if (tokens.size() < index)
            return strict ? Fail(ERR_DATA_TEXT_OUTOFLEN, code) : TRUE;
        text += tokens[index - 1];
        return TRUE;
    }
    const long long length = static_cast<long long>(value.size());
    const long long s = SelectionStart(item, length);
    const long long e = SelectionEnd(item, s, length);
    if (strict && (s < 0 || s >= length || e < 0 || e >= length))
        return Fail(ERR_DATA_TEXT_OUTOFLEN, code);
    text += CopyRange(value, s, e);
    return TRUE;
}

BOOL CQXOutputMaskEI::Format_Number(const CQXOutputMaskItem& item, const std::wstring& value,
                                    BOOL strictText, BOOL strictNumber, std::wstring& text,
                                    DWORD& code)
{
    if (item.m_nType != Item::TYPE_NUMBER)
        return Fail(ERR_INTERNAL, code);
    std::wstring selected;
    if (!item.m_bSelection)
        selected = value;
    else if (!Format_Text(item, value, strictText, selected, code))
        return FALSE;
    CZKGEI reader(selected);
    reader.SkipBlanks();
    double number = 0.0;
    if (!reader.Get_Float(number))
    {
        if (strictNumber)
            return Fail(ERR_DATA_NUM_BADNUMBER, code);
        number = 0.0;
    }
    if (IsPercent(item.m_nStyle))
        number *= 100.0;
    if (!std::isfinite(number))
    {
        if (strictNumber)
            return Fail(ERR_DATA_NUM_BADNUMBER, code);
        number = 0.0;
    }
    std::wstring formatted = NumberText(number, item);
    if (!PadToWidth(formatted, item) && strictNumber)
        return Fail(ERR_DATA_NUM_LONGNUMBER, code);
    text += formatted;
    return TRUE;
}

BOOL CQXOutputMaskEI::Format_Time(const CQXOutputMaskItem& item, int year, int month, int day,
                                  int hour, int minute, int second, BOOL strict, std::wstring& text,
                                  DWORD& code)
{
    if (item.m_nTag < 0 || item.m_nTag >= Item::TAG_COUNT)
        return Fail(ERR_INTERNAL, code);
    const DateTimeParts parts(year, month, day, hour, minute, second);
    const TagRule& rule = kTagRules[item.m_nTag];
    if (strict)
    {
        if (!parts.DateIsValid())
            return Fail(ERR_DATA_TIME_INVALIDDATE, code);
        if (!parts.TimeIsValid())
            return Fail(ERR_DATA_TIME_INVALIDTIME, code);
        const int missing = parts.FirstMissing(rule.needs);
        if (missing != PART_COUNT)
            return Fail(ERR_DATA_TIME_NOYEAR + static_cast<DWORD>(missing), code);
    }
    std::wstring part;
    if (parts.FirstMissing(rule.needs) != PART_COUNT || !TagValue(item.m_nTag, parts, part))
    {
        // Only a date outside the calendar conversion gets here when strict.
        if (strict)
            return Fail(ERR_DATA_TIME_INVALIDDATE, code);
        part = rule.absent;
    }
    text += part;
    return TRUE;
}

BOOL CQXOutputMaskEI::FormatDefaultDate(int year, int month, int day, std::wstring& text)
{
    text = (year > 0 ? Digits(year, 4) : L"yyyy") + (month > 0 ? Digits(month, 2) : L"MM") +
           (day > 0 ? Digits(day, 2) : L"dd");
    const DateTimeParts parts(year, month, day, -1, -1, -1);
    return parts.DateIsValid() && text.size() == 8 ? TRUE : FALSE;
}

BOOL CQXOutputMaskEI::FormatDefaultTime(int hour, int minute, int second, std::wstring& text)
{
    text = (hour >= 0 ? Digits(hour, 2) : L"HH") + (minute >= 0 ? Digits(minute, 2) : L"mm") +
           (second >= 0 ? Digits(second, 2) : L"ss");
    const DateTimeParts parts(-1, -1, -1, hour, minute, second);
    return parts.TimeIsValid() && text.size() == 6 ? TRUE : FALSE;
}

// ---- messages --------------------------------------------------------------

const wchar_t* CQXOutputMaskEI::GetErrorKey(DWORD code)
{
    return SQXMaskErrorKeys::Find(kErrorKeys, code);
}

BOOL CQXOutputMaskEI::GetErrorMessage(DWORD code, std::wstring& text, BOOL loadText)
{
    return SQXMaskErrorKeys::Message(code, GetErrorKey(code), text, loadText,
                                     &CZKGEI::GetErrorMessage);
}
