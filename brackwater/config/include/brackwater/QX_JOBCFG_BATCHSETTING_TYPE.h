// Batch naming and the size warnings of batches and documents.
#pragma once

#include <brackwater/QXRecordOperators.h>
#include <brackwater/QX_JOBCFG_GENERAL_BATCHNAMING_TYPE.h>
#include <brackwater/QX_JOBCFG_GENERAL_RANGEWARNING_TYPE.h>
#include <brackwater/brackwater_export.h>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_BATCHSETTING_TYPE
{
    QX_JOBCFG_GENERAL_BATCHNAMING_TYPE batchNaming;
    QX_JOBCFG_GENERAL_RANGEWARNING_TYPE docRange;  // documents per batch
    QX_JOBCFG_GENERAL_RANGEWARNING_TYPE pageRange; // pages per document
    BOOL bResetCounter;

    QX_JOBCFG_BATCHSETTING_TYPE() { init(); }
    QX_RECORD_OPERATORS(QX_JOBCFG_BATCHSETTING_TYPE)

    void reset();
    void set(const QX_JOBCFG_BATCHSETTING_TYPE& other);
    int compare(const QX_JOBCFG_BATCHSETTING_TYPE& other) const;
    BOOL check() const;
    void normalize();

    // Batch naming and "ResetCounter" in the current section, the ranges in
    // the sections "DOCRANGE" and "PAGRANGE".
    BOOL toscript(CZKScript& script) const;
    // A failed read leaves a freshly constructed record (naming source 1).
    BOOL fromscript(CZKScript& script);

protected:
    void init() { bResetCounter = TRUE; }
};
