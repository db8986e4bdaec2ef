// The imprinter's part of the scanner helper: expressions translated into
// printable text and formulas checked against a family's expressions.
#include <mirelight/QXScannerHelper.h>

#include "QXImprinterFormula.h"

#include <brackwater/QXDefaultValueTags.h>
#include <brackwater/QXIOMask.h>
#include <hollin/ZKCommon.h>

#include <cstring>
#include <map>

namespace
{
// The longest prefix of text that has at most maxBytes bytes and ends on a
// whole UTF-8 character.
size_t Utf8PrefixLength(const std::string& text, size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text.size();
    size_t length = maxBytes;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    return length;
}
} // namespace

BOOL CQXScannerHelper::TranslateExpression(const wchar_t* expression, std::string& text, WORD maxLength,
                                           BOOL truncate)
{
    std::wstring value;
    int level = 0;
    DWORD code = 0;
    if (!SQXIOMask::GetDefaultValue(expression ? expression : L"", SQXDefaultValueTags::GetTagItemList(), value,
                                    level, code))
        return FALSE;
    std::string utf8;
    if (!SZKCommon::WCStoMBS(value, utf8, SZKCommon::CodePageUTF8))
        return FALSE;
    if (utf8.size() > maxLength)
    {
        if (!truncate)
            return FALSE;
        utf8.resize(Utf8PrefixLength(utf8, maxLength));
    }
    text = utf8;
    return TRUE;
}

BOOL CQXScannerHelper::TranslateExpression(const wchar_t* expression, char (&text)[256], WORD maxLength,
                                           BOOL truncate)
{
    std::string translated;
    if (!TranslateExpression(expression, translated, maxLength, truncate))
        return FALSE;
    std::memset(text, 0, sizeof(text));
    std::memcpy(text, translated.data(), Utf8PrefixLength(translated, sizeof(text) - 1));
    return TRUE;
}

BOOL CQXScannerHelper::ValidateFormula(const wchar_t* formula, const std::vector<QX_IMPRINTER_EXPRESSION>& expressions,
                                       unsigned maxItems, unsigned maxLength)
{
    std::map<std::wstring, size_t> byName;
    for (size_t i = 0; i < expressions.size(); ++i)
        byName.emplace(expressions[i].strName, i);

    std::vector<std::wstring> names;
    if (!SQXImprinterFormula::SplitTokens(formula ? formula : L"", names))
        return FALSE;
    unsigned items = 0;
    uint64_t length = 0;
    for (const std::wstring& name : names)
    {
        const auto found = byName.find(name);
        if (found == byName.end() || ++items > maxItems)
            return FALSE;
        const int32_t printed = expressions[found->second].nLength;
        if (printed == QX_IMPRINTER_EXPRESSION::LENGTH_NOT_COUNTED)
            continue;
        length += static_cast<uint32_t>(printed);
        if (length > maxLength)
            return FALSE;
    }
    return TRUE;
}
