#include <brackwater/QX_JOBCFG_INDEX_ITEM_TYPE.h>

#include <brackwater/QXRecordScript.h>

#include "QXLineItems.h"
#include "QXText.h"

namespace
{
const wchar_t kLabel[] = L"Label";
const wchar_t kFieldType[] = L"FieldType";
const wchar_t kDescription[] = L"Description";
const wchar_t kDefaultValue[] = L"DefaultValue";
const wchar_t kInputMask[] = L"InputMask";
const wchar_t kOutputMask[] = L"OutputMask";
const wchar_t kSubstitution[] = L"Substitution";
const wchar_t kSubstitutionItem[] = L"SubstitutionItem";
const wchar_t kCheckDuringScanning[] = L"CheckDuringScanning";
const wchar_t kHidden[] = L"Hidden";
const wchar_t kReadOnly[] = L"ReadOnly";
const wchar_t kRequired[] = L"Required";
const wchar_t kMinimumLength[] = L"MinimumLength";
const wchar_t kExample[] = L"Example";

const wchar_t kLineBreak[] = L"\r\n";
const wchar_t kEscapedLineBreak[] = L"\\r\\n";
} // namespace

void QX_JOBCFG_INDEX_ITEM_TYPE::init()
{
    fieldType.reset();
    substitutions.SetCaseSensitive(TRUE);
    bCheckDuringScanning = TRUE;
    bHidden = FALSE;
    bReadOnly = FALSE;
    bRequired = FALSE;
    nMinimumLength = 0;
    nOCRLanguage = 0;
}

void QX_JOBCFG_INDEX_ITEM_TYPE::reset()
{
    strLabel.clear();
    plugin.reset();
    strDescription.clear();
    strDefaultValue.clear();
    strInputMask.clear();
    strOutputMask.clear();
    valueList.reset();
    substitutions.RemoveAll();
    strExample.clear();
    zoomZone.reset();
    init();
}

void QX_JOBCFG_INDEX_ITEM_TYPE::set(const QX_JOBCFG_INDEX_ITEM_TYPE& other)
{
    if (this == &other)
        return;
    strLabel = other.strLabel;
    fieldType.set(other.fieldType);
    plugin.set(other.plugin);
    strDescription = other.strDescription;
    strDefaultValue = other.strDefaultValue;
    strInputMask = other.strInputMask;
    strOutputMask = other.strOutputMask;
    valueList.set(other.valueList);
    substitutions.CopyFrom(other.substitutions);
    bCheckDuringScanning = other.bCheckDuringScanning;
    bHidden = other.bHidden;
    bReadOnly = other.bReadOnly;
    bRequired = other.bRequired;
    nMinimumLength = other.nMinimumLength;
    strExample = other.strExample;
    zoomZone = other.zoomZone;
    nOCRLanguage = other.nOCRLanguage;
}

int QX_JOBCFG_INDEX_ITEM_TYPE::compare(const QX_JOBCFG_INDEX_ITEM_TYPE& o) const
{
    const bool same =
        strLabel == o.strLabel && fieldType == o.fieldType && plugin == o.plugin &&
        strDescription == o.strDescription && strDefaultValue == o.strDefaultValue &&
        strInputMask == o.strInputMask && strOutputMask == o.strOutputMask &&
        valueList == o.valueList && substitutions == o.substitutions &&
        bCheckDuringScanning == o.bCheckDuringScanning && bHidden == o.bHidden &&
        bReadOnly == o.bReadOnly && bRequired == o.bRequired &&
        nMinimumLength == o.nMinimumLength && strExample == o.strExample &&
        zoomZone == o.zoomZone && nOCRLanguage == o.nOCRLanguage;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_INDEX_ITEM_TYPE::check() const
{
    if (strLabel.empty() || !fieldType.check())
        return FALSE;
    if (fieldType.value == FIELDTYPE_PLUGIN)
        return plugin.check();
    return strInputMask.empty() ? FALSE : TRUE;
}

void QX_JOBCFG_INDEX_ITEM_TYPE::normalize()
{
    fieldType.normalize();
    plugin.normalize();
    valueList.normalize();
}

std::wstring QX_JOBCFG_INDEX_ITEM_TYPE::EncodeDefaultValue(const std::wstring& text)
{
    return SQXText::ReplaceAll(text, kLineBreak, kEscapedLineBreak);
}

std::wstring QX_JOBCFG_INDEX_ITEM_TYPE::DecodeDefaultValue(const std::wstring& stored)
{
    return SQXText::ReplaceAll(stored, kEscapedLineBreak, kLineBreak);
}

BOOL QX_JOBCFG_INDEX_ITEM_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordScript::WriteText(script, kLabel, strLabel) &&
           fieldType.toscript(script, kFieldType) && plugin.toscript(script) &&
           SQXRecordScript::WriteText(script, kDescription, strDescription) &&
           SQXRecordScript::WriteText(script, kDefaultValue, EncodeDefaultValue(strDefaultValue)) &&
           SQXRecordScript::WriteText(script, kInputMask, strInputMask) &&
           SQXRecordScript::WriteText(script, kOutputMask, strOutputMask) &&
           valueList.toscript(script) &&
           SQXLineItems::WriteSwitched(script, kSubstitution, kSubstitutionItem, substitutions,
                                       SQXLineItems::kBackspaceGuard) &&
           SQXRecordScript::WriteBool(script, kCheckDuringScanning, bCheckDuringScanning) &&
           SQXRecordScript::WriteBool(script, kHidden, bHidden) &&
           SQXRecordScript::WriteBool(script, kReadOnly, bReadOnly) &&
           SQXRecordScript::WriteBool(script, kRequired, bRequired) &&
           SQXRecordScript::WriteInt(script, kMinimumLength, nMinimumLength) &&
           SQXRecordScript::WriteText(script, kExample, strExample);
}

BOOL QX_JOBCFG_INDEX_ITEM_TYPE::fromscript(CZKScript& script)
{
    std::wstring defaultValue;
    const bool ok =
        SQXRecordScript::ReadText(script, kLabel, strLabel) &&
        fieldType.fromscript(script, kFieldType) && plugin.fromscript(script) &&
        SQXRecordScript::ReadText(script, kDescription, strDescription) &&
        SQXRecordScript::ReadText(script, kDefaultValue, defaultValue) &&
        SQXRecordScript::ReadText(script, kInputMask, strInputMask) &&
        SQXRecordScript::ReadText(script, kOutputMask, strOutputMask) &&
        valueList.fromscript(script) &&
        SQXLineItems::ReadSwitched(script, kSubstitution, kSubstitutionItem, substitutions,
                                   SQXLineItems::kBackspaceGuard) &&
        SQXRecordScript::ReadBool(script, kCheckDuringScanning, bCheckDuringScanning) &&
        SQXRecordScript::ReadBool(script, kHidden, bHidden) &&
        SQXRecordScript::ReadBool(script, kReadOnly, bReadOnly) &&
        SQXRecordScript::ReadBool(script, kRequired, bRequired) &&
        SQXRecordScript::ReadInt(script, kMinimumLength, nMinimumLength) &&
        SQXRecordScript::ReadText(script, kExample, strExample);
    if (!ok)
    {
        reset();
        return FALSE;
    }
    strDefaultValue = DecodeDefaultValue(defaultValue);
    return TRUE;
}
