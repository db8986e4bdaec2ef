// One user's preferences: language, units, icons, how images are shown and
// filtered, and where the user left off.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_USRPRO_FILTER_TYPE.h>
#include <brackwater/QX_USRPRO_REMOVEBLANKIMAGES_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <cstdint>
#include <string>

struct BRACKWATER_EXPORT QX_USRPRO_GENERAL_TYPE
{
    std::wstring strLanguage; // default: the language of the resource texts
    QX_MS_TYPE ms;            // default: the user's locale (metric or U.S.)
    QX_USRPRO_ICONSIZE_TYPE iconSize;
    QX_USRPRO_ICONLABEL_TYPE iconLabel;
    QX_USRPRO_FREEZEUNIT_TYPE selectUnit;
    QX_USRPRO_FREEZEUNIT_TYPE flagUnit;
    QX_USRPRO_ZOOMMODE_TYPE zoomMode;
    QX_USRPRO_IMAGEDISPLAY_TYPE imageDisplayType;
    QX_USRPRO_FILTER_TYPE ivFilter; // image view
    QX_USRPRO_FILTER_TYPE tvFilter; // thumbnail view
    QX_USRPRO_REMOVEBLANKIMAGES_TYPE removeBlankImages;
    int32_t nEnterKeyAction;
    int32_t nRowsInImageViewer;
    int32_t nColsInImageViewer;
    int32_t nMagnificationRatio;
    int32_t nViewScrollStep;
    int32_t nViewZoomStep;
    int32_t nToolType;
    BOOL bRegionApplyMessage;
    std::wstring strUserWorkspace;
    std::wstring strLastJob;
    std::wstring strLastBatch;

    QX_RECORD_OPERATIONS(QX_USRPRO_GENERAL_TYPE);

protected:
    void init();
};
