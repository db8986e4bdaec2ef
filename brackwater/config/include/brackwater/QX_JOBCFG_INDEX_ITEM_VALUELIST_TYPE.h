// The values an index field offers to choose from.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperators.h>
#include <brackwater/brackwater_export.h>
#include <hollin/ZKDict.h>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE
{
    CZKDict values; // key to value, case-sensitive
    BOOL bAllowAnyValue;
    QX_JOBCFG_INDEX_ITEM_INDEXACTION_TYPE indexAction;

    QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE() { init(); }
    QX_RECORD_OPERATORS(QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE)

    void reset();
    void set(const QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE& other);
    int compare(const QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE& other) const;
    BOOL check() const { return indexAction.check(); }
    void normalize() { indexAction.normalize(); }

    // "TextList", one "ListItem" line per value (commas kept as "~``~"),
    // "AllowAnyValue", "IndexAction".
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

protected:
    void init();
};
