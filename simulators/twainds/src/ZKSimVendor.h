// What a maker's scanner answers beyond the standard: its device
// information, driver profiles and indexed settings (the vendor data-source
// commands), and how long its feeder keeps MSG_ENDXFER waiting in no-wait
// mode. From the [Vendor] section of a profile.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <twaindefs/ZKTwainDefs.h>

struct ZK_SIM_VENDOR_PROFILE
{
    TW_UINT16 index = 0xFFFF; // 0xFFFF: listed but not selectable
    std::string id;
    std::string name;
    std::string text;
};

struct ZK_SIM_VENDOR
{
    bool present = false;
    int32_t model = 0;
    std::string info;
    std::string product;
    int32_t number = 0;
    std::vector<ZK_SIM_VENDOR_PROFILE> profiles;
    std::map<TW_UINT16, std::vector<uint8_t>> settings;
    int busyAnswers = 0; // MSG_ENDXFER answers "busy" this often per image in no-wait mode
    // Faults of a broken driver.
    bool unterminatedDeviceInfo = false;  // texts fill their fields without a terminator
    bool unterminatedProfileList = false; // the list ends without its closing record
    bool overstatedSettings = false;      // the settings count exceeds the block
};
