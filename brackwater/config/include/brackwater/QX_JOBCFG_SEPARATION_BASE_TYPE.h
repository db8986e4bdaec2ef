// What every automatic separation has: whether it is on and what it
// separates (the separation type).
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperators.h>
#include <brackwater/brackwater_export.h>
#include <hollin/ZKObject.h>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_SEPARATION_BASE_TYPE : public CZKObject
{
    BOOL bEnable;
    QX_SEPARATION_TYPE separationType; // default 2

    QX_JOBCFG_SEPARATION_BASE_TYPE() { init(); }
    QX_DERIVED_RECORD_OPERATORS(QX_JOBCFG_SEPARATION_BASE_TYPE, CZKObject)
    QX_RECORD_CLONE(QX_JOBCFG_SEPARATION_BASE_TYPE)

    void reset() { init(); }
    void set(const QX_JOBCFG_SEPARATION_BASE_TYPE& other);
    int compare(const QX_JOBCFG_SEPARATION_BASE_TYPE& other) const;
    BOOL check() const { return separationType.check(); }
    void normalize() { separationType.normalize(); }

    // "Enable", "SeparationType".
    BOOL toscript(CZKScript& script) const;
    // Reads the two keys; the caller resets on failure.
    BOOL fromscript(CZKScript& script);

protected:
    void init();
};
