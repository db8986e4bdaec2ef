#include <brackwater/QXTimeInputMaskEI.h>

#include <hollin/ZKDateTime.h>

#include "QXMaskErrorKeys.h"

namespace
{
using Item = CQXTimeInputMaskItem;

struct TagEntry
{
    const wchar_t* tag;
    int type;
};

// Matched in this order, exactly and case-sensitively.
const TagEntry kTags[] = {
    {L"yyyy", Item::TYPE_YYYY}, {L"yy", Item::TYPE_YY},   {L"MM", Item::TYPE_MM},
    {L"dd", Item::TYPE_DD},     {L"DDD", Item::TYPE_DDD}, {L"HH", Item::TYPE_HH},
    {L"hh", Item::TYPE_HH12},   {L"mm", Item::TYPE_MI},   {L"ss", Item::TYPE_SS},
    {L"TT", Item::TYPE_TT},     {L"T", Item::TYPE_T},     {L"tt", Item::TYPE_TT_LOWER},
    {L"t", Item::TYPE_T_LOWER},
};

// Whether tag is exactly length times letter.
bool IsRunOf(const wchar_t* tag, wchar_t letter, size_t length)
{
    size_t i = 0;
    for (; tag[i] != L'\0'; ++i)
    {
        if (tag[i] != letter)
            return false;
    }
    return i == length;
}

// Each tag belongs to one group that a mask may hold only once.
enum EGroup
{
    GROUP_YEAR = 1 << 0,
    GROUP_MONTH = 1 << 1,
    GROUP_DAY = 1 << 2,
    GROUP_HOUR = 1 << 3,
    GROUP_MINUTE = 1 << 4,
    GROUP_SECOND = 1 << 5,
    GROUP_AMPM = 1 << 6,
};

struct GroupEntry
{
    int group;
    DWORD duplicateCode;
};

GroupEntry GroupOf(int type)
{
    switch (type)
    {
    case Item::TYPE_YYYY:
    case Item::TYPE_YY:
        return {GROUP_YEAR, CQXTimeInputMaskEI::ERR_YEAREXIST};
    case Item::TYPE_MM:
        return {GROUP_MONTH, CQXTimeInputMaskEI::ERR_MONTHEXIST};
    case Item::TYPE_DD:
    case Item::TYPE_DDD:
        return {GROUP_DAY, CQXTimeInputMaskEI::ERR_DAYEXIST};
    case Item::TYPE_HH:
    case Item::TYPE_HH12:
        return {GROUP_HOUR, CQXTimeInputMaskEI::ERR_HOUREXIST};
    case Item::TYPE_MI:
        return {GROUP_MINUTE, CQXTimeInputMaskEI::ERR_MINUTEEXIST};
    case Item::TYPE_SS:
        return {GROUP_SECOND, CQXTimeInputMaskEI::ERR_SECONDEXIST};
    default:
        return {GROUP_AMPM, CQXTimeInputMaskEI::ERR_TTEXIST};
    }
}

const SQXMaskErrorKeys::Entry kErrorKeys[] = {
    {1001, L"STR_TIMEIM_ERR_BADFORMAT"},
    {1002, L"STR_TIMEIM_ERR_YEAREXIST"},
    {1003, L"STR_TIMEIM_ERR_MONTHEXIST"},
    {1004, L"STR_TIMEIM_ERR_DAYEXIST"},
    {1005, L"STR_TIMEIM_ERR_HOUREXIST"},
    {1006, L"STR_TIMEIM_ERR_MINUTEEXIST"},
    {1007, L"STR_TIMEIM_ERR_SECONDEXIST"},
    {1008, L"STR_TIMEIM_ERR_TTEXIST"},
    {1009, L"STR_TIMEIM_ERR_DDDWITHOUTYEAR"},
    {1010, L"STR_TIMEIM_ERR_DDDWITHMONTH"},
    {1011, L"STR_TIMEIM_ERR_TTWITHHH"},
    {1012, L"STR_TIMEIM_ERR_TTWITHOUTHH"},
    {1013, L"STR_TIMEIM_ERR_EMPTY"},
    {1014, L"STR_TIMEIM_ERR_VARIOUS"},
    {1101, L"STR_TIMEIM_ERR_DATA_INCOMPLETE"},
    {1102, L"STR_TIMEIM_ERR_DATA_BAD_YYYY"},
    {1103, L"STR_TIMEIM_ERR_DATA_BAD_YY"},
    {1104, L"STR_TIMEIM_ERR_DATA_BAD_MM_MONTH"},
    {1105, L"STR_TIMEIM_ERR_DATA_BAD_DD"},
    {1106, L"STR_TIMEIM_ERR_DATA_BAD_DDD"},
    {1107, L"STR_TIMEIM_ERR_DATA_BAD_HH"},
    {1108, L"STR_TIMEIM_ERR_DATA_BAD_HH_SHORT"},
    {1109, L"STR_TIMEIM_ERR_DATA_BAD_MM_MINUTE"},
    {1110, L"STR_TIMEIM_ERR_DATA_BAD_SS"},
    {1111, L"STR_TIMEIM_ERR_DATA_BAD_TT"},
    {1112, L"STR_TIMEIM_ERR_DATA_BAD_T"},
    {1113, L"STR_TIMEIM_ERR_DATA_BAD_TT_LOWER"},
    {1114, L"STR_TIMEIM_ERR_DATA_BAD_T_LOWER"},
    {1115, L"STR_TIMEIM_ERR_DATA_BAD_STRING"},
    {1116, L"STR_TIMEIM_ERR_DATA_TOOMUCH"},
    {1117, L"STR_TIMEIM_ERR_DATA_INVALID_DATE"},
    {1118, L"STR_TIMEIM_ERR_DATA_INVALID_TIME"},
};

// What the value's parts said, before the date and time are checked.
struct TimeParts
{
    int year = -1;
    int month = -1;
    int day = -1;
    int dayOfYear = -1;
    int hour = -1;
    int shortHour = -1;
    bool isPM = false;
    int minute = -1;
    int second = -1;
};

BOOL ReadDigits(const std::wstring& part, int digits, int& value)
{
    return CQXTimeInputMaskEI::ValidateNumber(part, digits, digits, value);
}

// An AM/PM part: am and pm are its two allowed spellings.
DWORD ReadMarker(const std::wstring& part, const wchar_t* am, const wchar_t* pm, DWORD badCode,
                 TimeParts& parts)
{
    if (part == am)
        parts.isPM = false;
    else if (part == pm)
        parts.isPM = true;
    else
        return badCode;
    return 0;
}

DWORD CheckPart(const CQXTimeInputMaskItem& item, const std::wstring& part, TimeParts& parts)
{
    int n = 0;
    switch (item.m_nType)
    {
    case Item::TYPE_YYYY:
        if (!ReadDigits(part, 4, parts.year))
            return CQXTimeInputMaskEI::ERR_DATA_BAD_YYYY;
        return 0;
    case Item::TYPE_YY:
        if (!ReadDigits(part, 2, n))
            return CQXTimeInputMaskEI::ERR_DATA_BAD_YY;
        parts.year = n < 80 ? 2000 + n : 1900 + n;
        return 0;
    case Item::TYPE_MM:
        return ReadDigits(part, 2, parts.month) ? 0 : CQXTimeInputMaskEI::ERR_DATA_BAD_MM_MONTH;
    case Item::TYPE_DD:
        return ReadDigits(part, 2, parts.day) ? 0 : CQXTimeInputMaskEI::ERR_DATA_BAD_DD;
    case Item::TYPE_DDD:
        return ReadDigits(part, 3, parts.dayOfYear) ? 0 : CQXTimeInputMaskEI::ERR_DATA_BAD_DDD;
    case Item::TYPE_HH:
        if (!ReadDigits(part, 2, n) || n > 23)
            return CQXTimeInputMaskEI::ERR_DATA_BAD_HH;
        parts.hour = n;
        return 0;
    case Item::TYPE_HH12:
        if (!ReadDigits(part, 2, n) || n < 1 || n > 12)
            return CQXTimeInputMaskEI::ERR_DATA_BAD_HH_SHORT;
        parts.shortHour = n;
        return 0;
    case Item::TYPE_MI:
        return ReadDigits(part, 2, parts.minute) ? 0 : CQXTimeInputMaskEI::ERR_DATA_BAD_MM_MINUTE;
    case Item::TYPE_SS:
        return ReadDigits(part, 2, parts.second) ? 0 : CQXTimeInputMaskEI::ERR_DATA_BAD_SS;
    case Item::TYPE_TT:
        return ReadMarker(part, L"AM", L"PM", CQXTimeInputMaskEI::ERR_DATA_BAD_TT, parts);
    case Item::TYPE_T:
        return ReadMarker(part, L"A", L"P", CQXTimeInputMaskEI::ERR_DATA_BAD_T, parts);
    case Item::TYPE_TT_LOWER:
        return ReadMarker(part, L"am", L"pm", CQXTimeInputMaskEI::ERR_DATA_BAD_TT_LOWER, parts);
    case Item::TYPE_T_LOWER:
        return ReadMarker(part, L"a", L"p", CQXTimeInputMaskEI::ERR_DATA_BAD_T_LOWER, parts);
    case Item::TYPE_STRING:
        return part == item.m_strText ? 0 : CQXTimeInputMaskEI::ERR_DATA_BAD_STRING;
    default:
        return CQXTimeInputMaskEI::ERR_INTERNAL;
    }
}

DWORD CheckDate(TimeParts& parts)
{
    if (!SZKDateTime::CheckYear(parts.year))
        return CQXTimeInputMaskEI::ERR_DATA_INVALID_DATE;
    if (parts.dayOfYear != -1)
    {
        if (!SZKDateTime::CheckDOY(parts.year, parts.dayOfYear) ||
            !SZKDateTime::DOY_Date(parts.year, parts.dayOfYear, parts.month, parts.day))
            return CQXTimeInputMaskEI::ERR_DATA_INVALID_DATE;
    }
    return SZKDateTime::CheckDate(parts.year, parts.month, parts.day)
               ? 0
               : CQXTimeInputMaskEI::ERR_DATA_INVALID_DATE;
}

// hh without an AM/PM part reads as a morning hour.
DWORD CheckTime(TimeParts& parts)
{
    if (parts.hour == -1 && parts.shortHour != -1 &&
        !SZKDateTime::ShortHour_Hour(parts.shortHour, parts.isPM ? TRUE : FALSE, parts.hour))
        return CQXTimeInputMaskEI::ERR_DATA_INVALID_TIME;
    return SZKDateTime::CheckTime(parts.hour, parts.minute, parts.second)
               ? 0
               : CQXTimeInputMaskEI::ERR_DATA_INVALID_TIME;
}

DWORD CheckWholeValue(const CQXTimeInputMaskItemList& list, const std::wstring& value,
                      TimeParts& parts)
{
    size_t pos = 0;
    for (int i = 0; i < list.GetCount(); ++i)
    {
        const CQXTimeInputMaskItem& item = *list.Get(i);
        const int width = item.GetItemLength();
        if (width < 0)
            return CQXTimeInputMaskEI::ERR_VARIOUS;
        if (pos + static_cast<size_t>(width) > value.size())
            return CQXTimeInputMaskEI::ERR_DATA_INCOMPLETE;
        const DWORD code = CheckPart(item, value.substr(pos, static_cast<size_t>(width)), parts);
        if (code != 0)
            return code;
        pos += static_cast<size_t>(width);
    }
    if (pos != value.size())
        return CQXTimeInputMaskEI::ERR_DATA_TOOMUCH;
    const DWORD dateCode = CheckDate(parts);
    return dateCode != 0 ? dateCode : CheckTime(parts);
}
} // namespace

BOOL CQXTimeInputMaskEI::Is_TimeTag(wchar_t ch)
{
    switch (ch)
    {
    case L'D':
    case L'H':
    case L'M':
    case L'T':
    case L'd':
    case L'h':
    case L'm':
    case L's':
    case L't':
    case L'y':
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CQXTimeInputMaskEI::Get_TimeTag(wchar_t current, std::wstring& tag)
{
    int type = 0;
    if (!Get_TimeTag(current, type))
        return FALSE;
    for (const TagEntry& entry : kTags)
    {
        if (entry.type == type)
            tag = entry.tag;
    }
    return TRUE;
}

BOOL CQXTimeInputMaskEI::Get_TimeTag(wchar_t current, int& type)
{
    // Every tag is a run of one letter, so the run's length names it; no
    // text is built for it.
    size_t length = 1;
    for (; m_gei.Peek(TRUE, TRUE, TRUE) == current; ++length)
        m_gei.Get(TRUE, TRUE, TRUE);
    for (const TagEntry& entry : kTags)
    {
        if (IsRunOf(entry.tag, current, length))
        {
            type = entry.type;
            return TRUE;
        }
    }
    m_gei.SetError(ERR_BADFORMAT);
    return FALSE;
}

BOOL CQXTimeInputMaskEI::_ParseItem(wchar_t current, CQXTimeInputMaskItemList& list,
                                    int& presentGroups)
{
    if (CZKGEI::Is_StringDelimiter(current))
    {
        m_gei.Unget();
        std::wstring text;
        if (!m_gei.Get_String(text))
            return FALSE;
        return list.Add(new CQXTimeInputMaskItem(Item::TYPE_STRING, text));
    }
    if (!Is_TimeTag(current))
    {
        m_gei.SetError(CZKGEI::ERR_UNEXPECTED_CHAR);
        return FALSE;
    }
    int type = 0;
    if (!Get_TimeTag(current, type))
        return FALSE;
    const GroupEntry group = GroupOf(type);
    if (presentGroups & group.group)
    {
        m_gei.SetError(group.duplicateCode);
        return FALSE;
    }
    presentGroups |= group.group;
    return list.Add(new CQXTimeInputMaskItem(type));
}

BOOL CQXTimeInputMaskEI::_ParseItems(CQXTimeInputMaskItemList& list)
{
    int presentGroups = 0;
    for (wchar_t ch = m_gei.Get(); !CZKGEI::Is_EOF(ch); ch = m_gei.Get())
    {
        if (!_ParseItem(ch, list, presentGroups))
            return FALSE;
    }
    return TRUE;
}

BOOL CQXTimeInputMaskEI::CheckItems(const CQXTimeInputMaskItemList& list, DWORD& code)
{
    bool hasYear = false, hasMonth = false, hasDDD = false, hasHH = false, hasShortHour = false,
         hasMarker = false;
    for (int i = 0; i < list.GetCount(); ++i)
    {
        const int type = list.Get(i)->m_nType;
        hasYear = hasYear || type == Item::TYPE_YYYY || type == Item::TYPE_YY;
        hasMonth = hasMonth || type == Item::TYPE_MM;
        hasDDD = hasDDD || type == Item::TYPE_DDD;
        hasHH = hasHH || type == Item::TYPE_HH;
        hasShortHour = hasShortHour || type == Item::TYPE_HH12;
        hasMarker = hasMarker || (type >= Item::TYPE_TT && type <= Item::TYPE_T_LOWER);
    }
    code = 0;
    if (hasDDD && !hasYear)
        code = ERR_DDDWITHOUTYEAR;
    else if (hasDDD && hasMonth)
        code = ERR_DDDWITHMONTH;
    else if (hasMarker && hasHH)
        code = ERR_TTWITHHH;
    else if (hasMarker && !hasShortHour)
        code = ERR_TTWITHOUTHH;
    else if (list.GetCount() == 0)
        code = ERR_EMPTY;
    for (int i = 0; code == 0 && i + 1 < list.GetCount(); ++i)
    {
        if (list.Get(i)->GetItemLength() < 0)
            code = ERR_VARIOUS;
    }
    return code == 0;
}

BOOL CQXTimeInputMaskEI::Parse(const std::wstring& mask, CQXTimeInputMaskItemList& list,
                               DWORD& code)
{
    code = 0;
    try
    {
        list.RemoveAll();
        CQXTimeInputMaskEI parser;
        parser.m_gei.SetExpression(mask);
        if (!parser._ParseItems(list))
            code = parser.m_gei.GetError() != 0 ? parser.m_gei.GetError()
                                                : static_cast<DWORD>(ERR_INTERNAL);
        else
            CheckItems(list, code);
    }
    catch (...)
    {
        code = ERR_INTERNAL;
    }
    if (code == 0)
        return TRUE;
    list.RemoveAll();
    return FALSE;
}

BOOL CQXTimeInputMaskEI::ValidateNumber(const std::wstring& text, int minDigits, int maxDigits,
                                        int& value)
{
    const int length = static_cast<int>(text.size());
    if (length < minDigits || length > maxDigits || length == 0)
        return FALSE;
    for (wchar_t ch : text)
    {
        if (!CZKGEI::Is_0_9(ch))
            return FALSE;
    }
    CZKGEI reader(text);
    int number = 0;
    if (!reader.Get_Int_NoSign(number) || !reader.IsAtEnd())
        return FALSE;
    value = number;
    return TRUE;
}

BOOL CQXTimeInputMaskEI::Validate(const CQXTimeInputMaskItemList& list, const std::wstring& value,
                                  int& year, int& month, int& day, int& hour, int& minute,
                                  int& second, DWORD& code)
{
    year = month = day = hour = minute = second = -1;
    if (list.GetCount() == 0)
    {
        code = ERR_EMPTY;
        return FALSE;
    }
    TimeParts parts;
    try
    {
        code = CheckWholeValue(list, value, parts);
    }
    catch (...)
    {
        code = ERR_INTERNAL;
    }
    year = parts.year;
    month = parts.month;
    day = parts.day;
    hour = parts.hour;
    minute = parts.minute;
    second = parts.second;
    return code == 0;
}

const wchar_t* CQXTimeInputMaskEI::GetErrorKey(DWORD code)
{
    return SQXMaskErrorKeys::Find(kErrorKeys, code);
}

BOOL CQXTimeInputMaskEI::GetErrorMessage(DWORD code, std::wstring& text, BOOL loadText)
{
    return SQXMaskErrorKeys::Message(code, GetErrorKey(code), text, loadText,
                                     &CZKGEI::GetErrorMessage);
}
