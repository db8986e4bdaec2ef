#include <brackwater/QX_USRPRO_GENERAL_TYPE.h>

#include "QXImageViewPreferences.h"
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
    SQXImageViewPreferences::Init(*this);
    nMagnificationRatio = 100;
    nViewScrollStep = 10;
    nViewZoomStep = 10;
    nToolType = 0;
    bRegionApplyMessage = TRUE;
}

void QX_USRPRO_GENERAL_TYPE::reset()
{
    SQXImageViewPreferences::ResetFilters(*this);
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
    SQXImageViewPreferences::Set(*this, other);
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
    const bool same = strLanguage == o.strLanguage && ms == o.ms && iconSize == o.iconSize &&
                      iconLabel == o.iconLabel && SQXImageViewPreferences::Equal(*this, o) &&
                      nMagnificationRatio == o.nMagnificationRatio &&
                      nViewScrollStep == o.nViewScrollStep && nViewZoomStep == o.nViewZoomStep &&
                      nToolType == o.nToolType && bRegionApplyMessage == o.bRegionApplyMessage &&
                      strUserWorkspace == o.strUserWorkspace && strLastJob == o.strLastJob &&
                      strLastBatch == o.strLastBatch;
    return same ? 0 : -1;
}

BOOL QX_USRPRO_GENERAL_TYPE::check() const
{
    const bool valid = ms.check() && iconSize.check() && iconLabel.check() &&
                       SQXImageViewPreferences::Check(*this);
    return valid ? TRUE : FALSE;
}

void QX_USRPRO_GENERAL_TYPE::normalize()
{
    ms.normalize();
    iconSize.normalize();
    iconLabel.normalize();
    SQXImageViewPreferences::Normalize(*this);
}

BOOL QX_USRPRO_GENERAL_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_USRPRO_GENERAL_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
