// Naming of one kind of image file. The image-file settings themselves
// (format, compression) belong to the selected output plug-in and travel
// with its selection.
#pragma once

#include <brackwater/QX_JOBCFG_OUTPUT_FILEINFO_TYPE.h>

struct QX_JOBCFG_OUTPUT_IMAGEFILEINFO_TYPE : QX_JOBCFG_OUTPUT_FILEINFO_TYPE
{
    using QX_JOBCFG_OUTPUT_FILEINFO_TYPE::QX_JOBCFG_OUTPUT_FILEINFO_TYPE;
};
