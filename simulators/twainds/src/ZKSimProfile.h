// What a profile file says about one virtual scanner.
#pragma once

#include <string>
#include <vector>

#include "ZKSimCapability.h"

// A triplet that fails with a chosen condition code, or throws.
struct ZK_SIM_FAULT
{
    TW_UINT32 dg = 0;
    TW_UINT16 dat = 0;
    TW_UINT16 msg = 0;
    TW_UINT16 condition = TWCC_BUMMER;
    bool throws = false;
};

class CZKSimProfile
{
public:
    // How a session with the source's own dialog ends.
    enum EUIResult
    {
        UI_OK,    // the user accepts: MSG_CLOSEDSOK (setup only) or a scan
        UI_CANCEL // the user cancels: MSG_CLOSEDSREQ
    };
    // What enabling without paper in the feeder does.
    enum ENoPaper
    {
        NOPAPER_CLOSEDSREQ, // the source asks to be closed
        NOPAPER_WAIT,       // the source waits; nothing is signalled
        NOPAPER_FAIL        // MSG_ENABLEDS fails with TWCC_NOMEDIA
    };

    TW_IDENTITY identity{};
    std::vector<CZKSimCapability> capabilities;
    std::vector<std::string> cameras; // DAT_FILESYSTEM directories, "/Camera_..."
    std::vector<uint8_t> customData;  // initial DAT_CUSTOMDSDATA block
    std::vector<ZK_SIM_FAULT> faults;
    int sheets = 0;
    EUIResult uiResult = UI_OK;
    ENoPaper noPaper = NOPAPER_CLOSEDSREQ;
    bool asyncEvents = true; // signal from the source's own thread, after the call returns

    const ZK_SIM_FAULT* FindFault(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg) const
    {
        for (const ZK_SIM_FAULT& fault : faults)
            if (fault.dg == dg && fault.dat == dat && fault.msg == msg)
                return &fault;
        return nullptr;
    }
};
