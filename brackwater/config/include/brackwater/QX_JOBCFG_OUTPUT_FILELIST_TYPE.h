// The output file sets of a job.
#pragma once

#include <brackwater/QXObRecordList.h>
#include <brackwater/QX_JOBCFG_OUTPUT_FILE_TYPE.h>
#include <brackwater/brackwater_export.h>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_FILELIST_TYPE
    : TQXObRecordList<QX_JOBCFG_OUTPUT_FILE_TYPE>
{
    // "FileCount" here, file i in the section "File<i>".
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);
    // True when any file set writes image or index files.
    BOOL is_file_enable() const;
};
