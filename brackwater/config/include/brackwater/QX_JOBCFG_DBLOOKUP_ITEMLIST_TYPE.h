// The database lookups of a job.
#pragma once

#include <brackwater/QXOwningRecordList.h>
#include <brackwater/QX_JOBCFG_DBLOOKUP_ITEM_TYPE.h>
#include <brackwater/brackwater_export.h>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_DBLOOKUP_ITEMLIST_TYPE
    : public TQXOwningRecordList<QX_JOBCFG_DBLOOKUP_ITEM_TYPE>
{
    // Normalizes every lookup.
    void normalize();

    // "DBLookupCount", lookup i in the section current + ".DBLookup<i>".
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);
};
