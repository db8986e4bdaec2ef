// One camera of a scanner as kept in a scanner configuration.
#pragma once

#include <brackwater/QX_CAMERAINFO_EX.h>
#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_CAMERAINFO_TYPE
{
    static constexpr WORD MAX_RESOLUTION = 2400;

    BOOL bAvailable;
    BOOL bEnabled;
    BOOL bGrayScale; // the colour camera delivers greyscale
    WORD XResolution;
    WORD YResolution;
    QX_CAMERAINFO_EX ex;

    QX_CAMERAINFO_TYPE();
    QX_CAMERAINFO_TYPE(const QX_CAMERAINFO_TYPE& other);
    QX_CAMERAINFO_TYPE& operator=(const QX_CAMERAINFO_TYPE& other);

    void reset();
    void set(const QX_CAMERAINFO_TYPE& other);
    int compare(const QX_CAMERAINFO_TYPE& other) const;
    bool operator==(const QX_CAMERAINFO_TYPE& other) const { return compare(other) == 0; }
    bool operator!=(const QX_CAMERAINFO_TYPE& other) const { return compare(other) != 0; }
    // Only the X resolution is limited.
    BOOL check() const;
    void normalize();

    // Keys: prefix + "-Available", "-Enabled", "-GrayScale", "-XRes", "-YRes",
    // then the extended part's keys.
    BOOL toscript(CZKScript& script, const std::wstring& prefix) const;
    BOOL fromscript(CZKScript& script, const std::wstring& prefix);

protected:
    void init();
};
