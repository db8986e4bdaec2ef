#include <brackwater/QX_JOBCFG_INDEX_ITEMLIST_TYPE.h>

#include <brackwater/QXRecordScript.h>

#include "QXText.h"

namespace
{
const wchar_t kIndexCount[] = L"IndexCount";
const wchar_t kIndexSuffix[] = L".Index";

// Applies step to every item; TRUE only if it succeeded for all, but every
// item is visited.
template <class List, class Step> BOOL ForEachItem(List& list, Step step)
{
    bool all = true;
    for (int i = 0; i < list.GetCount(); ++i)
    {
        auto* item = list.GetItem(i);
        all = (item && step(*item)) && all;
    }
    return all ? TRUE : FALSE;
}
} // namespace

void QX_JOBCFG_INDEX_ITEMLIST_TYPE::normalize()
{
    if (!check())
        reset();
}

int QX_JOBCFG_INDEX_ITEMLIST_TYPE::FindLabel(const std::wstring& label) const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        const QX_JOBCFG_INDEX_ITEM_TYPE* item = GetItem(i);
        if (item && SQXText::EqualNoCase(item->strLabel, label))
            return i;
    }
    return -1;
}

bool QX_JOBCFG_INDEX_ITEMLIST_TYPE::NeedCheckIndex() const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        const QX_JOBCFG_INDEX_ITEM_TYPE* item = GetItem(i);
        if (item && item->bCheckDuringScanning)
            return true;
    }
    return false;
}

BOOL QX_JOBCFG_INDEX_ITEMLIST_TYPE::toscript(CZKScript& script) const
{
    return _Write(script, kIndexCount, QXSectionBySuffix{kIndexSuffix});
}

BOOL QX_JOBCFG_INDEX_ITEMLIST_TYPE::fromscript(CZKScript& script)
{
    return _Read(script, kIndexCount, QXSectionBySuffix{kIndexSuffix});
}

BOOL QX_JOBCFG_INDEX_ITEMLIST_TYPE::SaveZoomZone(CZKScript& script) const
{
    return ForEachItem(*this, [&](const QX_JOBCFG_INDEX_ITEM_TYPE& item) {
        return item.zoomZone.toscript(script, item.strLabel.c_str()) != FALSE;
    });
}

BOOL QX_JOBCFG_INDEX_ITEMLIST_TYPE::LoadZoomZone(CZKScript& script)
{
    return ForEachItem(*this, [&](QX_JOBCFG_INDEX_ITEM_TYPE& item) {
        return item.zoomZone.fromscript(script, item.strLabel.c_str()) != FALSE;
    });
}

BOOL QX_JOBCFG_INDEX_ITEMLIST_TYPE::SaveOCRlanguage(CZKScript& script) const
{
    return ForEachItem(*this, [&](const QX_JOBCFG_INDEX_ITEM_TYPE& item) {
        return SQXRecordScript::WriteInt(script, item.strLabel.c_str(), item.nOCRLanguage) != FALSE;
    });
}

BOOL QX_JOBCFG_INDEX_ITEMLIST_TYPE::LoadOCRlanguage(CZKScript& script)
{
    return ForEachItem(*this, [&](QX_JOBCFG_INDEX_ITEM_TYPE& item) {
        if (SQXRecordScript::ReadInt(script, item.strLabel.c_str(), item.nOCRLanguage))
            return true;
        item.nOCRLanguage = 0;
        return false;
    });
}
