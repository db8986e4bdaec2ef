// A scanner's configuration: which scanner, the driver's own settings (an
// opaque data block or the name of a driver profile) and its cameras.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QX_CAMERAINFO_TYPE.h>
#include <brackwater/brackwater_export.h>
#include <hollin/ZKGBuffer.h>
#include <wincompat/WinTypes.h>

#include <string>

struct BRACKWATER_EXPORT QX_SCNCFG_CONFIGDATA_TYPE
{
    enum CONFIGMODE : BYTE
    {
        MODE_DATA = 0,
        MODE_PROFILE = 1
    };
    static constexpr int CAMERA_COUNT = 4;

    std::wstring strScannerName;
    QX_SCNCFG_CONFIGMODE_TYPE configMode;
    CZKGBuffer driverData;
    std::wstring strProfileID;
    std::wstring strProfileName;
    BOOL bCameraInfo;
    // Slots 0 and 2 are front-side cameras, 1 and 3 rear-side.
    QX_CAMERAINFO_TYPE cameras[CAMERA_COUNT];

    QX_SCNCFG_CONFIGDATA_TYPE();
    QX_SCNCFG_CONFIGDATA_TYPE(const QX_SCNCFG_CONFIGDATA_TYPE& other);
    QX_SCNCFG_CONFIGDATA_TYPE& operator=(const QX_SCNCFG_CONFIGDATA_TYPE& other);

    void reset();
    void configdata_reset() { reset(); }
    void set(const QX_SCNCFG_CONFIGDATA_TYPE& other);
    int compare(const QX_SCNCFG_CONFIGDATA_TYPE& other) const;
    bool operator==(const QX_SCNCFG_CONFIGDATA_TYPE& other) const { return compare(other) == 0; }
    bool operator!=(const QX_SCNCFG_CONFIGDATA_TYPE& other) const { return compare(other) != 0; }
    BOOL check() const;
    void normalize();
    BOOL isEmpty() const;

    // Driver data block (mode 0).
    BOOL customdata_set(const CZKBuffer& buffer);
    BOOL customdata_get(CZKBuffer& out) const;
    // Driver profile (mode 1); setting one clears the other.
    BOOL profile_set_id(const std::wstring& id);
    BOOL profile_set_name(const std::wstring& name);
    BOOL profile_get_id(std::wstring& out) const;
    BOOL profile_get_name(std::wstring& out) const;

    BOOL cameraEx_available() const;
    // 0 none, 1 front only, 2 rear only, 3 both; 0 without camera information.
    int GetCaptureSide() const;

    // The scanner configuration file.
    BOOL tofile(const std::wstring& path);
    BOOL fromfile(const std::wstring& path);

protected:
    void init();
};
