#include <orrin/ZKVersion.h>

namespace
{
bool IsBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n';
}

std::wstring Trimmed(const std::wstring& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// Reads one decimal part starting at pos; advances pos past its digits.
bool ReadPart(const std::wstring& text, size_t& pos, WORD& value)
{
    unsigned number = 0;
    size_t start = pos;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9')
    {
        number = number * 10 + static_cast<unsigned>(text[pos] - L'0');
        if (number > CZKVersion::MaxPartValue)
            return false;
        ++pos;
    }
    if (pos == start)
        return false;
    value = static_cast<WORD>(number);
    return true;
}
} // namespace

CZKVersion::CZKVersion() : m_parts{0, 0, 0, 0}, m_empty(true) {}

CZKVersion::CZKVersion(WORD major, WORD minor, WORD build, WORD revision)
    : m_parts{major, minor, build, revision}, m_empty(false)
{
}

CZKVersion::CZKVersion(const wchar_t* text) : CZKVersion()
{
    CreateVersionFromString(text);
}

void CZKVersion::Clear()
{
    for (WORD& part : m_parts)
        part = 0;
    m_empty = true;
}

BOOL CZKVersion::CreateVersionFromString(const wchar_t* text)
{
    return CreateVersionFromString(std::wstring(text ? text : L""));
}

BOOL CZKVersion::CreateVersionFromString(const std::wstring& text)
{
    Clear();
    const std::wstring body = Trimmed(text);
    if (body.empty())
        return TRUE;

    WORD parts[PartCount] = {0, 0, 0, 0};
    size_t pos = 0;
    for (int index = 0;; ++index)
    {
        if (index == PartCount || !ReadPart(body, pos, parts[index]))
            return FALSE;
        if (pos == body.size())
            break;
        if (body[pos] != L'.')
            return FALSE;
        ++pos;
    }
    for (int index = 0; index < PartCount; ++index)
        m_parts[index] = parts[index];
    m_empty = false;
    return TRUE;
}

int CZKVersion::Compare(const CZKVersion& other) const
{
    if (m_empty || other.m_empty)
        return (m_empty ? 0 : 1) - (other.m_empty ? 0 : 1);
    for (int index = 0; index < PartCount; ++index)
    {
        if (m_parts[index] != other.m_parts[index])
            return m_parts[index] < other.m_parts[index] ? -1 : 1;
    }
    return 0;
}

std::wstring CZKVersion::ToString() const
{
    if (m_empty)
        return std::wstring();
    std::wstring text;
    for (int index = 0; index < PartCount; ++index)
    {
        if (index > 0)
            text += L'.';
        text += std::to_wstring(m_parts[index]);
    }
    return text;
}

WORD CZKVersion::GetPart(int index) const
{
    if (m_empty || index < 0 || index >= PartCount)
        return 0;
    return m_parts[index];
}
