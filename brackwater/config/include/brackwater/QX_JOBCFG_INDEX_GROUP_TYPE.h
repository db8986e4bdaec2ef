// The index group of a job: its batch-level and document-level index
// fields, database lookups and index-data plug-ins.
#pragma once

#include <brackwater/QXRecordOperators.h>
#include <brackwater/QX_JOBCFG_DBLOOKUP_ITEMLIST_TYPE.h>
#include <brackwater/QX_JOBCFG_INDEX_ITEMLIST_TYPE.h>
#include <brackwater/QX_JOBCFG_IXDPLUGIN_ITEMLIST_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <cstdint>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_INDEX_GROUP_TYPE
{
    int32_t nActionOnFailed;
    BOOL bBypassAudit;
    QX_JOBCFG_INDEX_ITEMLIST_TYPE batchItems;
    QX_JOBCFG_INDEX_ITEMLIST_TYPE documentItems;
    QX_JOBCFG_DBLOOKUP_ITEMLIST_TYPE lookups;
    QX_JOBCFG_IXDPLUGIN_ITEMLIST_TYPE ixdPlugins;

    QX_JOBCFG_INDEX_GROUP_TYPE() { init(); }
    QX_RECORD_OPERATORS(QX_JOBCFG_INDEX_GROUP_TYPE)

    void reset();
    void set(const QX_JOBCFG_INDEX_GROUP_TYPE& other);
    int compare(const QX_JOBCFG_INDEX_GROUP_TYPE& other) const;
    BOOL check() const;
    void normalize();

    // The sections "Index", "BatchLevelIndex", "DocumentLevelIndex",
    // "DBLookupConnections" and "IXDPlugins", whatever the current one.
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

protected:
    void init();
};
