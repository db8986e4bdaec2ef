#include <orrin/ZKGEI.h>

#include <orrin/ZKRCM.h>

#include <charconv>
#include <climits>
#include <cmath>

namespace
{
bool IsLineBreak(wchar_t ch)
{
    return ch == L'\r' || ch == L'\n' || ch == L'\v' || ch == L'\f';
}

bool IsSkipped(wchar_t ch, BOOL keepSpaces, BOOL keepTabs, BOOL keepLineBreaks)
{
    if (ch == L' ')
        return !keepSpaces;
    if (ch == L'\t')
        return !keepTabs;
    if (IsLineBreak(ch))
        return !keepLineBreaks;
    return false;
}

struct ErrorKey
{
    DWORD code;
    const wchar_t* key;
};

const ErrorKey kErrorKeys[] = {
    {CZKGEI::ERR_UNEXPECTED_CHAR, L"STR_GEI_ERR_UNEXPECTED_CHAR"},
    {CZKGEI::ERR_UNEXPECTED_END, L"STR_GEI_ERR_UNEXPECTED_END"},
    {CZKGEI::ERR_INT_EXPECTED, L"STR_GEI_ERR_INT_EXPECTED"},
    {CZKGEI::ERR_INT_OVERFLOW, L"STR_GEI_ERR_INT_OVERFLOW"},
    {CZKGEI::ERR_FLOAT_EXPECTED, L"STR_GEI_ERR_FLOAT_EXPECTED"},
    {CZKGEI::ERR_FLOAT_OVERFLOW, L"STR_GEI_ERR_FLOAT_OVERFLOW"},
    {CZKGEI::ERR_INT_TRAILING, L"STR_GEI_ERR_INT_TRAILING"},
    {CZKGEI::ERR_FLOAT_TRAILING, L"STR_GEI_ERR_FLOAT_TRAILING"},
    {CZKGEI::ERR_STRING_EXPECTED, L"STR_GEI_ERR_STRING_EXPECTED"},
    {CZKGEI::ERR_STRING_UNCLOSED, L"STR_GEI_ERR_STRING_UNCLOSED"},
    {CZKGEI::ERR_CHAR_EXPECTED, L"STR_GEI_ERR_CHAR_EXPECTED"},
    {CZKGEI::ERR_CHAR_UNCLOSED, L"STR_GEI_ERR_CHAR_UNCLOSED"},
    {CZKGEI::ERR_SPAN_EXPECTED, L"STR_GEI_ERR_SPAN_EXPECTED"},
    {CZKGEI::ERR_SPAN_UNCLOSED, L"STR_GEI_ERR_SPAN_UNCLOSED"},
    {CZKGEI::ERR_LITERAL_NOT_FOUND, L"STR_GEI_ERR_LITERAL_NOT_FOUND"},
};
} // namespace

CZKGEI::CZKGEI(const std::wstring& text)
{
    SetExpression(text);
}

void CZKGEI::SetExpression(const std::wstring& text)
{
    m_text = text;
    for (wchar_t& ch : m_text)
    {
        if (ch == EndMarker)
            ch = L'\xFFFD';
    }
    m_pos = 0;
    m_lastPos = 0;
    m_canUnget = FALSE;
    m_error = ERR_NONE;
}

void CZKGEI::SetPosition(size_t pos)
{
    m_pos = pos < m_text.size() ? pos : m_text.size();
    m_canUnget = FALSE;
}

BOOL CZKGEI::Is_Blank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || IsLineBreak(ch);
}

size_t CZKGEI::SkipFrom(size_t pos, BOOL keepSpaces, BOOL keepTabs, BOOL keepLineBreaks) const
{
    while (pos < m_text.size() && IsSkipped(m_text[pos], keepSpaces, keepTabs, keepLineBreaks))
        ++pos;
    return pos;
}

wchar_t CZKGEI::Get(BOOL keepSpaces, BOOL keepTabs, BOOL keepLineBreaks)
{
    m_pos = SkipFrom(m_pos, keepSpaces, keepTabs, keepLineBreaks);
    m_lastPos = m_pos;
    m_canUnget = TRUE;
    if (m_pos >= m_text.size())
        return EndMarker;
    return m_text[m_pos++];
}

BOOL CZKGEI::Get(wchar_t expected, BOOL keepSpaces, BOOL keepTabs, BOOL keepLineBreaks)
{
    m_pos = SkipFrom(m_pos, keepSpaces, keepTabs, keepLineBreaks);
    m_canUnget = FALSE;
    if (expected == EndMarker || At(m_pos) != expected)
        return expected == EndMarker && m_pos >= m_text.size();
    m_lastPos = m_pos;
    m_canUnget = TRUE;
    ++m_pos;
    return TRUE;
}

wchar_t CZKGEI::Peek(BOOL keepSpaces, BOOL keepTabs, BOOL keepLineBreaks) const
{
    return At(SkipFrom(m_pos, keepSpaces, keepTabs, keepLineBreaks));
}

BOOL CZKGEI::Unget()
{
    if (!m_canUnget)
        return FALSE;
    m_pos = m_lastPos;
    m_canUnget = FALSE;
    return TRUE;
}

void CZKGEI::SkipBlanks()
{
    m_pos = SkipFrom(m_pos, FALSE, FALSE, FALSE);
    m_canUnget = FALSE;
}

BOOL CZKGEI::Fail(DWORD code, size_t restorePos)
{
    m_pos = restorePos;
    m_canUnget = FALSE;
    m_error = code;
    return FALSE;
}

BOOL CZKGEI::Get_Char(wchar_t& ch)
{
    const size_t start = m_pos;
    if (!Is_CharDelimiter(At(start)))
        return Fail(ERR_CHAR_EXPECTED, start);
    if (start + 2 >= m_text.size())
        return Fail(ERR_UNEXPECTED_END, start);
    if (!Is_CharDelimiter(At(start + 2)))
        return Fail(ERR_CHAR_UNCLOSED, start);
    ch = m_text[start + 1];
    m_pos = start + 3;
    m_canUnget = FALSE;
    return TRUE;
}

// Reads one or more digits at the current position into value; overflow
// is set once the value leaves the signed 32-bit range (the digits are
// still consumed, so the caller can restore the start).
BOOL CZKGEI::ReadDigits(long long& value, BOOL& overflow)
{
    value = 0;
    overflow = FALSE;
    const size_t start = m_pos;
    while (m_pos < m_text.size() && Is_0_9(m_text[m_pos]))
    {
        if (!overflow)
        {
            value = value * 10 + (m_text[m_pos] - L'0');
            if (value > static_cast<long long>(INT_MAX) + 1)
                overflow = TRUE;
        }
        ++m_pos;
    }
    return m_pos > start;
}

BOOL CZKGEI::ReadInt(int& value, BOOL allowSign)
{
    const size_t start = m_pos;
    m_canUnget = FALSE;
    bool negative = false;
    if (allowSign && (At(m_pos) == L'+' || At(m_pos) == L'-'))
        negative = m_text[m_pos++] == L'-';
    long long magnitude = 0;
    BOOL overflow = FALSE;
    if (!ReadDigits(magnitude, overflow))
        return Fail(IsAtEnd() ? ERR_UNEXPECTED_END : ERR_INT_EXPECTED, start);
    const long long signedValue = negative ? -magnitude : magnitude;
    if (overflow || signedValue > INT_MAX || signedValue < INT_MIN)
        return Fail(ERR_INT_OVERFLOW, start);
    value = static_cast<int>(signedValue);
    return TRUE;
}

BOOL CZKGEI::Get_Int(int& value)
{
    return ReadInt(value, TRUE);
}

BOOL CZKGEI::Get_Int_NoSign(int& value)
{
    return ReadInt(value, FALSE);
}

BOOL CZKGEI::Get_Float(double& value)
{
    std::wstring text;
    return Get_Float(value, text);
}

BOOL CZKGEI::Get_Float(double& value, std::wstring& text)
{
    const size_t start = m_pos;
    m_canUnget = FALSE;
    if (At(m_pos) == L'+' || At(m_pos) == L'-')
        ++m_pos;
    // A digit must come first: ".5" would be shorter than any length the
    // masks compute from their bounds.
    if (!Is_0_9(At(m_pos)))
        return Fail(IsAtEnd() ? ERR_UNEXPECTED_END : ERR_FLOAT_EXPECTED, start);
    while (Is_0_9(At(m_pos)))
        ++m_pos;
    if (At(m_pos) == L'.')
    {
        ++m_pos;
        while (Is_0_9(At(m_pos)))
            ++m_pos;
    }

    // The characters are plain ASCII by construction; from_chars ignores
    // the locale's decimal point and rejects a leading '+'.
    std::string narrow;
    for (size_t i = start; i < m_pos; ++i)
    {
        if (m_text[i] != L'+')
            narrow += static_cast<char>(m_text[i]);
    }
    double parsed = 0.0;
    const auto result = std::from_chars(narrow.data(), narrow.data() + narrow.size(), parsed);
    if (result.ec != std::errc() || !std::isfinite(parsed))
        return Fail(ERR_FLOAT_OVERFLOW, start);
    value = parsed;
    text = m_text.substr(start, m_pos - start);
    return TRUE;
}

BOOL CZKGEI::Get_String(std::wstring& text)
{
    const size_t start = m_pos;
    m_canUnget = FALSE;
    if (!Is_StringDelimiter(At(start)))
        return Fail(ERR_STRING_EXPECTED, start);
    std::wstring contents;
    size_t pos = start + 1;
    while (pos < m_text.size())
    {
        const wchar_t ch = m_text[pos++];
        if (!Is_StringDelimiter(ch))
        {
            contents += ch;
            continue;
        }
        if (!Is_StringDelimiter(At(pos)))
        {
            text = contents;
            m_pos = pos;
            return TRUE;
        }
        contents += ch;
        ++pos;
    }
    return Fail(ERR_STRING_UNCLOSED, start);
}

BOOL CZKGEI::Get_StringEx(std::wstring& text, wchar_t open, wchar_t close)
{
    const size_t start = m_pos;
    m_canUnget = FALSE;
    if (open == EndMarker || close == EndMarker || At(start) != open)
        return Fail(ERR_SPAN_EXPECTED, start);
    int depth = 1;
    m_pos = start + 1;
    while (m_pos < m_text.size())
    {
        const wchar_t ch = m_text[m_pos];
        if (Is_StringDelimiter(ch) && ch != open && ch != close)
        {
            std::wstring ignored;
            if (!Get_String(ignored))
                return Fail(ERR_SPAN_UNCLOSED, start);
            continue;
        }
        ++m_pos;
        if (ch == close && --depth == 0)
        {
            text = m_text.substr(start + 1, m_pos - start - 2);
            return TRUE;
        }
        if (ch == open)
            ++depth;
    }
    return Fail(ERR_SPAN_UNCLOSED, start);
}

const wchar_t* CZKGEI::GetErrorKey(DWORD code)
{
    for (const ErrorKey& entry : kErrorKeys)
    {
        if (entry.code == code)
            return entry.key;
    }
    return nullptr;
}

BOOL CZKGEI::ResolveErrorKey(const wchar_t* key, std::wstring& text, BOOL loadText)
{
    text.clear();
    if (key == nullptr)
        return FALSE;
    if (!loadText || !SZKRCM::LoadText(key, text) || text.empty())
        text = key;
    return TRUE;
}

BOOL CZKGEI::GetErrorMessage(DWORD code, std::wstring& text, BOOL loadText)
{
    return ResolveErrorKey(GetErrorKey(code), text, loadText);
}
