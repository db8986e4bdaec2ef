// The advanced TWAIN settings of a bitonal camera: halftone, threshold and
// contrast. Exported under two names that share one layout.
#pragma once

#include <hollin/ZKStringList.h>
#include <mirelight/mirelight_export.h>
#include <wincompat/WinTypes.h>

#include <string>

struct MIRELIGHT_EXPORT QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW
{
    BOOL bHalftone;
    std::wstring strHalftone;
    CZKStringList halftones; // names the driver offers
    int32_t nThreshold;
    BOOL bThresholdReadOnly;
    int32_t nContrast;
    BOOL bContrastReadOnly;

    QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW();
    QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW(const QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW& other);
    QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW& operator=(const QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW& other);

    void reset();
    void set(const QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW& other);
    // Asymmetric on purpose: every name of this list must appear (ignoring
    // case) in the other one, which may offer more. A driver that gained
    // halftones still matches a stored configuration.
    int compare(const QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW& other) const;
    bool operator==(const QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW& other) const
    {
        return compare(other) == 0;
    }
    BOOL check() const { return TRUE; }
    void normalize() {}

protected:
    void init();
};

typedef QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW QX_SCANNER_CAMERA_ADVCAP_TW;
