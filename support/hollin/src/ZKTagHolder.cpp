#include <hollin/ZKTagHolder.h>

void CZKTagHolder::SetValue(DWORD tag, LONG value)
{
    m_values[tag] = Value{false, value, std::wstring()};
}

void CZKTagHolder::SetValue(DWORD tag, const std::wstring& text)
{
    m_values[tag] = Value{true, 0, text};
}

BOOL CZKTagHolder::GetValue(DWORD tag, LONG& value) const
{
    const auto it = m_values.find(tag);
    if (it == m_values.end() || it->second.isText)
        return FALSE;
    value = it->second.number;
    return TRUE;
}

BOOL CZKTagHolder::GetValue(DWORD tag, std::wstring& text) const
{
    const auto it = m_values.find(tag);
    if (it == m_values.end() || !it->second.isText)
        return FALSE;
    text = it->second.text;
    return TRUE;
}

BOOL CZKTagHolder::HasTag(DWORD tag) const
{
    return m_values.count(tag) ? TRUE : FALSE;
}

BOOL CZKTagHolder::IsText(DWORD tag) const
{
    const auto it = m_values.find(tag);
    return it != m_values.end() && it->second.isText ? TRUE : FALSE;
}

BOOL CZKTagHolder::RemoveValue(DWORD tag)
{
    return m_values.erase(tag) ? TRUE : FALSE;
}

std::vector<DWORD> CZKTagHolder::GetTags() const
{
    std::vector<DWORD> tags;
    tags.reserve(m_values.size());
    for (const auto& entry : m_values)
        tags.push_back(entry.first);
    return tags;
}

bool CZKTagHolder::operator==(const CZKTagHolder& other) const
{
    return m_values == other.m_values;
}
