// The texts of one language, read from one resource script file.
#pragma once

#include <map>
#include <string>

class CZKResourceTexts
{
public:
    // Section that holds the texts every module shares.
    static const wchar_t* const CommonSection;

    // FALSE when the file is missing or not a readable script.
    bool Load(const std::wstring& path);

    // The module's section first (when module is not empty), then the
    // common one. Section and key names compare case-insensitively for
    // ASCII letters, as script names do. The first item of a repeated key wins.
    bool Find(const std::wstring& key, const std::wstring& module, std::wstring& text) const;

    size_t GetKeyCount() const;

private:
    using KeyMap = std::map<std::wstring, std::wstring>;
    bool _FindIn(const std::wstring& section, const std::wstring& key, std::wstring& text) const;

    std::map<std::wstring, KeyMap> m_sections; // by folded section name
};
