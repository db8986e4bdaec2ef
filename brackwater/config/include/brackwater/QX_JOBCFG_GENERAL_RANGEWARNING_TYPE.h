// The size range of a batch's documents or a document's pages, and how far
// below the maximum the operator is warned.
#pragma once

#include <brackwater/QXRecordOperators.h>
#include <brackwater/QX_RANGE_L_TYPE.h>
#include <brackwater/brackwater_export.h>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_GENERAL_RANGEWARNING_TYPE
{
    static constexpr LONG DEFAULT_HIGH = 99999999;

    QX_RANGE_L_TYPE range;  // default: inclusive 0 .. inclusive 99999999
    int32_t nWarnBeforeMax; // 0: no warning

    QX_JOBCFG_GENERAL_RANGEWARNING_TYPE() { init(); }
    QX_RECORD_OPERATORS(QX_JOBCFG_GENERAL_RANGEWARNING_TYPE)

    void reset() { init(); }
    void set(const QX_JOBCFG_GENERAL_RANGEWARNING_TYPE& other);
    int compare(const QX_JOBCFG_GENERAL_RANGEWARNING_TYPE& other) const;
    // Valid when the range is. This form also drops a warning that is not
    // below the maximum (it could never fire before the maximum is reached);
    // the const form only answers.
    BOOL check();
    BOOL check() const;
    // An invalid range resets the record; otherwise as check().
    void normalize();

    // "Range" (four integers) and "WarnBeforeMax" in the current section.
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

protected:
    void init();

private:
    bool _WarningUnreachable() const;
};
