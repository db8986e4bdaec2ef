// "Start a new item after N items" rules: the generic rule and the two the
// job uses for batches and documents, which differ only in their default
// count.
#pragma once

#include <brackwater/QXRecordScript.h>
#include <wincompat/WinTypes.h>

#include <cstdint>

template <typename Tag, int32_t DefaultCount> struct TQXNewItemRule
{
    BOOL bEnable;
    int32_t nItemNumber;

    TQXNewItemRule() { init(); }
    TQXNewItemRule(const TQXNewItemRule& other)
    {
        init();
        set(other);
    }
    TQXNewItemRule& operator=(const TQXNewItemRule& other)
    {
        set(other);
        return *this;
    }

    void reset() { init(); }
    void set(const TQXNewItemRule& other)
    {
        bEnable = other.bEnable;
        nItemNumber = other.nItemNumber;
    }
    int compare(const TQXNewItemRule& other) const
    {
        return (bEnable == other.bEnable && nItemNumber == other.nItemNumber) ? 0 : -1;
    }
    bool operator==(const TQXNewItemRule& other) const { return compare(other) == 0; }
    bool operator!=(const TQXNewItemRule& other) const { return compare(other) != 0; }
    // Any count is accepted; the application decides what a count means.
    BOOL check() const { return TRUE; }
    void normalize() {}

    // "Enable" and "ItemNumber" in the current section.
    BOOL toscript(CZKScript& script) const
    {
        return SQXRecordScript::WriteBool(script, L"Enable", bEnable) &&
               SQXRecordScript::WriteInt(script, L"ItemNumber", nItemNumber);
    }
    BOOL fromscript(CZKScript& script)
    {
        if (SQXRecordScript::ReadBool(script, L"Enable", bEnable) &&
            SQXRecordScript::ReadInt(script, L"ItemNumber", nItemNumber))
            return TRUE;
        reset();
        return FALSE;
    }

protected:
    void init()
    {
        bEnable = FALSE;
        nItemNumber = DefaultCount;
    }
};

struct QX_JOBCFG_GENERAL_NEWITEMRULE_TYPE : TQXNewItemRule<QX_JOBCFG_GENERAL_NEWITEMRULE_TYPE, 0>
{
};
struct QX_JOBCFG_GENERAL_NEWBATCHRULE_TYPE
    : TQXNewItemRule<QX_JOBCFG_GENERAL_NEWBATCHRULE_TYPE, 100>
{
};
struct QX_JOBCFG_GENERAL_NEWDOCUMENTRULE_TYPE
    : TQXNewItemRule<QX_JOBCFG_GENERAL_NEWDOCUMENTRULE_TYPE, 1>
{
};
