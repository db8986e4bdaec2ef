#include "QXScriptLines.h"

#include <hollin/ZKScript.h>

BOOL SQXScriptLines::Append(CZKScript& script, const wchar_t* key, const CZKStringList& items)
{
    const std::wstring prefix = std::wstring(key) + L" = ";
    for (const std::wstring& item : items)
    {
        if (!script.AddScript(prefix + item))
            return FALSE;
    }
    return TRUE;
}

BOOL SQXScriptLines::Collect(const CZKScript& script, const wchar_t* key, CZKStringList& items)
{
    items.RemoveAll();
    CZKScriptItemList lines;
    if (!script.FindKeyValues(nullptr, key, lines))
        return TRUE;
    for (int i = 0; i < lines.GetCount(); ++i)
        items.AddTail(lines.GetItem(i)->GetValue());
    return TRUE;
}
