// An index-data plug-in of a job: a named plug-in with its connection text.
#pragma once

#include <brackwater/PLUGIN_SELECTION_TYPE.h>
#include <brackwater/QXRecordOperators.h>
#include <brackwater/brackwater_export.h>
#include <hollin/ZKObject.h>

#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_IXDPLUGIN_ITEM_TYPE : public CZKObject
{
    std::wstring strName;
    std::wstring strConnection;
    PLUGIN_SELECTION_TYPE plugin;

    QX_JOBCFG_IXDPLUGIN_ITEM_TYPE() { init(); }
    QX_DERIVED_RECORD_OPERATORS(QX_JOBCFG_IXDPLUGIN_ITEM_TYPE, CZKObject)
    QX_RECORD_CLONE(QX_JOBCFG_IXDPLUGIN_ITEM_TYPE)

    void reset();
    void set(const QX_JOBCFG_IXDPLUGIN_ITEM_TYPE& other);
    int compare(const QX_JOBCFG_IXDPLUGIN_ITEM_TYPE& other) const;
    BOOL check() const { return plugin.check(); }
    void normalize() { plugin.normalize(); }

    // "Name", "Connection", the plug-in under "Locator".
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

protected:
    void init() {}
};
