#include <mirelight/QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW.h>

QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW::QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW() { init(); }

QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW::QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW(
    const QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW& other)
{
    init();
    set(other);
}

QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW& QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW::operator=(
    const QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW& other)
{
    set(other);
    return *this;
}

void QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW::init()
{
    bHalftone = FALSE;
    strHalftone.clear();
    halftones.RemoveAll();
    nThreshold = 90;
    bThresholdReadOnly = TRUE;
    nContrast = 0;
    bContrastReadOnly = TRUE;
}

void QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW::reset() { init(); }

void QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW::set(const QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW& other)
{
    if (this == &other)
        return;
    bHalftone = other.bHalftone;
    strHalftone = other.strHalftone;
    halftones.CopyFrom(other.halftones);
    nThreshold = other.nThreshold;
    bThresholdReadOnly = other.bThresholdReadOnly;
    nContrast = other.nContrast;
    bContrastReadOnly = other.bContrastReadOnly;
}

int QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW::compare(const QX_SCANNER_CAMERA_ADVCAP_HALFTONES_TW& other) const
{
    if (bHalftone != other.bHalftone || strHalftone != other.strHalftone ||
        nThreshold != other.nThreshold || bThresholdReadOnly != other.bThresholdReadOnly ||
        nContrast != other.nContrast || bContrastReadOnly != other.bContrastReadOnly)
        return -1;
    for (const std::wstring& name : halftones)
    {
        if (other.halftones.Find(name, 1) < 0)
            return -1;
    }
    return 0;
}
