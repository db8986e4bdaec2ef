#include <brackwater/QXInputMaskEI.h>

#include <brackwater/QXTimeInputMaskEI.h>

#include "QXMaskErrorKeys.h"

#include <memory>

namespace
{
using Item = CQXInputMaskItem;

struct TextLetter
{
    wchar_t letter;
    int textType;
};

const TextLetter kTextLetters[] = {
    {L'?', Item::TEXT_ANY},         {L'9', Item::TEXT_DIGIT},        {L'Z', Item::TEXT_UPPER},
    {L'z', Item::TEXT_LOWER},       {L'A', Item::TEXT_LETTER},       {L'C', Item::TEXT_UPPER_DIGIT},
    {L'c', Item::TEXT_LOWER_DIGIT}, {L'X', Item::TEXT_LETTER_DIGIT},
};

const SQXMaskErrorKeys::Entry kErrorKeys[] = {
    {2001, L"STR_IM_ERR_TEXT_BADFORMAT"},
    {2002, L"STR_IM_ERR_TEXT_BADLENGTH"},
    {2003, L"STR_IM_ERR_TEXT_MINLARGERMAX"},
    {2004, L"STR_IM_ERR_NUM_BADFORMAT"},
    {2005, L"STR_IM_ERR_NUM_LOWERLARGERUPPER"},
    {2006, L"STR_IM_ERR_TIME_BADFORMAT"},
    {2007, L"STR_IM_ERR_EMPTY"},
    {2008, L"STR_IM_ERR_VARIOUS"},
    {2101, L"STR_IM_ERR_DATA_INCOMPLETE"},
    {2102, L"STR_IM_ERR_DATA_TEXT_BADLENGTH"},
    {2103, L"STR_IM_ERR_DATA_TEXT_BADCHARTYPE"},
    {2104, L"STR_IM_ERR_DATA_NUM_OUTOFRANGE"},
    {2105, L"STR_IM_ERR_DATA_STRING_BADSTRING"},
    {2106, L"STR_IM_ERR_DATA_TOOMUCH"},
};

// Date/time parts collected over the items; a later item only fills the
// parts it names.
struct DateTimeParts
{
    int values[6] = {-1, -1, -1, -1, -1, -1};

    void Merge(const int (&found)[6])
    {
        for (int i = 0; i < 6; ++i)
        {
            if (found[i] != -1)
                values[i] = found[i];
        }
    }
};

DWORD CheckText(const Item& item, const std::wstring& part)
{
    const int length = static_cast<int>(part.size());
    if ((item.m_nTextMinLength > 0 && length < item.m_nTextMinLength) ||
        (item.m_nTextMaxLength > 0 && length > item.m_nTextMaxLength))
        return CQXInputMaskEI::ERR_DATA_TEXT_BADLENGTH;
    for (wchar_t ch : part)
    {
        if (!Item::IsCharInClass(ch, item.m_nTextType))
            return CQXInputMaskEI::ERR_DATA_TEXT_BADCHARTYPE;
    }
    return 0;
}

DWORD CheckInt(const Item& item, const std::wstring& part)
{
    CZKGEI reader(part);
    int value = 0;
    if (!reader.Get_Int(value))
        return reader.GetError();
    if (!reader.IsAtEnd())
        return CZKGEI::ERR_INT_TRAILING;
    return item.IsIntInRange(value) ? 0 : CQXInputMaskEI::ERR_DATA_NUM_OUTOFRANGE;
}

DWORD CheckFloat(const Item& item, const std::wstring& part)
{
    CZKGEI reader(part);
    double value = 0.0;
    if (!reader.Get_Float(value))
        return reader.GetError();
    if (!reader.IsAtEnd())
        return CZKGEI::ERR_FLOAT_TRAILING;
    return item.IsFloatInRange(value) ? 0 : CQXInputMaskEI::ERR_DATA_NUM_OUTOFRANGE;
}

DWORD CheckTime(const Item& item, const std::wstring& part, DateTimeParts& parts)
{
    int found[6];
    DWORD code = 0;
    CQXTimeInputMaskEI::Validate(item.m_timeItems, part, found[0], found[1], found[2], found[3],
                                 found[4], found[5], code);
    parts.Merge(found);
    return code;
}

DWORD CheckPart(const Item& item, const std::wstring& part, DateTimeParts& parts)
{
    switch (item.m_nType)
    {
    case Item::TYPE_TEXT:
        return CheckText(item, part);
    case Item::TYPE_INT:
        return CheckInt(item, part);
    case Item::TYPE_FLOAT:
        return CheckFloat(item, part);
    case Item::TYPE_TIME:
        return CheckTime(item, part, parts);
    case Item::TYPE_STRING:
        return part == item.m_strText ? 0 : CQXInputMaskEI::ERR_DATA_STRING_BADSTRING;
    default:
        return CQXInputMaskEI::ERR_INTERNAL;
    }
}

DWORD SearchLiteral(const CQXInputMaskItemList& list, const std::wstring& value)
{
    if (list.GetCount() != 1 || list.Get(0)->m_nType != Item::TYPE_STRING)
        return CQXInputMaskEI::ERR_DATA_STRING_BADSTRING;
    return value.find(list.Get(0)->m_strText) != std::wstring::npos
               ? 0
               : CQXInputMaskEI::ERR_DATA_STRING_NOTFOUND;
}

DWORD CheckValue(const CQXInputMaskItemList& list, const std::wstring& value, DateTimeParts& parts)
{
    size_t pos = 0;
    for (int i = 0; i < list.GetCount(); ++i)
    {
        const Item& item = *list.Get(i);
        const int length = item.GetItemLength();
        size_t taken = value.size() - pos;
        if (length >= 0)
        {
            if (pos + static_cast<size_t>(length) > value.size())
                return CQXInputMaskEI::ERR_DATA_INCOMPLETE;
            taken = static_cast<size_t>(length);
        }
        const DWORD code = CheckPart(item, value.substr(pos, taken), parts);
        if (code != 0)
            return code;
        pos += taken;
    }
    return pos == value.size() ? 0 : CQXInputMaskEI::ERR_DATA_TOOMUCH;
}

DWORD CheckItemList(const CQXInputMaskItemList& list)
{
    if (list.GetCount() == 0)
        return CQXInputMaskEI::ERR_EMPTY;
    bool variableSeen = false;
    for (int i = 0; i < list.GetCount(); ++i)
    {
        if (variableSeen)
            return CQXInputMaskEI::ERR_VARIOUS;
        variableSeen = list.Get(i)->GetItemLength() < 0;
    }
    return 0;
}

// A quoted literal copied back into a sub-mask, its quotes doubled again.
std::wstring Quote(const std::wstring& text)
{
    std::wstring quoted(1, CZKGEI::StringDelimiter);
    for (wchar_t ch : text)
    {
        quoted += ch;
        if (CZKGEI::Is_StringDelimiter(ch))
            quoted += ch;
    }
    quoted += CZKGEI::StringDelimiter;
    return quoted;
}
} // namespace

BOOL CQXInputMaskEI::Is_TextType(wchar_t ch)
{
    int textType = 0;
    return Is_TextType(ch, textType);
}

BOOL CQXInputMaskEI::Is_TextType(wchar_t ch, int& textType)
{
    for (const TextLetter& entry : kTextLetters)
    {
        if (entry.letter == ch)
        {
            textType = entry.textType;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CQXInputMaskEI::Is_Type(wchar_t ch)
{
    int kind = 0;
    return Is_Type(ch, kind);
}

BOOL CQXInputMaskEI::Is_Type(wchar_t ch, int& kind)
{
    if (Is_TextType(ch))
        kind = Item::TYPE_TEXT;
    else if (Is_IntType(ch))
        kind = Item::TYPE_INT;
    else if (Is_FloatType(ch))
        kind = Item::TYPE_FLOAT;
    else if (Is_TimeType(ch))
        kind = Item::TYPE_TIME;
    else
        kind = 0;
    return kind != 0;
}

BOOL CQXInputMaskEI::_Fail(DWORD code)
{
    m_gei.SetError(code);
    return FALSE;
}

BOOL CQXInputMaskEI::Get_TextItem(wchar_t current, int& textType, int& minLength, int& maxLength)
{
    if (!Is_TextType(current, textType))
        return _Fail(CZKGEI::ERR_UNEXPECTED_CHAR);
    if (!m_gei.Get(L'<', FALSE, FALSE, FALSE))
    {
        minLength = maxLength = 1;
        return TRUE;
    }
    int first = 0;
    m_gei.SkipBlanks();
    if (!m_gei.Get_Int(first))
        return _Fail(ERR_TEXT_BADFORMAT);
    if (first < 0)
        return _Fail(ERR_TEXT_BADLENGTH);
    minLength = 0;
    maxLength = first;
    if (m_gei.Get(L',', FALSE, FALSE, FALSE))
    {
        int second = 0;
        m_gei.SkipBlanks();
        if (!m_gei.Get_Int(second))
            return _Fail(ERR_TEXT_BADFORMAT);
        if (second < 0)
            return _Fail(ERR_TEXT_BADLENGTH);
        if (second != 0 && second < first)
            return _Fail(ERR_TEXT_MINLARGERMAX);
        minLength = first;
        maxLength = second;
    }
    return m_gei.Get(L'>', FALSE, FALSE, FALSE) ? TRUE : _Fail(ERR_TEXT_BADFORMAT);
}

BOOL CQXInputMaskEI::_ReadBound(BOOL isFloat, double& value, std::wstring& text)
{
    m_gei.SkipBlanks();
    if (isFloat)
        return m_gei.Get_Float(value, text);
    int number = 0;
    if (!m_gei.Get_Int(number))
        return FALSE;
    value = number;
    text = std::to_wstring(number);
    return TRUE;
}

BOOL CQXInputMaskEI::Get_IntFloatItem(wchar_t current, BOOL isFloat, int& lowMode, double& low,
                                      std::wstring& lowText, int& highMode, double& high,
                                      std::wstring& highText)
{
    if (!(isFloat ? Is_FloatType(current) : Is_IntType(current)))
        return _Fail(CZKGEI::ERR_UNEXPECTED_CHAR);
    lowMode = highMode = Item::BOUND_NONE;
    low = high = 0.0;
    lowText = highText = L"0";
    const wchar_t open = m_gei.Peek();
    if (open != L'[' && open != L'(')
        return TRUE;
    m_gei.Get();
    lowMode = open == L'[' ? Item::BOUND_INCLUSIVE : Item::BOUND_EXCLUSIVE;
    if (m_gei.Get(L'*', FALSE, FALSE, FALSE))
        lowMode = Item::BOUND_NONE;
    else if (!_ReadBound(isFloat, low, lowText))
        return _Fail(ERR_NUM_BADFORMAT);
    if (!m_gei.Get(L',', FALSE, FALSE, FALSE))
        return _Fail(ERR_NUM_BADFORMAT);
    const bool highUnbounded = m_gei.Get(L'*', FALSE, FALSE, FALSE);
    if (!highUnbounded && !_ReadBound(isFloat, high, highText))
        return _Fail(ERR_NUM_BADFORMAT);
    const wchar_t close = m_gei.Get();
    if (close != L']' && close != L')')
        return _Fail(ERR_NUM_BADFORMAT);
    if (highUnbounded)
        return TRUE;
    highMode = close == L']' ? Item::BOUND_INCLUSIVE : Item::BOUND_EXCLUSIVE;
    if (lowMode == Item::BOUND_NONE)
        return TRUE;

    const bool eitherExclusive =
        lowMode == Item::BOUND_EXCLUSIVE || highMode == Item::BOUND_EXCLUSIVE;
    const bool bothExclusive =
        lowMode == Item::BOUND_EXCLUSIVE && highMode == Item::BOUND_EXCLUSIVE;
    if (high < low)
        return _Fail(ERR_NUM_LOWERLARGERUPPER);
    if (isFloat)
    {
        if (eitherExclusive && Item::IsRealCloserThanStep(low, high))
            return _Fail(ERR_NUM_BADFORMAT);
        return TRUE;
    }
    if ((low == high && eitherExclusive) || (low + 1 == high && bothExclusive))
        return _Fail(ERR_NUM_BADFORMAT);
    return TRUE;
}

BOOL CQXInputMaskEI::Get_IntItem(wchar_t current, int& lowMode, int& low, int& highMode, int& high)
{
    double lowValue = 0.0, highValue = 0.0;
    std::wstring lowText, highText;
    if (!Get_IntFloatItem(current, FALSE, lowMode, lowValue, lowText, highMode, highValue,
                          highText))
        return FALSE;
    // The reader keeps both within 32 bits.
    low = static_cast<int>(lowValue);
    high = static_cast<int>(highValue);
    return TRUE;
}

BOOL CQXInputMaskEI::Get_FloatItem(wchar_t current, int& lowMode, double& low,
                                   std::wstring& lowText, int& highMode, double& high,
                                   std::wstring& highText)
{
    return Get_IntFloatItem(current, TRUE, lowMode, low, lowText, highMode, high, highText);
}

BOOL CQXInputMaskEI::Get_TimeItem(wchar_t current, CQXTimeInputMaskItemList& timeItems)
{
    if (!Is_TimeType(current) || !m_gei.Get(L'<', FALSE, FALSE, FALSE))
        return _Fail(ERR_TIME_BADFORMAT);
    std::wstring subMask;
    for (;;)
    {
        const wchar_t ch = m_gei.Get(TRUE, TRUE, TRUE);
        if (CZKGEI::Is_EOF(ch))
            return _Fail(ERR_TIME_BADFORMAT);
        if (ch == L'>')
            break;
        if (!CZKGEI::Is_StringDelimiter(ch))
        {
            subMask += ch;
            continue;
        }
        m_gei.Unget();
        std::wstring literal;
        if (!m_gei.Get_String(literal))
            return _Fail(ERR_TIME_BADFORMAT);
        subMask += Quote(literal);
    }
    DWORD code = 0;
    if (!CQXTimeInputMaskEI::Parse(subMask, timeItems, code))
        return _Fail(code);
    return TRUE;
}

BOOL CQXInputMaskEI::_ParseItem(wchar_t current, CQXInputMaskItem& item)
{
    if (CZKGEI::Is_StringDelimiter(current))
    {
        item.m_nType = Item::TYPE_STRING;
        m_gei.Unget();
        return m_gei.Get_String(item.m_strText);
    }
    int kind = 0;
    if (!Is_Type(current, kind))
        return _Fail(CZKGEI::ERR_UNEXPECTED_CHAR);
    item.m_nType = kind;
    switch (kind)
    {
    case Item::TYPE_TEXT:
        return Get_TextItem(current, item.m_nTextType, item.m_nTextMinLength,
                            item.m_nTextMaxLength);
    case Item::TYPE_INT:
        return Get_IntItem(current, item.m_nIntLowMode, item.m_nIntLow, item.m_nIntHighMode,
                           item.m_nIntHigh);
    case Item::TYPE_FLOAT:
        return Get_FloatItem(current, item.m_nFloatLowMode, item.m_dFloatLow, item.m_strFloatLow,
                             item.m_nFloatHighMode, item.m_dFloatHigh, item.m_strFloatHigh);
    default:
        return Get_TimeItem(current, item.m_timeItems);
    }
}

BOOL CQXInputMaskEI::_ParseItems(CQXInputMaskItemList& list)
{
    for (wchar_t ch = m_gei.Get(); !CZKGEI::Is_EOF(ch); ch = m_gei.Get())
    {
        auto item = std::make_unique<CQXInputMaskItem>();
        if (!_ParseItem(ch, *item))
            return FALSE;
        list.Add(item.release());
    }
    return TRUE;
}

BOOL CQXInputMaskEI::Parse(const std::wstring& mask, CQXInputMaskItemList& list, DWORD& code)
{
    code = 0;
    try
    {
        list.RemoveAll();
        CQXInputMaskEI parser;
        parser.m_gei.SetExpression(mask);
        if (!parser._ParseItems(list))
            code = parser.m_gei.GetError() != 0 ? parser.m_gei.GetError() : ERR_INTERNAL;
        else
            code = CheckItemList(list);
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

BOOL CQXInputMaskEI::Validate(const CQXInputMaskItemList& list, const std::wstring& value,
                              int& year, int& month, int& day, int& hour, int& minute, int& second,
                              DWORD& code, BOOL literalSearch)
{
    DateTimeParts parts;
    try
    {
        if (list.GetCount() == 0)
            code = ERR_EMPTY;
        else if (literalSearch)
            code = SearchLiteral(list, value);
        else
            code = CheckValue(list, value, parts);
    }
    catch (...)
    {
        code = ERR_INTERNAL;
    }
    int* outputs[6] = {&year, &month, &day, &hour, &minute, &second};
    for (int i = 0; i < 6; ++i)
        *outputs[i] = parts.values[i];
    return code == 0;
}

BOOL CQXInputMaskEI::GetMinLength(const std::wstring& mask, int& length, DWORD& code)
{
    CQXInputMaskItemList list;
    if (!Parse(mask, list, code))
        return FALSE;
    length = list.GetItemsMinLength();
    return TRUE;
}

BOOL CQXInputMaskEI::GetMaxLength(const std::wstring& mask, int& length, DWORD& code)
{
    CQXInputMaskItemList list;
    if (!Parse(mask, list, code))
        return FALSE;
    length = list.GetItemsMaxLength();
    return TRUE;
}

const wchar_t* CQXInputMaskEI::GetErrorKey(DWORD code)
{
    return SQXMaskErrorKeys::Find(kErrorKeys, code);
}

BOOL CQXInputMaskEI::GetErrorMessage(DWORD code, std::wstring& text, BOOL loadText)
{
    return SQXMaskErrorKeys::Message(code, GetErrorKey(code), text, loadText,
                                     &CQXTimeInputMaskEI::GetErrorMessage);
}
