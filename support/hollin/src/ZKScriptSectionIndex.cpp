#include "ZKScriptSectionIndex.h"

#include "ZKText.h"

size_t CZKScriptSectionIndex::Find(const std::wstring& name) const
{
    auto found = m_positions.find(_Fold(name));
    return found == m_positions.end() ? npos : found->second;
}

void CZKScriptSectionIndex::Inserted(const ZKScriptSections& sections, size_t position)
{
    // Anywhere but the end moves the sections behind it.
    if (position + 1 != sections.size())
    {
        Rebuild(sections);
        return;
    }
    m_positions.emplace(_Fold(sections[position].name), position);
}

void CZKScriptSectionIndex::Rebuild(const ZKScriptSections& sections)
{
    m_positions.clear();
    // The first of two sections with one folded name is the one found.
    for (size_t i = 0; i < sections.size(); ++i)
        m_positions.emplace(_Fold(sections[i].name), i);
}

std::wstring CZKScriptSectionIndex::_Fold(const std::wstring& name)
{
    std::wstring folded(name);
    for (wchar_t& c : folded)
        c = SZKText::FoldAscii(c);
    return folded;
}
