#include <hollin/ZKStringList.h>

#include "ZKText.h"

namespace {
const std::wstring kEmpty;
}

const std::wstring& CZKStringList::GetAt(int index) const
{
    return index >= 0 && index < GetCount() ? m_items[static_cast<size_t>(index)] : kEmpty;
}

BOOL CZKStringList::GetAt(int index, std::wstring& text) const
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    text = m_items[static_cast<size_t>(index)];
    return TRUE;
}

BOOL CZKStringList::SetAt(int index, const std::wstring& text)
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    m_items[static_cast<size_t>(index)] = text;
    return TRUE;
}

BOOL CZKStringList::InsertAt(int index, const std::wstring& text)
{
    if (index < 0 || index > GetCount())
        return FALSE;
    m_items.insert(m_items.begin() + index, text);
    return TRUE;
}

BOOL CZKStringList::RemoveAt(int index)
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    m_items.erase(m_items.begin() + index);
    return TRUE;
}

int CZKStringList::Find(const std::wstring& text, int flag) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (SZKText::Equal(m_items[i], text, flag))
            return static_cast<int>(i);
    return -1;
}
