// All cameras of one scanner and what the scanner can do with them.
#pragma once

#include <mirelight/QXScannerTypes.h>
#include <mirelight/QX_SCANNER_CAMERA.h>
#include <mirelight/mirelight_export.h>

#include <vector>

struct MIRELIGHT_EXPORT QX_SCANNER_CAMERAINFO
{
    static constexpr int CAMERA_COUNT = 4;
    // Camera slots: 0 top colour, 1 top bitonal, 2 bottom colour, 3 bottom bitonal.
    // TWAIN file-system directory of each camera; 4 and 5 address both sides.
    static constexpr int FILESYSTEM_NAME_COUNT = 6;
    static const wchar_t* const FILESYSTEM_NAMES[FILESYSTEM_NAME_COUNT];

    BOOL bAutoColorDetect;
    BOOL bDuplex;
    BOOL bMultiStream;
    BOOL bVendorFlag;
    int32_t nVendorValue;
    // X resolutions the driver offers; informative only, so neither copied
    // nor compared and left alone by reset.
    std::vector<int32_t> resolutions;
    QX_SCANNER_CAMERA cameras[CAMERA_COUNT];

    QX_SCANNER_CAMERAINFO();
    QX_SCANNER_CAMERAINFO(const QX_SCANNER_CAMERAINFO& other);
    QX_SCANNER_CAMERAINFO& operator=(const QX_SCANNER_CAMERAINFO& other);

    void reset();
    void set(const QX_SCANNER_CAMERAINFO& other);
    int compare(const QX_SCANNER_CAMERAINFO& other) const;
    bool operator==(const QX_SCANNER_CAMERAINFO& other) const { return compare(other) == 0; }
    BOOL check() const;
    void normalize();

    // 0 while automatic colour detection is on (no fixed mode).
    unsigned int GetColorModeMask() const;
    EQXCaptureSide GetCaptureSide() const;
    // The camera of the given side that delivers the given kind of image:
    // either slot of the side may hold it. nullptr when none does.
    QX_SCANNER_CAMERA* GetCamera(EQXScannerCameraID id);
    const QX_SCANNER_CAMERA* GetCamera(EQXScannerCameraID id) const;

protected:
    void init();
};
