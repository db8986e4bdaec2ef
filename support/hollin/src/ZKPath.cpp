#include <hollin/ZKPath.h>

#include <hollin/ZKCommon.h>

namespace
{
bool IsSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

// Index just past the last separator (0 when there is none).
size_t NameStart(const std::wstring& path)
{
    for (size_t i = path.size(); i > 0; --i)
        if (IsSeparator(path[i - 1]))
            return i;
    return 0;
}

// Position of the extension dot inside the last component, npos if none.
size_t ExtensionDot(const std::wstring& path)
{
    const size_t start = NameStart(path);
    const size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || dot <= start)
        return std::wstring::npos;
    return dot;
}
} // namespace

std::wstring SZKPath::Normalize(const std::wstring& path)
{
    std::wstring result = path;
    for (auto& c : result)
        if (c == L'\\')
            c = L'/';
    return result;
}

std::wstring SZKPath::MergePath_PNF(const std::wstring& path, const std::wstring& name, const std::wstring& extension)
{
    std::wstring head = Normalize(path);
    while (head.size() > 1 && head.back() == L'/')
        head.pop_back();
    std::wstring tail = Normalize(name);
    size_t skip = 0;
    while (skip < tail.size() && tail[skip] == L'/')
        ++skip;
    tail.erase(0, skip);

    std::wstring result = head;
    if (!head.empty() && !tail.empty() && head != L"/")
        result += L'/';
    else if (head.empty() && skip > 0)
        result = L"/"; // a name that was absolute stays absolute
    result += tail;

    std::wstring ext = extension;
    if (!ext.empty() && ext.front() == L'.')
        ext.erase(0, 1);
    if (!ext.empty())
        result += L'.' + ext;
    return result;
}

std::wstring SZKPath::SplitPath_P(const std::wstring& path)
{
    const size_t start = NameStart(path);
    if (start == 0)
        return std::wstring();
    std::wstring folder = Normalize(path.substr(0, start));
    while (folder.size() > 1 && folder.back() == L'/')
        folder.pop_back();
    return folder;
}

std::wstring SZKPath::SplitPath_NE(const std::wstring& path)
{
    return path.substr(NameStart(path));
}

std::wstring SZKPath::SplitPath_N(const std::wstring& path)
{
    const size_t start = NameStart(path);
    const size_t dot = ExtensionDot(path);
    return path.substr(start, dot == std::wstring::npos ? std::wstring::npos : dot - start);
}

std::wstring SZKPath::SplitPath_E(const std::wstring& path)
{
    const size_t dot = ExtensionDot(path);
    return dot == std::wstring::npos ? std::wstring() : path.substr(dot + 1);
}

std::string SZKPath::ToNative(const std::wstring& path)
{
    return SZKCommon::WCStoMBS(Normalize(path));
}

std::wstring SZKPath::FromNative(const std::string& path)
{
    return SZKCommon::MBStoWCS(path);
}
