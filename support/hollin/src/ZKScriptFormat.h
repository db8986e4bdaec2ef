// Private: the script's data model and its text file format (see ZKScript.h
// for the format and its escapes).
#pragma once

#include <string>
#include <vector>

struct ZKScriptItemData
{
    std::wstring key;
    std::wstring value;
};

struct ZKScriptSection
{
    std::wstring name; // "" is the root section, written without a header
    std::vector<ZKScriptItemData> items;
};

typedef std::vector<ZKScriptSection> ZKScriptSections;

class CZKScriptSectionIndex;

class SZKScriptFormat
{
public:
    enum Field
    {
        FIELD_KEY,
        FIELD_VALUE,
        FIELD_SECTION
    };

    // UTF-8 file bytes (BOM optional) to sections; false for anything that
    // is not a well-formed script.
    static bool Parse(const std::string& utf8, ZKScriptSections& out);
    // Sections to UTF-8 file bytes with the BOM; the root section first.
    static std::string Format(const ZKScriptSections& sections);

    static std::wstring Escape(const std::wstring& text, Field field);
    static bool Unescape(const std::wstring& raw, std::wstring& out);

private:
    static bool _ParseLine(const std::wstring& line, ZKScriptSections& sections, CZKScriptSectionIndex& index,
                           size_t& current);
    static bool _ParseHeader(const std::wstring& line, std::wstring& name);
    static void _AppendEscaped(wchar_t c, size_t index, size_t firstSolid, size_t endSolid, Field field,
                               std::wstring& out);
};
