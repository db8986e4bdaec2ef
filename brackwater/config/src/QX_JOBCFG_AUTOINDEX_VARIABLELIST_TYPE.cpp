#include <brackwater/QX_JOBCFG_AUTOINDEX_VARIABLELIST_TYPE.h>

namespace
{
const wchar_t kCount[] = L"IndexVariableCount";
const wchar_t kSuffix[] = L".IndexVariable";
} // namespace

DWORD QX_JOBCFG_AUTOINDEX_VARIABLELIST_TYPE::get_search_options() const
{
    DWORD options = 0;
    for (int i = 0; i < GetCount(); ++i)
    {
        if (const QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE* variable = GetItem(i))
            options |= variable->get_search_option();
    }
    return options;
}

BOOL QX_JOBCFG_AUTOINDEX_VARIABLELIST_TYPE::exists_front() const
{
    return (get_search_options() & QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::SEARCH_FRONT) ? TRUE : FALSE;
}

BOOL QX_JOBCFG_AUTOINDEX_VARIABLELIST_TYPE::exists_rear() const
{
    return (get_search_options() & QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::SEARCH_REAR) ? TRUE : FALSE;
}

void QX_JOBCFG_AUTOINDEX_VARIABLELIST_TYPE::clearlastvalue()
{
    for (int i = 0; i < GetCount(); ++i)
    {
        if (QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE* variable = GetItem(i))
            variable->strLastValue.clear();
    }
}

BOOL QX_JOBCFG_AUTOINDEX_VARIABLELIST_TYPE::toscript(CZKScript& script) const
{
    return _Write(script, kCount, QXSectionBySuffix{kSuffix});
}

BOOL QX_JOBCFG_AUTOINDEX_VARIABLELIST_TYPE::fromscript(CZKScript& script)
{
    return _Read(script, kCount, QXSectionBySuffix{kSuffix});
}
