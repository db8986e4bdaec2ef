// Lists of texts kept as repeated "Key = text" lines of the default section.
#pragma once

#include <hollin/ZKStringList.h>
#include <wincompat/WinTypes.h>

class CZKScript;

class SQXScriptLines
{
public:
    // Appends one "key = text" line per item.
    static BOOL Append(CZKScript& script, const wchar_t* key, const CZKStringList& items);
    // Every line of key in order; none is an empty list, not a failure.
    static BOOL Collect(const CZKScript& script, const wchar_t* key, CZKStringList& items);
};
