#include <brackwater/QX_CAMERAINFO_TYPE.h>

#include <brackwater/QXRecordScript.h>

QX_CAMERAINFO_TYPE::QX_CAMERAINFO_TYPE()
{
    init();
}

QX_CAMERAINFO_TYPE::QX_CAMERAINFO_TYPE(const QX_CAMERAINFO_TYPE& other)
{
    init();
    set(other);
}

QX_CAMERAINFO_TYPE& QX_CAMERAINFO_TYPE::operator=(const QX_CAMERAINFO_TYPE& other)
{
    set(other);
    return *this;
}

void QX_CAMERAINFO_TYPE::init()
{
    bAvailable = FALSE;
    bEnabled = FALSE;
    bGrayScale = FALSE;
    XResolution = 0;
    YResolution = 0;
}

void QX_CAMERAINFO_TYPE::reset()
{
    ex.reset();
    init();
}

void QX_CAMERAINFO_TYPE::set(const QX_CAMERAINFO_TYPE& other)
{
    bAvailable = other.bAvailable;
    bEnabled = other.bEnabled;
    bGrayScale = other.bGrayScale;
    XResolution = other.XResolution;
    YResolution = other.YResolution;
    ex.set(other.ex);
}

int QX_CAMERAINFO_TYPE::compare(const QX_CAMERAINFO_TYPE& other) const
{
    const bool same = bAvailable == other.bAvailable && bEnabled == other.bEnabled &&
                      bGrayScale == other.bGrayScale && XResolution == other.XResolution &&
                      YResolution == other.YResolution && ex.compare(other.ex) == 0;
    return same ? 0 : -1;
}

BOOL QX_CAMERAINFO_TYPE::check() const
{
    return XResolution <= MAX_RESOLUTION ? TRUE : FALSE;
}

void QX_CAMERAINFO_TYPE::normalize()
{
    if (!check())
        reset();
}

BOOL QX_CAMERAINFO_TYPE::toscript(CZKScript& script, const std::wstring& prefix) const
{
    return SQXRecordScript::WriteBool(script, (prefix + L"-Available").c_str(), bAvailable) &&
           SQXRecordScript::WriteBool(script, (prefix + L"-Enabled").c_str(), bEnabled) &&
           SQXRecordScript::WriteBool(script, (prefix + L"-GrayScale").c_str(), bGrayScale) &&
           SQXRecordScript::WriteInt(script, (prefix + L"-XRes").c_str(), XResolution) &&
           SQXRecordScript::WriteInt(script, (prefix + L"-YRes").c_str(), YResolution) &&
           ex.toscript(script, prefix);
}

namespace
{
// A stored resolution out of range reads as 0 rather than wrapping.
WORD ResolutionFromScript(int stored)
{
    return (stored < 0 || stored > QX_CAMERAINFO_TYPE::MAX_RESOLUTION) ? 0
                                                                       : static_cast<WORD>(stored);
}
} // namespace

BOOL QX_CAMERAINFO_TYPE::fromscript(CZKScript& script, const std::wstring& prefix)
{
    int xres = 0;
    int yres = 0;
    const bool ok =
        SQXRecordScript::ReadBool(script, (prefix + L"-Available").c_str(), bAvailable) &&
        SQXRecordScript::ReadBool(script, (prefix + L"-Enabled").c_str(), bEnabled) &&
        SQXRecordScript::ReadBool(script, (prefix + L"-GrayScale").c_str(), bGrayScale) &&
        SQXRecordScript::ReadInt(script, (prefix + L"-XRes").c_str(), xres) &&
        SQXRecordScript::ReadInt(script, (prefix + L"-YRes").c_str(), yres) &&
        ex.fromscript(script, prefix);
    if (!ok)
    {
        reset();
        return FALSE;
    }
    XResolution = ResolutionFromScript(xres);
    YResolution = ResolutionFromScript(yres);
    normalize();
    return TRUE;
}
