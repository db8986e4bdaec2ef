// One SANE device opened by one application: TWAIN states 4 to 7, the
// capabilities, the image layout, and the transfers of a batch that runs on
// its own worker. Calls in states 5 to 7 never touch the device: they wait,
// bounded, on what the batch has published.
#pragma once

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include <twaindefs/ZKTwainDefs.h>

#include "ZKSaneBatch.h"
#include "ZKSaneCapability.h"
#include "ZKSaneDevice.h"
#include "ZKSaneLibrary.h"
#include "ZKSaneOptionMap.h"

class CZKSaneSession
{
public:
    CZKSaneSession(std::unique_ptr<CZKSaneLibrary> library, std::unique_ptr<CZKSaneDevice> device,
                   const TW_IDENTITY& source, const TW_IDENTITY& application, DSMENTRYPROC dsmEntry);
    ~CZKSaneSession();
    CZKSaneSession(const CZKSaneSession&) = delete;
    CZKSaneSession& operator=(const CZKSaneSession&) = delete;

    TW_UINT16 Entry(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    const TW_IDENTITY& GetSource() const { return m_source; }
    int GetState() const { return m_state; }

private:
    TW_UINT16 _Fail(TW_UINT16 condition);
    TW_UINT16 _Control(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 _Image(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    // Capabilities
    void _LoadCapabilities();
    CZKSaneCapability* _Find(TW_UINT16 id);
    TW_UINT16 _Capability(TW_UINT16 msg, TW_CAPABILITY* cap);
    TW_UINT16 _SetCapability(CZKSaneCapability& cap, const std::vector<double>& values);
    // Acquisition
    TW_UINT16 _UserInterface(TW_UINT16 msg, TW_USERINTERFACE* ui);
    void _OnFirstResult(bool anyImage);
    void _Signal(TW_UINT16 msg);
    void _EndBatch();
    TW_UINT16 _PendingTransfers(TW_UINT16 msg, TW_PENDINGXFERS* pending);
    TW_UINT16 _DeviceEvent(TW_DEVICEEVENT* event);
    // Transfers
    // The front image once it is ready; a failure or TWRC_CANCEL otherwise.
    TW_UINT16 _FrontImage(const ZK_SANE_PAGE*& page);
    TW_UINT16 _FailedImage(const ZK_SANE_PAGE& page);
    void _RaiseDeviceEvent(TW_UINT16 event);
    TW_UINT16 _ImageInfo(TW_IMAGEINFO* info);
    TW_UINT16 _ImageLayout(TW_UINT16 msg, TW_IMAGELAYOUT* layout);
    TW_UINT16 _SetupMemory(TW_SETUPMEMXFER* setup);
    TW_UINT16 _MemoryTransfer(TW_IMAGEMEMXFER* block);
    TW_UINT16 _NativeTransfer(TW_HANDLE* handle);

    std::unique_ptr<CZKSaneLibrary> m_library; // outlives the device
    std::unique_ptr<CZKSaneDevice> m_device;
    CZKSaneOptionMap m_options;
    TW_IDENTITY m_source;
    TW_IDENTITY m_application;
    DSMENTRYPROC m_dsmEntry;
    std::atomic<int> m_state{4};
    TW_UINT16 m_condition = TWCC_SUCCESS;
    std::vector<CZKSaneCapability> m_caps;
    std::map<TW_UINT16, std::vector<double>> m_defaults; // of the device's capabilities, as opened
    std::unique_ptr<CZKSaneBatch> m_batch;
    TW_UINT32 m_rowsSent = 0; // of the image in a memory transfer
    TW_UINT32 m_pagesDone = 0;
    std::mutex m_eventLock;
    std::deque<TW_DEVICEEVENT> m_deviceEvents;
};
