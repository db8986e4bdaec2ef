#include <brackwater/QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE.h>

#include <brackwater/QXRecordScript.h>

#include "QXLineItems.h"

namespace
{
const wchar_t kTextList[] = L"TextList";
const wchar_t kListItem[] = L"ListItem";
const wchar_t kAllowAnyValue[] = L"AllowAnyValue";
const wchar_t kIndexAction[] = L"IndexAction";
} // namespace

void QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE::init()
{
    values.SetCaseSensitive(TRUE);
    bAllowAnyValue = FALSE;
    indexAction.reset();
}

void QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE::reset()
{
    values.RemoveAll();
    init();
}

void QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE::set(const QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE& other)
{
    values.CopyFrom(other.values);
    bAllowAnyValue = other.bAllowAnyValue;
    indexAction.set(other.indexAction);
}

int QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE::compare(
    const QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE& other) const
{
    const bool same = values == other.values && bAllowAnyValue == other.bAllowAnyValue &&
                      indexAction == other.indexAction;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE::toscript(CZKScript& script) const
{
    return SQXLineItems::WriteSwitched(script, kTextList, kListItem, values,
                                       SQXLineItems::kTildeGuard) &&
           SQXRecordScript::WriteBool(script, kAllowAnyValue, bAllowAnyValue) &&
           indexAction.toscript(script, kIndexAction);
}

BOOL QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE::fromscript(CZKScript& script)
{
    const bool ok = SQXLineItems::ReadSwitched(script, kTextList, kListItem, values,
                                               SQXLineItems::kTildeGuard) &&
                    SQXRecordScript::ReadBool(script, kAllowAnyValue, bAllowAnyValue) &&
                    indexAction.fromscript(script, kIndexAction);
    if (!ok)
        reset();
    return ok ? TRUE : FALSE;
}
