#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>

#include "QXText.h"

QX_SCNCFG_CONFIGDATA_TYPE::QX_SCNCFG_CONFIGDATA_TYPE()
{
    init();
}

QX_SCNCFG_CONFIGDATA_TYPE::QX_SCNCFG_CONFIGDATA_TYPE(const QX_SCNCFG_CONFIGDATA_TYPE& other)
{
    init();
    set(other);
}

QX_SCNCFG_CONFIGDATA_TYPE&
QX_SCNCFG_CONFIGDATA_TYPE::operator=(const QX_SCNCFG_CONFIGDATA_TYPE& other)
{
    set(other);
    return *this;
}

// The other members start out in their own constructed state.
void QX_SCNCFG_CONFIGDATA_TYPE::init()
{
    bCameraInfo = FALSE;
}

void QX_SCNCFG_CONFIGDATA_TYPE::reset()
{
    strScannerName.clear();
    configMode.value = MODE_DATA;
    driverData.Empty();
    strProfileID.clear();
    strProfileName.clear();
    for (QX_CAMERAINFO_TYPE& camera : cameras)
        camera.reset();
    init();
}

void QX_SCNCFG_CONFIGDATA_TYPE::set(const QX_SCNCFG_CONFIGDATA_TYPE& other)
{
    if (this == &other)
        return;
    strScannerName = other.strScannerName;
    configMode.set(other.configMode);
    driverData.CopyFrom(other.driverData);
    strProfileID = other.strProfileID;
    strProfileName = other.strProfileName;
    bCameraInfo = other.bCameraInfo;
    for (int i = 0; i < CAMERA_COUNT; ++i)
        cameras[i].set(other.cameras[i]);
}

int QX_SCNCFG_CONFIGDATA_TYPE::compare(const QX_SCNCFG_CONFIGDATA_TYPE& other) const
{
    if (!SQXText::EqualNoCase(strScannerName, other.strScannerName) ||
        configMode != other.configMode || driverData.Compare(other.driverData) != 0 ||
        strProfileID != other.strProfileID || strProfileName != other.strProfileName ||
        bCameraInfo != other.bCameraInfo)
        return -1;
    for (int i = 0; i < CAMERA_COUNT; ++i)
    {
        if (cameras[i].compare(other.cameras[i]) != 0)
            return -1;
    }
    return 0;
}

BOOL QX_SCNCFG_CONFIGDATA_TYPE::check() const
{
    if (strScannerName.empty())
        return FALSE;
    switch (configMode.value)
    {
    case MODE_DATA:
        return driverData.IsEmpty() ? FALSE : TRUE;
    case MODE_PROFILE:
        return (!strProfileID.empty() || !strProfileName.empty()) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

void QX_SCNCFG_CONFIGDATA_TYPE::normalize()
{
    if (!check())
        reset();
}

BOOL QX_SCNCFG_CONFIGDATA_TYPE::isEmpty() const
{
    switch (configMode.value)
    {
    case MODE_PROFILE:
        return (strProfileID.empty() && strProfileName.empty()) ? TRUE : FALSE;
    case MODE_DATA:
        return driverData.IsEmpty();
    default:
        return TRUE;
    }
}

BOOL QX_SCNCFG_CONFIGDATA_TYPE::customdata_set(const CZKBuffer& buffer)
{
    reset();
    configMode.value = MODE_DATA;
    return driverData.CopyFrom(buffer);
}

BOOL QX_SCNCFG_CONFIGDATA_TYPE::customdata_get(CZKBuffer& out) const
{
    out.Empty();
    if (configMode.value != MODE_DATA)
        return FALSE;
    return out.CopyFrom(driverData);
}

BOOL QX_SCNCFG_CONFIGDATA_TYPE::profile_set_id(const std::wstring& id)
{
    reset();
    strProfileID = id;
    configMode.value = MODE_PROFILE;
    return TRUE;
}

BOOL QX_SCNCFG_CONFIGDATA_TYPE::profile_set_name(const std::wstring& name)
{
    reset();
    strProfileName = name;
    configMode.value = MODE_PROFILE;
    return TRUE;
}

BOOL QX_SCNCFG_CONFIGDATA_TYPE::profile_get_id(std::wstring& out) const
{
    out.clear();
    if (configMode.value != MODE_PROFILE)
        return FALSE;
    out = strProfileID;
    return TRUE;
}

BOOL QX_SCNCFG_CONFIGDATA_TYPE::profile_get_name(std::wstring& out) const
{
    out.clear();
    if (configMode.value != MODE_PROFILE)
        return FALSE;
    out = strProfileName;
    return TRUE;
}

BOOL QX_SCNCFG_CONFIGDATA_TYPE::cameraEx_available() const
{
    return cameras[0].ex.IsNotFilled() ? FALSE : TRUE;
}

int QX_SCNCFG_CONFIGDATA_TYPE::GetCaptureSide() const
{
    if (!bCameraInfo)
        return 0;
    const bool front = cameras[0].bEnabled || cameras[2].bEnabled;
    const bool rear = cameras[1].bEnabled || cameras[3].bEnabled;
    return (front ? 1 : 0) | (rear ? 2 : 0);
}
