#include <hollin/ZKBuffer.h>
#include <hollin/ZKScript.h>

#include "ZKScriptFormat.h"
#include "ZKScriptSectionIndex.h"
#include "ZKText.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <unistd.h>

namespace {

const std::wstring kRootSection;

std::wstring TrimBlanks(const std::wstring& text)
{
    const size_t begin = text.find_first_not_of(L" \t");
    if (begin == std::wstring::npos)
        return std::wstring();
    const size_t end = text.find_last_not_of(L" \t");
    return text.substr(begin, end - begin + 1);
}

// Decimal int with optional sign and surrounding blanks; false when out of
// range or not a number.
bool ParseInt(const std::wstring& raw, int& value)
{
    const std::wstring text = TrimBlanks(raw);
    size_t pos = 0;
    const bool negative = !text.empty() && text[0] == L'-';
    if (!text.empty() && (text[0] == L'-' || text[0] == L'+'))
        ++pos;
    if (pos == text.size())
        return false;
    long long magnitude = 0;
    for (; pos < text.size(); ++pos) {
        if (text[pos] < L'0' || text[pos] > L'9')
            return false;
        magnitude = magnitude * 10 + (text[pos] - L'0');
        if (magnitude > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(signedValue);
    return true;
}

bool ParseBool(const std::wstring& raw, BOOL& value)
{
    const std::wstring text = TrimBlanks(raw);
    int number = 0;
    if (ParseInt(text, number)) {
        value = number != 0 ? TRUE : FALSE;
        return true;
    }
    if (SZKText::EqualNoCaseAscii(text, L"true") || SZKText::EqualNoCaseAscii(text, L"false")) {
        value = SZKText::EqualNoCaseAscii(text, L"true") ? TRUE : FALSE;
        return true;
    }
    return false;
}

bool ParseDouble(const std::wstring& raw, double& value)
{
    const std::wstring text = TrimBlanks(raw);
    std::string narrow;
    for (wchar_t c : text) {
        if (c < 0x20 || c > 0x7E)
            return false;
        narrow += static_cast<char>(c);
    }
    // from_chars takes no leading '+'; accept it as written by hand.
    size_t start = (!narrow.empty() && narrow[0] == '+') ? 1 : 0;
    if (start == narrow.size())
        return false;
    double parsed = 0;
    const char* end = narrow.data() + narrow.size();
    const auto result = std::from_chars(narrow.data() + start, end, parsed);
    if (result.ec != std::errc() || result.ptr != end)
        return false;
    value = parsed;
    return true;
}

std::wstring FormatDouble(double value)
{
    char text[64];
    // Shortest text that reads back to the same double, never localised.
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::wstring(text, result.ptr);
}

bool ParseInt4(const std::wstring& text, int out[4])
{
    int values[4];
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t comma = text.find(L',', start);
        if ((i < 3) == (comma == std::wstring::npos))
            return false;
        const size_t end = i < 3 ? comma : text.size();
        if (!ParseInt(text.substr(start, end - start), values[i]))
            return false;
        start = end + 1;
    }
    for (int i = 0; i < 4; ++i)
        out[i] = values[i];
    return true;
}

bool ReadFile(const std::string& path, std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::string content;
    char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        content.append(chunk, got);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    if (ok)
        bytes.swap(content);
    return ok;
}

// Writes to a temporary file first so that a failed save never leaves a
// half-written script behind.
bool WriteFile(const std::string& path, const std::string& bytes)
{
    const std::string temp = path + ".tmp" + std::to_string(static_cast<long>(getpid()));
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = (std::fclose(file) == 0) && ok;
    if (ok && std::rename(temp.c_str(), path.c_str()) == 0)
        return true;
    std::remove(temp.c_str());
    return false;
}

} // namespace

struct CZKScript::Impl
{
    ZKScriptSections sections;
    std::wstring defaultSection;
    std::wstring path;
    bool autoSave = false;
    bool modified = false;

    std::wstring Resolve(int flag, const wchar_t* section) const
    {
        if (section)
            return section;
        return flag ? defaultSection : kRootSection;
    }

    // Kept in step with every change of sections.
    CZKScriptSectionIndex index;

    const ZKScriptSection* Find(const std::wstring& name) const
    {
        const size_t position = index.Find(name);
        return position == CZKScriptSectionIndex::npos ? nullptr : &sections[position];
    }

    ZKScriptSection* Find(const std::wstring& name)
    {
        return const_cast<ZKScriptSection*>(static_cast<const Impl*>(this)->Find(name));
    }

    ZKScriptSection& FindOrAdd(const std::wstring& name)
    {
        if (ZKScriptSection* section = Find(name))
            return *section;
        // The root section always comes first, as in the file.
        auto where = name.empty() ? sections.begin() : sections.end();
        const auto inserted = sections.insert(where, ZKScriptSection{name, {}});
        const auto position = static_cast<size_t>(inserted - sections.begin());
        index.Inserted(sections, position);
        return sections[position];
    }

    const std::wstring* Get(const wchar_t* key, int flag, const wchar_t* section) const
    {
        const ZKScriptSection* found = key ? Find(Resolve(flag, section)) : nullptr;
        if (!found)
            return nullptr;
        for (const ZKScriptItemData& item : found->items)
            if (SZKText::EqualNoCaseAscii(item.key, key))
                return &item.value;
        return nullptr;
    }

    BOOL Set(const wchar_t* key, const std::wstring& value, int flag, const wchar_t* section)
    {
        if (!key)
            return FALSE;
        ZKScriptSection& target = FindOrAdd(Resolve(flag, section));
        modified = true;
        for (ZKScriptItemData& item : target.items) {
            if (SZKText::EqualNoCaseAscii(item.key, key)) {
                item.value = value;
                return TRUE;
            }
        }
        target.items.push_back({key, value});
        return TRUE;
    }

    BOOL Add(const std::wstring& key, const std::wstring& value, int flag, const wchar_t* section)
    {
        FindOrAdd(Resolve(flag, section)).items.push_back({key, value});
        modified = true;
        return TRUE;
    }
};

CZKScript::CZKScript() : m_impl(new Impl) {}

CZKScript::~CZKScript()
{
    if (m_impl->autoSave && m_impl->modified && !m_impl->path.empty())
        Save(std::wstring(m_impl->path));
}

void CZKScript::SetDefaultSection(const std::wstring& name) { m_impl->defaultSection = name; }

void CZKScript::GetDefaultSection(std::wstring& name) const { name = m_impl->defaultSection; }

const std::wstring& CZKScript::GetDefaultSection() const { return m_impl->defaultSection; }

BOOL CZKScript::R_int(const wchar_t* key, int& value, int flag, const wchar_t* section) const
{
    const std::wstring* text = m_impl->Get(key, flag, section);
    return text && ParseInt(*text, value) ? TRUE : FALSE;
}

BOOL CZKScript::W_int(const wchar_t* key, int value, int flag, const wchar_t* section)
{
    return m_impl->Set(key, std::to_wstring(value), flag, section);
}

BOOL CZKScript::R_BOOL(const wchar_t* key, BOOL& value, int flag, const wchar_t* section) const
{
    const std::wstring* text = m_impl->Get(key, flag, section);
    return text && ParseBool(*text, value) ? TRUE : FALSE;
}

BOOL CZKScript::W_BOOL(const wchar_t* key, BOOL value, int flag, const wchar_t* section)
{
    return m_impl->Set(key, value ? L"1" : L"0", flag, section);
}

BOOL CZKScript::R_double(const wchar_t* key, double& value, int flag, const wchar_t* section) const
{
    const std::wstring* text = m_impl->Get(key, flag, section);
    return text && ParseDouble(*text, value) ? TRUE : FALSE;
}

BOOL CZKScript::W_double(const wchar_t* key, double value, int flag, const wchar_t* section)
{
    return m_impl->Set(key, FormatDouble(value), flag, section);
}

BOOL CZKScript::R_int4(const wchar_t* key, int values[4], int flag, const wchar_t* section) const
{
    const std::wstring* text = m_impl->Get(key, flag, section);
    return values && text && ParseInt4(*text, values) ? TRUE : FALSE;
}

BOOL CZKScript::R_int4(const wchar_t* key, int& v1, int& v2, int& v3, int& v4, int flag,
                       const wchar_t* section) const
{
    int values[4];
    if (!R_int4(key, values, flag, section))
        return FALSE;
    v1 = values[0], v2 = values[1], v3 = values[2], v4 = values[3];
    return TRUE;
}

BOOL CZKScript::W_int4(const wchar_t* key, const int values[4], int flag, const wchar_t* section)
{
    if (!values)
        return FALSE;
    std::wstring text;
    for (int i = 0; i < 4; ++i)
        text += (i ? L"," : L"") + std::to_wstring(values[i]);
    return m_impl->Set(key, text, flag, section);
}

BOOL CZKScript::W_int4(const wchar_t* key, int v1, int v2, int v3, int v4, int flag, const wchar_t* section)
{
    const int values[4] = {v1, v2, v3, v4};
    return W_int4(key, values, flag, section);
}

BOOL CZKScript::GetKeyValue(const wchar_t* key, std::wstring& value, int flag, const wchar_t* section) const
{
    const std::wstring* text = m_impl->Get(key, flag, section);
    if (!text)
        return FALSE;
    value = *text;
    return TRUE;
}

BOOL CZKScript::SetKeyValue(const wchar_t* key, const std::wstring& value, int flag, const wchar_t* section)
{
    return m_impl->Set(key, value, flag, section);
}

BOOL CZKScript::AddScript(const std::wstring& line, int flag, const wchar_t* section)
{
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos)
        return FALSE;
    size_t valueStart = equals + 1;
    if (valueStart < line.size() && line[valueStart] == L' ')
        ++valueStart;
    return m_impl->Add(TrimBlanks(line.substr(0, equals)), line.substr(valueStart), flag, section);
}

BOOL CZKScript::AddKeyValue(const wchar_t* key, const std::wstring& value, int flag, const wchar_t* section)
{
    return key ? m_impl->Add(key, value, flag, section) : FALSE;
}

BOOL CZKScript::FindKeyValues(const wchar_t* section, const wchar_t* key, CZKScriptItemList& list) const
{
    list.RemoveAll();
    list.SetOwnership(TRUE);
    const ZKScriptSection* found = key ? m_impl->Find(m_impl->Resolve(1, section)) : nullptr;
    if (!found)
        return FALSE;
    for (const ZKScriptItemData& item : found->items)
        if (SZKText::EqualNoCaseAscii(item.key, key))
            list.AddItem(item.key, item.value);
    return list.IsEmpty() ? FALSE : TRUE;
}

BOOL CZKScript::GetSectionItems(const wchar_t* section, CZKScriptItemList& list) const
{
    list.RemoveAll();
    list.SetOwnership(TRUE);
    const ZKScriptSection* found = m_impl->Find(m_impl->Resolve(1, section));
    if (!found)
        return FALSE;
    for (const ZKScriptItemData& item : found->items)
        list.AddItem(item.key, item.value);
    return TRUE;
}

void CZKScript::GetSectionNames(CZKStringList& names) const
{
    names.RemoveAll();
    for (const ZKScriptSection& section : m_impl->sections)
        if (!section.name.empty() || !section.items.empty())
            names.AddTail(section.name);
}

BOOL CZKScript::HasSection(const wchar_t* section) const
{
    return m_impl->Find(section ? std::wstring(section) : kRootSection) ? TRUE : FALSE;
}

BOOL CZKScript::RemoveKey(const wchar_t* key, int flag, const wchar_t* section)
{
    ZKScriptSection* found = key ? m_impl->Find(m_impl->Resolve(flag, section)) : nullptr;
    if (!found)
        return FALSE;
    const size_t before = found->items.size();
    auto& items = found->items;
    for (auto it = items.begin(); it != items.end();)
        it = SZKText::EqualNoCaseAscii(it->key, key) ? items.erase(it) : it + 1;
    if (items.size() == before)
        return FALSE;
    m_impl->modified = true;
    return TRUE;
}

void CZKScript::RemoveAllScripts(int flag, const wchar_t* section)
{
    if (ZKScriptSection* found = m_impl->Find(m_impl->Resolve(flag, section))) {
        found->items.clear();
        m_impl->modified = true;
    }
}

void CZKScript::RemoveAll()
{
    m_impl->sections.clear();
    m_impl->index.Rebuild(m_impl->sections);
    m_impl->modified = true;
}

BOOL CZKScript::LoadFromText(const std::string& utf8)
{
    ZKScriptSections sections;
    if (!SZKScriptFormat::Parse(utf8, sections))
        return FALSE;
    m_impl->sections.swap(sections);
    m_impl->index.Rebuild(m_impl->sections);
    m_impl->modified = true;
    return TRUE;
}

std::string CZKScript::SaveToText() const { return SZKScriptFormat::Format(m_impl->sections); }

BOOL CZKScript::Load(const std::wstring& path)
{
    std::string narrowPath;
    std::string bytes;
    if (!SZKText::WideToUtf8(path, narrowPath) || !ReadFile(narrowPath, bytes) || !LoadFromText(bytes))
        return FALSE;
    m_impl->path = path;
    m_impl->modified = false;
    return TRUE;
}

BOOL CZKScript::Save(const std::wstring& path)
{
    std::string narrowPath;
    if (!SZKText::WideToUtf8(path, narrowPath) || narrowPath.empty() || !WriteFile(narrowPath, SaveToText()))
        return FALSE;
    m_impl->path = path;
    m_impl->modified = false;
    return TRUE;
}

BOOL CZKScript::Load(const CZKBuffer& buffer)
{
    const auto* bytes = reinterpret_cast<const char*>(buffer.GetPtr());
    return LoadFromText(bytes ? std::string(bytes, buffer.GetSize()) : std::string());
}

BOOL CZKScript::Save(CZKBuffer& buffer) const
{
    const std::string text = SaveToText();
    return buffer.CopyFrom(text.data(), text.size());
}

void CZKScript::SetAutoSave(BOOL flag) { m_impl->autoSave = flag != 0; }

BOOL CZKScript::IsModified() const { return m_impl->modified ? TRUE : FALSE; }

const std::wstring& CZKScript::GetPath() const { return m_impl->path; }

void CZKScript::CopyFrom(const CZKScript& source)
{
    if (&source == this)
        return;
    m_impl->sections = source.m_impl->sections;
    m_impl->index.Rebuild(m_impl->sections);
    m_impl->defaultSection = source.m_impl->defaultSection;
    m_impl->modified = true;
}

namespace {

// Decimal 64-bit integer with optional sign and surrounding blanks.
bool ParseInt64(const std::wstring& raw, int64_t& value)
{
    const std::wstring text = TrimBlanks(raw);
    size_t pos = 0;
    const bool negative = !text.empty() && text[0] == L'-';
    if (!text.empty() && (text[0] == L'-' || text[0] == L'+'))
        ++pos;
    if (pos == text.size())
        return false;
    // Accumulated as a magnitude so that INT64_MIN stays representable.
    const uint64_t limit = negative ? static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1
                                    : static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        if (text[pos] < L'0' || text[pos] > L'9')
            return false;
        const uint64_t digit = static_cast<uint64_t>(text[pos] - L'0');
        if (magnitude > (limit - digit) / 10)
            return false;
        magnitude = magnitude * 10 + digit;
    }
    value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

} // namespace

BOOL CZKScript::R_int64(const wchar_t* key, int64_t& value, int flag, const wchar_t* section) const
{
    std::wstring text;
    if (!GetKeyValue(key, text, flag, section) || !ParseInt64(text, value))
        return FALSE;
    return TRUE;
}

BOOL CZKScript::W_int64(const wchar_t* key, int64_t value, int flag, const wchar_t* section)
{
    return SetKeyValue(key, std::to_wstring(static_cast<long long>(value)), flag, section);
}
