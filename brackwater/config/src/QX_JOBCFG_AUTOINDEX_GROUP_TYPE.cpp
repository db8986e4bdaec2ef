#include <brackwater/QX_JOBCFG_AUTOINDEX_GROUP_TYPE.h>

#include <brackwater/QXRecordScript.h>

#include <hollin/ZKScript.h>
#include <hollin/ZKScriptItemList.h>

#include "QXSectionSteps.h"

namespace
{
const wchar_t kEnableExtractSize[] = L"EnableExtractSize";
const wchar_t kExtractSize[] = L"ExtractSize";
const wchar_t kSearchOnRear[] = L"SearchOnRear";
const wchar_t kMaxItemsToExtract[] = L"MaxItemsToExtract";
const wchar_t kSampleImages[] = L"SampleImages";
const wchar_t kSelectedImage[] = L"SelectedImage";
const wchar_t kBarcodeSection[] = L"BARCODE";
const wchar_t kOCRSection[] = L"OCR";
const int kDefaultSection = 1;

bool WriteSampleImages(CZKScript& script, const CZKStringList& images)
{
    // Lines are appended: drop those of an earlier write first.
    script.RemoveKey(kSampleImages, kDefaultSection);
    for (const std::wstring& image : images)
    {
        if (!script.AddScript(std::wstring(kSampleImages) + L" = " + image, kDefaultSection))
            return false;
    }
    return true;
}

// No line at all simply means no sample images.
void ReadSampleImages(CZKScript& script, CZKStringList& images)
{
    images.RemoveAll();
    CZKScriptItemList lines;
    if (!script.FindKeyValues(nullptr, kSampleImages, lines))
        return;
    for (int i = 0; i < lines.GetCount(); ++i)
    {
        if (const CZKScriptItem* line = lines.GetItem(i))
            images.AddTail(line->GetValue());
    }
}
} // namespace

void QX_JOBCFG_AUTOINDEX_GROUP_TYPE::init()
{
    bEnableExtractSize = FALSE;
    extractSize.reset();
    bSearchOnRear = FALSE;
    nMaxItemsToExtract = 0;
}

void QX_JOBCFG_AUTOINDEX_GROUP_TYPE::reset()
{
    sampleImages.RemoveAll();
    strSelectedImage.clear();
    barcodeVariables.reset();
    ocrVariables.reset();
    init();
}

void QX_JOBCFG_AUTOINDEX_GROUP_TYPE::set(const QX_JOBCFG_AUTOINDEX_GROUP_TYPE& other)
{
    if (this == &other)
        return;
    bEnableExtractSize = other.bEnableExtractSize;
    extractSize.set(other.extractSize);
    bSearchOnRear = other.bSearchOnRear;
    nMaxItemsToExtract = other.nMaxItemsToExtract;
    sampleImages.CopyFrom(other.sampleImages);
    strSelectedImage = other.strSelectedImage;
    barcodeVariables.set(other.barcodeVariables);
    ocrVariables.set(other.ocrVariables);
}

int QX_JOBCFG_AUTOINDEX_GROUP_TYPE::compare(const QX_JOBCFG_AUTOINDEX_GROUP_TYPE& o) const
{
    const bool same = bEnableExtractSize == o.bEnableExtractSize &&
                      extractSize == o.extractSize && bSearchOnRear == o.bSearchOnRear &&
                      nMaxItemsToExtract == o.nMaxItemsToExtract &&
                      sampleImages == o.sampleImages && strSelectedImage == o.strSelectedImage &&
                      barcodeVariables == o.barcodeVariables && ocrVariables == o.ocrVariables;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_AUTOINDEX_GROUP_TYPE::check() const
{
    return (extractSize.check() && barcodeVariables.check() && ocrVariables.check()) ? TRUE
                                                                                    : FALSE;
}

void QX_JOBCFG_AUTOINDEX_GROUP_TYPE::normalize()
{
    extractSize.normalize();
    barcodeVariables.normalize();
    ocrVariables.normalize();
}

BOOL QX_JOBCFG_AUTOINDEX_GROUP_TYPE::_WriteOwnKeys(CZKScript& script) const
{
    return SQXRecordScript::WriteBool(script, kEnableExtractSize, bEnableExtractSize) &&
           extractSize.toscript(script, kExtractSize) &&
           SQXRecordScript::WriteBool(script, kSearchOnRear, bSearchOnRear) &&
           SQXRecordScript::WriteInt(script, kMaxItemsToExtract, nMaxItemsToExtract) &&
           WriteSampleImages(script, sampleImages) &&
           SQXRecordScript::WriteText(script, kSelectedImage, strSelectedImage);
}

bool QX_JOBCFG_AUTOINDEX_GROUP_TYPE::_ReadOwnKeys(CZKScript& script)
{
    if (!SQXRecordScript::ReadBool(script, kEnableExtractSize, bEnableExtractSize) ||
        !extractSize.fromscript(script, kExtractSize) ||
        !SQXRecordScript::ReadBool(script, kSearchOnRear, bSearchOnRear) ||
        !SQXRecordScript::ReadInt(script, kMaxItemsToExtract, nMaxItemsToExtract))
        return false;
    ReadSampleImages(script, sampleImages);
    return SQXRecordScript::ReadText(script, kSelectedImage, strSelectedImage) != FALSE;
}

BOOL QX_JOBCFG_AUTOINDEX_GROUP_TYPE::toscript(CZKScript& script) const
{
    return SQXSectionSteps::Run(
               script,
               {{nullptr, [&] { return _WriteOwnKeys(script) != FALSE; }},
                {kBarcodeSection, [&] { return barcodeVariables.toscript(script) != FALSE; }},
                {kOCRSection, [&] { return ocrVariables.toscript(script) != FALSE; }}})
               ? TRUE
               : FALSE;
}

BOOL QX_JOBCFG_AUTOINDEX_GROUP_TYPE::fromscript(CZKScript& script)
{
    if (SQXSectionSteps::Run(
            script, {{nullptr, [&] { return _ReadOwnKeys(script); }},
                     {kBarcodeSection, [&] { return barcodeVariables.fromscript(script) != FALSE; }},
                     {kOCRSection, [&] { return ocrVariables.fromscript(script) != FALSE; }}}))
        return TRUE;
    reset();
    return FALSE;
}
