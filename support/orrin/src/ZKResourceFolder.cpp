#include "ZKResourceFolder.h"

#include <hollin/ZKCommon.h>

#include <algorithm>
#include <cstdlib>
#include <vector>
#include <sys/stat.h>

namespace
{
// Where the build tree and an installed prefix keep the resources, relative
// to the library folder (<prefix>/lib or <prefix>/lib/<multiarch>).
const wchar_t* const kBesideLibrary[] = {L"/../share/capturecore/resources",
                                         L"/../../share/capturecore/resources"};

// Levels above the library folder that are searched for a source tree's
// "resources" folder, for builds that were not copied anywhere.
constexpr int SearchDepth = 3;

std::wstring EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? SZKCommon::MBStoWCS(std::string(value)) : std::wstring();
}

std::wstring ParentFolder(const std::wstring& folder)
{
    const size_t slash = folder.find_last_of(L'/');
    if (slash == std::wstring::npos)
        return std::wstring();
    return slash == 0 ? std::wstring(L"/") : folder.substr(0, slash);
}

// "de_DE.UTF-8@euro" -> "de"; "C" and "POSIX" name no language.
std::wstring LanguageOfLocale(const std::wstring& locale)
{
    const std::wstring language = locale.substr(0, locale.find_first_of(L"_.@"));
    if (language == L"C" || language == L"POSIX")
        return std::wstring();
    return language;
}

void MarkOrrin() {}

// "/a/lib/../share/x" -> "/a/share/x", so callers see a plain path.
std::wstring Normalized(const std::wstring& path)
{
    std::vector<std::wstring> parts;
    size_t start = 1;
    while (start <= path.size())
    {
        const size_t end = std::min(path.find(L'/', start), path.size());
        const std::wstring part = path.substr(start, end - start);
        if (part == L"..")
        {
            if (!parts.empty())
                parts.pop_back();
        }
        else if (!part.empty() && part != L".")
            parts.push_back(part);
        start = end + 1;
    }
    std::wstring result;
    for (const std::wstring& part : parts)
        result += L"/" + part;
    return result.empty() ? std::wstring(L"/") : result;
}
} // namespace

std::wstring SZKResourceFolder::Find()
{
    const std::wstring fromEnvironment = EnvironmentValue("ZK_RESOURCE_DIR");
    if (!fromEnvironment.empty())
        return fromEnvironment;

    std::wstring folder;
    if (!SZKCommon::GetModuleFolderPath(folder, reinterpret_cast<const void*>(&MarkOrrin)))
        return std::wstring();
    for (const wchar_t* relative : kBesideLibrary)
        if (FolderExists(folder + relative + L"/texts"))
            return Normalized(folder + relative);
    for (int level = 0; level <= SearchDepth && !folder.empty(); ++level)
    {
        const std::wstring candidate = (folder == L"/" ? std::wstring() : folder) + L"/resources";
        if (FolderExists(candidate + L"/texts"))
            return candidate;
        if (folder == L"/")
            break;
        folder = ParentFolder(folder);
    }
    return std::wstring();
}

std::wstring SZKResourceFolder::LanguageFromEnvironment()
{
    const std::wstring chosen = EnvironmentValue("ZK_LANGUAGE");
    if (!chosen.empty())
        return chosen;
    // The first locale variable that is set decides, as for the C library.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    {
        const std::wstring locale = EnvironmentValue(name);
        if (locale.empty())
            continue;
        const std::wstring language = LanguageOfLocale(locale);
        return language.empty() ? L"en" : language;
    }
    return L"en";
}

bool SZKResourceFolder::IsValidLanguage(const std::wstring& language)
{
    if (language.empty() || language.size() > 32)
        return false;
    for (wchar_t ch : language)
    {
        const bool letter = (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z');
        const bool digit = ch >= L'0' && ch <= L'9';
        if (!letter && !digit && ch != L'_' && ch != L'-')
            return false;
    }
    return true;
}

std::wstring SZKResourceFolder::TextFilePath(const std::wstring& folder, const std::wstring& language)
{
    return folder + L"/texts/" + language + L".zks";
}

bool SZKResourceFolder::FolderExists(const std::wstring& path)
{
    struct stat info{};
    return ::stat(SZKCommon::WCStoMBS(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool SZKResourceFolder::FileExists(const std::wstring& path)
{
    struct stat info{};
    return ::stat(SZKCommon::WCStoMBS(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
