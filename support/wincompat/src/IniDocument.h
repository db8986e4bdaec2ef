// An INI file as its lines, so that edits keep everything else (comments,
// order, blank lines) as it was.
#pragma once

#include <string>
#include <vector>

class IniDocument
{
public:
    static IniDocument Parse(const std::wstring& text);
    std::wstring Text() const;

    // The raw value of the first matching key in the first matching section.
    bool Find(const std::wstring& section, const std::wstring& key, std::wstring& value) const;
    void Set(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    bool RemoveKey(const std::wstring& section, const std::wstring& key);
    bool RemoveSection(const std::wstring& section);
    std::vector<std::wstring> Sections() const;
    std::vector<std::wstring> Keys(const std::wstring& section) const;

private:
    // Lines [begin, end) of a section's body; begin is after the header.
    struct Range
    {
        size_t header;
        size_t begin;
        size_t end;
    };

    bool FindSection(const std::wstring& section, Range& range) const;
    // Index of the key's line within the range, or npos.
    size_t FindKey(const Range& range, const std::wstring& key) const;

    std::vector<std::wstring> m_lines;
    std::wstring m_newline = L"\n";
};
