// An integer range, stored under one key as four integers.
#pragma once

#include <brackwater/QXRangeRecord.h>
#include <brackwater/brackwater_export.h>

class CZKScript;

struct QX_RANGE_L_TYPE : TQXRangeRecord<LONG>
{
    using TQXRangeRecord<LONG>::TQXRangeRecord;

    BRACKWATER_EXPORT BOOL toscript(CZKScript& script, const wchar_t* key) const;
    // A range read back is normalized, so an inconsistent stored one returns
    // to the defaults.
    BRACKWATER_EXPORT BOOL fromscript(CZKScript& script, const wchar_t* key);
};
