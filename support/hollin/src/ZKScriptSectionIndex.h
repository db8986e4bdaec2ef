// Private: finds a script's sections by name without scanning them. Names
// compare case-insensitively (ASCII), so the index is keyed by the folded
// name; it holds positions in the section list and is told when the list
// changes.
#pragma once

#include "ZKScriptFormat.h"

#include <cstddef>
#include <string>
#include <unordered_map>

class CZKScriptSectionIndex
{
public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    // The position of the section named name, or npos.
    size_t Find(const std::wstring& name) const;
    // The section at position was just inserted.
    void Inserted(const ZKScriptSections& sections, size_t position);
    // The list was replaced or emptied.
    void Rebuild(const ZKScriptSections& sections);

private:
    static std::wstring _Fold(const std::wstring& name);

    std::unordered_map<std::wstring, size_t> m_positions;
};
