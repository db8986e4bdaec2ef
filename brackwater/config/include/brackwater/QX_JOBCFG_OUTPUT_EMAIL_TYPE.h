// Mailing a finished batch: recipients, subject, attachment and body.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

#include <hollin/ZKObject.h>

#include <cstdint>
#include <string>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_EMAIL_TYPE : public CZKObject
{
    static const wchar_t* const DEFAULT_ATTACHMENT_NAME;
    static constexpr int32_t DEFAULT_MAX_ATTACHMENT_SIZE = 10;

    BOOL bEnable;
    std::wstring strAppName;
    std::wstring strTitle;
    int32_t nMaxAttachmentSize;
    BOOL bInteractive;
    std::wstring strTo;
    std::wstring strCc;
    std::wstring strBcc;
    std::wstring strAttachName;
    BOOL bIncludeIndexData;
    std::wstring strBodyItems;
    BOOL bSaveImage;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_EMAIL_TYPE);
    CZKObject* Clone() const override { return new QX_JOBCFG_OUTPUT_EMAIL_TYPE(*this); }

    // Line breaks travel as U+0008 in the line-oriented script.
    static std::wstring EncodeText(const std::wstring& text);
    static std::wstring DecodeText(const std::wstring& stored);

protected:
    void init();
};
