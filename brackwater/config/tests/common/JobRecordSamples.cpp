#include "JobRecordSamples.h"

#include <hollin/ZKScript.h>
#include <hollin/ZKScriptItemList.h>

QX_JOBCFG_GENERAL_GROUP_TYPE SJobRecordSamples::GeneralGroup()
{
    QX_JOBCFG_GENERAL_GROUP_TYPE g;
    g.general.strJobRoot = L"/jobs/claims";
    g.general.strDescription = L"Claims\r\nsecond line #";
    g.general.accessLevel.value = 4;
    g.general.strExportRoot = L"/export/claims";
    g.general.bAutoImport = TRUE;
    g.general.strAutoImportDir = L"/in";
    g.general.bKeepBatch = TRUE;
    g.batchSetting.batchNaming.source.value = 0;
    g.batchSetting.batchNaming.strFormula = L"<Date>-<Counter, 4>";
    g.batchSetting.docRange.range = QX_RANGE_L_TYPE(1, 1, 2, 500);
    g.batchSetting.docRange.nWarnBeforeMax = 10;
    g.batchSetting.pageRange.range = QX_RANGE_L_TYPE(0, 0, 2, 40);
    g.batchSetting.pageRange.nWarnBeforeMax = 5;
    g.batchSetting.bResetCounter = FALSE;
    g.countSep.newBatchRule.bEnable = TRUE;
    g.countSep.newBatchRule.nItemNumber = 250;
    g.countSep.newDocumentRule.bEnable = TRUE;
    g.countSep.newDocumentRule.nItemNumber = 3;
    return g;
}

QX_JOBCFG_INDEX_ITEM_TYPE SJobRecordSamples::IndexItem(const std::wstring& label)
{
    QX_JOBCFG_INDEX_ITEM_TYPE item;
    item.strLabel = label;
    item.fieldType.value = 1;
    item.strDescription = L"Policy, as printed";
    item.strDefaultValue = L"<Date>\r\n<Time>";
    item.strInputMask = L"AA-9999";
    item.strOutputMask = L"[UPPER]";
    item.valueList.values.SetKeyValue(L"a,b", L"first, second");
    item.valueList.values.SetKeyValue(L"Z\u00fcrich", L"=[x]");
    item.valueList.bAllowAnyValue = TRUE;
    item.valueList.indexAction.value = 2;
    item.substitutions.SetKeyValue(L"1,000", L"1000");
    item.substitutions.SetKeyValue(L" lead", L"trail ");
    item.bCheckDuringScanning = FALSE;
    item.bHidden = TRUE;
    item.bReadOnly = TRUE;
    item.bRequired = TRUE;
    item.nMinimumLength = 7;
    item.strExample = L"AB-1234";
    return item;
}

QX_JOBCFG_DBLOOKUP_ITEM_TYPE SJobRecordSamples::Lookup(const std::wstring& name)
{
    QX_JOBCFG_DBLOOKUP_ITEM_TYPE lookup;
    lookup.strName = name;
    lookup.strConnectionString = L"Driver=sqlite;Database=/db/claims.db";
    lookup.strDSN = L"claims";
    lookup.strTableName = L"policies";
    lookup.bSaveDBAccessInfo = FALSE;
    lookup.accessInfo.strUser = L"scanner";
    lookup.accessInfo.strPassword = L"p,a=ss #1";
    lookup.triggerLevel.value = 1;
    lookup.strTriggerIndexItemName = L"Policy";
    lookup.strTriggerTableColumn = L"policy_no";
    lookup.triggerColumnType.value = 12;
    lookup.batchMapping.SetKeyValue(L"Holder", L"holder_name");
    lookup.documentMapping.SetKeyValue(L"Amount, net", L"amount,net");
    lookup.multiMatch.value = 0;
    lookup.triggerOption.value = 2;
    lookup.bValidateFieldOnly = TRUE;
    lookup.bOverwriteFields = TRUE;
    return lookup;
}

QX_JOBCFG_INDEX_GROUP_TYPE SJobRecordSamples::IndexGroup()
{
    QX_JOBCFG_INDEX_GROUP_TYPE g;
    g.nActionOnFailed = 2;
    g.bBypassAudit = TRUE;
    g.batchItems.Add(IndexItem(L"Batch owner"));
    g.documentItems.Add(IndexItem(L"Policy"));
    g.documentItems.Add(IndexItem(L"Amount"));
    g.lookups.Add(Lookup(L"Policies"));
    QX_JOBCFG_IXDPLUGIN_ITEM_TYPE plugin;
    plugin.strName = L"Archive";
    plugin.strConnection = L"host=archive;port=9000";
    g.ixdPlugins.Add(plugin);
    return g;
}

QX_JOBCFG_SEPARATION_GROUP_TYPE SJobRecordSamples::SeparationGroup()
{
    QX_JOBCFG_SEPARATION_GROUP_TYPE g;
    g.blank.bEnable = TRUE;
    g.blank.separationType.value = 1;
    g.blank.nStandard = 2;
    g.blank.nBitonalSize = 1200;
    g.blank.nColorSize = 9000;
    g.blank.nBitonalPercent = 3;
    g.blank.nColorPercent = 4;
    g.blank.bDeletion = TRUE;
    for (int i = 0; i < 3; ++i)
    {
        QX_JOBCFG_SEPARATION_PATCH_TYPE patch;
        patch.bEnable = i != 1;
        patch.separationType.value = static_cast<BYTE>(i);
        patch.patchType.value = static_cast<BYTE>(10 + i);
        patch.bRotatedSearch = i == 2;
        patch.bSearchOnRear = i == 0;
        patch.actions[i].bRotate = TRUE;
        patch.actions[3 - i].bDeletion = TRUE;
        g.patches.Add(patch);
    }
    return g;
}

QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE SJobRecordSamples::Variable(const std::wstring& label)
{
    QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE v;
    v.strLabel = label;
    v.region = QX_RECT_TYPE{10, 20, 300, 80};
    v.regionPixel = QX_RECT_TYPE{-5, 0, 1200, 2147483647};
    v.bFront = TRUE;
    v.nPositionType = 3;
    v.bRearSearch = TRUE;
    v.bRotateSearch = TRUE;
    v.bRotateBaseOnCode = TRUE;
    v.separation.bEnable = TRUE;
    v.separation.separationType.value = 3;
    v.separation.indexLevel.value = 4;
    v.separation.bDeletion = TRUE;
    v.separation.bValueChange = TRUE;
    v.strMask = L"999-AAA";
    v.strTypeString = L"Code 128, EAN-13";
    v.ullType = 0x8000000000000401ULL;
    v.nOrientation = 270;
    v.bCheckSum = TRUE;
    v.bOCRFormatContained = TRUE;
    v.strOCRLanguageList = L"en;de";
    v.strOCRFilter = L"0-9A-Z";
    v.strUserDicPath = L"/dict/claims.dic";
    return v;
}

QX_JOBCFG_AUTOINDEX_GROUP_TYPE SJobRecordSamples::AutoIndexGroup()
{
    QX_JOBCFG_AUTOINDEX_GROUP_TYPE g;
    g.bEnableExtractSize = TRUE;
    g.extractSize = QX_RANGE_L_TYPE(2, 3, 1, 40);
    g.bSearchOnRear = TRUE;
    g.nMaxItemsToExtract = 6;
    g.sampleImages.AddTail(L"/samples/page 1.tif");
    g.sampleImages.AddTail(L"/samples/page,2 = x.tif");
    g.strSelectedImage = L"/samples/page 1.tif";
    g.barcodeVariables.Add(Variable(L"Barcode 1"));
    g.barcodeVariables.Add(Variable(L"Barcode 2"));
    g.ocrVariables.Add(Variable(L"Amount"));
    return g;
}

QX_JOBCFG_CAPTURE_GROUP_TYPE SJobRecordSamples::CaptureGroup()
{
    QX_JOBCFG_CAPTURE_GROUP_TYPE g;
    g.general = GeneralGroup();
    g.separation = SeparationGroup();
    g.autoIndex = AutoIndexGroup();
    return g;
}

void SJobRecordSamples::WriteJobScript(CZKScript& script,
                                       const QX_JOBCFG_CAPTURE_GROUP_TYPE& capture,
                                       const QX_JOBCFG_INDEX_GROUP_TYPE& index)
{
    script.SetKeyValue(L"VersionNumber", L"1.3.0.0", 0, L"Version");
    capture.toscript(script);
    index.toscript(script);
}

int SJobRecordSamples::ForEachKeyRemoved(
    const CZKScript& script,
    const std::function<void(CZKScript& damaged, const std::wstring& where)>& visit)
{
    CZKStringList sections;
    script.GetSectionNames(sections);
    int visited = 0;
    for (const std::wstring& section : sections)
    {
        if (section == L"Version")
            continue;
        CZKScriptItemList items;
        script.GetSectionItems(section.c_str(), items);
        for (int i = 0; i < items.GetCount(); ++i)
        {
            const std::wstring key = items.GetItem(i)->GetKey();
            if (key == L"SampleImages" || key == L"PluginName" || key == L"PluginDescription")
                continue;
            CZKScript damaged;
            damaged.CopyFrom(script);
            damaged.RemoveKey(key.c_str(), 0, section.c_str());
            visit(damaged, section + L" / " + key);
            ++visited;
        }
    }
    return visited;
}
