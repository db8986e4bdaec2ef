#include "QXLineItems.h"

#include "QXText.h"

#include <brackwater/QXRecordScript.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKDict.h>
#include <hollin/ZKScript.h>
#include <hollin/ZKScriptItemList.h>

namespace
{
const wchar_t kComma[] = L",";
const int kDefaultSection = 1;
} // namespace

const wchar_t* const SQXLineItems::kBackspaceGuard = L"\x0008";
const wchar_t* const SQXLineItems::kTildeGuard = L"~``~";

std::wstring SQXLineItems::Guard(const std::wstring& text, const wchar_t* commaGuard)
{
    return SQXText::ReplaceAll(text, kComma, commaGuard);
}

std::wstring SQXLineItems::Unguard(const std::wstring& text, const wchar_t* commaGuard)
{
    return SQXText::ReplaceAll(text, commaGuard, kComma);
}

BOOL SQXLineItems::Write(CZKScript& script, const wchar_t* key, const CZKDict& pairs,
                         const wchar_t* commaGuard)
{
    // Lines are appended, so a record written twice must not keep the lines
    // of its first write.
    script.RemoveKey(key, kDefaultSection);
    for (const auto& pair : pairs)
    {
        const std::wstring line = std::wstring(key) + L" = " + Guard(pair.first, commaGuard) +
                                  kComma + Guard(pair.second, commaGuard);
        if (!script.AddScript(line, kDefaultSection))
            return FALSE;
    }
    return TRUE;
}

BOOL SQXLineItems::Read(CZKScript& script, const wchar_t* key, CZKDict& pairs,
                        const wchar_t* commaGuard)
{
    pairs.RemoveAll();
    CZKScriptItemList lines;
    if (!script.FindKeyValues(nullptr, key, lines))
        return FALSE;
    for (int i = 0; i < lines.GetCount(); ++i)
    {
        const CZKScriptItem* line = lines.GetItem(i);
        if (!line)
            continue;
        const std::vector<std::wstring> parts = SZKCommon::SplitCommandLine(line->GetValue(), L',');
        if (parts.size() == 2)
            pairs.SetKeyValue(Unguard(parts[0], commaGuard), Unguard(parts[1], commaGuard));
    }
    return TRUE;
}

BOOL SQXLineItems::WriteSwitched(CZKScript& script, const wchar_t* switchKey,
                                 const wchar_t* itemKey, const CZKDict& pairs,
                                 const wchar_t* commaGuard)
{
    const BOOL hasLines = pairs.IsEmpty() ? FALSE : TRUE;
    return (SQXRecordScript::WriteBool(script, switchKey, hasLines) &&
            Write(script, itemKey, pairs, commaGuard))
               ? TRUE
               : FALSE;
}

BOOL SQXLineItems::ReadSwitched(CZKScript& script, const wchar_t* switchKey, const wchar_t* itemKey,
                                CZKDict& pairs, const wchar_t* commaGuard)
{
    BOOL hasLines = FALSE;
    if (!SQXRecordScript::ReadBool(script, switchKey, hasLines))
        return FALSE;
    if (!hasLines)
    {
        pairs.RemoveAll();
        return TRUE;
    }
    return Read(script, itemKey, pairs, commaGuard);
}
