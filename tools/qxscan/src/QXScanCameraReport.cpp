#include "QXScanCameraReport.h"

#include <mirelight/QXScanner.h>
#include <mirelight/QX_SCANNER_CAMERAINFO.h>

#include <hollin/ZKCommon.h>

namespace
{
// Slot order of the camera record.
const char* const kCameraNames[QX_SCANNER_CAMERAINFO::CAMERA_COUNT] = {
    "front colour", "front bitonal", "rear colour", "rear bitonal"};

const char* ModeName(int mode)
{
    switch (mode)
    {
    case QX_SCANNER_CAMERA::MODE_BITONAL:
        return "bw";
    case QX_SCANNER_CAMERA::MODE_GRAY:
        return "gray";
    case QX_SCANNER_CAMERA::MODE_COLOR:
        return "color";
    default:
        return "unknown";
    }
}

nlohmann::ordered_json Modes(int mask)
{
    nlohmann::ordered_json modes = nlohmann::ordered_json::array();
    for (int mode : {QX_SCANNER_CAMERA::MODE_BITONAL, QX_SCANNER_CAMERA::MODE_GRAY,
                     QX_SCANNER_CAMERA::MODE_COLOR})
        if (mask & mode)
            modes.push_back(ModeName(mode));
    return modes;
}

nlohmann::ordered_json Bitonal(const QX_SCANNER_CAMERA_ADVCAP_TW& caps)
{
    nlohmann::ordered_json halftones = nlohmann::ordered_json::array();
    for (int i = 0; i < caps.halftones.GetCount(); ++i)
        halftones.push_back(SZKCommon::WCStoMBS(caps.halftones.GetAt(i)));
    return {{"halftone", SZKCommon::WCStoMBS(caps.strHalftone)},
            {"halftones", halftones},
            {"threshold", caps.nThreshold},
            {"thresholdReadOnly", caps.bThresholdReadOnly != 0},
            {"contrast", caps.nContrast},
            {"contrastReadOnly", caps.bContrastReadOnly != 0}};
}

nlohmann::ordered_json Camera(const QX_SCANNER_CAMERA& camera, const char* name)
{
    nlohmann::ordered_json shown = {{"camera", name},
                                    {"available", camera.bAvailable != 0},
                                    {"enabled", camera.bEnabled != 0},
                                    {"mode", ModeName(camera.nColorMode)},
                                    {"modes", Modes(camera.nColorModeMask)},
                                    {"xResolution", camera.XResolution.value},
                                    {"yResolution", camera.YResolution.value}};
    if (camera.IsBitonal())
        shown["bitonal"] = Bitonal(camera.advCaps);
    return shown;
}
} // namespace

nlohmann::ordered_json CQXScanCameraReport::Read(CQXScanner& scanner)
{
    QX_SCANNER_CAMERAINFO info;
    if (!scanner.GetTagValue(9, static_cast<void*>(&info)))
        return nlohmann::ordered_json();
    nlohmann::ordered_json cameras = nlohmann::ordered_json::array();
    for (int i = 0; i < QX_SCANNER_CAMERAINFO::CAMERA_COUNT; ++i)
        cameras.push_back(Camera(info.cameras[i], kCameraNames[i]));
    return {{"autoColorDetect", info.bAutoColorDetect != 0},
            {"duplex", info.bDuplex != 0},
            {"multiStream", info.bMultiStream != 0},
            {"resolutions", info.resolutions},
            {"cameras", cameras}};
}
