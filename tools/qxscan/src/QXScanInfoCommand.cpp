#include "QXScanInfoCommand.h"

#include "QXScanScannerAccess.h"

#include <hollin/ZKCommon.h>
#include <hollin/ZKStringList.h>

#include <nlohmann/json.hpp>

namespace
{
const char* const kCapabilityNames[] = {"customData", "duplex",     "imprinter", "vendor8015",
                                        "dsCommand",  "multiStream", "profiles"};

// A number tag, or null when the scanner does not answer it.
nlohmann::json NumberTag(CQXScanner& scanner, DWORD tag)
{
    int value = 0;
    return scanner.GetTagValue(tag, value) ? nlohmann::json(value) : nlohmann::json();
}

nlohmann::json Capabilities(CQXScanner& scanner)
{
    nlohmann::json capabilities = nlohmann::json::object();
    for (int cap = 0; cap < 7; ++cap)
    {
        int value = 0;
        if (scanner.GetCapability(static_cast<EQXScannerCapability>(cap), value))
            capabilities[kCapabilityNames[cap]] = value;
    }
    return capabilities;
}

nlohmann::json Profiles(CQXScanner& scanner)
{
    CZKStringList ids;
    nlohmann::json profiles = nlohmann::json::array();
    if (scanner.GetTagValue(1002, static_cast<void*>(&ids)))
        for (int i = 0; i < ids.GetCount(); ++i)
            profiles.push_back(SZKCommon::WCStoMBS(ids.GetAt(i)));
    return profiles;
}
} // namespace

EQXScanExitCode CQXScanInfoCommand::Run(const std::string& name, std::FILE* out)
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
    const nlohmann::json info = {
        {"name", name},
        {"family", static_cast<int>(scanner.GetCurrentScannerFamily())},
        {"online", scanner.IsOnline() != 0},
        {"capabilityMask", scanner.GetCapabilityMask(mask) ? nlohmann::json(mask) : nlohmann::json()},
        {"capabilities", Capabilities(scanner)},
        {"duplexEnabled", NumberTag(scanner, 1)},
        {"duplexFlags", NumberTag(scanner, 2)},
        {"imagesPerSheet", NumberTag(scanner, 5)},
        {"extendedFeatures", NumberTag(scanner, 15)},
        {"serialNumber", scanner.GetTagValue(1001, serial) ? nlohmann::json(SZKCommon::WCStoMBS(serial))
                                                          : nlohmann::json()},
        {"profiles", Profiles(scanner)},
    };
    std::fprintf(out, "%s\n", info.dump(2).c_str());
    return QXSCAN_EXIT_OK;
}
