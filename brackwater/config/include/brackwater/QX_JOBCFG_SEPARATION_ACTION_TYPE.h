// What happens to the page that carries a separator: rotate it, delete it.
#pragma once

#include <brackwater/QXRecordOperators.h>
#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_SEPARATION_ACTION_TYPE
{
    BOOL bRotate;
    BOOL bDeletion;

    QX_JOBCFG_SEPARATION_ACTION_TYPE() { init(); }
    QX_RECORD_OPERATORS(QX_JOBCFG_SEPARATION_ACTION_TYPE)

    void reset() { init(); }
    void set(const QX_JOBCFG_SEPARATION_ACTION_TYPE& other)
    {
        bRotate = other.bRotate;
        bDeletion = other.bDeletion;
    }
    int compare(const QX_JOBCFG_SEPARATION_ACTION_TYPE& other) const
    {
        return (bRotate == other.bRotate && bDeletion == other.bDeletion) ? 0 : -1;
    }
    BOOL check() const { return TRUE; }
    void normalize() {}

    // "Rotate", "Deletion".
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

protected:
    void init()
    {
        bRotate = FALSE;
        bDeletion = FALSE;
    }
};
