#include "RecordSamples.h"

#include <hollin/ZKCommon.h>
#include <hollin/ZKPath.h>

#include <filesystem>

typedef QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE IndexInfo;

std::wstring TestPluginPath()
{
    std::wstring folder;
    SZKCommon::GetModuleFolderPath(folder);
    return SZKPath::MergePath_PNF(folder, L"libhollin_testplugin.so", L"");
}

bool HaveTestPlugin()
{
    return std::filesystem::exists(SZKPath::ToNative(TestPluginPath()));
}

void FillFileInfo(QX_JOBCFG_OUTPUT_FILEINFO_TYPE& info, int seed)
{
    info.strPathFormula = L"<EXPORT_PATH>\"/\"" + std::to_wstring(seed);
    info.strNameFormula = L"<BATCH_NAME> name " + std::to_wstring(seed);
    info.bEditBeforeSave = TRUE;
    info.bNameFileBeforeSave = TRUE;
    info.documentIdLen = {};
    info.documentIdLen.bEnable = TRUE;
    info.documentIdLen.nNumberLength = 4 + seed % 5;
    info.pageIdLen.nNumberLength = 3;
    info.imageIdLen.bEnable = TRUE;
    info.imageAddressLen[1].bEnable = TRUE;
    info.imageAddressLen[2].nNumberLength = 12;
    info.sideLabels.strFrontColor = L"FC";
    info.sideLabels.strRearBitonal = L" trailing ";
    info.duplicateHandle.value = 1;
    info.nImageResetFeature = 2;
    info.nImageBatchStartNumber = 100 + seed;
    info.nImageDocStartNumber = 7;
    info.nPageResetFeature = 0;
    info.nPageBatchStartNumber = -3;
    info.nPageDocStartNumber = 9;
}

void FillIndexInfo(IndexInfo& info, int seed)
{
    FillFileInfo(info, seed);
    info.nDelimiterType = 3;
    info.strDelimiter = L" |\t";
    info.strEndorseItem = L"Endorse";
    info.bIncludeHeader = TRUE;
    info.indexItems.AddTail(L"Field A");
    info.indexItems.AddTail(L" padded ");
}

QX_JOBCFG_OUTPUT_GROUP_TYPE SampleOutputGroup(bool withPlugin)
{
    QX_JOBCFG_OUTPUT_GROUP_TYPE g;
    for (int f = 0; f < 2; ++f)
    {
        auto* file = new QX_JOBCFG_OUTPUT_FILE_TYPE;
        file->imageFile.bEnable = TRUE;
        file->imageFile.nFlags = 9;
        for (auto& info : file->imageFile.fileInfo)
            FillFileInfo(info, f);
        file->indexFile.bEnable = f;
        file->indexFile.nFlag = 15;
        for (auto& info : file->indexFile.levelInfo)
            FillIndexInfo(info, f + 10);
        g.files.Add(file);
    }
    auto* system = new QX_JOBCFG_OUTPUT_SYSTEM_TYPE;
    system->bEnable = TRUE;
    if (withPlugin)
        system->plugin.Connect(TestPluginPath());
    system->strRootPath = L"/out/root";
    system->nImageFileFlags = 5;
    system->nGroupMode[2] = 4;
    system->nFileType[1] = 6;
    system->indexOutput.bEnable = TRUE;
    FillIndexInfo(system->indexOutput.levelInfo[IndexInfo::LEVEL_PAGE], 20);
    g.systems.Add(system);
    g.email.email.bEnable = TRUE;
    g.email.email.strAppName = L"Capture";
    g.email.email.strTitle = L"Batch\r\nready";
    g.email.email.nMaxAttachmentSize = 25;
    g.email.email.strTo = L"a@example.org";
    g.email.email.strBodyItems = L"One\r\nTwo\r\n";
    g.email.email.bSaveImage = TRUE;
    FillFileInfo(g.email.imageInfo[3], 30);
    g.print.bEnable = TRUE;
    g.print.strPrinterName = L"Printer";
    g.print.nNumberOfCopies = 3;
    g.processing.bEnable = TRUE;
    g.autoDeletion.bEnable = TRUE;
    g.autoDeletion.deletion.mode[1].value = 2;
    g.autoDeletion.deletion.nBitonalContentRef[1] = 40;
    g.autoOrientation[1].bEnable = TRUE;
    g.bgColorSmoothing[0].nAggressiveness = 7;
    g.imageEdgeFill[1].dMarginTop = 0.125;
    g.imageEdgeFill[1].lms.value = 24;
    g.imageStamp.bImageStampDiff = TRUE;
    g.imageStamp.rear.strIndexField = L"Account";
    g.imageStamp.rear.dMargin = 2.5;
    FillFileInfo(g.imageStamp.front.fileInfo, 40);
    g.rotation[0].rotation.value = 3;
    g.stitch.bJpegCompatible = TRUE;
    g.split.bEnable = TRUE;
    g.split.split.frontMode.value = 1;
    g.split.split.byFrontPieces = 2;
    g.split.split.order_add(2);
    g.split.split.order_add(1);
    g.invoke.bEnable = TRUE;
    g.invoke.strProgramName = L"/usr/bin/post";
    g.invoke.bEnableXMLParams = TRUE;
    FillFileInfo(g.invoke.paramFile, 50);
    g.openByDefault.bEnable = TRUE;
    return g;
}

QX_USRPRO_WORKSPACE_TYPE SampleWorkspace()
{
    QX_USRPRO_WORKSPACE_TYPE w;
    w.nScreenWidth = 1920;
    w.nScreenHeight = 1080;
    w.nWindowLeft = -8;
    w.nWindowTop = 20;
    w.nWindowWidth = 800;
    w.nWindowHeight = 600;
    w.bIsMaximized = FALSE;
    w.imageDisplayType.value = 1;
    w.selectUnit.value = 2;
    w.flagUnit.value = 1;
    w.zoomMode.value = 0;
    w.ivFilter.bFilterBack = FALSE;
    w.tvFilter.bFilterColor = FALSE;
    w.removeBlankImages.nRows = 9;
    w.nEnterKeyAction = 2;
    w.nRowsInImageViewer = 3;
    w.nColsInImageViewer = 5;
    w.nPaneWidthInThumbnail = 150;
    w.nPaneHeightInThumbnail = 90;
    w.nIndexDescPaneHeight = 40;
    CZKVWXform pane;
    pane.dZoom = 1.5;
    pane.nRotation = 90;
    pane.nOffsetY = 35;
    w.panes.push_back(pane);
    w.panes.push_back(CZKVWXform());
    return w;
}

QX_USRPRO_GENERAL_TYPE SampleProfile()
{
    QX_USRPRO_GENERAL_TYPE profile;
    profile.strLanguage = L"de";
    profile.ms.value = 0;
    profile.iconSize.value = 40;
    profile.iconLabel.value = 2;
    profile.imageDisplayType.value = 1;
    profile.tvFilter.bFilterFront = FALSE;
    profile.removeBlankImages.bOnlyBack = FALSE;
    profile.nRowsInImageViewer = 6;
    profile.nViewZoomStep = 25;
    profile.bRegionApplyMessage = FALSE;
    profile.strLastBatch = L"B-0001";
    return profile;
}

QX_USRCFG_USER_TYPE SampleUser()
{
    QX_USRCFG_USER_TYPE user;
    user.strDescription = L"Night shift";
    user.strPassword = L" p=w\td ";
    user.strFullName = L"Anna Berg";
    user.bIsAutoLogin = TRUE;
    user.bSysAdmin = TRUE;
    return user;
}

QX_USRCFG_GROUP_TYPE SampleUserGroup()
{
    QX_USRCFG_GROUP_TYPE group;
    group.strDescription = L"Scanning";
    group.bSysAdminGroup = TRUE;
    group.userList.names.AddTail(L"anna");
    group.userList.names.AddTail(L"bo");
    return group;
}

QX_SPLITCFG_TYPE SampleSplitLayout()
{
    QX_SPLITCFG_TYPE split;
    split.frontMode.value = 1;
    split.byFrontPieces = 2;
    split.rearMode.value = 2;
    split.byRearPieces = 2;
    split.order_add(QX_SPLITCFG_TYPE::order_get_pieceid(QX_SPLITCFG_TYPE::SIDE_REAR, 1));
    split.order_add(QX_SPLITCFG_TYPE::order_get_pieceid(QX_SPLITCFG_TYPE::SIDE_FRONT, 2));
    split.order_add(QX_SPLITCFG_TYPE::order_get_pieceid(QX_SPLITCFG_TYPE::SIDE_FRONT, 1));
    return split;
}

QX_PAGCFG_IMAGE_TYPE SamplePageImage()
{
    QX_PAGCFG_IMAGE_TYPE image;
    image.strScannerName = L"twain:Scanner 9000";
    image.nDataColorMode = 5;
    image.bEnableFlatbedDelay = TRUE;
    image.flatbedDelayTime.value = 4000000000u;
    image.rotation.value = 2;
    image.duplexMode.value = 1;
    image.imageOrder.value = 20;
    image.bEnableOvercrop = TRUE;
    image.overcropSize.value = 0.3;
    return image;
}
