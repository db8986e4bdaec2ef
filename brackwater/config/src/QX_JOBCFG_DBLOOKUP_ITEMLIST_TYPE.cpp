#include <brackwater/QX_JOBCFG_DBLOOKUP_ITEMLIST_TYPE.h>

namespace
{
const wchar_t kCount[] = L"DBLookupCount";
const wchar_t kSuffix[] = L".DBLookup";
} // namespace

void QX_JOBCFG_DBLOOKUP_ITEMLIST_TYPE::normalize()
{
    _NormalizeItems();
}

BOOL QX_JOBCFG_DBLOOKUP_ITEMLIST_TYPE::toscript(CZKScript& script) const
{
    return _Write(script, kCount, QXSectionBySuffix{kSuffix});
}

BOOL QX_JOBCFG_DBLOOKUP_ITEMLIST_TYPE::fromscript(CZKScript& script)
{
    return _Read(script, kCount, QXSectionBySuffix{kSuffix});
}
