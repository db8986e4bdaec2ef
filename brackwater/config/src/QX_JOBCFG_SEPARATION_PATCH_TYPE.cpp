#include <brackwater/QX_JOBCFG_SEPARATION_PATCH_TYPE.h>

#include <brackwater/QXRecordScript.h>
#include <brackwater/QXScriptSectionGuard.h>

#include <string>

namespace
{
const wchar_t kType[] = L"Type";
const wchar_t kRotatedSearch[] = L"RotatedSearch";
const wchar_t kSearchOnRear[] = L"SearchOnRear";
const wchar_t kActionSuffix[] = L".Action";

// Runs step on every action inside its own section; stops at a failure.
template <class Actions, class Step> bool ForEachActionSection(CZKScript& script, Actions& actions,
                                                               Step step)
{
    CQXScriptSectionGuard guard(script);
    for (int i = 0; i < QX_JOBCFG_SEPARATION_PATCH_TYPE::ACTION_COUNT; ++i)
    {
        guard.EnterSub(kActionSuffix + std::to_wstring(i));
        if (!step(actions[i]))
            return false;
    }
    return true;
}
} // namespace

void QX_JOBCFG_SEPARATION_PATCH_TYPE::init()
{
    patchType.reset();
    bRotatedSearch = FALSE;
    bSearchOnRear = FALSE;
}

void QX_JOBCFG_SEPARATION_PATCH_TYPE::reset()
{
    QX_JOBCFG_SEPARATION_BASE_TYPE::reset();
    for (QX_JOBCFG_SEPARATION_ACTION_TYPE& action : actions)
        action.reset();
    init();
}

void QX_JOBCFG_SEPARATION_PATCH_TYPE::set(const QX_JOBCFG_SEPARATION_PATCH_TYPE& other)
{
    QX_JOBCFG_SEPARATION_BASE_TYPE::set(other);
    patchType.set(other.patchType);
    bRotatedSearch = other.bRotatedSearch;
    bSearchOnRear = other.bSearchOnRear;
    for (int i = 0; i < ACTION_COUNT; ++i)
        actions[i].set(other.actions[i]);
}

int QX_JOBCFG_SEPARATION_PATCH_TYPE::compare(const QX_JOBCFG_SEPARATION_PATCH_TYPE& other) const
{
    if (QX_JOBCFG_SEPARATION_BASE_TYPE::compare(other) != 0 || patchType != other.patchType ||
        bRotatedSearch != other.bRotatedSearch || bSearchOnRear != other.bSearchOnRear)
        return -1;
    for (int i = 0; i < ACTION_COUNT; ++i)
    {
        if (actions[i] != other.actions[i])
            return -1;
    }
    return 0;
}

BOOL QX_JOBCFG_SEPARATION_PATCH_TYPE::toscript(CZKScript& script) const
{
    return QX_JOBCFG_SEPARATION_BASE_TYPE::toscript(script) &&
           patchType.toscript(script, kType) &&
           SQXRecordScript::WriteBool(script, kRotatedSearch, bRotatedSearch) &&
           SQXRecordScript::WriteBool(script, kSearchOnRear, bSearchOnRear) &&
           ForEachActionSection(script, actions, [&](const QX_JOBCFG_SEPARATION_ACTION_TYPE& a) {
               return a.toscript(script) != FALSE;
           });
}

BOOL QX_JOBCFG_SEPARATION_PATCH_TYPE::fromscript(CZKScript& script)
{
    if (QX_JOBCFG_SEPARATION_BASE_TYPE::fromscript(script) &&
        patchType.fromscript(script, kType) &&
        SQXRecordScript::ReadBool(script, kRotatedSearch, bRotatedSearch) &&
        SQXRecordScript::ReadBool(script, kSearchOnRear, bSearchOnRear) &&
        ForEachActionSection(script, actions, [&](QX_JOBCFG_SEPARATION_ACTION_TYPE& a) {
            return a.fromscript(script) != FALSE;
        }))
        return TRUE;
    reset();
    return FALSE;
}
