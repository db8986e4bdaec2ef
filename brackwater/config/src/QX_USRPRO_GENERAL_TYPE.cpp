#include <brackwater/QX_USRPRO_GENERAL_TYPE.h>

#include "QXMeasurementSystem.h"
#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

#include <orrin/ZKRCM.h>

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Text(L"Language", r.strLanguage);
    io.Value(L"MS", r.ms);
    io.Value(L"IconSize", r.iconSize);
    io.Value(L"IconLabel", r.iconLabel);
    io.Value(L"SelectUnit", r.selectUnit);
    io.Value(L"FlagUnit", r.flagUnit);
    io.Value(L"ZoomMode", r.zoomMode);
    io.Value(L"ImageDisplayType", r.imageDisplayType);
    io.Section(L"IVFilterType", r.ivFilter);
    io.Section(L"TVFilterType", r.tvFilter);
    io.Section(L"RemoveBlankImages", r.removeBlankImages);
    io.Int(L"EnterKeyAction", r.nEnterKeyAction);
    io.Int(L"RowsInImageViewerC", r.nRowsInImageViewer);
    io.Int(L"ColsInImageViewerC", r.nColsInImageViewer);
    io.Int(L"MagnificationRatio", r.nMagnificationRatio);
    io.Int(L"ViewScrollStep", r.nViewScrollStep);
    io.Int(L"ViewZoomStep", r.nViewZoomStep);
    io.Int(L"ToolType", r.nToolType);
    io.Bool(L"RegionApplyMessage", r.bRegionApplyMessage);
    io.Text(L"UserWorkspace", r.strUserWorkspace);
    io.Text(L"LastJob", r.strLastJob);
    io.Text(L"LastBatch", r.strLastBatch);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_USRPRO_GENERAL_TYPE)

void QX_USRPRO_GENERAL_TYPE::init()
{
    strLanguage = SZKRCM::GetCurrentLanguage();
    ms.value = SQXMeasurementSystem::GetUserDefault();
    iconSize.reset();
    iconLabel.reset();
    selectUnit.reset();
    flagUnit.reset();
    zoomMode.reset();
    imageDisplayType.reset();
    nEnterKeyAction = 0;
    nRowsInImageViewer = 2;
    nColsInImageViewer = 4;
    nMagnificationRatio = 100;
    nViewScrollStep = 10;
    nViewZoomStep = 10;
    nToolType = 0;
    bRegionApplyMessage = TRUE;
}

void QX_USRPRO_GENERAL_TYPE::reset()
{
    ivFilter.reset();
    tvFilter.reset();
    removeBlankImages.reset();
    strUserWorkspace.clear();
    strLastJob.clear();
    strLastBatch.clear();
    init();
}

void QX_USRPRO_GENERAL_TYPE::set(const QX_USRPRO_GENERAL_TYPE& other)
{
    strLanguage = other.strLanguage;
    ms.set(other.ms);
    iconSize.set(other.iconSize);
    iconLabel.set(other.iconLabel);
    selectUnit.set(other.selectUnit);
    flagUnit.set(other.flagUnit);
    zoomMode.set(other.zoomMode);
    imageDisplayType.set(other.imageDisplayType);
    ivFilter.set(other.ivFilter);
    tvFilter.set(other.tvFilter);
    removeBlankImages.set(other.removeBlankImages);
    nEnterKeyAction = other.nEnterKeyAction;
    nRowsInImageViewer = other.nRowsInImageViewer;
    nColsInImageViewer = other.nColsInImageViewer;
    nMagnificationRatio = other.nMagnificationRatio;
    nViewScrollStep = other.nViewScrollStep;
    nViewZoomStep = other.nViewZoomStep;
    nToolType = other.nToolType;
    bRegionApplyMessage = other.bRegionApplyMessage;
    strUserWorkspace = other.strUserWorkspace;
    strLastJob = other.strLastJob;
    strLastBatch = other.strLastBatch;
}

int QX_USRPRO_GENERAL_TYPE::compare(const QX_USRPRO_GENERAL_TYPE& o) const
{
    const bool same =
        strLanguage == o.strLanguage && ms == o.ms && iconSize == o.iconSize &&
        iconLabel == o.iconLabel && selectUnit == o.selectUnit && flagUnit == o.flagUnit &&
        zoomMode == o.zoomMode && imageDisplayType == o.imageDisplayType &&
        ivFilter == o.ivFilter && tvFilter == o.tvFilter &&
        removeBlankImages == o.removeBlankImages && nEnterKeyAction == o.nEnterKeyAction &&
        nRowsInImageViewer == o.nRowsInImageViewer && nColsInImageViewer == o.nColsInImageViewer &&
        nMagnificationRatio == o.nMagnificationRatio && nViewScrollStep == o.nViewScrollStep &&
        nViewZoomStep == o.nViewZoomStep && nToolType == o.nToolType &&
        bRegionApplyMessage == o.bRegionApplyMessage && strUserWorkspace == o.strUserWorkspace &&
        strLastJob == o.strLastJob && strLastBatch == o.strLastBatch;
    return same ? 0 : -1;
}

BOOL QX_USRPRO_GENERAL_TYPE::check() const
{
    const bool valid = ms.check() && iconSize.check() && iconLabel.check() && selectUnit.check() &&
                       flagUnit.check() && zoomMode.check() && imageDisplayType.check() &&
                       ivFilter.check() && tvFilter.check() && removeBlankImages.check();
    return valid ? TRUE : FALSE;
}

void QX_USRPRO_GENERAL_TYPE::normalize()
{
    ms.normalize();
    iconSize.normalize();
    iconLabel.normalize();
    selectUnit.normalize();
    flagUnit.normalize();
    zoomMode.normalize();
    imageDisplayType.normalize();
    ivFilter.normalize();
    tvFilter.normalize();
    removeBlankImages.normalize();
}

BOOL QX_USRPRO_GENERAL_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_USRPRO_GENERAL_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
