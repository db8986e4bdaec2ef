#include <brackwater/QXDefaultValueEI.h>

#include <brackwater/QXIOMask.h>
#include <brackwater/QXOutputMaskEI.h>

#include "QXMaskErrorKeys.h"

#include <algorithm>
#include <memory>

namespace
{
using Item = CQXDefaultValueItem;

const SQXMaskErrorKeys::Entry kErrorKeys[] = {
    {4001, L"STR_DV_ERR_TAG_BADFORMAT"},
    {4002, L"STR_DV_ERR_OR_BADFORMAT"},
    {4101, L"STR_DV_ERR_DATA_TAG_NOTFOUND"},
};

// A quoted string copied back into mask text, its quotes doubled again so
// the output mask reads the same string.
std::wstring QuoteString(const std::wstring& text)
{
    std::wstring quoted(1, CZKGEI::StringDelimiter);
    for (wchar_t ch : text)
    {
        quoted += ch;
        if (ch == CZKGEI::StringDelimiter)
            quoted += ch;
    }
    quoted += CZKGEI::StringDelimiter;
    return quoted;
}

BOOL Fail(DWORD failure, DWORD& code)
{
    code = failure;
    return FALSE;
}
} // namespace

// ---- parsing ---------------------------------------------------------------

BOOL CQXDefaultValueEI::Parse(const std::wstring& expression, CQXDefaultValueOptionList& options,
                              DWORD& code, BOOL emptyOnError)
{
    options.RemoveAll();
    code = 0;
    try
    {
        CQXDefaultValueEI parser;
        parser.m_gei.SetExpression(expression);
        if (parser._ParseOptions(options))
            return TRUE;
        code = parser.m_gei.GetError() != 0 ? parser.m_gei.GetError() : ERR_INTERNAL;
    }
    catch (...)
    {
        code = ERR_INTERNAL;
    }
    if (emptyOnError)
        options.RemoveAll();
    return FALSE;
}

BOOL CQXDefaultValueEI::_ParseOptions(CQXDefaultValueOptionList& options)
{
    auto current = std::make_unique<CQXDefaultValueItemList>();
    bool afterOR = false;
    for (;;)
    {
        const wchar_t ch = m_gei.Get();
        if (CZKGEI::Is_EOF(ch))
            break;
        if (Is_OR(ch))
        {
            if (!Get_OR(ch))
                return FALSE;
            if (current->IsEmpty())
                return _Fail(ERR_OR_BADFORMAT);
            options.Add(current.release());
            current = std::make_unique<CQXDefaultValueItemList>();
            afterOR = true;
            continue;
        }
        auto item = std::make_unique<Item>();
        if (CZKGEI::Is_StringDelimiter(ch))
        {
            item->m_nKind = Item::KIND_STRING;
            m_gei.Unget();
            if (!m_gei.Get_String(item->m_strText))
                return FALSE;
        }
        else if (Is_LeftTagDelimiter(ch))
        {
            if (!Get_TagItem(ch, *item))
                return FALSE;
        }
        else
            return _Fail(CZKGEI::ERR_UNEXPECTED_CHAR);
        current->Add(item.release());
        afterOR = false;
    }
    if (afterOR)
        return _Fail(ERR_OR_BADFORMAT);
    if (!current->IsEmpty())
        options.Add(current.release());
    return TRUE;
}

BOOL CQXDefaultValueEI::_Fail(DWORD code)
{
    m_gei.SetError(code);
    return FALSE;
}

BOOL CQXDefaultValueEI::Get_OR(wchar_t /*current*/)
{
    const wchar_t next = m_gei.Peek(TRUE, TRUE, TRUE);
    if (next != L'r' && next != L'R')
        return _Fail(ERR_TAG_BADFORMAT);
    m_gei.Get(TRUE, TRUE, TRUE);
    return TRUE;
}

BOOL CQXDefaultValueEI::Get_TagName(std::wstring& name, wchar_t& terminator)
{
    name.clear();
    for (;;)
    {
        const wchar_t ch = m_gei.Get(TRUE, FALSE, FALSE);
        if (CZKGEI::Is_EOF(ch))
            return _Fail(ERR_TAG_BADFORMAT);
        if (Is_RightTagDelimiter(ch) || ch == L':')
        {
            terminator = ch;
            return TRUE;
        }
        name += ch;
    }
}

BOOL CQXDefaultValueEI::Get_OutputMask(std::wstring& mask)
{
    mask.clear();
    for (;;)
    {
        const wchar_t ch = m_gei.Get(TRUE, TRUE, TRUE);
        if (CZKGEI::Is_EOF(ch))
            return _Fail(ERR_TAG_BADFORMAT);
        if (Is_RightTagDelimiter(ch))
            return TRUE;
        std::wstring token;
        wchar_t quoted = 0;
        if (CZKGEI::Is_StringDelimiter(ch))
        {
            // Strings, characters and nested <...> may hold a '>' of their own.
            m_gei.Unget();
            if (!m_gei.Get_String(token))
                return _Fail(ERR_TAG_BADFORMAT);
            mask += QuoteString(token);
        }
        else if (CZKGEI::Is_CharDelimiter(ch))
        {
            m_gei.Unget();
            if (!m_gei.Get_Char(quoted))
                return _Fail(ERR_TAG_BADFORMAT);
            mask += std::wstring(1, CZKGEI::CharDelimiter) + quoted + CZKGEI::CharDelimiter;
        }
        else if (Is_LeftTagDelimiter(ch))
        {
            m_gei.Unget();
            if (!m_gei.Get_StringEx(token, L'<', L'>'))
                return _Fail(ERR_TAG_BADFORMAT);
            mask += L'<' + token + L'>';
        }
        else
            mask += ch;
    }
}

BOOL CQXDefaultValueEI::Get_TagItem(wchar_t /*current*/, CQXDefaultValueItem& item)
{
    item.m_nKind = Item::KIND_TAG;
    std::wstring name;
    wchar_t terminator = 0;
    if (!Get_TagName(name, terminator))
        return FALSE;
    item.m_strTagName = CQXDefaultValueTagItemList::TrimName(name);
    item.m_strOutputMask.clear();
    if (terminator != L':')
        return TRUE;
    if (!Get_OutputMask(item.m_strOutputMask))
        return FALSE;
    CQXOutputMaskItemList maskItems;
    DWORD maskCode = 0;
    if (!CQXOutputMaskEI::Parse(item.m_strOutputMask, maskItems, maskCode))
        return _Fail(maskCode);
    return TRUE;
}

// ---- checking and evaluation -----------------------------------------------

BOOL CQXDefaultValueEI::CheckTags(const CQXDefaultValueOptionList& options,
                                  const CQXDefaultValueTagItemList& tags, DWORD& code)
{
    code = 0;
    for (int i = 0; i < options.GetCount(); ++i)
    {
        const CQXDefaultValueItemList& option = *options.Get(i);
        for (int j = 0; j < option.GetCount(); ++j)
        {
            const Item& item = *option.Get(j);
            if (item.m_nKind == Item::KIND_TAG && tags.FindTag(item.m_strTagName) < 0)
                return Fail(ERR_DATA_TAG_NOTFOUND, code);
        }
    }
    return TRUE;
}

BOOL CQXDefaultValueEI::GetValue(const CQXDefaultValueOptionList& options,
                                 const CQXDefaultValueTagItemList& tags, std::wstring& value,
                                 int& level, BOOL strict, DWORD& code)
{
    value.clear();
    level = 0;
    code = 0;
    try
    {
        // Later alternatives are not evaluated once one gives a text.
        for (int i = 0; i < options.GetCount(); ++i)
        {
            std::wstring text;
            int optionLevel = 0;
            if (!GetValue_Option(*options.Get(i), tags, text, optionLevel, strict, code))
                return FALSE;
            if (!text.empty())
            {
                value = text;
                level = optionLevel;
                return TRUE;
            }
        }
        return TRUE;
    }
    catch (...)
    {
        value.clear();
        level = 0;
        return Fail(ERR_INTERNAL, code);
    }
}

BOOL CQXDefaultValueEI::GetValue_Option(const CQXDefaultValueItemList& option,
                                        const CQXDefaultValueTagItemList& tags, std::wstring& value,
                                        int& level, BOOL strict, DWORD& code)
{
    value.clear();
    level = CQXDefaultValueTagItem::DefaultLevel;
    for (int i = 0; i < option.GetCount(); ++i)
    {
        std::wstring text;
        int itemLevel = 0;
        if (!_GetItemValue(*option.Get(i), tags, text, itemLevel, strict, code))
        {
            value.clear();
            return FALSE;
        }
        value += text;
        level = std::min(level, itemLevel);
    }
    return TRUE;
}

BOOL CQXDefaultValueEI::_GetItemValue(const CQXDefaultValueItem& item,
                                      const CQXDefaultValueTagItemList& tags, std::wstring& value,
                                      int& level, BOOL strict, DWORD& code)
{
    if (item.m_nKind == Item::KIND_STRING)
    {
        value = item.m_strText;
        level = CQXDefaultValueTagItem::DefaultLevel;
        return TRUE;
    }
    if (item.m_nKind != Item::KIND_TAG)
        return Fail(ERR_INTERNAL, code);
    std::wstring tagValue;
    int parts[6];
    // An absent tag leaves the outputs empty, -1 and level 0.
    if (!tags.GetTag(item.m_strTagName, tagValue, parts[0], parts[1], parts[2], parts[3], parts[4],
                     parts[5], level) &&
        strict)
        return Fail(ERR_DATA_TAG_NOTFOUND, code);
    value.clear();
    return SQXIOMask::FormatOutput(item.m_strOutputMask, tagValue, parts[0], parts[1], parts[2],
                                   parts[3], parts[4], parts[5], value, code, FALSE, FALSE, FALSE);
}

// ---- messages --------------------------------------------------------------

const wchar_t* CQXDefaultValueEI::GetErrorKey(DWORD code)
{
    return SQXMaskErrorKeys::Find(kErrorKeys, code);
}

BOOL CQXDefaultValueEI::GetErrorMessage(DWORD code, std::wstring& text, BOOL loadText)
{
    return SQXMaskErrorKeys::Message(code, GetErrorKey(code), text, loadText,
                                     &CQXOutputMaskEI::GetErrorMessage);
}
