#include <wincompat/ZKCommandLine.h>

#include "FileText.h"
#include "Utf8.h"

#include <mutex>

namespace
{

struct Override
{
    std::mutex mutex;
    bool active = false;
    std::vector<std::wstring> arguments;
};

Override& TheOverride()
{
    static Override* instance = new Override;
    return *instance;
}

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r';
}

std::vector<std::wstring> ReadProcessArguments()
{
    std::vector<std::wstring> arguments;
    std::string bytes;
    if (!zkfile::ReadAll("/proc/self/cmdline", bytes))
        return arguments;
    size_t start = 0;
    while (start < bytes.size())
    {
        size_t end = bytes.find('\0', start);
        if (end == std::string::npos)
            end = bytes.size();
        arguments.push_back(zkutf8::ToWide(bytes.substr(start, end - start)));
        start = end + 1;
    }
    return arguments;
}

// Appends the backslashes at text[i...] and what they escape, advancing i
// past them.
void TakeBackslashes(const std::wstring& text, size_t& i, std::wstring& argument)
{
    size_t count = 0;
    while (i < text.size() && text[i] == L'\\')
    {
        ++count;
        ++i;
    }
    if (i >= text.size() || text[i] != L'"')
    {
        argument.append(count, L'\\');
        return;
    }
    argument.append(count / 2, L'\\');
    if (count % 2 == 1)
    {
        argument += L'"';
        ++i;
    }
    // With an even count the quote is left for the caller to group with.
}

} // namespace

std::vector<std::wstring> CZKCommandLine::Arguments()
{
    {
        Override& override = TheOverride();
        std::lock_guard<std::mutex> lock(override.mutex);
        if (override.active)
            return override.arguments;
    }
    return ReadProcessArguments();
}

std::wstring CZKCommandLine::Text()
{
    std::wstring text;
    for (const auto& argument : Arguments())
    {
        if (!text.empty())
            text += L' ';
        text += Quote(argument);
    }
    return text;
}

void CZKCommandLine::SetOverride(const std::vector<std::wstring>& arguments)
{
    Override& override = TheOverride();
    std::lock_guard<std::mutex> lock(override.mutex);
    override.active = true;
    override.arguments = arguments;
}

void CZKCommandLine::ClearOverride()
{
    Override& override = TheOverride();
    std::lock_guard<std::mutex> lock(override.mutex);
    override.active = false;
    override.arguments.clear();
}

std::vector<std::wstring> CZKCommandLine::Split(const std::wstring& text)
{
    std::vector<std::wstring> arguments;
    size_t i = 0;
    for (;;)
    {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        if (i >= text.size())
            return arguments;
        std::wstring argument;
        bool quoted = false;
        while (i < text.size() && (quoted || !IsBlank(text[i])))
        {
            const wchar_t c = text[i];
            if (c == L'\\')
                TakeBackslashes(text, i, argument);
            else if (c == L'"' && quoted && i + 1 < text.size() && text[i + 1] == L'"')
            {
                argument += L'"';
                i += 2;
            }
            else if (c == L'"')
            {
                quoted = !quoted;
                ++i;
            }
            else
            {
                argument += c;
                ++i;
            }
        }
        arguments.push_back(argument);
    }
}

std::wstring CZKCommandLine::Quote(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\r\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument)
    {
        if (c == L'\\')
        {
            ++backslashes;
            continue;
        }
        // Backslashes only need doubling where a quote follows them.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}
