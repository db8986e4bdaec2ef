// A database lookup: when a trigger field changes, a row is looked up in a
// table and its columns fill index fields.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperators.h>
#include <brackwater/QX_JOBCFG_DBLOOKUP_DBACCESSINFO.h>
#include <brackwater/QX_JOBCFG_DBLOOKUP_TRIGGER_OPTION.h>
#include <brackwater/brackwater_export.h>
#include <hollin/ZKDict.h>
#include <hollin/ZKObject.h>

#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_DBLOOKUP_ITEM_TYPE : public CZKObject
{
    std::wstring strName;
    std::wstring strConnectionString;
    std::wstring strDSN;
    std::wstring strTableName;
    BOOL bSaveDBAccessInfo; // default 1
    QX_JOBCFG_DBLOOKUP_DBACCESSINFO accessInfo;
    QX_JOBCFG_INDEX_ITEM_LEVEL_TYPE triggerLevel;
    std::wstring strTriggerIndexItemName;
    std::wstring strTriggerTableColumn;
    QX_JOBCFG_DBLOOKUP_DBCOLUMN_TYPE triggerColumnType;
    CZKDict batchMapping;    // index item to column
    CZKDict documentMapping; // index item to column
    QX_JOBCFG_DBLOOKUP_MULTIMATCH_OPTION multiMatch;
    QX_JOBCFG_DBLOOKUP_TRIGGER_OPTION triggerOption;
    BOOL bValidateFieldOnly;
    BOOL bOverwriteFields;

    QX_JOBCFG_DBLOOKUP_ITEM_TYPE() { init(); }
    QX_DERIVED_RECORD_OPERATORS(QX_JOBCFG_DBLOOKUP_ITEM_TYPE, CZKObject)
    QX_RECORD_CLONE(QX_JOBCFG_DBLOOKUP_ITEM_TYPE)

    void reset();
    void set(const QX_JOBCFG_DBLOOKUP_ITEM_TYPE& other);
    int compare(const QX_JOBCFG_DBLOOKUP_ITEM_TYPE& other) const;
    // Name, connection, data source and table are required; trigger level
    // and multiple-match option must be 0 or 1.
    BOOL check() const;
    void normalize();

    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

protected:
    void init();
};
