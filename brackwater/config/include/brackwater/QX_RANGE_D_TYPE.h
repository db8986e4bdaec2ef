// A real-valued range, stored under one key as the text
// "lowMode, low, highMode, high".
#pragma once

#include <brackwater/QXRangeRecord.h>
#include <brackwater/brackwater_export.h>

#include <string>

class CZKScript;

struct QX_RANGE_D_TYPE : TQXRangeRecord<double>
{
    using TQXRangeRecord<double>::TQXRangeRecord;

    BRACKWATER_EXPORT BOOL toscript(CZKScript& script, const wchar_t* key) const;
    BRACKWATER_EXPORT BOOL fromscript(CZKScript& script, const wchar_t* key);

    // The stored text form, and its parser (missing parts read as 0).
    BRACKWATER_EXPORT std::wstring ToText() const;
    BRACKWATER_EXPORT void FromText(const std::wstring& text);
};
