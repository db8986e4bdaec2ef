// The output systems of a job.
#pragma once

#include <brackwater/QXObRecordList.h>
#include <brackwater/QX_JOBCFG_OUTPUT_SYSTEM_TYPE.h>
#include <brackwater/brackwater_export.h>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_SYSTEMLIST_TYPE
    : TQXObRecordList<QX_JOBCFG_OUTPUT_SYSTEM_TYPE>
{
    // "SystemCount" here, system i in the section "System<i>".
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);
    BOOL is_system_enable() const;
    // True when an enabled system's plug-in file is one of fileNames
    // (compared without regard to case).
    BOOL HasEnabledPluginFile(const std::wstring fileNames[], int count) const;
};
