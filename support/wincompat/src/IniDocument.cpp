#include "IniDocument.h"

#include <cwctype>

namespace
{

std::wstring Trim(const std::wstring& text)
{
    const auto isBlank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r'; };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i])))
            return false;
    return true;
}

// "[name]" -> name; false for other lines.
bool SectionHeader(const std::wstring& line, std::wstring& name)
{
    const std::wstring trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] != L'[')
        return false;
    const size_t close = trimmed.find(L']');
    name = Trim(trimmed.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1));
    return true;
}

// "key = value" -> key, value; false for comments and lines without '='.
bool KeyLine(const std::wstring& line, std::wstring& key, std::wstring& value)
{
    const std::wstring trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == L';' || trimmed[0] == L'#')
        return false;
    const size_t equals = trimmed.find(L'=');
    if (equals == std::wstring::npos)
        return false;
    key = Trim(trimmed.substr(0, equals));
    value = Trim(trimmed.substr(equals + 1));
    return !key.empty();
}

} // namespace

IniDocument IniDocument::Parse(const std::wstring& text)
{
    IniDocument document;
    if (text.find(L"\r\n") != std::wstring::npos)
        document.m_newline = L"\r\n";
    size_t start = text.empty() || text[0] != 0xFEFF ? 0 : 1; // byte-order mark
    while (start < text.size())
    {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        document.m_lines.push_back(line);
        start = end + 1;
    }
    return document;
}

std::wstring IniDocument::Text() const
{
    std::wstring text;
    for (const auto& line : m_lines)
        text += line + m_newline;
    return text;
}

bool IniDocument::FindSection(const std::wstring& section, Range& range) const
{
    std::wstring name;
    for (size_t i = 0; i < m_lines.size(); ++i)
    {
        if (!SectionHeader(m_lines[i], name) || !SameName(name, section))
            continue;
        range.header = i;
        range.begin = i + 1;
        range.end = range.begin;
        while (range.end < m_lines.size() && !SectionHeader(m_lines[range.end], name))
            ++range.end;
        return true;
    }
    return false;
}

size_t IniDocument::FindKey(const Range& range, const std::wstring& key) const
{
    std::wstring name;
    std::wstring value;
    for (size_t i = range.begin; i < range.end; ++i)
        if (KeyLine(m_lines[i], name, value) && SameName(name, key))
            return i;
    return std::wstring::npos;
}

bool IniDocument::Find(const std::wstring& section, const std::wstring& key,
                       std::wstring& value) const
{
    Range range{};
    if (!FindSection(section, range))
        return false;
    const size_t line = FindKey(range, key);
    std::wstring name;
    return line != std::wstring::npos && KeyLine(m_lines[line], name, value);
}

void IniDocument::Set(const std::wstring& section, const std::wstring& key,
                      const std::wstring& value)
{
    const std::wstring entry = key + L"=" + value;
    Range range{};
    if (!FindSection(section, range))
    {
        if (!m_lines.empty() && !Trim(m_lines.back()).empty())
            m_lines.push_back(std::wstring());
        m_lines.push_back(L"[" + section + L"]");
        m_lines.push_back(entry);
        return;
    }
    const size_t line = FindKey(range, key);
    if (line != std::wstring::npos)
    {
        m_lines[line] = entry;
        return;
    }
    // After the section's last non-blank line, so trailing blank lines keep
    // separating it from the next section.
    size_t insertAt = range.end;
    while (insertAt > range.begin && Trim(m_lines[insertAt - 1]).empty())
        --insertAt;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
}

bool IniDocument::RemoveKey(const std::wstring& section, const std::wstring& key)
{
    Range range{};
    if (!FindSection(section, range))
        return false;
    const size_t line = FindKey(range, key);
    if (line == std::wstring::npos)
        return false;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(line));
    return true;
}

bool IniDocument::RemoveSection(const std::wstring& section)
{
    Range range{};
    if (!FindSection(section, range))
        return false;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(range.header),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(range.end));
    return true;
}

std::vector<std::wstring> IniDocument::Sections() const
{
    std::vector<std::wstring> names;
    std::wstring name;
    for (const auto& line : m_lines)
        if (SectionHeader(line, name))
            names.push_back(name);
    return names;
}

std::vector<std::wstring> IniDocument::Keys(const std::wstring& section) const
{
    std::vector<std::wstring> names;
    Range range{};
    if (!FindSection(section, range))
        return names;
    std::wstring name;
    std::wstring value;
    for (size_t i = range.begin; i < range.end; ++i)
        if (KeyLine(m_lines[i], name, value))
            names.push_back(name);
    return names;
}
