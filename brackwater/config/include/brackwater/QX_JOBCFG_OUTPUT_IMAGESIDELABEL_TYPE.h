// Texts that name an image's side and colour kind in output names.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

#include <string>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE
{
    std::wstring strFrontColor;
    std::wstring strFrontGrayscale;
    std::wstring strFrontBitonal;
    std::wstring strRearColor;
    std::wstring strRearGrayscale;
    std::wstring strRearBitonal;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE);

protected:
    void init() {}
};
