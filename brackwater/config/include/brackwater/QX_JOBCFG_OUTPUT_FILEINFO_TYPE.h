// Where and under which name one kind of output file is written: a plug-in
// or a path and name formula, zero-padding of the counters, side labels,
// what to do with an existing file and how the counters run.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <hollin/ZKAPIPluginConnector.h>

#include <cstdint>
#include <string>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_FILEINFO_TYPE
{
    static constexpr int IA_LEVELS = 3;
    // The formulas of image files, the usual kind of file info.
    static const wchar_t* const DEFAULT_IMAGE_PATH;
    static const wchar_t* const DEFAULT_IMAGE_NAME;

    CZKAPIPluginConnector plugin;
    std::wstring strPathFormula;
    std::wstring strNameFormula;
    BOOL bEditBeforeSave;
    BOOL bNameFileBeforeSave;
    QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE documentIdLen;
    QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE pageIdLen;
    QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE imageIdLen;
    QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE imageAddressLen[IA_LEVELS];
    QX_JOBCFG_OUTPUT_IMAGESIDELABEL_TYPE sideLabels;
    QX_JOBCFG_OUTPUT_DUPLICATEHANDLE_TYPE duplicateHandle;
    int32_t nImageResetFeature;
    int32_t nImageBatchStartNumber;
    int32_t nImageDocStartNumber;
    int32_t nPageResetFeature;
    int32_t nPageBatchStartNumber;
    int32_t nPageDocStartNumber;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_FILEINFO_TYPE);

    // A file info whose formulas default to other texts (index files, the
    // e-mail attachment, the parameter file). reset returns to them.
    QX_JOBCFG_OUTPUT_FILEINFO_TYPE(const wchar_t* defaultPath, const wchar_t* defaultName);

    const std::wstring& GetDefaultPathFormula() const { return m_strDefaultPath; }
    const std::wstring& GetDefaultNameFormula() const { return m_strDefaultName; }

protected:
    void init();

private:
    // Which slot this is, not part of the record's value: set never copies it.
    std::wstring m_strDefaultPath = DEFAULT_IMAGE_PATH;
    std::wstring m_strDefaultName = DEFAULT_IMAGE_NAME;
};
