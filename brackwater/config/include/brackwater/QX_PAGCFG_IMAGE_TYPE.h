// The scanner side of a page setup: which scanner, colour mode, duplex,
// rotation, side order, flatbed delay and overcrop.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXNumberTypes.h>
#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_PLEN_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <cstdint>
#include <string>

struct BRACKWATER_EXPORT QX_PAGCFG_IMAGE_TYPE
{
    std::wstring strScannerName;
    int32_t nDataColorMode;
    BOOL bDisplaySettingsBeforeScan;
    BOOL bEnableFlatbedDelay;
    QX_DURATION_TYPE flatbedDelayTime;
    QX_ROTATEMODE_TYPE rotation;
    QX_DUPLEXMODE_TYPE duplexMode;
    QX_IMAGEORDER_TYPE imageOrder;
    BOOL bEnableOvercrop;
    QX_PLEN_TYPE overcropSize;

    QX_RECORD_OPERATIONS(QX_PAGCFG_IMAGE_TYPE);

protected:
    void init();
};
