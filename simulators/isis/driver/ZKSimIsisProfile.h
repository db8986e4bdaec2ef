// What a virtual driver file is configured with: its models, its feeder and
// pages, its tags (some kept per scan window) and the faults to inject.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ZKSimTagStore.h"

struct ZK_SIM_ISIS_FAULT
{
    enum EKind
    {
        PAPER_JAM,        // the sheet's scan fails with -4426
        DOUBLE_FEED,      // -4619
        OUT_OF_MEMORY,    // -4500
        CANCEL,           // -4401
        THROW,            // the message procedure throws
        STALL,            // the sheet's scan answers only after stallMs
        LONG_BLOCK,       // one block more than the image's size
        END_WITHOUT_BEGIN,// an image end before the sheet's first begin
        WRONG_TYPE,       // numeric answers of tag name the wrong value type
        WRONG_LENGTH      // text answers of tag are longer than announced
    };
    EKind kind = PAPER_JAM;
    int sheet = 0; // 1-based sheet of a run, for sheet faults
    int tag = 0;   // for tag faults
};

struct ZK_SIM_ISIS_PROFILE
{
    std::vector<std::string> models;
    int sheets = 1;            // loaded at every scan start
    int distinctSheets = 0;    // > 0: page content repeats after so many sheets
    double pageWidth = 8.27;   // inches
    double pageHeight = 11.69;
    uint32_t blockSize = 65536;
    int32_t setupAnswer = 0;
    uint32_t stallMs = 2000;
    std::vector<ZK_SIM_ISIS_FAULT> faults;
    CZKSimTagStore tags;               // tags of the driver as a whole
    std::set<uint16_t> windowTags;     // tags kept per window
    std::map<int32_t, CZKSimTagStore> windows; // window id -> its tags
};
