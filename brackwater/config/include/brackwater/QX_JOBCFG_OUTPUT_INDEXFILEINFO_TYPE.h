// One level's index file: naming (file info), how fields are delimited,
// the endorsement item, a header line and the index fields written.
#pragma once

#include <brackwater/QX_JOBCFG_OUTPUT_FILEINFO_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <hollin/ZKStringList.h>

#include <cstdint>
#include <string>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE : QX_JOBCFG_OUTPUT_FILEINFO_TYPE
{
    enum LEVEL
    {
        LEVEL_BATCH,
        LEVEL_DOCUMENT,
        LEVEL_PAGE,
        LEVEL_IMAGE,
        LEVEL_COUNT
    };
    enum DELIMITER : int32_t
    {
        DELIMITER_BLANK = 1,
        DELIMITER_TAB = 2 // any other type: the custom text
    };

    int32_t nDelimiterType;
    std::wstring strDelimiter;
    std::wstring strEndorseItem;
    BOOL bIncludeHeader;
    CZKStringList indexItems;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE);
    // The file info of one level, with that level's default formulas.
    explicit QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE(LEVEL level);

    // The stored form of a delimiter: "<tab>", "<space>" or the custom text
    // with its blanks and tabs spelled out; and back.
    static std::wstring EncodeDelimiter(int32_t type, const std::wstring& delimiter);
    static std::wstring DecodeDelimiter(const std::wstring& stored);
    // The delimiter text a type stands for: a blank, a tab or the custom one.
    static std::wstring ImpliedDelimiter(int32_t type, const std::wstring& delimiter);

protected:
    void init();
};
