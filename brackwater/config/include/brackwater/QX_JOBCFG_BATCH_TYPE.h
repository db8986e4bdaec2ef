// The scanner-side batch settings of a job, kept as the opaque block the
// settings adapters produce. It travels with the job's scanner settings and
// has no script form of its own.
#pragma once

#include <hollin/ZKRBuffer.h>
#include <wincompat/WinTypes.h>

struct QX_JOBCFG_BATCH_TYPE : public CZKRBuffer
{
    QX_JOBCFG_BATCH_TYPE() = default;
    QX_JOBCFG_BATCH_TYPE(const QX_JOBCFG_BATCH_TYPE& other) : CZKRBuffer() { set(other); }
    QX_JOBCFG_BATCH_TYPE& operator=(const QX_JOBCFG_BATCH_TYPE& other)
    {
        set(other);
        return *this;
    }

    void reset() { Empty(); }
    void set(const QX_JOBCFG_BATCH_TYPE& other)
    {
        if (this != &other)
            CopyFrom(other);
    }
    int compare(const QX_JOBCFG_BATCH_TYPE& other) const { return Compare(other) == 0 ? 0 : -1; }
    bool operator==(const QX_JOBCFG_BATCH_TYPE& other) const { return compare(other) == 0; }
    bool operator!=(const QX_JOBCFG_BATCH_TYPE& other) const { return compare(other) != 0; }
    BOOL check() const { return TRUE; }
    void normalize() {}
};
