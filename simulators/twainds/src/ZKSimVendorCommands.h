// The maker's vendor data-source commands of a virtual scanner: device
// information (DAT 0x8005), the driver profile list (0x8007) and indexed
// settings (0x8009), with the block layouts the maker's drivers use, and the
// no-wait answer to MSG_ENDXFER (return code 0x8001) while the feeder is
// still finishing a sheet. Blocks that carry memory use the platform's
// movable global memory, as the maker's drivers do.
#pragma once

#include <map>
#include <vector>

#include <twaindefs/ZKTwainDefs.h>

#include "ZKSimVendor.h"

class CZKSimVendorCommands
{
public:
    static constexpr TW_UINT16 DAT_DEVICEINFO = 0x8005;
    static constexpr TW_UINT16 DAT_PROFILES = 0x8007;
    static constexpr TW_UINT16 DAT_INDEXEDSETTINGS = 0x8009;
    static constexpr TW_UINT16 MSG_PROFILEEDITOR = 0x800D;
    static constexpr TW_UINT16 MSG_SETTINGSEDITOR = 0x800E;
    static constexpr TW_UINT16 CAP_NOWAIT = 0x8032;
    static constexpr TW_UINT16 TWRC_BUSY = 0x8001;

    explicit CZKSimVendorCommands(const ZK_SIM_VENDOR& vendor)
        : m_vendor(vendor), m_settings(vendor.settings)
    {
    }

    static bool Handles(TW_UINT32 dg, TW_UINT16 dat);
    TW_UINT16 Entry(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, TW_UINT16& condition);
    // True when this MSG_ENDXFER is to be answered "busy"; counts per image.
    bool AnswersBusy(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, bool noWait);

private:
    TW_UINT16 _DeviceInfo(TW_UINT16 msg, TW_MEMREF data, TW_UINT16& condition);
    TW_UINT16 _Profiles(TW_UINT16 msg, TW_MEMREF data, TW_UINT16& condition);
    TW_UINT16 _Settings(TW_UINT16 msg, TW_MEMREF data, TW_UINT16& condition);

    const ZK_SIM_VENDOR& m_vendor;
    std::map<TW_UINT16, std::vector<uint8_t>> m_settings;
    int m_busyAnswered = 0;
};
