#include <brackwater/QX_JOBCFG_OUTPUT_FILEINFO_TYPE.h>

#include "QXFormatVersions.h"
#include "QXRecordFields.h"

#include <string>

const wchar_t* const QX_JOBCFG_OUTPUT_FILEINFO_TYPE::DEFAULT_IMAGE_PATH =
    L"<EXPORT_PATH>\"\\\"<BATCH_NAME>\"\\\"<DOCUMENT_ID_8>";
const wchar_t* const QX_JOBCFG_OUTPUT_FILEINFO_TYPE::DEFAULT_IMAGE_NAME =
    L"<IMAGE_SEQUENCENUMBER_8><DEFAULT_EXT>";

namespace
{
const wchar_t* const kImageAddressSections[QX_JOBCFG_OUTPUT_FILEINFO_TYPE::IA_LEVELS] = {
    L".ImageAddressLevel1", L".ImageAddressLevel2", L".ImageAddressLevel3"};

// Files written before the counters and image-address padding existed start
// every count at 1 and pad image addresses to 8 digits.
void ApplyLegacyValues(QX_JOBCFG_OUTPUT_FILEINFO_TYPE& r)
{
    r.nImageBatchStartNumber = r.nImageDocStartNumber = 1;
    r.nPageBatchStartNumber = r.nPageDocStartNumber = 1;
    for (auto& level : r.imageAddressLen)
    {
        level.bEnable = TRUE;
        level.nNumberLength = 8;
    }
}

const auto kFields = [](auto& r, auto& io)
{
    const bool newer = io.HasKeysOf(QX_FORMAT_VERSION_OUTPUT);
    io.Plugin(L"Locator", r.plugin);
    io.Text(L"PathFormula", r.strPathFormula);
    io.Text(L"NameFormula", r.strNameFormula);
    io.Bool(L"EditBeforeSave", r.bEditBeforeSave);
    io.Bool(L"NameFileBeforeSave", r.bNameFileBeforeSave);
    io.Sub(L".Document", r.documentIdLen);
    io.Sub(L".Page", r.pageIdLen);
    io.Sub(L".Image", r.imageIdLen);
    io.Nested(r.sideLabels);
    io.Value(L"DuplicateFileHandle", r.duplicateHandle);
    io.Int(L"Image Reset Feature", r.nImageResetFeature);
    if (newer)
    {
        io.Int(L"ImageBatchStartNumber", r.nImageBatchStartNumber);
        io.Int(L"ImageDocStartNumber", r.nImageDocStartNumber);
    }
    io.Int(L"Page Reset Feature", r.nPageResetFeature);
    if (newer)
    {
        io.Int(L"PageBatchStartNumber", r.nPageBatchStartNumber);
        io.Int(L"PageDocStartNumber", r.nPageDocStartNumber);
        for (int i = 0; i < QX_JOBCFG_OUTPUT_FILEINFO_TYPE::IA_LEVELS; ++i)
            io.Sub(kImageAddressSections[i], r.imageAddressLen[i]);
    }
    if constexpr (QX_READING(io))
    {
        if (!newer && io.Ok())
            ApplyLegacyValues(r);
    }
};
} // namespace

QX_JOBCFG_OUTPUT_FILEINFO_TYPE::QX_JOBCFG_OUTPUT_FILEINFO_TYPE()
{
    init();
}

QX_JOBCFG_OUTPUT_FILEINFO_TYPE::QX_JOBCFG_OUTPUT_FILEINFO_TYPE(const wchar_t* defaultPath,
                                                               const wchar_t* defaultName)
    : m_strDefaultPath(defaultPath), m_strDefaultName(defaultName)
{
    init();
}

// A copy keeps the original's slot defaults, so resetting it gives the same.
QX_JOBCFG_OUTPUT_FILEINFO_TYPE::QX_JOBCFG_OUTPUT_FILEINFO_TYPE(
    const QX_JOBCFG_OUTPUT_FILEINFO_TYPE& other)
    : m_strDefaultPath(other.m_strDefaultPath), m_strDefaultName(other.m_strDefaultName)
{
    init();
    set(other);
}

QX_JOBCFG_OUTPUT_FILEINFO_TYPE&
QX_JOBCFG_OUTPUT_FILEINFO_TYPE::operator=(const QX_JOBCFG_OUTPUT_FILEINFO_TYPE& other)
{
    if (this != &other)
        set(other);
    return *this;
}

void QX_JOBCFG_OUTPUT_FILEINFO_TYPE::init()
{
    strPathFormula = m_strDefaultPath;
    strNameFormula = m_strDefaultName;
    bEditBeforeSave = FALSE;
    bNameFileBeforeSave = FALSE;
    documentIdLen.reset();
    pageIdLen.reset();
    imageIdLen.reset();
    for (auto& level : imageAddressLen)
        level.reset();
    duplicateHandle.reset();
    nImageResetFeature = nImageBatchStartNumber = nImageDocStartNumber = 1;
    nPageResetFeature = nPageBatchStartNumber = nPageDocStartNumber = 1;
}

void QX_JOBCFG_OUTPUT_FILEINFO_TYPE::reset()
{
    plugin.Disconnect();
    sideLabels.reset();
    init();
}

void QX_JOBCFG_OUTPUT_FILEINFO_TYPE::set(const QX_JOBCFG_OUTPUT_FILEINFO_TYPE& other)
{
    plugin = other.plugin;
    strPathFormula = other.strPathFormula;
    strNameFormula = other.strNameFormula;
    bEditBeforeSave = other.bEditBeforeSave;
    bNameFileBeforeSave = other.bNameFileBeforeSave;
    documentIdLen.set(other.documentIdLen);
    pageIdLen.set(other.pageIdLen);
    imageIdLen.set(other.imageIdLen);
    for (int i = 0; i < IA_LEVELS; ++i)
        imageAddressLen[i].set(other.imageAddressLen[i]);
    sideLabels.set(other.sideLabels);
    duplicateHandle.set(other.duplicateHandle);
    nImageResetFeature = other.nImageResetFeature;
    nImageBatchStartNumber = other.nImageBatchStartNumber;
    nImageDocStartNumber = other.nImageDocStartNumber;
    nPageResetFeature = other.nPageResetFeature;
    nPageBatchStartNumber = other.nPageBatchStartNumber;
    nPageDocStartNumber = other.nPageDocStartNumber;
}

int QX_JOBCFG_OUTPUT_FILEINFO_TYPE::compare(const QX_JOBCFG_OUTPUT_FILEINFO_TYPE& o) const
{
    bool same = plugin == o.plugin && strPathFormula == o.strPathFormula &&
                strNameFormula == o.strNameFormula && bEditBeforeSave == o.bEditBeforeSave &&
                bNameFileBeforeSave == o.bNameFileBeforeSave && documentIdLen == o.documentIdLen &&
                pageIdLen == o.pageIdLen && imageIdLen == o.imageIdLen &&
                sideLabels == o.sideLabels && duplicateHandle == o.duplicateHandle &&
                nImageResetFeature == o.nImageResetFeature &&
                nImageBatchStartNumber == o.nImageBatchStartNumber &&
                nImageDocStartNumber == o.nImageDocStartNumber &&
                nPageResetFeature == o.nPageResetFeature &&
                nPageBatchStartNumber == o.nPageBatchStartNumber &&
                nPageDocStartNumber == o.nPageDocStartNumber;
    for (int i = 0; i < IA_LEVELS; ++i)
        same = same && imageAddressLen[i] == o.imageAddressLen[i];
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_FILEINFO_TYPE::check() const
{
    bool valid =
        duplicateHandle.check() && documentIdLen.check() && pageIdLen.check() && imageIdLen.check();
    for (const auto& level : imageAddressLen)
        valid = valid && level.check();
    return valid ? TRUE : FALSE;
}

void QX_JOBCFG_OUTPUT_FILEINFO_TYPE::normalize()
{
    duplicateHandle.normalize();
    documentIdLen.normalize();
    pageIdLen.normalize();
    imageIdLen.normalize();
    for (auto& level : imageAddressLen)
        level.normalize();
}

BOOL QX_JOBCFG_OUTPUT_FILEINFO_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_FILEINFO_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
