// Reads the scan a source is set up for from its capabilities: page size
// (ICAP_SUPPORTEDSIZES, else ICAP_FRAMES, else the profile's page),
// resolution, pixel type, compression, transfer mechanism, file format,
// duplex, transfer count and the device events asked for.
#pragma once

#include <vector>

#include "ZKSimCapability.h"
#include "ZKSimProfile.h"
#include "ZKSimScanSettings.h"

class SZKSimScanSettingsReader
{
public:
    static ZK_SIM_SCAN_SETTINGS Read(const CZKSimProfile& profile, const std::vector<CZKSimCapability>& caps);
    // Units per inch of a TWUN_ unit; pixels go by the resolution.
    static double UnitsPerInch(TW_UINT16 units, double dpi);

private:
    static const CZKSimCapability* _Find(const std::vector<CZKSimCapability>& caps, TW_UINT16 id);
    static double _Number(const std::vector<CZKSimCapability>& caps, TW_UINT16 id, double fallback);
    static void _PageSize(const CZKSimProfile& profile, const std::vector<CZKSimCapability>& caps, TW_UINT16 units,
                          double xDpi, double& width, double& height);
};
