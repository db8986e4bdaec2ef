// Separation by blank pages: how a page is judged blank (a standard and
// size and percentage thresholds for bitonal and colour pages) and whether
// the blank page is deleted.
#pragma once

#include <brackwater/QX_JOBCFG_SEPARATION_BASE_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <cstdint>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_SEPARATION_BLANK_TYPE : public QX_JOBCFG_SEPARATION_BASE_TYPE
{
    int32_t nStandard;
    int32_t nBitonalSize;
    int32_t nColorSize;
    int32_t nBitonalPercent;
    int32_t nColorPercent;
    BOOL bDeletion;

    QX_JOBCFG_SEPARATION_BLANK_TYPE() { init(); }
    QX_DERIVED_RECORD_OPERATORS(QX_JOBCFG_SEPARATION_BLANK_TYPE, QX_JOBCFG_SEPARATION_BASE_TYPE)
    QX_RECORD_CLONE(QX_JOBCFG_SEPARATION_BLANK_TYPE)

    void reset();
    void set(const QX_JOBCFG_SEPARATION_BLANK_TYPE& other);
    int compare(const QX_JOBCFG_SEPARATION_BLANK_TYPE& other) const;

    // The base keys, "BitonalSize", "ColorSize", "BitonalPercent",
    // "ColorPercent", "Standard", "Deletion".
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

protected:
    void init();
};
