// Separation when an automatically read index value appears or changes, at
// document (3) or batch (4) level.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QX_JOBCFG_SEPARATION_BASE_TYPE.h>
#include <brackwater/brackwater_export.h>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE
    : public QX_JOBCFG_SEPARATION_BASE_TYPE
{
    QX_JOBCFG_SEPARATION_AUTOINDEXLEVEL_TYPE indexLevel; // default 3
    BOOL bDeletion;
    BOOL bValueChange;

    QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE() { init(); }
    QX_DERIVED_RECORD_OPERATORS(QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE,
                                QX_JOBCFG_SEPARATION_BASE_TYPE)
    QX_RECORD_CLONE(QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE)

    void reset();
    void set(const QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE& other);
    int compare(const QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE& other) const;
    BOOL check() const;
    void normalize();

    // The base keys, "Deletion", "Valuechange", "IndexLevel".
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

protected:
    void init();
};
