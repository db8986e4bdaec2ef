// Mailing with the naming of the attached image files.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_JOBCFG_OUTPUT_EMAIL_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE.h>
#include <brackwater/brackwater_export.h>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_EMAILEX_TYPE
{
    typedef QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE::KIND KIND;
    static const wchar_t* const DEFAULT_IMAGE_NAME;

    QX_JOBCFG_OUTPUT_EMAIL_TYPE email;
    // Attachment naming per kind (all, bitonal, gray, color).
    QX_JOBCFG_OUTPUT_IMAGEFILEINFO_TYPE imageInfo[QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE::KIND_COUNT] = {
        {QX_JOBCFG_OUTPUT_FILEINFO_TYPE::DEFAULT_IMAGE_PATH, DEFAULT_IMAGE_NAME},
        {QX_JOBCFG_OUTPUT_FILEINFO_TYPE::DEFAULT_IMAGE_PATH, DEFAULT_IMAGE_NAME},
        {QX_JOBCFG_OUTPUT_FILEINFO_TYPE::DEFAULT_IMAGE_PATH, DEFAULT_IMAGE_NAME},
        {QX_JOBCFG_OUTPUT_FILEINFO_TYPE::DEFAULT_IMAGE_PATH, DEFAULT_IMAGE_NAME}};

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_EMAILEX_TYPE);
    BOOL is_email_enable() const { return email.bEnable; }

protected:
    void init() {}
};
