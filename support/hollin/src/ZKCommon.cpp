#include <hollin/ZKCommon.h>

#include <hollin/ZKBuffer.h>
#include <hollin/ZKPath.h>
#include <hollin/ZKStringList.h>
#include <wincompat/ZKCommandLine.h>
#include <wincompat/ZKKnownFolders.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cwctype>
#include <new>

namespace
{
constexpr char32_t kReplacement = 0xFFFD;

bool IsNarrowUTF8(UINT codePage)
{
    return codePage == SZKCommon::CodePageANSI || codePage == SZKCommon::CodePageOEM ||
           codePage == SZKCommon::CodePageThreadANSI || codePage == SZKCommon::CodePageUTF8;
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Decodes one UTF-8 sequence at text[pos]; advances pos past it, or past the
// maximal ill-formed subpart (yielding U+FFFD), following Unicode's
// recommended practice so each bad stretch costs one replacement.
char32_t DecodeOne(const std::string& text, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the 2nd byte
    if (lead >= 0xC2 && lead <= 0xDF) { extra = 1; cp = lead & 0x1F; }
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        extra = 2; cp = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;  // no overlongs
        if (lead == 0xED) high = 0x9F; // no surrogates
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        extra = 3; cp = lead & 0x07;
        if (lead == 0xF0) low = 0x90;  // no overlongs
        if (lead == 0xF4) high = 0x8F; // nothing above U+10FFFF
    }
    else
        return kReplacement;
    for (int i = 0; i < extra; ++i)
    {
        if (pos >= text.size())
            return kReplacement;
        const auto c = static_cast<unsigned char>(text[pos]);
        if (i == 0 ? (c < low || c > high) : !IsContinuation(c))
            return kReplacement;
        cp = (cp << 6) | (c & 0x3F);
        ++pos;
    }
    return cp;
}

void EncodeOne(char32_t cp, std::string& out)
{
    if (cp < 0x80)
        out += static_cast<char>(cp);
    else if (cp < 0x800)
    {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Next code point of a wide string, joining a UTF-16 pair if one is there.
char32_t NextWide(const std::wstring& text, size_t& pos)
{
    const auto c = static_cast<char32_t>(text[pos++]);
    if (IsHighSurrogate(c) && pos < text.size() && IsLowSurrogate(static_cast<char32_t>(text[pos])))
    {
        const auto low = static_cast<char32_t>(text[pos++]);
        return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
    }
    if (IsHighSurrogate(c) || IsLowSurrogate(c) || c > 0x10FFFF)
        return kReplacement;
    return c;
}

void AppendWide(char32_t cp, std::wstring& out)
{
    if constexpr (sizeof(wchar_t) >= 4)
        out += static_cast<wchar_t>(cp);
    else if (cp >= 0x10000)
    {
        out += static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
    else
        out += static_cast<wchar_t>(cp);
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::vector<std::wstring> SplitFields(const std::wstring& text, wchar_t delimiter)
{
    std::vector<std::wstring> fields;
    if (text.empty())
        return fields;
    size_t start = 0;
    while (true)
    {
        const size_t end = text.find(delimiter, start);
        fields.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    return fields;
}

std::wstring TrimBlanks(const std::wstring& text)
{
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

void FillList(const std::vector<std::wstring>& items, CZKStringList& list)
{
    list.RemoveAll();
    for (const auto& item : items)
        list.AddTail(item);
}

bool WriteAll(int fd, const BYTE* data, size_t size)
{
    while (size > 0)
    {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}
} // namespace

BOOL SZKCommon::MBStoWCS(const std::string& text, std::wstring& result, UINT codePage)
{
    result.clear();
    if (!IsNarrowUTF8(codePage))
        return FALSE;
    result.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size())
        AppendWide(DecodeOne(text, pos), result);
    return TRUE;
}

std::wstring SZKCommon::MBStoWCS(const std::string& text, UINT codePage)
{
    std::wstring result;
    MBStoWCS(text, result, codePage);
    return result;
}

BOOL SZKCommon::WCStoMBS(const std::wstring& text, std::string& result, UINT codePage)
{
    result.clear();
    if (!IsNarrowUTF8(codePage))
        return FALSE;
    result.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size())
        EncodeOne(NextWide(text, pos), result);
    return TRUE;
}

std::string SZKCommon::WCStoMBS(const std::wstring& text, UINT codePage)
{
    std::string result;
    WCStoMBS(text, result, codePage);
    return result;
}

BOOL SZKCommon::MBStoWCS(const char* text, std::wstring& result, UINT codePage)
{
    return MBStoWCS(std::string(text ? text : ""), result, codePage);
}

std::wstring SZKCommon::MBStoWCS(const char* text, UINT codePage)
{
    return MBStoWCS(std::string(text ? text : ""), codePage);
}

BOOL SZKCommon::WCStoMBS(const wchar_t* text, std::string& result, UINT codePage)
{
    return WCStoMBS(std::wstring(text ? text : L""), result, codePage);
}

std::string SZKCommon::WCStoMBS(const wchar_t* text, UINT codePage)
{
    return WCStoMBS(std::wstring(text ? text : L""), codePage);
}

namespace
{
template <typename Text, typename Lower> bool EqualFolded(const Text& a, const Text& b, Lower lower)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [lower](auto x, auto y) { return lower(x) == lower(y); });
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}
} // namespace

bool SZKCommon::EqualNoCase(const std::wstring& a, const std::wstring& b)
{
    return EqualFolded(a, b, [](wchar_t c) { return std::towlower(c); });
}

bool SZKCommon::EqualNoCase(const std::string& a, const std::string& b)
{
    return EqualFolded(a, b, AsciiLower);
}

std::vector<std::wstring> SZKCommon::SplitCommandLine(const std::wstring& text, wchar_t delimiter)
{
    return IsBlank(delimiter) ? CZKCommandLine::Split(text) : SplitFields(text, delimiter);
}

BOOL SZKCommon::SplitCommandLine(const std::wstring& text, CZKStringList& tokens, wchar_t delimiter)
{
    FillList(SplitCommandLine(text, delimiter), tokens);
    return TRUE;
}

std::vector<std::wstring> SZKCommon::SplitPathItemList(const std::wstring& text)
{
    std::vector<std::wstring> paths;
    std::wstring item;
    bool quoted = false;
    auto flush = [&] {
        std::wstring trimmed = TrimBlanks(item);
        if (!trimmed.empty())
            paths.push_back(std::move(trimmed));
        item.clear();
    };
    for (wchar_t c : text)
    {
        if (c == L'"')
            quoted = !quoted;
        else if (c == L';' && !quoted)
            flush();
        else
            item += c;
    }
    flush();
    return paths;
}

BOOL SZKCommon::SplitPathItemList(const std::wstring& text, CZKStringList& paths)
{
    FillList(SplitPathItemList(text), paths);
    return TRUE;
}

BOOL SZKCommon::GetModuleFolderPath(std::wstring& folder, const void* addressInModule)
{
    static const int anchor = 0;
    Dl_info info{};
    if (!::dladdr(addressInModule ? addressInModule : &anchor, &info) || !info.dli_fname || !*info.dli_fname)
        return FALSE;
    char* resolved = ::realpath(info.dli_fname, nullptr);
    if (!resolved)
        return FALSE;
    const std::wstring file = SZKPath::FromNative(resolved);
    std::free(resolved);
    folder = SZKPath::SplitPath_P(file);
    return TRUE;
}

BOOL SZKCommon::GetSHFolderPath(int csidl, std::wstring& folder)
{
    std::wstring path;
    if (!CZKKnownFolders::FromCsidl(csidl, path))
        return FALSE;
    folder = SZKPath::Normalize(path);
    return TRUE;
}

BOOL SZKCommon::FileToBuffer(const std::wstring& path, CZKBuffer& buffer)
{
    const int fd = ::open(SZKPath::ToNative(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FALSE;
    std::vector<BYTE> data;
    BYTE chunk[65536];
    bool ok = true;
    while (true)
    {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ok = false;
        if (got <= 0)
            break;
        try
        {
            data.insert(data.end(), chunk, chunk + got);
        }
        catch (const std::bad_alloc&)
        {
            ok = false;
            break;
        }
    }
    ::close(fd);
    if (!ok)
        return FALSE;
    return buffer.CopyFrom(data.data(), data.size()) ? TRUE : FALSE;
}

BOOL SZKCommon::BufferToFile(const CZKBuffer& buffer, const std::wstring& path)
{
    const std::string target = SZKPath::ToNative(path);
    if (target.empty())
        return FALSE;
    std::string temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return FALSE;
    // mkstemp makes the file owner-only; keep the mode of the file replaced.
    struct stat existing{};
    const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
    const bool ok = WriteAll(fd, static_cast<const BYTE*>(buffer.GetPtr()), buffer.GetSize()) &&
                    ::fchmod(fd, mode) == 0;
    const bool closed = ::close(fd) == 0;
    if (!ok || !closed || ::rename(temp.c_str(), target.c_str()) != 0)
    {
        ::unlink(temp.c_str());
        return FALSE;
    }
    return TRUE;
}
