// What the capabilities say about the next scan, read when a transfer
// triplet arrives (capabilities only change in state 4, so it holds for a
// whole batch).
#pragma once

#include <map>
#include <string>
#include <vector>

#include <twaindefs/ZKTwainDefs.h>

#include "ZKSimPageGenerator.h"

struct ZK_SIM_SCAN_SETTINGS
{
    ZK_SIM_PAGE_FORMAT format;
    TW_FRAME frame{};                // in the negotiated units
    TW_UINT16 pixelType = TWPT_BW;
    TW_UINT16 compression = TWCP_NONE; // what memory and file transfers deliver
    TW_UINT16 xferMech = TWSX_NATIVE;
    TW_UINT16 fileFormat = TWFF_TIFF;
    int sides = 1;
    int xferCount = -1;              // -1: every sheet in the feeder
    TW_UINT32 printerIndex = 0;      // CAP_PRINTERINDEX: the counter of the next document
    std::vector<TW_UINT16> deviceEvents; // CAP_DEVICEEVENT: the events the application wants
    std::map<TW_UINT16, std::string> texts; // current value of every text capability, by id
};

// One image of a batch.
struct ZK_SIM_IMAGE
{
    int sheet = 1;    // counted from 1 over the session's feeder
    int side = 0;     // 0 front, 1 back
    int segment = 0;  // long paper comes in several segments
    int segments = 1;
};
