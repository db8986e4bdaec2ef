#include <hollin/ZKFileVersionInfo.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKPath.h>

#include <algorithm>
#include <cstring>
#include <fstream>

namespace
{
// Enough for any version text; the scan stops there.
constexpr size_t kMaxVersionText = 64;
// Markers sit in the data of a binary; huge files are not scanned whole.
constexpr size_t kMaxScannedBytes = 64u << 20;

bool IsVersionChar(char c) { return (c >= '0' && c <= '9') || c == '.' || c == ',' || c == ' '; }

bool ReadSidecar(const std::string& path, std::string& text)
{
    std::ifstream in(path + ".version");
    return in && std::getline(in, text);
}

// The first marker followed by a version text. Other hits (such as this
// library's own copy of the marker text) are skipped.
bool FindMarker(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    if (size <= 0)
        return false;
    in.seekg(0);
    std::string content(std::min(static_cast<size_t>(size), kMaxScannedBytes), '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<size_t>(in.gcount()));
    const std::string marker = ZK_FILE_VERSION_MARKER;
    for (size_t hit = content.find(marker); hit != std::string::npos; hit = content.find(marker, hit + 1))
    {
        size_t pos = hit + marker.size();
        text.clear();
        while (pos < content.size() && IsVersionChar(content[pos]) && text.size() < kMaxVersionText)
            text += content[pos++];
        if (!text.empty() && text[0] >= '0' && text[0] <= '9')
            return true;
    }
    return false;
}

bool ParsePart(const std::wstring& text, WORD& part)
{
    size_t first = text.find_first_not_of(L' ');
    size_t last = text.find_last_not_of(L' ');
    if (first == std::wstring::npos)
        return false;
    unsigned long value = 0;
    for (size_t i = first; i <= last; ++i)
    {
        if (text[i] < L'0' || text[i] > L'9')
            return false;
        value = value * 10 + static_cast<unsigned long>(text[i] - L'0');
        if (value > 0xFFFF)
            return false;
    }
    part = static_cast<WORD>(value);
    return true;
}
} // namespace

BOOL CZKFileVersionInfo::SplitStdFileVersion(const std::wstring& text, WORD& major, WORD& minor, WORD& build,
                                             WORD& revision)
{
    WORD parts[4] = {0, 0, 0, 0};
    size_t count = 0;
    size_t start = 0;
    while (true)
    {
        const size_t end = text.find_first_of(L".,", start);
        if (count == 4 || !ParsePart(text.substr(start, end == std::wstring::npos ? end : end - start), parts[count]))
            return FALSE;
        ++count;
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    major = parts[0];
    minor = parts[1];
    build = parts[2];
    revision = parts[3];
    return TRUE;
}

BOOL CZKFileVersionInfo::SetFile(const std::wstring& path)
{
    m_valid = false;
    const std::string native = SZKPath::ToNative(path);
    std::string text;
    if (!ReadSidecar(native, text) && !FindMarker(native, text))
        return FALSE;
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    m_valid = SplitStdFileVersion(SZKCommon::MBStoWCS(text), m_parts[0], m_parts[1], m_parts[2], m_parts[3]) != FALSE;
    return m_valid ? TRUE : FALSE;
}

std::wstring CZKFileVersionInfo::GetFileVersion() const
{
    if (!m_valid)
        return std::wstring();
    return std::to_wstring(m_parts[0]) + L'.' + std::to_wstring(m_parts[1]) + L'.' + std::to_wstring(m_parts[2]) +
           L'.' + std::to_wstring(m_parts[3]);
}

BOOL CZKFileVersionInfo::GetFileVersion(WORD& major, WORD& minor, WORD& build, WORD& revision) const
{
    if (!m_valid)
        return FALSE;
    major = m_parts[0];
    minor = m_parts[1];
    build = m_parts[2];
    revision = m_parts[3];
    return TRUE;
}
