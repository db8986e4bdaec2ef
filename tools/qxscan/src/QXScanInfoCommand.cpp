#include "QXScanInfoCommand.h"

#include "QXScanCameraReport.h"
#include "QXScanFeatureReport.h"
#include "QXScanInfoText.h"
#include "QXScanReportValue.h"
#include "QXScanScannerAccess.h"

#include <mirelight/QX_SCANNER_DEVICE_INFO.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKStringList.h>

#include <nlohmann/json.hpp>

#include <iterator>

namespace
{
const char* const kCapabilityNames[] = {"customData", "duplex",     "imprinter", "vendor8015",
                                        "dsCommand",  "multiStream", "profiles"};

const char* const kFamilyNames[] = {"generic", "kame", "drumlin2", "fell",  "talus",
                                    "tarn",    "cirque", "moraine", "esker", "corrie"};

nlohmann::ordered_json FamilyName(EQXScannerFamily family)
{
    const int index = static_cast<int>(family);
    return index >= 0 && index < static_cast<int>(std::size(kFamilyNames)) ? nlohmann::ordered_json(kFamilyNames[index]) : nlohmann::ordered_json();
}

nlohmann::ordered_json Capabilities(CQXScanner& scanner)
{
    nlohmann::ordered_json capabilities = nlohmann::ordered_json::object();
    for (int cap = 0; cap < 7; ++cap)
    {
        int value = 0;
        if (scanner.GetCapability(static_cast<EQXScannerCapability>(cap), value))
            capabilities[kCapabilityNames[cap]] = value;
    }
    return capabilities;
}

// The model and product the device itself reports, or null.
nlohmann::ordered_json DeviceInfo(CQXScanner& scanner)
{
    QX_SCANNER_DEVICE_INFO device;
    if (!scanner.GetTagValue(6, static_cast<void*>(&device)))
        return nlohmann::ordered_json();
    return {{"model", device.nModel},
            {"product", SZKCommon::WCStoMBS(device.strProduct)},
            {"info", SZKCommon::WCStoMBS(device.strInfo)},
            {"infoValue", device.nInfo}};
}

nlohmann::ordered_json Profiles(CQXScanner& scanner)
{
    CZKStringList ids;
    nlohmann::ordered_json profiles = nlohmann::ordered_json::array();
    if (scanner.GetTagValue(1002, static_cast<void*>(&ids)))
        for (int i = 0; i < ids.GetCount(); ++i)
            profiles.push_back(SZKCommon::WCStoMBS(ids.GetAt(i)));
    return profiles;
}
} // namespace

EQXScanExitCode CQXScanInfoCommand::Run(const std::string& name, bool json, std::FILE* out)
{
    CQXScanScannerAccess access;
    std::string error;
    const EQXScanExitCode code = access.Open(name, error);
    if (code != QXSCAN_EXIT_OK)
    {
        std::fprintf(stderr, "qxscan: %s\n", error.c_str());
        return code;
    }
    CQXScanner& scanner = access.Scanner();
    std::wstring serial;
    unsigned int mask = 0;
    const nlohmann::ordered_json info = {
        {"name", name},
        {"family", static_cast<int>(scanner.GetCurrentScannerFamily())},
        {"familyName", FamilyName(scanner.GetCurrentScannerFamily())},
        {"online", scanner.IsOnline() != 0},
        {"serialNumber", scanner.GetTagValue(1001, serial) ? nlohmann::ordered_json(SZKCommon::WCStoMBS(serial))
                                                          : nlohmann::ordered_json()},
        {"device", DeviceInfo(scanner)},
        {"capabilityMask", scanner.GetCapabilityMask(mask) ? nlohmann::ordered_json(mask) : nlohmann::ordered_json()},
        {"capabilities", Capabilities(scanner)},
        {"duplexEnabled", SQXScanReportValue::Number(scanner, 1)},
        {"duplexFlags", SQXScanReportValue::Number(scanner, 2)},
        {"captureSide", SQXScanReportValue::Number(scanner, 3)},
        {"imagesPerSheet", SQXScanReportValue::Number(scanner, 5)},
        {"extendedFeatures", SQXScanReportValue::Number(scanner, 15)},
        {"profiles", Profiles(scanner)},
        {"cameraInfo", CQXScanCameraReport::Read(scanner)},
        {"features", CQXScanFeatureReport::Read(scanner)},
    };
    if (json)
        std::fprintf(out, "%s\n", info.dump(2).c_str());
    else
        CQXScanInfoText::Print(info, out);
    return QXSCAN_EXIT_OK;
}
