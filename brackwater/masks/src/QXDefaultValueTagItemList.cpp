#include <brackwater/QXDefaultValueTagItemList.h>

#include "DeepCopy.h"

#include <hollin/ZKDict.h>

#include <cwchar>
#include <cwctype>

namespace
{
bool IsNameBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n' || ch == L'\v' || ch == L'\f';
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i])))
            return false;
    }
    return true;
}

// printf-style zero padding ("%0*d"); integers never depend on the locale.
std::wstring ZeroPadded(int value, int width)
{
    wchar_t buffer[32];
    std::swprintf(buffer, sizeof(buffer) / sizeof(buffer[0]), L"%0*d", width, value);
    return buffer;
}

void ResetOutputs(int& year, int& month, int& day, int& hour, int& minute, int& second, int& level)
{
    year = month = day = hour = minute = second = -1;
    level = 0;
}
} // namespace

CQXDefaultValueTagItemList::CQXDefaultValueTagItemList(const CQXDefaultValueTagItemList& other)
    : m_items(DeepCopy(other.m_items))
{
}

CQXDefaultValueTagItemList&
CQXDefaultValueTagItemList::operator=(const CQXDefaultValueTagItemList& other)
{
    if (this != &other)
        m_items = DeepCopy(other.m_items);
    return *this;
}

std::wstring CQXDefaultValueTagItemList::TrimName(const std::wstring& name)
{
    size_t first = 0;
    size_t last = name.size();
    while (first < last && IsNameBlank(name[first]))
        ++first;
    while (last > first && IsNameBlank(name[last - 1]))
        --last;
    return name.substr(first, last - first);
}

int CQXDefaultValueTagItemList::FindTag(const std::wstring& name) const
{
    const std::wstring trimmed = TrimName(name);
    if (trimmed.empty())
        return -1;
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        if (SameName(m_items[i]->m_strName, trimmed))
            return static_cast<int>(i);
    }
    return -1;
}

BOOL CQXDefaultValueTagItemList::SetTag(const std::wstring& name, const std::wstring& value,
                                        int year, int month, int day, int hour, int minute,
                                        int second, int level)
{
    CQXDefaultValueTagItem item(TrimName(name), value, level);
    if (item.m_strName.empty())
        return FALSE;
    item.m_nYear = year;
    item.m_nMonth = month;
    item.m_nDay = day;
    item.m_nHour = hour;
    item.m_nMinute = minute;
    item.m_nSecond = second;
    const int index = FindTag(item.m_strName);
    if (index >= 0)
        m_items[static_cast<size_t>(index)]->CopyObject(item);
    else
        m_items.push_back(std::make_unique<CQXDefaultValueTagItem>(item));
    return TRUE;
}

BOOL CQXDefaultValueTagItemList::SetTag(const std::wstring& name, const std::wstring& value,
                                        int level)
{
    return SetTag(name, value, -1, -1, -1, -1, -1, -1, level);
}

BOOL CQXDefaultValueTagItemList::SetTag(const std::wstring& name, int year, int month, int day,
                                        int hour, int minute, int second, int level)
{
    const std::wstring value = ZeroPadded(year, 4) + ZeroPadded(month, 2) + ZeroPadded(day, 2) +
                               ZeroPadded(hour, 2) + ZeroPadded(minute, 2) + ZeroPadded(second, 2);
    return SetTag(name, value, year, month, day, hour, minute, second, level);
}

BOOL CQXDefaultValueTagItemList::SetTag(const CQXDefaultValueTagItem& item)
{
    return SetTag(item.m_strName, item.m_strValue, item.m_nYear, item.m_nMonth, item.m_nDay,
                  item.m_nHour, item.m_nMinute, item.m_nSecond, item.m_nLevel);
}

BOOL CQXDefaultValueTagItemList::SetTags(const CZKDict& dict)
{
    for (const auto& entry : dict)
    {
        if (!SetTag(entry.first, entry.second, CQXDefaultValueTagItem::DefaultLevel))
            return FALSE;
    }
    return TRUE;
}

BOOL CQXDefaultValueTagItemList::GetTag(const std::wstring& name, std::wstring& value, int& year,
                                        int& month, int& day, int& hour, int& minute, int& second,
                                        int& level) const
{
    value.clear();
    ResetOutputs(year, month, day, hour, minute, second, level);
    const CQXDefaultValueTagItem* item = Get(FindTag(name));
    if (item == nullptr)
        return FALSE;
    value = item->m_strValue;
    year = item->m_nYear;
    month = item->m_nMonth;
    day = item->m_nDay;
    hour = item->m_nHour;
    minute = item->m_nMinute;
    second = item->m_nSecond;
    level = item->m_nLevel;
    return TRUE;
}

BOOL CQXDefaultValueTagItemList::GetTag(const std::wstring& name, std::wstring& value,
                                        int& level) const
{
    int parts[6];
    return GetTag(name, value, parts[0], parts[1], parts[2], parts[3], parts[4], parts[5], level);
}

BOOL CQXDefaultValueTagItemList::GetTag(const std::wstring& name, int& year, int& month, int& day,
                                        int& hour, int& minute, int& second, int& level) const
{
    std::wstring value;
    return GetTag(name, value, year, month, day, hour, minute, second, level);
}

BOOL CQXDefaultValueTagItemList::RemoveTag(const std::wstring& name)
{
    const int index = FindTag(name);
    if (index < 0)
        return FALSE;
    m_items.erase(m_items.begin() + index);
    return TRUE;
}

CQXDefaultValueTagItem* CQXDefaultValueTagItemList::Get(int index) const
{
    return ElementAt(m_items, index);
}
