#include <brackwater/QX_JOBCFG_DBLOOKUP_ITEM_TYPE.h>

#include <brackwater/QXRecordScript.h>

#include "QXLineItems.h"

namespace
{
const wchar_t kName[] = L"DBLName";
const wchar_t kConnectionString[] = L"ConnectionString";
const wchar_t kDSN[] = L"DSN";
const wchar_t kTableName[] = L"TableName";
const wchar_t kSaveDBAccessInfo[] = L"SaveDBAccessInfo";
const wchar_t kTriggerLevel[] = L"TriggerIndexItemLevel";
const wchar_t kTriggerName[] = L"TriggerIndexItemName";
const wchar_t kTriggerColumn[] = L"TriggerTableColumn";
const wchar_t kTriggerColumnType[] = L"TriggerTableColumnType";
const wchar_t kMultiMatch[] = L"MultiMatchOption";
const wchar_t kFlag[] = L"Flag";
const wchar_t kValidateFieldOnly[] = L"ValidateFieldOnly";
const wchar_t kOverwriteFields[] = L"OverWritesField";

// A mapping: a switch saying whether it has entries, then one line each.
struct MappingKeys
{
    const wchar_t* flag;
    const wchar_t* item;
};
const MappingKeys kBatchMapping = {L"BTC_OutputFieldsMapping", L"BTC_MappingItem"};
const MappingKeys kDocumentMapping = {L"DOC_OutputFieldsMapping", L"DOC_MappingItem"};

bool WriteMapping(CZKScript& script, const MappingKeys& keys, const CZKDict& mapping)
{
    return SQXLineItems::WriteSwitched(script, keys.flag, keys.item, mapping,
                                       SQXLineItems::kBackspaceGuard) != FALSE;
}

bool ReadMapping(CZKScript& script, const MappingKeys& keys, CZKDict& mapping)
{
    return SQXLineItems::ReadSwitched(script, keys.flag, keys.item, mapping,
                                      SQXLineItems::kBackspaceGuard) != FALSE;
}
} // namespace

void QX_JOBCFG_DBLOOKUP_ITEM_TYPE::init()
{
    bSaveDBAccessInfo = TRUE;
    triggerLevel.reset();
    triggerColumnType.reset();
    batchMapping.SetCaseSensitive(TRUE);
    documentMapping.SetCaseSensitive(TRUE);
    multiMatch.reset();
    triggerOption.reset();
    bValidateFieldOnly = FALSE;
    bOverwriteFields = FALSE;
}

void QX_JOBCFG_DBLOOKUP_ITEM_TYPE::reset()
{
    strName.clear();
    strConnectionString.clear();
    strDSN.clear();
    strTableName.clear();
    accessInfo.reset();
    strTriggerIndexItemName.clear();
    strTriggerTableColumn.clear();
    batchMapping.RemoveAll();
    documentMapping.RemoveAll();
    init();
}

void QX_JOBCFG_DBLOOKUP_ITEM_TYPE::set(const QX_JOBCFG_DBLOOKUP_ITEM_TYPE& other)
{
    if (this == &other)
        return;
    strName = other.strName;
    strConnectionString = other.strConnectionString;
    strDSN = other.strDSN;
    strTableName = other.strTableName;
    bSaveDBAccessInfo = other.bSaveDBAccessInfo;
    accessInfo.set(other.accessInfo);
    triggerLevel.set(other.triggerLevel);
    strTriggerIndexItemName = other.strTriggerIndexItemName;
    strTriggerTableColumn = other.strTriggerTableColumn;
    triggerColumnType.set(other.triggerColumnType);
    batchMapping.CopyFrom(other.batchMapping);
    documentMapping.CopyFrom(other.documentMapping);
    multiMatch.set(other.multiMatch);
    triggerOption.set(other.triggerOption);
    bValidateFieldOnly = other.bValidateFieldOnly;
    bOverwriteFields = other.bOverwriteFields;
}

int QX_JOBCFG_DBLOOKUP_ITEM_TYPE::compare(const QX_JOBCFG_DBLOOKUP_ITEM_TYPE& o) const
{
    const bool same =
        strName == o.strName && strConnectionString == o.strConnectionString &&
        strDSN == o.strDSN && strTableName == o.strTableName &&
        bSaveDBAccessInfo == o.bSaveDBAccessInfo && accessInfo == o.accessInfo &&
        triggerLevel == o.triggerLevel && strTriggerIndexItemName == o.strTriggerIndexItemName &&
        strTriggerTableColumn == o.strTriggerTableColumn &&
        triggerColumnType == o.triggerColumnType && batchMapping == o.batchMapping &&
        documentMapping == o.documentMapping && multiMatch == o.multiMatch &&
        triggerOption == o.triggerOption && bValidateFieldOnly == o.bValidateFieldOnly &&
        bOverwriteFields == o.bOverwriteFields;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_DBLOOKUP_ITEM_TYPE::check() const
{
    const bool complete = !strName.empty() && !strConnectionString.empty() && !strDSN.empty() &&
                          !strTableName.empty();
    return (complete && triggerLevel.check() && multiMatch.check()) ? TRUE : FALSE;
}

void QX_JOBCFG_DBLOOKUP_ITEM_TYPE::normalize()
{
    triggerLevel.normalize();
    multiMatch.normalize();
}

BOOL QX_JOBCFG_DBLOOKUP_ITEM_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordScript::WriteText(script, kName, strName) &&
           SQXRecordScript::WriteText(script, kConnectionString, strConnectionString) &&
           SQXRecordScript::WriteText(script, kDSN, strDSN) &&
           SQXRecordScript::WriteText(script, kTableName, strTableName) &&
           SQXRecordScript::WriteBool(script, kSaveDBAccessInfo, bSaveDBAccessInfo) &&
           accessInfo.toscript(script) && triggerLevel.toscript(script, kTriggerLevel) &&
           SQXRecordScript::WriteText(script, kTriggerName, strTriggerIndexItemName) &&
           SQXRecordScript::WriteText(script, kTriggerColumn, strTriggerTableColumn) &&
           triggerColumnType.toscript(script, kTriggerColumnType) &&
           multiMatch.toscript(script, kMultiMatch) && triggerOption.toscript(script, kFlag) &&
           SQXRecordScript::WriteBool(script, kValidateFieldOnly, bValidateFieldOnly) &&
           SQXRecordScript::WriteBool(script, kOverwriteFields, bOverwriteFields) &&
           WriteMapping(script, kBatchMapping, batchMapping) &&
           WriteMapping(script, kDocumentMapping, documentMapping);
}

BOOL QX_JOBCFG_DBLOOKUP_ITEM_TYPE::fromscript(CZKScript& script)
{
    const bool ok =
        SQXRecordScript::ReadText(script, kName, strName) &&
        SQXRecordScript::ReadText(script, kConnectionString, strConnectionString) &&
        SQXRecordScript::ReadText(script, kDSN, strDSN) &&
        SQXRecordScript::ReadText(script, kTableName, strTableName) &&
        SQXRecordScript::ReadBool(script, kSaveDBAccessInfo, bSaveDBAccessInfo) &&
        accessInfo.fromscript(script) && triggerLevel.fromscript(script, kTriggerLevel) &&
        SQXRecordScript::ReadText(script, kTriggerName, strTriggerIndexItemName) &&
        SQXRecordScript::ReadText(script, kTriggerColumn, strTriggerTableColumn) &&
        triggerColumnType.fromscript(script, kTriggerColumnType) &&
        multiMatch.fromscript(script, kMultiMatch) && triggerOption.fromscript(script, kFlag) &&
        SQXRecordScript::ReadBool(script, kValidateFieldOnly, bValidateFieldOnly) &&
        SQXRecordScript::ReadBool(script, kOverwriteFields, bOverwriteFields) &&
        ReadMapping(script, kBatchMapping, batchMapping) &&
        ReadMapping(script, kDocumentMapping, documentMapping);
    if (!ok)
        reset();
    return ok ? TRUE : FALSE;
}
