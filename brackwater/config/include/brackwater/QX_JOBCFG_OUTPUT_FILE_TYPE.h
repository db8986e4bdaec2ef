// One output file set of a job: its image files and its index files.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_INDEXFILE_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <hollin/ZKObject.h>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_FILE_TYPE : public CZKObject
{
    QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE imageFile;
    QX_JOBCFG_OUTPUT_INDEXFILE_TYPE indexFile;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_FILE_TYPE);
    CZKObject* Clone() const override { return new QX_JOBCFG_OUTPUT_FILE_TYPE(*this); }

protected:
    void init() {}
};
