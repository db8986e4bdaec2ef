#include "ZKResourceTexts.h"

#include <hollin/ZKScript.h>

const wchar_t* const CZKResourceTexts::CommonSection = L"Common";

namespace
{
std::wstring Folded(std::wstring name)
{
    for (wchar_t& ch : name)
    {
        if (ch >= L'a' && ch <= L'z')
            ch = static_cast<wchar_t>(ch - L'a' + L'A');
    }
    return name;
}
} // namespace

bool CZKResourceTexts::Load(const std::wstring& path)
{
    CZKScript script;
    if (!script.Load(path))
        return false;

    std::map<std::wstring, KeyMap> sections;
    CZKStringList names;
    script.GetSectionNames(names);
    for (const std::wstring& name : names)
    {
        CZKScriptItemList items;
        if (!script.GetSectionItems(name.c_str(), items))
            continue;
        KeyMap& keys = sections[Folded(name)];
        for (int index = 0; index < items.GetCount(); ++index)
        {
            const CZKScriptItem* item = items.GetItem(index);
            if (item)
                keys.emplace(Folded(item->GetKey()), item->GetValue()); // keeps the first
        }
    }
    m_sections.swap(sections);
    return true;
}

bool CZKResourceTexts::Find(const std::wstring& key, const std::wstring& module, std::wstring& text) const
{
    const std::wstring foldedKey = Folded(key);
    if (!module.empty() && _FindIn(Folded(module), foldedKey, text))
        return true;
    return _FindIn(Folded(CommonSection), foldedKey, text);
}

bool CZKResourceTexts::_FindIn(const std::wstring& section, const std::wstring& key, std::wstring& text) const
{
    const auto found = m_sections.find(section);
    if (found == m_sections.end())
        return false;
    const auto item = found->second.find(key);
    if (item == found->second.end())
        return false;
    text = item->second;
    return true;
}

size_t CZKResourceTexts::GetKeyCount() const
{
    size_t count = 0;
    for (const auto& section : m_sections)
        count += section.second.size();
    return count;
}
