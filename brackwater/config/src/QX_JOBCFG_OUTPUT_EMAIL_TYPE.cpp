#include <brackwater/QX_JOBCFG_OUTPUT_EMAIL_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"
#include "QXText.h"

const wchar_t* const QX_JOBCFG_OUTPUT_EMAIL_TYPE::DEFAULT_ATTACHMENT_NAME =
    L"<APP_NAME><BATCH_NAME><DATE_MMDDYY><TIME_12><DEFAULT_EXT>";

namespace
{
typedef QX_JOBCFG_OUTPUT_EMAIL_TYPE Email;

const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"Enable", r.bEnable);
    io.Text(L"appname", r.strAppName);
    io.EncodedText(L"title", r.strTitle, Email::EncodeText, Email::DecodeText);
    io.Int(L"MaxAttachmentSize", r.nMaxAttachmentSize);
    io.Bool(L"Interactive", r.bInteractive);
    io.EncodedText(L"to", r.strTo, Email::EncodeText, Email::DecodeText);
    io.EncodedText(L"cc", r.strCc, Email::EncodeText, Email::DecodeText);
    io.EncodedText(L"bcc", r.strBcc, Email::EncodeText, Email::DecodeText);
    io.EncodedText(L"attachname", r.strAttachName, Email::EncodeText, Email::DecodeText);
    io.Bool(L"IncludeIndexData", r.bIncludeIndexData);
    io.EncodedText(L"BodyItems", r.strBodyItems, Email::EncodeText, Email::DecodeText);
    io.Bool(L"SaveImage", r.bSaveImage);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_EMAIL_TYPE)

void QX_JOBCFG_OUTPUT_EMAIL_TYPE::init()
{
    bEnable = FALSE;
    nMaxAttachmentSize = DEFAULT_MAX_ATTACHMENT_SIZE;
    bInteractive = FALSE;
    strAttachName = DEFAULT_ATTACHMENT_NAME;
    bIncludeIndexData = FALSE;
    bSaveImage = FALSE;
}

void QX_JOBCFG_OUTPUT_EMAIL_TYPE::reset()
{
    strAppName.clear();
    strTitle.clear();
    strTo.clear();
    strCc.clear();
    strBcc.clear();
    strBodyItems.clear();
    init();
}

void QX_JOBCFG_OUTPUT_EMAIL_TYPE::set(const QX_JOBCFG_OUTPUT_EMAIL_TYPE& other)
{
    bEnable = other.bEnable;
    strAppName = other.strAppName;
    strTitle = other.strTitle;
    nMaxAttachmentSize = other.nMaxAttachmentSize;
    bInteractive = other.bInteractive;
    strTo = other.strTo;
    strCc = other.strCc;
    strBcc = other.strBcc;
    strAttachName = other.strAttachName;
    bIncludeIndexData = other.bIncludeIndexData;
    strBodyItems = other.strBodyItems;
    bSaveImage = other.bSaveImage;
}

int QX_JOBCFG_OUTPUT_EMAIL_TYPE::compare(const QX_JOBCFG_OUTPUT_EMAIL_TYPE& o) const
{
    const bool same = bEnable == o.bEnable && strAppName == o.strAppName &&
                      strTitle == o.strTitle && nMaxAttachmentSize == o.nMaxAttachmentSize &&
                      bInteractive == o.bInteractive && strTo == o.strTo && strCc == o.strCc &&
                      strBcc == o.strBcc && strAttachName == o.strAttachName &&
                      bIncludeIndexData == o.bIncludeIndexData && strBodyItems == o.strBodyItems &&
                      bSaveImage == o.bSaveImage;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_EMAIL_TYPE::check() const
{
    return TRUE;
}

void QX_JOBCFG_OUTPUT_EMAIL_TYPE::normalize() {}

std::wstring QX_JOBCFG_OUTPUT_EMAIL_TYPE::EncodeText(const std::wstring& text)
{
    return SQXText::ReplaceAll(text, L"\r\n", L"\x0008");
}

std::wstring QX_JOBCFG_OUTPUT_EMAIL_TYPE::DecodeText(const std::wstring& stored)
{
    return SQXText::ReplaceAll(stored, L"\x0008", L"\r\n");
}

BOOL QX_JOBCFG_OUTPUT_EMAIL_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_EMAIL_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
