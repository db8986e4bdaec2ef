#include <hollin/ZKDict.h>

#include "ZKText.h"

int CZKDict::_IndexOf(const std::wstring& key) const
{
    const int flag = m_caseSensitive ? 0 : 1;
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (SZKText::Equal(m_entries[i].first, key, flag))
            return static_cast<int>(i);
    return -1;
}

BOOL CZKDict::SetCaseSensitive(BOOL caseSensitive)
{
    if (!caseSensitive && m_caseSensitive)
        for (size_t i = 0; i < m_entries.size(); ++i)
            for (size_t j = i + 1; j < m_entries.size(); ++j)
                if (SZKText::EqualNoCaseAscii(m_entries[i].first, m_entries[j].first))
                    return FALSE;
    m_caseSensitive = caseSensitive ? TRUE : FALSE;
    return TRUE;
}

void CZKDict::SetKeyValue(const std::wstring& key, const std::wstring& value)
{
    const int index = _IndexOf(key);
    if (index >= 0)
        m_entries[static_cast<size_t>(index)].second = value;
    else
        m_entries.emplace_back(key, value);
}

BOOL CZKDict::GetKeyValue(const std::wstring& key, std::wstring& value) const
{
    const int index = _IndexOf(key);
    if (index < 0)
        return FALSE;
    value = m_entries[static_cast<size_t>(index)].second;
    return TRUE;
}

BOOL CZKDict::HasKey(const std::wstring& key) const { return _IndexOf(key) >= 0 ? TRUE : FALSE; }

BOOL CZKDict::RemoveKey(const std::wstring& key)
{
    const int index = _IndexOf(key);
    if (index < 0)
        return FALSE;
    m_entries.erase(m_entries.begin() + index);
    return TRUE;
}

BOOL CZKDict::GetAt(int index, std::wstring& key, std::wstring& value) const
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    key = m_entries[static_cast<size_t>(index)].first;
    value = m_entries[static_cast<size_t>(index)].second;
    return TRUE;
}

bool CZKDict::operator==(const CZKDict& other) const
{
    return (m_caseSensitive != 0) == (other.m_caseSensitive != 0) && m_entries == other.m_entries;
}
