// The index fields of one level (batch or document) of a job.
#pragma once

#include <brackwater/QXOwningRecordList.h>
#include <brackwater/QX_JOBCFG_INDEX_ITEM_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_INDEX_ITEMLIST_TYPE
    : public TQXOwningRecordList<QX_JOBCFG_INDEX_ITEM_TYPE>
{
    // Empties the list unless every item is valid.
    void normalize();

    // First item whose label matches, ignoring case; -1 if none.
    int FindLabel(const std::wstring& label) const;
    // True if any field is checked while scanning.
    bool NeedCheckIndex() const;

    // "IndexCount", item i in the section current + ".Index<i>".
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

    // One key per item, named by its label, in the current section: the
    // zoom zone as four integers, or the OCR language. An item whose key
    // cannot be read gets an empty zone or language 0. TRUE only if every
    // item succeeded.
    BOOL SaveZoomZone(CZKScript& script) const;
    BOOL LoadZoomZone(CZKScript& script);
    BOOL SaveOCRlanguage(CZKScript& script) const;
    BOOL LoadOCRlanguage(CZKScript& script);
};
