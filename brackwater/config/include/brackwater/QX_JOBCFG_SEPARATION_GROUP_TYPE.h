// The separation settings of a job: blank pages and patch codes.
#pragma once

#include <brackwater/QXRecordOperators.h>
#include <brackwater/QX_JOBCFG_SEPARATION_BLANK_TYPE.h>
#include <brackwater/QX_JOBCFG_SEPARATION_PATCHLIST_TYPE.h>
#include <brackwater/brackwater_export.h>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_SEPARATION_GROUP_TYPE
{
    QX_JOBCFG_SEPARATION_BLANK_TYPE blank;
    QX_JOBCFG_SEPARATION_PATCHLIST_TYPE patches;

    QX_JOBCFG_SEPARATION_GROUP_TYPE() { init(); }
    QX_RECORD_OPERATORS(QX_JOBCFG_SEPARATION_GROUP_TYPE)

    void reset();
    void set(const QX_JOBCFG_SEPARATION_GROUP_TYPE& other);
    int compare(const QX_JOBCFG_SEPARATION_GROUP_TYPE& other) const;
    BOOL check() const { return (blank.check() && patches.check()) ? TRUE : FALSE; }
    void normalize();

    // The blank separation's keys, then the patch list, in the current
    // section.
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

protected:
    void init() {}
};
