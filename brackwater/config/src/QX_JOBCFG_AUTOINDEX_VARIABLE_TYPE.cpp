#include <brackwater/QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE.h>

#include <brackwater/QXRecordScript.h>

#include <hollin/ZKScript.h>

#include "QXScriptFile.h"

namespace
{
const wchar_t kLabel[] = L"Label";
const wchar_t kRegion[] = L"Region";
const wchar_t kRegionPixel[] = L"RegionPixel";
const wchar_t kFront[] = L"Front";
const wchar_t kPositionType[] = L"PositionType";
const wchar_t kRearSearch[] = L"RearSearch";
const wchar_t kRotateSearch[] = L"RotateSearch";
const wchar_t kRotateBaseOnCode[] = L"RotateBaseOnCode";
const wchar_t kMask[] = L"Mask";
const wchar_t kTypeString[] = L"Typestring";
const wchar_t kType[] = L"Type";
const wchar_t kOrientation[] = L"Orientation";
const wchar_t kCheckSum[] = L"CheckSum";
const wchar_t kOCRFormatContained[] = L"OCRFormatContained";
const wchar_t kOCRLanguageList[] = L"OCRLanguageList";
const wchar_t kOCRFilter[] = L"OCRFilter";
const wchar_t kUserDicPath[] = L"UserDicPath";

const wchar_t kOCRKeysVersion[] = L"1.3.0.0";
const wchar_t kFileSection[] = L"IndexVariable";
const int kDefaultSection = 1;

// The flag set travels as a signed 64-bit decimal: the same bits either way.
BOOL WriteType(CZKScript& script, uint64_t type)
{
    return script.W_int64(kType, static_cast<int64_t>(type), kDefaultSection);
}

bool ReadType(CZKScript& script, uint64_t& type)
{
    int64_t stored = 0;
    if (!script.R_int64(kType, stored, kDefaultSection))
        return false;
    type = static_cast<uint64_t>(stored);
    return true;
}
} // namespace

void QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::init()
{
    bFront = FALSE;
    nPositionType = 0;
    bRearSearch = FALSE;
    bRotateSearch = FALSE;
    bRotateBaseOnCode = FALSE;
    ullType = 0;
    nOrientation = 0;
    bCheckSum = FALSE;
    bOCRFormatContained = FALSE;
}

void QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::reset()
{
    strLabel.clear();
    region.reset();
    regionPixel.reset();
    separation.reset();
    strMask.clear();
    strTypeString.clear();
    strOCRLanguageList.clear();
    strOCRFilter.clear();
    strUserDicPath.clear();
    strLastValue.clear();
    init();
}

void QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::set(const QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE& other)
{
    if (this == &other)
        return;
    strLabel = other.strLabel;
    region = other.region;
    regionPixel = other.regionPixel;
    bFront = other.bFront;
    nPositionType = other.nPositionType;
    bRearSearch = other.bRearSearch;
    bRotateSearch = other.bRotateSearch;
    bRotateBaseOnCode = other.bRotateBaseOnCode;
    separation.set(other.separation);
    strMask = other.strMask;
    strTypeString = other.strTypeString;
    ullType = other.ullType;
    nOrientation = other.nOrientation;
    bCheckSum = other.bCheckSum;
    bOCRFormatContained = other.bOCRFormatContained;
    strOCRLanguageList = other.strOCRLanguageList;
    strOCRFilter = other.strOCRFilter;
    strUserDicPath = other.strUserDicPath;
    strLastValue = other.strLastValue;
}

int QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::compare(const QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE& o) const
{
    const bool same =
        strLabel == o.strLabel && region == o.region && regionPixel == o.regionPixel &&
        bFront == o.bFront && nPositionType == o.nPositionType && bRearSearch == o.bRearSearch &&
        bRotateSearch == o.bRotateSearch && bRotateBaseOnCode == o.bRotateBaseOnCode &&
        separation == o.separation && strMask == o.strMask && strTypeString == o.strTypeString &&
        ullType == o.ullType && nOrientation == o.nOrientation && bCheckSum == o.bCheckSum &&
        bOCRFormatContained == o.bOCRFormatContained &&
        strOCRLanguageList == o.strOCRLanguageList && strOCRFilter == o.strOCRFilter &&
        strUserDicPath == o.strUserDicPath;
    return same ? 0 : -1;
}

DWORD QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::get_search_option() const
{
    DWORD option = bFront ? SEARCH_FRONT : SEARCH_REAR;
    if (bRearSearch)
        option |= SEARCH_REAR;
    if (bRotateSearch)
        option |= SEARCH_ROTATED;
    return option;
}

BOOL QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordScript::WriteText(script, kLabel, strLabel) &&
           region.toscript(script, kRegion) && regionPixel.toscript(script, kRegionPixel) &&
           SQXRecordScript::WriteBool(script, kFront, bFront) &&
           SQXRecordScript::WriteInt(script, kPositionType, nPositionType) &&
           SQXRecordScript::WriteBool(script, kRearSearch, bRearSearch) &&
           SQXRecordScript::WriteBool(script, kRotateSearch, bRotateSearch) &&
           SQXRecordScript::WriteBool(script, kRotateBaseOnCode, bRotateBaseOnCode) &&
           separation.toscript(script) && SQXRecordScript::WriteText(script, kMask, strMask) &&
           SQXRecordScript::WriteText(script, kTypeString, strTypeString) &&
           WriteType(script, ullType) &&
           SQXRecordScript::WriteInt(script, kOrientation, nOrientation) &&
           SQXRecordScript::WriteBool(script, kCheckSum, bCheckSum) &&
           SQXRecordScript::WriteBool(script, kOCRFormatContained, bOCRFormatContained) &&
           SQXRecordScript::WriteText(script, kOCRLanguageList, strOCRLanguageList) &&
           SQXRecordScript::WriteText(script, kOCRFilter, strOCRFilter) &&
           SQXRecordScript::WriteText(script, kUserDicPath, strUserDicPath);
}

bool QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::_ReadOCRKeys(CZKScript& script)
{
    if (!SQXRecordScript::IsStoredVersionAtLeast(script, kOCRKeysVersion))
    {
        bOCRFormatContained = FALSE;
        strOCRLanguageList.clear();
        strOCRFilter.clear();
        strUserDicPath.clear();
        return true;
    }
    return SQXRecordScript::ReadBool(script, kOCRFormatContained, bOCRFormatContained) &&
           SQXRecordScript::ReadText(script, kOCRLanguageList, strOCRLanguageList) &&
           SQXRecordScript::ReadText(script, kOCRFilter, strOCRFilter) &&
           SQXRecordScript::ReadText(script, kUserDicPath, strUserDicPath);
}

BOOL QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::fromscript(CZKScript& script)
{
    if (SQXRecordScript::ReadText(script, kLabel, strLabel) &&
        region.fromscript(script, kRegion) && regionPixel.fromscript(script, kRegionPixel) &&
        SQXRecordScript::ReadBool(script, kFront, bFront) &&
        SQXRecordScript::ReadInt(script, kPositionType, nPositionType) &&
        SQXRecordScript::ReadBool(script, kRearSearch, bRearSearch) &&
        SQXRecordScript::ReadBool(script, kRotateSearch, bRotateSearch) &&
        SQXRecordScript::ReadBool(script, kRotateBaseOnCode, bRotateBaseOnCode) &&
        separation.fromscript(script) && SQXRecordScript::ReadText(script, kMask, strMask) &&
        SQXRecordScript::ReadText(script, kTypeString, strTypeString) &&
        ReadType(script, ullType) &&
        SQXRecordScript::ReadInt(script, kOrientation, nOrientation) &&
        SQXRecordScript::ReadBool(script, kCheckSum, bCheckSum) && _ReadOCRKeys(script))
        return TRUE;
    reset();
    return FALSE;
}

BOOL QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::tofile(const std::wstring& path) const
{
    return SQXScriptFile::Save(*this, path, kFileSection, kOCRKeysVersion);
}

BOOL QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE::fromfile(const std::wstring& path)
{
    return SQXScriptFile::Load(*this, path, kFileSection);
}
