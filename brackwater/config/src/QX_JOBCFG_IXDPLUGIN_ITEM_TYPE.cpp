#include <brackwater/QX_JOBCFG_IXDPLUGIN_ITEM_TYPE.h>

#include <brackwater/QXRecordScript.h>

namespace
{
const wchar_t kName[] = L"Name";
const wchar_t kConnection[] = L"Connection";
} // namespace

void QX_JOBCFG_IXDPLUGIN_ITEM_TYPE::reset()
{
    strName.clear();
    strConnection.clear();
    plugin.reset();
    init();
}

void QX_JOBCFG_IXDPLUGIN_ITEM_TYPE::set(const QX_JOBCFG_IXDPLUGIN_ITEM_TYPE& other)
{
    if (this == &other)
        return;
    strName = other.strName;
    strConnection = other.strConnection;
    plugin.set(other.plugin);
}

int QX_JOBCFG_IXDPLUGIN_ITEM_TYPE::compare(const QX_JOBCFG_IXDPLUGIN_ITEM_TYPE& other) const
{
    const bool same = strName == other.strName && strConnection == other.strConnection &&
                      plugin == other.plugin;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_IXDPLUGIN_ITEM_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordScript::WriteText(script, kName, strName) &&
           SQXRecordScript::WriteText(script, kConnection, strConnection) &&
           plugin.toscript(script);
}

BOOL QX_JOBCFG_IXDPLUGIN_ITEM_TYPE::fromscript(CZKScript& script)
{
    if (SQXRecordScript::ReadText(script, kName, strName) &&
        SQXRecordScript::ReadText(script, kConnection, strConnection) && plugin.fromscript(script))
        return TRUE;
    reset();
    return FALSE;
}
