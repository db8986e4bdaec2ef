#include <brackwater/QX_CAMERAINFO_EX.h>

#include <brackwater/QXRecordScript.h>

#include "QXText.h"

const wchar_t* const QX_CAMERAINFO_EX::NOT_FILLED = L"60DC6ABC-C27F-413e-99F6-C9B783D6509E";

QX_CAMERAINFO_EX::QX_CAMERAINFO_EX()
{
    init();
}

QX_CAMERAINFO_EX::QX_CAMERAINFO_EX(const QX_CAMERAINFO_EX& other)
{
    init();
    set(other);
}

QX_CAMERAINFO_EX& QX_CAMERAINFO_EX::operator=(const QX_CAMERAINFO_EX& other)
{
    set(other);
    return *this;
}

void QX_CAMERAINFO_EX::init()
{
    bSupportiThresholding = FALSE;
    nThreshold = 0;
    nContrast = 0;
}

void QX_CAMERAINFO_EX::reset()
{
    strCurrentThresholdingMode.clear();
    init();
}

void QX_CAMERAINFO_EX::set(const QX_CAMERAINFO_EX& other)
{
    bSupportiThresholding = other.bSupportiThresholding;
    strCurrentThresholdingMode = other.strCurrentThresholdingMode;
    nThreshold = other.nThreshold;
    nContrast = other.nContrast;
}

int QX_CAMERAINFO_EX::compare(const QX_CAMERAINFO_EX& other) const
{
    const bool same =
        bSupportiThresholding == other.bSupportiThresholding &&
        SQXText::EqualNoCase(strCurrentThresholdingMode, other.strCurrentThresholdingMode) &&
        nThreshold == other.nThreshold && nContrast == other.nContrast;
    return same ? 0 : -1;
}

bool QX_CAMERAINFO_EX::IsNotFilled() const
{
    return strCurrentThresholdingMode.empty() ||
           SQXText::EqualNoCase(strCurrentThresholdingMode, NOT_FILLED);
}

BOOL QX_CAMERAINFO_EX::toscript(CZKScript& script, const std::wstring& prefix) const
{
    return SQXRecordScript::WriteBool(script, (prefix + L"-SupportiThresholding").c_str(),
                                      bSupportiThresholding) &&
           SQXRecordScript::WriteText(script, (prefix + L"-CurrentThresholdingMode").c_str(),
                                      strCurrentThresholdingMode) &&
           SQXRecordScript::WriteInt(script, (prefix + L"-Threshold").c_str(), nThreshold) &&
           SQXRecordScript::WriteInt(script, (prefix + L"-Contrast").c_str(), nContrast);
}

BOOL QX_CAMERAINFO_EX::fromscript(CZKScript& script, const std::wstring& prefix)
{
    int threshold = 0;
    int contrast = 0;
    const bool ok =
        SQXRecordScript::ReadBool(script, (prefix + L"-SupportiThresholding").c_str(),
                                  bSupportiThresholding) &&
        SQXRecordScript::ReadText(script, (prefix + L"-CurrentThresholdingMode").c_str(),
                                  strCurrentThresholdingMode) &&
        SQXRecordScript::ReadInt(script, (prefix + L"-Threshold").c_str(), threshold) &&
        SQXRecordScript::ReadInt(script, (prefix + L"-Contrast").c_str(), contrast);
    if (!ok)
    {
        reset();
        return FALSE;
    }
    nThreshold = threshold;
    nContrast = contrast;
    return TRUE;
}
