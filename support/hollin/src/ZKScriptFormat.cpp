#include "ZKScriptFormat.h"
#include "ZKScriptSectionIndex.h"

#include "ZKText.h"

#include <cwchar>

namespace {

const char kBom[] = "\xEF\xBB\xBF";

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring Trim(const std::wstring& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// Index of the first occurrence of c not preceded by an escaping backslash,
// or npos.
size_t FindUnescaped(const std::wstring& text, wchar_t c)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\\')
            ++i;
        else if (text[i] == c)
            return i;
    }
    return std::wstring::npos;
}

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

bool ReadHex(const std::wstring& raw, size_t pos, size_t digits, uint32_t& value)
{
    if (raw.size() - pos < digits)
        return false;
    value = 0;
    for (size_t i = 0; i < digits; ++i) {
        const int digit = HexDigit(raw[pos + i]);
        if (digit < 0)
            return false;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return true;
}

void AppendHex(uint32_t value, size_t digits, std::wstring& out)
{
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    for (size_t i = digits; i-- > 0;)
        out += kDigits[(value >> (4 * i)) & 0xF];
}

bool IsControl(uint32_t c) { return c < 0x20 || c == 0x7F; }

} // namespace

void SZKScriptFormat::_AppendEscaped(wchar_t c, size_t index, size_t firstSolid, size_t endSolid, Field field,
                                     std::wstring& out)
{
    const auto code = static_cast<uint32_t>(c);
    switch (c) {
    case L'\\': out += L"\\\\"; return;
    case L'\n': out += L"\\n"; return;
    case L'\r': out += L"\\r"; return;
    case L'\t': out += L"\\t"; return;
    case L'\0': out += L"\\0"; return;
    default: break;
    }
    if (c == L' ' && (index < firstSolid || index >= endSolid))
        out += L"\\s";
    else if (field == FIELD_KEY && (c == L'=' || (c == L'[' && index == 0)))
        out += {L'\\', c};
    else if (field == FIELD_SECTION && c == L']')
        out += L"\\]";
    else if (IsControl(code))
        out += L"\\x", AppendHex(code, 2, out);
    else if (!SZKText::IsScalar(code))
        out += L"\\U", AppendHex(code, 8, out);
    else
        out += c;
}

std::wstring SZKScriptFormat::Escape(const std::wstring& text, Field field)
{
    // Spaces outside [firstSolid, endSolid) would be trimmed on load.
    size_t firstSolid = 0;
    size_t endSolid = text.size();
    while (firstSolid < endSolid && text[firstSolid] == L' ')
        ++firstSolid;
    while (endSolid > firstSolid && text[endSolid - 1] == L' ')
        --endSolid;
    std::wstring out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i)
        _AppendEscaped(text[i], i, firstSolid, endSolid, field, out);
    return out;
}

bool SZKScriptFormat::Unescape(const std::wstring& raw, std::wstring& out)
{
    std::wstring text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != L'\\') {
            text += raw[i];
            continue;
        }
        if (++i >= raw.size())
            return false;
        uint32_t code = 0;
        switch (raw[i]) {
        case L'\\': text += L'\\'; break;
        case L'n': text += L'\n'; break;
        case L'r': text += L'\r'; break;
        case L't': text += L'\t'; break;
        case L'0': text += L'\0'; break;
        case L's': text += L' '; break;
        case L'=':
        case L'[':
        case L']': text += raw[i]; break;
        case L'x':
            if (!ReadHex(raw, i + 1, 2, code))
                return false;
            text += static_cast<wchar_t>(code), i += 2;
            break;
        case L'U':
            if (!ReadHex(raw, i + 1, 8, code))
                return false;
            text += static_cast<wchar_t>(code), i += 8;
            break;
        default: return false;
        }
    }
    out.swap(text);
    return true;
}

bool SZKScriptFormat::_ParseHeader(const std::wstring& line, std::wstring& name)
{
    const size_t close = FindUnescaped(line, L']');
    if (close != line.size() - 1)
        return false;
    return Unescape(Trim(line.substr(1, close - 1)), name);
}

bool SZKScriptFormat::_ParseLine(const std::wstring& rawLine, ZKScriptSections& sections,
                                 CZKScriptSectionIndex& index, size_t& current)
{
    const std::wstring line = Trim(rawLine);
    if (line.empty())
        return true;
    if (line[0] == L'[') {
        std::wstring name;
        if (!_ParseHeader(line, name))
            return false;
        // A repeated header continues the section it names.
        current = index.Find(name);
        if (current != CZKScriptSectionIndex::npos)
            return true;
        sections.push_back({name, {}});
        current = sections.size() - 1;
        index.Inserted(sections, current);
        return true;
    }
    const size_t equals = FindUnescaped(line, L'=');
    if (equals == std::wstring::npos)
        return false;
    ZKScriptItemData item;
    if (!Unescape(Trim(line.substr(0, equals)), item.key) || !Unescape(Trim(line.substr(equals + 1)), item.value))
        return false;
    sections[current].items.push_back(std::move(item));
    return true;
}

bool SZKScriptFormat::Parse(const std::string& utf8, ZKScriptSections& out)
{
    size_t start = utf8.compare(0, 3, kBom) == 0 ? 3 : 0;
    std::wstring text;
    if (!SZKText::Utf8ToWide(utf8.data() + start, utf8.size() - start, text))
        return false;
    if (text.find(L'\0') != std::wstring::npos)
        return false;
    ZKScriptSections sections(1); // the root section
    CZKScriptSectionIndex index;
    index.Rebuild(sections);
    size_t current = 0;
    size_t lineStart = 0;
    while (lineStart <= text.size()) {
        size_t lineEnd = text.find(L'\n', lineStart);
        if (lineEnd == std::wstring::npos)
            lineEnd = text.size();
        size_t contentEnd = lineEnd;
        if (contentEnd > lineStart && text[contentEnd - 1] == L'\r')
            --contentEnd;
        if (!_ParseLine(text.substr(lineStart, contentEnd - lineStart), sections, index, current))
            return false;
        lineStart = lineEnd + 1;
    }
    if (sections.front().items.empty())
        sections.erase(sections.begin());
    out.swap(sections);
    return true;
}

std::string SZKScriptFormat::Format(const ZKScriptSections& sections)
{
    std::wstring text;
    auto appendSection = [&text](const ZKScriptSection& section) {
        if (!section.name.empty()) {
            if (!text.empty())
                text += L'\n';
            text += L'[' + Escape(section.name, FIELD_SECTION) + L"]\n";
        }
        for (const ZKScriptItemData& item : section.items)
            text += Escape(item.key, FIELD_KEY) + L" = " + Escape(item.value, FIELD_VALUE) + L'\n';
    };
    for (const ZKScriptSection& section : sections)
        if (section.name.empty())
            appendSection(section);
    for (const ZKScriptSection& section : sections)
        if (!section.name.empty())
            appendSection(section);
    // Every character left unescaped is a scalar value, so this cannot fail.
    std::string utf8 = kBom;
    std::string body;
    SZKText::WideToUtf8(text, body);
    return utf8 + body;
}
