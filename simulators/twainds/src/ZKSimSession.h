// One virtual scanner opened by one application: TWAIN states 4 to 7, its
// capabilities, custom data, cameras, user interface and injected faults.
#pragma once

#include <string>
#include <vector>

#include "ZKSimFeeder.h"
#include "ZKSimProfile.h"
#include "ZKSimTransfer.h"
#include "ZKSimVendorCommands.h"

class CZKSimSession
{
public:
    CZKSimSession(const CZKSimProfile& profile, const TW_IDENTITY& source, const TW_IDENTITY& application);
    CZKSimSession(const CZKSimSession&) = delete;
    CZKSimSession& operator=(const CZKSimSession&) = delete;

    // Events the call makes the source signal are appended to events; the
    // caller signals them once it holds no lock.
    TW_UINT16 Entry(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, std::vector<TW_UINT16>& events);

    int GetState() const { return m_state; }
    const TW_IDENTITY& GetSource() const { return m_source; }
    const TW_IDENTITY& GetApplication() const { return m_application; }
    bool HasAsyncEvents() const { return m_profile.asyncEvents; }

private:
    TW_UINT16 _Fail(TW_UINT16 condition);
    TW_UINT16 _Dispatch(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, std::vector<TW_UINT16>& events);
    TW_UINT16 _Status(TW_STATUS* status);
    TW_UINT16 _Capability(TW_UINT16 msg, TW_CAPABILITY* cap);
    TW_UINT16 _CustomData(TW_UINT16 msg, TW_CUSTOMDSDATA* data);
    TW_UINT16 _FileSystem(TW_UINT16 msg, TW_FILESYSTEM* fs);
    TW_UINT16 _NextCamera(TW_FILESYSTEM* fs);
    TW_UINT16 _UserInterface(TW_UINT16 msg, TW_USERINTERFACE* ui, std::vector<TW_UINT16>& events);
    void _StartScan(std::vector<TW_UINT16>& events);
    void _UseCurrentSettings();
    CZKSimCapability* _Find(TW_UINT16 id);
    bool _IsOn(TW_UINT16 id);
    // After a batch: the imprinter counter and the image address go on.
    void _AdvanceBatchCounters();
    void _AdvancePrinterIndex();
    void _AdvanceImageAddress();
    void _RefreshLiveCapabilities();

    CZKSimProfile m_profile;
    TW_IDENTITY m_source;
    TW_IDENTITY m_application;
    CZKSimFeeder m_feeder;
    CZKSimTransfer m_transfer;
    int m_state = 4;
    TW_UINT16 m_condition = TWCC_SUCCESS;
    std::vector<uint8_t> m_customData;
    CZKSimVendorCommands m_vendorCommands;
    bool m_batchRan = false; // a batch began since the batch counters were last advanced
    bool m_settingsStale = true; // a capability changed since the transfer's settings were read
    std::string m_directory = "/";
    size_t m_fileCursor = 0;
};
