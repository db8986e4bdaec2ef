#include "QXScanConfigCommand.h"

#include <brackwater/QX_JOBCFG_SCANNER_GROUP_TYPE.h>
#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>
#include <hollin/ZKCommon.h>

#include <nlohmann/json.hpp>

#include <cstdio>

namespace
{
std::string Narrow(const std::wstring& text)
{
    return SZKCommon::WCStoMBS(text);
}

std::string Hex(const CZKBuffer& buffer)
{
    std::string text;
    char byte[4];
    for (size_t i = 0; i < buffer.GetSize(); ++i)
    {
        std::snprintf(byte, sizeof(byte), i ? " %02X" : "%02X", buffer.GetPtr()[i]);
        text += byte;
    }
    return text;
}

nlohmann::json ScannerConfiguration(const QX_SCNCFG_CONFIGDATA_TYPE& config)
{
    nlohmann::json cameras = nlohmann::json::array();
    for (const QX_CAMERAINFO_TYPE& camera : config.cameras)
        cameras.push_back({{"available", camera.bAvailable != 0},
                           {"enabled", camera.bEnabled != 0},
                           {"grayScale", camera.bGrayScale != 0},
                           {"xResolution", camera.XResolution},
                           {"yResolution", camera.YResolution}});
    return {{"kind", "scanner configuration"},
            {"scanner", Narrow(config.strScannerName)},
            {"mode", config.configMode.value == QX_SCNCFG_CONFIGDATA_TYPE::MODE_PROFILE ? "profile" : "data"},
            {"driverData", Hex(config.driverData)},
            {"profileId", Narrow(config.strProfileID)},
            {"profileName", Narrow(config.strProfileName)},
            {"cameraInfo", config.bCameraInfo != 0},
            {"cameras", cameras}};
}

nlohmann::json ScannerGroup(const QX_JOBCFG_SCANNER_GROUP_TYPE& group)
{
    nlohmann::json settings = nlohmann::json::array();
    for (int32_t setting : group.nSettings)
        settings.push_back(setting);
    return {{"kind", "job scanner group"},
            {"scanner", Narrow(group.strScannerName)},
            {"advancedScanner", Narrow(group.advancedConfig.strScannerName)},
            {"globalData", Hex(group.advancedConfig.globalData)},
            {"settingsBlock", Hex(group.advancedConfig.settingsBlock)},
            {"settings", settings},
            {"extra", Narrow(group.strExtra)}};
}
} // namespace

EQXScanExitCode CQXScanConfigCommand::Show(const std::string& path, std::FILE* out)
{
    const std::wstring file = SZKCommon::MBStoWCS(path);
    QX_SCNCFG_CONFIGDATA_TYPE config;
    QX_JOBCFG_SCANNER_GROUP_TYPE group;
    nlohmann::json shown;
    if (config.fromfile(file))
        shown = ScannerConfiguration(config);
    else if (group.fromfile(file))
        shown = ScannerGroup(group);
    else
    {
        std::fprintf(stderr, "qxscan: %s is neither a scanner configuration nor a job scanner group file\n",
                     path.c_str());
        return QXSCAN_EXIT_INVALID;
    }
    std::fprintf(out, "%s\n", shown.dump(2).c_str());
    return QXSCAN_EXIT_OK;
}
