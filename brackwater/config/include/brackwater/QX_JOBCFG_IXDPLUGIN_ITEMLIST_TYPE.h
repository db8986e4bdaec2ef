// The index-data plug-ins of a job.
#pragma once

#include <brackwater/QXOwningRecordList.h>
#include <brackwater/QX_JOBCFG_IXDPLUGIN_ITEM_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_IXDPLUGIN_ITEMLIST_TYPE
    : public TQXOwningRecordList<QX_JOBCFG_IXDPLUGIN_ITEM_TYPE>
{
    void normalize();
    // The first plug-in of that name (exact match); nullptr if none.
    QX_JOBCFG_IXDPLUGIN_ITEM_TYPE* Find(const std::wstring& name) const;

    // "IXDPluginCount", plug-in i in the section current + ".IXDPlugin<i>".
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);
};
