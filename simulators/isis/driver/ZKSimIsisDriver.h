// One open virtual driver: answers the toolkit's messages from its profile,
// keeps the tags (some per scan window), saves and loads its settings, and
// scans sheets by sending each image down the module chain as a begin, data
// blocks and an end.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <isisdefs/ZKIsisToolkit.h>

#include "ZKSimIsisImageSource.h"
#include "ZKSimIsisProfile.h"

class CZKSimIsisDriver
{
public:
    // nullptr when the driver's profile is missing or invalid.
    static CZKSimIsisDriver* Create(const std::string& driverPath);

    int32_t Message(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data);

private:
    CZKSimIsisDriver() = default;

    // Tags and settings (ZKSimIsisDriver.cpp).
    int32_t _Tag(uint32_t message, uint32_t param, void* data);
    int32_t _FaultyAnswer(const ZK_SIM_ISIS_FAULT& fault, uint32_t message, uint32_t param, void* data);
    CZKSimTagStore& _StoreFor(uint16_t tag);
    int32_t _AllStores(uint32_t message);
    int32_t _SaveConfig(const ZKISIS_CONFIG_FILE* file) const;
    int32_t _LoadConfig(const ZKISIS_CONFIG_FILE* file);
    const ZK_SIM_ISIS_FAULT* _Fault(ZK_SIM_ISIS_FAULT::EKind kind, int sheetOrTag) const;
    int32_t _ScanType() const;

    // Scanning (ZKSimIsisDriverScan.cpp).
    int32_t _StartScan();
    int32_t _ScanSheet(ZKISIS_MODULE* module);
    int32_t _DeliverImage(ZKISIS_MODULE* module, int side, const CZKSimTagStore& settings);
    int32_t _SendBlocks(ZKISIS_MODULE* next, const uint8_t* bytes, size_t size);
    std::vector<const CZKSimTagStore*> _SideSettings(int side) const;

    std::string m_name; // the driver file's name, seeding page content
    ZK_SIM_ISIS_PROFILE m_profile;
    CZKSimIsisImageSource m_images;
    int m_sheetsLeft = 0;
    int m_sheet = 0; // sheets scanned in this run
};
