// What a SANE status means to a TWAIN application: the condition code a
// failed triplet reports and the device event it raises, in one table.
#pragma once

#include <sane/sane.h>

#include <twaindefs/ZKTwainDefs.h>

struct ZK_SANE_STATUS_MEANING
{
    TW_UINT16 condition;   // TWCC_
    TW_UINT16 deviceEvent; // TWDE_, or kNoDeviceEvent
    bool endsBatch;        // a normal end: the feeder ran out
};

class SZKSaneStatus
{
public:
    static constexpr TW_UINT16 kNoDeviceEvent = 0xFFFF;
    static ZK_SANE_STATUS_MEANING Meaning(SANE_Status status);
};
