// Separation by one patch code, with what to do with the patch sheet in
// each of four situations.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QX_JOBCFG_SEPARATION_ACTION_TYPE.h>
#include <brackwater/QX_JOBCFG_SEPARATION_BASE_TYPE.h>
#include <brackwater/brackwater_export.h>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_SEPARATION_PATCH_TYPE : public QX_JOBCFG_SEPARATION_BASE_TYPE
{
    static constexpr int ACTION_COUNT = 4;

    QX_PATCH_TYPE patchType;
    BOOL bRotatedSearch;
    BOOL bSearchOnRear;
    QX_JOBCFG_SEPARATION_ACTION_TYPE actions[ACTION_COUNT];

    QX_JOBCFG_SEPARATION_PATCH_TYPE() { init(); }
    QX_DERIVED_RECORD_OPERATORS(QX_JOBCFG_SEPARATION_PATCH_TYPE, QX_JOBCFG_SEPARATION_BASE_TYPE)
    QX_RECORD_CLONE(QX_JOBCFG_SEPARATION_PATCH_TYPE)

    void reset();
    void set(const QX_JOBCFG_SEPARATION_PATCH_TYPE& other);
    int compare(const QX_JOBCFG_SEPARATION_PATCH_TYPE& other) const;

    // The base keys, "Type", "RotatedSearch", "SearchOnRear", then action i
    // in the section current + ".Action<i>".
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

protected:
    void init();
};
