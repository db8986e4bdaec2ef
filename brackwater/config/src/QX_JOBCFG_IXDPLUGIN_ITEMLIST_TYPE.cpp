#include <brackwater/QX_JOBCFG_IXDPLUGIN_ITEMLIST_TYPE.h>

namespace
{
const wchar_t kCount[] = L"IXDPluginCount";
const wchar_t kSuffix[] = L".IXDPlugin";
} // namespace

void QX_JOBCFG_IXDPLUGIN_ITEMLIST_TYPE::normalize()
{
    _NormalizeItems();
}

QX_JOBCFG_IXDPLUGIN_ITEM_TYPE* QX_JOBCFG_IXDPLUGIN_ITEMLIST_TYPE::Find(
    const std::wstring& name) const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        QX_JOBCFG_IXDPLUGIN_ITEM_TYPE* item = GetItem(i);
        if (item && item->strName == name)
            return item;
    }
    return nullptr;
}

BOOL QX_JOBCFG_IXDPLUGIN_ITEMLIST_TYPE::toscript(CZKScript& script) const
{
    return _Write(script, kCount, QXSectionBySuffix{kSuffix});
}

BOOL QX_JOBCFG_IXDPLUGIN_ITEMLIST_TYPE::fromscript(CZKScript& script)
{
    return _Read(script, kCount, QXSectionBySuffix{kSuffix});
}
