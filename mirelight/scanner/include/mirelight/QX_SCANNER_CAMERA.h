// One camera of a scanner as read from the driver.
#pragma once

#include <brackwater/QXNumberTypes.h>
#include <mirelight/QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW.h>
#include <mirelight/mirelight_export.h>

struct MIRELIGHT_EXPORT QX_SCANNER_CAMERA
{
    enum : int32_t
    {
        MODE_BITONAL = 1,
        MODE_GRAY = 2,
        MODE_COLOR = 4
    };
    static constexpr WORD DEFAULT_RESOLUTION = 200;

    BOOL bAvailable;
    BOOL bEnabled;
    int32_t nColorMode;
    int32_t nColorModeMask;
    QX_RES_TYPE XResolution;
    QX_RES_TYPE YResolution;
    QX_SCANNER_CAMERA_ADVCAP_TW advCaps;

    QX_SCANNER_CAMERA();
    QX_SCANNER_CAMERA(const QX_SCANNER_CAMERA& other);
    QX_SCANNER_CAMERA& operator=(const QX_SCANNER_CAMERA& other);

    void reset();
    void set(const QX_SCANNER_CAMERA& other);
    int compare(const QX_SCANNER_CAMERA& other) const;
    bool operator==(const QX_SCANNER_CAMERA& other) const { return compare(other) == 0; }
    BOOL check() const;
    void normalize();

    bool IsBitonal() const { return nColorMode == MODE_BITONAL; }
    bool IsGrayOrColor() const { return nColorMode == MODE_GRAY || nColorMode == MODE_COLOR; }

protected:
    void init();
};
