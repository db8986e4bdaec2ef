// Stamping an index field's value onto one side's output images, and the
// naming of the stamped files.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_JOBCFG_OUTPUT_FILEINFO_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <cstdint>
#include <string>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE
{
    BOOL bEnable;
    std::wstring strIndexField;
    int32_t nVertAlign;
    int32_t nHorzAlign;
    double dMargin;
    QX_LMS_TYPE lms; // unit of the margin
    int32_t nFontSize;
    int32_t nFontWeight;
    QX_JOBCFG_OUTPUT_FILEINFO_TYPE fileInfo;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_IMAGESTAMPING_TYPE);

protected:
    void init();
};
