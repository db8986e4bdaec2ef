// One user's window layout: the main window, the image views and their
// panes, the thumbnail and index panes.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_USRPRO_FILTER_TYPE.h>
#include <brackwater/QX_USRPRO_REMOVEBLANKIMAGES_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <hollin/ZKVWXform.h>

#include <cstdint>
#include <vector>

struct BRACKWATER_EXPORT QX_USRPRO_WORKSPACE_TYPE
{
    // More panes than any image view arranges: a stored count above this is
    // refused.
    static constexpr int32_t MAX_PANES = 64;

    int32_t nScreenWidth;
    int32_t nScreenHeight;
    int32_t nWindowLeft;
    int32_t nWindowTop;
    int32_t nWindowWidth;
    int32_t nWindowHeight;
    BOOL bIsMaximized;
    QX_USRPRO_IMAGEDISPLAY_TYPE imageDisplayType;
    QX_USRPRO_FREEZEUNIT_TYPE selectUnit;
    QX_USRPRO_FREEZEUNIT_TYPE flagUnit;
    QX_USRPRO_ZOOMMODE_TYPE zoomMode;
    QX_USRPRO_FILTER_TYPE ivFilter;
    QX_USRPRO_FILTER_TYPE tvFilter;
    QX_USRPRO_REMOVEBLANKIMAGES_TYPE removeBlankImages;
    int32_t nEnterKeyAction;
    int32_t nRowsInImageViewer;
    int32_t nColsInImageViewer;
    int32_t nPaneWidthInThumbnail;
    int32_t nPaneHeightInThumbnail;
    int32_t nIndexDescPaneHeight;
    std::vector<CZKVWXform> panes; // one view transformation per image pane

    QX_RECORD_OPERATIONS(QX_USRPRO_WORKSPACE_TYPE);

protected:
    void init();
};
