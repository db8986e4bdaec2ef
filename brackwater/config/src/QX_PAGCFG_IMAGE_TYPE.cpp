#include <brackwater/QX_PAGCFG_IMAGE_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Text(L"ScannerName", r.strScannerName);
    io.Int(L"DataColorMode", r.nDataColorMode);
    io.Bool(L"DisplaySettingsBeforeScan", r.bDisplaySettingsBeforeScan);
    io.Bool(L"EnableFlatbedDelay", r.bEnableFlatbedDelay);
    io.Value(L"FlatbedDelayTime", r.flatbedDelayTime);
    io.Value(L"Rotation", r.rotation);
    io.Value(L"DuplexMode", r.duplexMode);
    io.Value(L"ImageOrder", r.imageOrder);
    io.Bool(L"EnableOvercrop", r.bEnableOvercrop);
    io.Value(L"OvercropSize", r.overcropSize);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_PAGCFG_IMAGE_TYPE)

void QX_PAGCFG_IMAGE_TYPE::init()
{
    nDataColorMode = 0;
    bDisplaySettingsBeforeScan = FALSE;
    bEnableFlatbedDelay = FALSE;
    flatbedDelayTime.reset();
    rotation.reset();
    duplexMode.reset();
    imageOrder.reset();
    bEnableOvercrop = FALSE;
    overcropSize.reset();
}

void QX_PAGCFG_IMAGE_TYPE::reset()
{
    strScannerName.clear();
    init();
}

void QX_PAGCFG_IMAGE_TYPE::set(const QX_PAGCFG_IMAGE_TYPE& other)
{
    strScannerName = other.strScannerName;
    nDataColorMode = other.nDataColorMode;
    bDisplaySettingsBeforeScan = other.bDisplaySettingsBeforeScan;
    bEnableFlatbedDelay = other.bEnableFlatbedDelay;
    flatbedDelayTime.set(other.flatbedDelayTime);
    rotation.set(other.rotation);
    duplexMode.set(other.duplexMode);
    imageOrder.set(other.imageOrder);
    bEnableOvercrop = other.bEnableOvercrop;
    overcropSize.set(other.overcropSize);
}

int QX_PAGCFG_IMAGE_TYPE::compare(const QX_PAGCFG_IMAGE_TYPE& o) const
{
    const bool same = strScannerName == o.strScannerName && nDataColorMode == o.nDataColorMode &&
                      bDisplaySettingsBeforeScan == o.bDisplaySettingsBeforeScan &&
                      bEnableFlatbedDelay == o.bEnableFlatbedDelay &&
                      flatbedDelayTime == o.flatbedDelayTime && rotation == o.rotation &&
                      duplexMode == o.duplexMode && imageOrder == o.imageOrder &&
                      bEnableOvercrop == o.bEnableOvercrop && overcropSize == o.overcropSize;
    return same ? 0 : -1;
}

BOOL QX_PAGCFG_IMAGE_TYPE::check() const
{
    const bool valid =
        rotation.check() && duplexMode.check() && imageOrder.check() && overcropSize.check();
    return valid ? TRUE : FALSE;
}

void QX_PAGCFG_IMAGE_TYPE::normalize()
{
    rotation.normalize();
    duplexMode.normalize();
    imageOrder.normalize();
    overcropSize.normalize();
}

BOOL QX_PAGCFG_IMAGE_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_PAGCFG_IMAGE_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
