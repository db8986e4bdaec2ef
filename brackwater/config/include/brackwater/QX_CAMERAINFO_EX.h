// The extended part of one camera: intelligent thresholding and its levels.
#pragma once

#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_CAMERAINFO_EX
{
    // Thresholding mode of an extended part that was never filled (a file
    // written before the extended parts existed).
    static const wchar_t* const NOT_FILLED;

    BOOL bSupportiThresholding;
    std::wstring strCurrentThresholdingMode;
    int32_t nThreshold;
    int32_t nContrast;

    QX_CAMERAINFO_EX();
    QX_CAMERAINFO_EX(const QX_CAMERAINFO_EX& other);
    QX_CAMERAINFO_EX& operator=(const QX_CAMERAINFO_EX& other);

    void reset();
    void set(const QX_CAMERAINFO_EX& other);
    // The thresholding mode compares case-insensitively.
    int compare(const QX_CAMERAINFO_EX& other) const;
    bool operator==(const QX_CAMERAINFO_EX& other) const { return compare(other) == 0; }
    bool operator!=(const QX_CAMERAINFO_EX& other) const { return compare(other) != 0; }
    BOOL check() const { return TRUE; }
    void normalize() {}

    // True when the mode is empty or the never-filled marker.
    bool IsNotFilled() const;

    // Keys: prefix + "-SupportiThresholding", "-CurrentThresholdingMode",
    // "-Threshold", "-Contrast".
    BOOL toscript(CZKScript& script, const std::wstring& prefix) const;
    BOOL fromscript(CZKScript& script, const std::wstring& prefix);

protected:
    void init();
};
