#include <brackwater/QX_JOBCFG_SEPARATION_PATCHLIST_TYPE.h>

#include <brackwater/QXRecordScript.h>

namespace
{
const wchar_t kPatchCount[] = L"PatchCount";
const wchar_t kPatchSuffix[] = L".Patch";

// Element section = current section + ".Patch" + the element's patch code.
struct QXSectionByPatchCode
{
    std::wstring operator()(const std::wstring& current, int index) const
    {
        return current + kPatchSuffix + QX_JOBCFG_SEPARATION_PATCHLIST_TYPE::PATCH_CODES[index];
    }
};

bool AnyPatch(const QX_JOBCFG_SEPARATION_PATCH_TYPE&)
{
    return true;
}
bool SearchesRear(const QX_JOBCFG_SEPARATION_PATCH_TYPE& patch)
{
    return patch.bSearchOnRear != FALSE;
}
bool SearchesRotated(const QX_JOBCFG_SEPARATION_PATCH_TYPE& patch)
{
    return patch.bRotatedSearch != FALSE;
}
} // namespace

const wchar_t* const QX_JOBCFG_SEPARATION_PATCHLIST_TYPE::PATCH_CODES[MAX_PATCHES] = {L"2", L"3",
                                                                                      L"T"};

BOOL QX_JOBCFG_SEPARATION_PATCHLIST_TYPE::check() const
{
    return (GetCount() <= MAX_PATCHES &&
            TQXOwningRecordList<QX_JOBCFG_SEPARATION_PATCH_TYPE>::check())
               ? TRUE
               : FALSE;
}

void QX_JOBCFG_SEPARATION_PATCHLIST_TYPE::normalize()
{
    while (GetCount() > MAX_PATCHES)
        RemoveAtIndex(GetCount() - 1);
    _NormalizeItems();
}

const QX_JOBCFG_SEPARATION_PATCH_TYPE* QX_JOBCFG_SEPARATION_PATCHLIST_TYPE::_FirstEnabled(
    bool (*wanted)(const QX_JOBCFG_SEPARATION_PATCH_TYPE&)) const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        const QX_JOBCFG_SEPARATION_PATCH_TYPE* patch = GetItem(i);
        if (patch && patch->bEnable && wanted(*patch))
            return patch;
    }
    return nullptr;
}

BYTE QX_JOBCFG_SEPARATION_PATCHLIST_TYPE::get_separation_type() const
{
    const QX_JOBCFG_SEPARATION_PATCH_TYPE* patch = _FirstEnabled(AnyPatch);
    return patch ? patch->separationType.value : QX_SEPARATION_TYPE().value;
}

BOOL QX_JOBCFG_SEPARATION_PATCHLIST_TYPE::is_patch_enable() const
{
    return _FirstEnabled(AnyPatch) ? TRUE : FALSE;
}

BOOL QX_JOBCFG_SEPARATION_PATCHLIST_TYPE::is_rearsearch_enable() const
{
    return _FirstEnabled(SearchesRear) ? TRUE : FALSE;
}

BOOL QX_JOBCFG_SEPARATION_PATCHLIST_TYPE::is_rotatesearch_enable() const
{
    return _FirstEnabled(SearchesRotated) ? TRUE : FALSE;
}

BOOL QX_JOBCFG_SEPARATION_PATCHLIST_TYPE::toscript(CZKScript& script) const
{
    if (GetCount() > MAX_PATCHES)
        return FALSE;
    return _Write(script, kPatchCount, QXSectionByPatchCode());
}

BOOL QX_JOBCFG_SEPARATION_PATCHLIST_TYPE::fromscript(CZKScript& script)
{
    int count = 0;
    if (!SQXRecordScript::ReadInt(script, kPatchCount, count) || count > MAX_PATCHES)
    {
        reset();
        return FALSE;
    }
    return _Read(script, kPatchCount, QXSectionByPatchCode());
}
