// A program started for a finished batch, with its parameters either on
// the command line or in an XML parameter file.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_JOBCFG_OUTPUT_FILEINFO_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <string>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE
{
    static const wchar_t* const DEFAULT_PARAMS_PATH;
    static const wchar_t* const DEFAULT_PARAMS_NAME;

    BOOL bEnable;
    std::wstring strProgramName;
    std::wstring strParameter;
    BOOL bEnableXMLParams;
    BOOL bOmitTagNameIdentifiers;
    QX_JOBCFG_OUTPUT_FILEINFO_TYPE paramFile{DEFAULT_PARAMS_PATH, DEFAULT_PARAMS_NAME};

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE);

protected:
    void init();
};
