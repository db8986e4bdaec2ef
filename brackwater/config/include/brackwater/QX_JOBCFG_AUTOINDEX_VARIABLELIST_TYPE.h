// The barcode or OCR index variables of a job.
#pragma once

#include <brackwater/QXOwningRecordList.h>
#include <brackwater/QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE.h>
#include <brackwater/brackwater_export.h>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_AUTOINDEX_VARIABLELIST_TYPE
    : public TQXOwningRecordList<QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE>
{
    void normalize() { _NormalizeItems(); }

    // Whether any variable searches the front, or the rear, side.
    BOOL exists_front() const;
    BOOL exists_rear() const;
    // The search options of all variables together.
    DWORD get_search_options() const;
    // Forgets the values read last (a new batch starts).
    void clearlastvalue();

    // "IndexVariableCount", variable i in the section current +
    // ".IndexVariable<i>".
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);
};
