#include <brackwater/QXNameLines.h>

#include "QXScriptLines.h"

#include <hollin/ZKScript.h>

BOOL SQXNameLines::Write(CZKScript& script, const wchar_t* key, const CZKStringList& names)
{
    script.RemoveAllScripts(1, nullptr);
    return SQXScriptLines::Append(script, key, names);
}

BOOL SQXNameLines::Read(CZKScript& script, const wchar_t* key, CZKStringList& names)
{
    return SQXScriptLines::Collect(script, key, names);
}
