// The general group of a job: where it lives, how batches are named and
// when new batches and documents start.
#pragma once

#include <brackwater/QXRecordOperators.h>
#include <brackwater/QX_JOBCFG_BATCHSETTING_TYPE.h>
#include <brackwater/QX_JOBCFG_COUNTSEP_TYPE.h>
#include <brackwater/QX_JOBCFG_GENERAL_TYPE.h>
#include <brackwater/brackwater_export.h>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_GENERAL_GROUP_TYPE
{
    QX_JOBCFG_GENERAL_TYPE general;
    QX_JOBCFG_BATCHSETTING_TYPE batchSetting;
    QX_JOBCFG_COUNTSEP_TYPE countSep;

    QX_JOBCFG_GENERAL_GROUP_TYPE() { init(); }
    QX_RECORD_OPERATORS(QX_JOBCFG_GENERAL_GROUP_TYPE)

    void reset();
    void set(const QX_JOBCFG_GENERAL_GROUP_TYPE& other);
    int compare(const QX_JOBCFG_GENERAL_GROUP_TYPE& other) const;
    BOOL check() const;
    // Normalizes the parts; a group that is still invalid is reset.
    void normalize();

    // General keys and batch settings in the current section, then the
    // counting rules in their own sections.
    BOOL toscript(CZKScript& script) const;
    // A failed read leaves a freshly constructed record (naming source 1).
    BOOL fromscript(CZKScript& script);

protected:
    void init() {}
};
