// One index field of a job: its label, where its value comes from, how it
// is validated and formatted, and how it is shown.
#pragma once

#include <brackwater/PLUGIN_SELECTION_TYPE.h>
#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperators.h>
#include <brackwater/QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE.h>
#include <brackwater/QX_RECT_TYPE.h>
#include <brackwater/brackwater_export.h>
#include <hollin/ZKDict.h>
#include <hollin/ZKObject.h>

#include <cstdint>
#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_INDEX_ITEM_TYPE : public CZKObject
{
    enum FIELDTYPE : BYTE
    {
        FIELDTYPE_PLUGIN = 2 // values come from the selected plug-in
    };

    std::wstring strLabel;
    QX_JOBCFG_INDEX_FIELDTYPE_TYPE fieldType;
    PLUGIN_SELECTION_TYPE plugin;
    std::wstring strDescription;
    std::wstring strDefaultValue; // a default-value expression
    std::wstring strInputMask;
    std::wstring strOutputMask;
    QX_JOBCFG_INDEX_ITEM_VALUELIST_TYPE valueList;
    CZKDict substitutions; // from-text to to-text, case-sensitive
    BOOL bCheckDuringScanning;
    BOOL bHidden;
    BOOL bReadOnly;
    BOOL bRequired;
    int32_t nMinimumLength;
    std::wstring strExample;
    // Persisted apart from the item, by the item list's Save/Load helpers.
    QX_RECT_TYPE zoomZone;
    int32_t nOCRLanguage;

    QX_JOBCFG_INDEX_ITEM_TYPE() { init(); }
    QX_DERIVED_RECORD_OPERATORS(QX_JOBCFG_INDEX_ITEM_TYPE, CZKObject)
    QX_RECORD_CLONE(QX_JOBCFG_INDEX_ITEM_TYPE)

    void reset();
    void set(const QX_JOBCFG_INDEX_ITEM_TYPE& other);
    int compare(const QX_JOBCFG_INDEX_ITEM_TYPE& other) const;
    // A label, a known field type, and either a valid plug-in selection
    // (plug-in fields) or an input mask (all others).
    BOOL check() const;
    void normalize();

    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

    // Line breaks of the default value as the four characters \r\n.
    static std::wstring EncodeDefaultValue(const std::wstring& text);
    static std::wstring DecodeDefaultValue(const std::wstring& stored);

protected:
    void init();
};
