// Everything a job needs while capturing: its general group, separation
// and auto-index settings. The job's scanner group is kept in a file of its
// own and is not part of this record.
#pragma once

#include <brackwater/QXRecordOperators.h>
#include <brackwater/QX_JOBCFG_AUTOINDEX_GROUP_TYPE.h>
#include <brackwater/QX_JOBCFG_GENERAL_GROUP_TYPE.h>
#include <brackwater/QX_JOBCFG_SEPARATION_GROUP_TYPE.h>
#include <brackwater/brackwater_export.h>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_CAPTURE_GROUP_TYPE
{
    QX_JOBCFG_GENERAL_GROUP_TYPE general;
    QX_JOBCFG_SEPARATION_GROUP_TYPE separation;
    QX_JOBCFG_AUTOINDEX_GROUP_TYPE autoIndex;

    QX_JOBCFG_CAPTURE_GROUP_TYPE() { init(); }
    QX_RECORD_OPERATORS(QX_JOBCFG_CAPTURE_GROUP_TYPE)

    void reset();
    void set(const QX_JOBCFG_CAPTURE_GROUP_TYPE& other);
    int compare(const QX_JOBCFG_CAPTURE_GROUP_TYPE& other) const;
    BOOL check() const;
    void normalize();

    // The sections "General", "Separation" and "Barcode & OCR"; the section
    // that was current before is restored.
    BOOL toscript(CZKScript& script) const;
    // A failed read leaves a freshly constructed record (naming source 1).
    BOOL fromscript(CZKScript& script);

protected:
    void init() {}
};
