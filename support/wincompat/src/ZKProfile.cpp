#include <wincompat/ZKProfile.h>

#include "FileText.h"
#include "IniDocument.h"
#include "Utf8.h"

#include <climits>
#include <mutex>

namespace
{

std::mutex& FileLock()
{
    static std::mutex* mutex = new std::mutex;
    return *mutex;
}

IniDocument Load(const std::wstring& file)
{
    std::string bytes;
    if (!zkfile::ReadAll(zkutf8::FromWide(file), bytes))
        return IniDocument();
    return IniDocument::Parse(zkutf8::ToWide(bytes));
}

template <typename Change> BOOL Modify(const std::wstring& file, Change change)
{
    if (file.empty())
        return FALSE;
    try
    {
        std::lock_guard<std::mutex> lock(FileLock());
        IniDocument document = Load(file);
        if (!change(document))
            return FALSE;
        return zkfile::WriteAtomically(zkutf8::FromWide(file), zkutf8::FromWide(document.Text()))
                   ? TRUE
                   : FALSE;
    }
    catch (const std::exception&)
    {
        return FALSE;
    }
}

bool Lookup(const std::wstring& section, const std::wstring& key, const std::wstring& file,
            std::wstring& value)
{
    try
    {
        std::lock_guard<std::mutex> lock(FileLock());
        return Load(file).Find(section, key, value);
    }
    catch (const std::exception&)
    {
        return false;
    }
}

int Digit(wchar_t c, int base)
{
    int digit = 99;
    if (c >= L'0' && c <= L'9')
        digit = c - L'0';
    else if (c >= L'a' && c <= L'f')
        digit = c - L'a' + 10;
    else if (c >= L'A' && c <= L'F')
        digit = c - L'A' + 10;
    return digit < base ? digit : -1;
}

// The leading number of text; values beyond int saturate.
int LeadingNumber(const std::wstring& text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+'))
        negative = text[i++] == L'-';
    int base = 10;
    if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X'))
    {
        base = 16;
        i += 2;
    }
    long long magnitude = 0;
    for (int digit; i < text.size() && (digit = Digit(text[i], base)) >= 0; ++i)
        if (magnitude <= LLONG_MAX / 16)
            magnitude = magnitude * base + digit;
    long long value = negative ? -magnitude : magnitude;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// A line break would split the entry and '=' or ']' would end the name early,
// leaving a file that reads back differently from what was written.
bool Writable(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    return !section.empty() && !key.empty() &&
           section.find_first_of(L"]\r\n") == std::wstring::npos &&
           key.find_first_of(L"=\r\n") == std::wstring::npos &&
           value.find_first_of(L"\r\n") == std::wstring::npos;
}

std::wstring Unquote(const std::wstring& value)
{
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

std::wstring CZKProfile::GetString(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& defaultValue, const std::wstring& file)
{
    std::wstring value;
    return Lookup(section, key, file, value) ? Unquote(value) : defaultValue;
}

int CZKProfile::GetInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                       const std::wstring& file)
{
    std::wstring value;
    return Lookup(section, key, file, value) ? LeadingNumber(Unquote(value)) : defaultValue;
}

BOOL CZKProfile::WriteString(const std::wstring& section, const std::wstring& key,
                             const std::wstring& value, const std::wstring& file)
{
    if (!Writable(section, key, value))
        return FALSE;
    return Modify(file,
                  [&](IniDocument& document)
                  {
                      document.Set(section, key, value);
                      return true;
                  });
}

BOOL CZKProfile::DeleteKey(const std::wstring& section, const std::wstring& key,
                           const std::wstring& file)
{
    return Modify(file, [&](IniDocument& document) { return document.RemoveKey(section, key); });
}

BOOL CZKProfile::DeleteSection(const std::wstring& section, const std::wstring& file)
{
    return Modify(file, [&](IniDocument& document) { return document.RemoveSection(section); });
}

std::vector<std::wstring> CZKProfile::SectionNames(const std::wstring& file)
{
    try
    {
        std::lock_guard<std::mutex> lock(FileLock());
        return Load(file).Sections();
    }
    catch (const std::exception&)
    {
        return {};
    }
}

std::vector<std::wstring> CZKProfile::KeyNames(const std::wstring& section,
                                               const std::wstring& file)
{
    try
    {
        std::lock_guard<std::mutex> lock(FileLock());
        return Load(file).Keys(section);
    }
    catch (const std::exception&)
    {
        return {};
    }
}
