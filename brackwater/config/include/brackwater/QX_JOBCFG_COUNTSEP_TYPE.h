// Counting rules: start a new batch, or a new document, after a number of
// items.
#pragma once

#include <brackwater/QXRecordOperators.h>
#include <brackwater/QX_JOBCFG_GENERAL_NEWITEMRULE_TYPE.h>
#include <brackwater/brackwater_export.h>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_COUNTSEP_TYPE
{
    QX_JOBCFG_GENERAL_NEWBATCHRULE_TYPE newBatchRule;       // default off, 100
    QX_JOBCFG_GENERAL_NEWDOCUMENTRULE_TYPE newDocumentRule; // default off, 1

    QX_JOBCFG_COUNTSEP_TYPE() { init(); }
    QX_RECORD_OPERATORS(QX_JOBCFG_COUNTSEP_TYPE)

    void reset();
    void set(const QX_JOBCFG_COUNTSEP_TYPE& other);
    int compare(const QX_JOBCFG_COUNTSEP_TYPE& other) const;
    BOOL check() const { return TRUE; }
    void normalize() {}

    // The sections "NEWBATRULE" and "NEWDOCRULE", whatever the current one.
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

protected:
    void init() {}
};
