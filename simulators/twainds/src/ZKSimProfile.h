// What a profile file says about one virtual scanner.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ZKSimCapability.h"
#include "ZKSimVendor.h"

// A triplet that fails with a chosen condition code, or throws.
struct ZK_SIM_FAULT
{
    TW_UINT32 dg = 0;
    TW_UINT16 dat = 0;
    TW_UINT16 msg = 0;
    TW_UINT16 condition = TWCC_BUMMER;
    bool throws = false;
};

// A feeding fault at one sheet (counted from 1 over the session's feeder).
struct ZK_SIM_SHEET_FAULT
{
    enum EKind
    {
        PAPER_JAM,     // the transfer fails with TWCC_PAPERJAM
        DOUBLE_FEED,   // the transfer fails with TWCC_PAPERDOUBLEFEED
        OFFLINE,       // the device goes offline: TWCC_CHECKDEVICEONLINE from then on
        CANCEL,        // the source cancels the sheet's first transfer (TWRC_CANCEL)
        REFUSE_MEMORY, // DAT_IMAGEMEMXFER fails with TWCC_LOWMEMORY
        DAMAGED_NATIVE // native transfers succeed with the first half of the image only
    };
    EKind kind = PAPER_JAM;
    int sheet = 0;
};

// A vendor extended-image-info item. Value may name per-image facts:
// {sheet}, {side}, {page}, {document}, {segment}, {camera}.
struct ZK_SIM_EXTINFO_ITEM
{
    TW_UINT16 id = 0;
    TW_UINT16 itemType = TWTY_UINT32;
    std::string value;
};

// A capability whose values belong to one camera directory.
struct ZK_SIM_CAMERA_CAP
{
    std::string camera;
    CZKSimCapability cap;
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
    int reloadSheets = 0; // put into an empty feeder at each enable
    EUIResult uiResult = UI_OK;
    ENoPaper noPaper = NOPAPER_CLOSEDSREQ;
    bool asyncEvents = true; // signal from the source's own thread, after the call returns
    double pageWidth = 8.27;   // inches; the page when no frame or size is negotiated (A4)
    double pageHeight = 11.69;
    int pageDelayMs = 0;         // scanning time per image
    std::vector<std::pair<int, int>> longSheets; // sheet, segments it is delivered in
    std::string fileName;        // DAT_SETUPFILEXFER default; empty: one in the temp folder
    bool nativeTiff = false;     // native transfers hand over a TIFF file instead of a DIB
    std::vector<ZK_SIM_SHEET_FAULT> sheetFaults;
    std::vector<ZK_SIM_EXTINFO_ITEM> extInfo;
    std::vector<ZK_SIM_CAMERA_CAP> cameraCapabilities;
    ZK_SIM_VENDOR vendor;

    const ZK_SIM_SHEET_FAULT* FindSheetFault(int sheet, ZK_SIM_SHEET_FAULT::EKind kind) const
    {
        for (const ZK_SIM_SHEET_FAULT& fault : sheetFaults)
            if (fault.sheet == sheet && fault.kind == kind)
                return &fault;
        return nullptr;
    }
    int SegmentsOf(int sheet) const
    {
        for (const auto& entry : longSheets)
            if (entry.first == sheet)
                return entry.second;
        return 1;
    }

    const ZK_SIM_FAULT* FindFault(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg) const
    {
        for (const ZK_SIM_FAULT& fault : faults)
            if (fault.dg == dg && fault.dat == dat && fault.msg == msg)
                return &fault;
        return nullptr;
    }
};
