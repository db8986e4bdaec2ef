// The transfer side of a virtual source: the batch of images a scan feeds,
// pending transfers, the image triplets of states 6 and 7 (image info,
// layout, extended info; native, memory and file transfers), device events
// and the feeding faults a profile injects.
#pragma once

#include <deque>
#include <vector>

#include <pellmark/ZKBitmapHandle.h>
#include <twaindefs/ZKTwainDefs.h>

#include "ZKSimExtImageInfo.h"
#include "ZKSimFeeder.h"
#include "ZKSimMemoryTransfer.h"
#include "ZKSimProfile.h"
#include "ZKSimScanSettings.h"

class CZKSimTransfer
{
public:
    CZKSimTransfer(const CZKSimProfile& profile, CZKSimFeeder& feeder);

    static bool Handles(TW_UINT32 dg, TW_UINT16 dat);
    // The capabilities as they stand; set before every call below.
    void UseSettings(const ZK_SIM_SCAN_SETTINGS& settings) { m_settings = settings; }
    // A new batch begins as the source signals MSG_XFERREADY: one image per
    // sheet, side and long-paper segment, at most CAP_XFERCOUNT of them.
    void BeginBatch();
    // The imprinter counter after the sheets taken since BeginBatch.
    TW_UINT32 NextCounter() const;
    // Sheets fed since BeginBatch.
    int SheetsTaken() const;
    bool IsOnline() const { return m_online; }
    // Device events the call raises are appended to events as MSG_DEVICEEVENT.
    TW_UINT16 Entry(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, int& state, TW_UINT16& condition,
                    std::vector<TW_UINT16>& events);

private:
    TW_UINT16 _PendingTransfers(TW_UINT16 msg, TW_PENDINGXFERS* pending, int& state, TW_UINT16& condition);
    TW_UINT16 _ImageInfo(TW_IMAGEINFO* info, int state, TW_UINT16& condition) const;
    TW_UINT16 _ImageLayout(TW_UINT16 msg, TW_IMAGELAYOUT* layout, int state, TW_UINT16& condition) const;
    TW_UINT16 _ExtImageInfo(TW_EXTIMAGEINFO* info, int state, TW_UINT16& condition) const;
    TW_UINT16 _SetupMemory(TW_UINT16 msg, TW_SETUPMEMXFER* setup, int state, TW_UINT16& condition) const;
    TW_UINT16 _SetupFile(TW_UINT16 msg, TW_SETUPFILEXFER* setup, int state, TW_UINT16& condition);
    TW_UINT16 _NativeTransfer(TW_HANDLE* handle, int& state, TW_UINT16& condition, std::vector<TW_UINT16>& events);
    TW_UINT16 _MemoryTransfer(TW_IMAGEMEMXFER* block, int& state, TW_UINT16& condition,
                              std::vector<TW_UINT16>& events);
    TW_UINT16 _FileTransfer(int& state, TW_UINT16& condition, std::vector<TW_UINT16>& events);
    TW_UINT16 _DeviceEvent(TW_DEVICEEVENT* event, TW_UINT16& condition);
    // Feeds the current image: faults first, then the scanning time.
    TW_UINT16 _Scan(TW_UINT16 mechanism, TW_UINT16& condition, std::vector<TW_UINT16>& events);
    // The seed of the current image's pixels.
    uint32_t _Seed() const;
    TW_UINT16 _FeedingFault(TW_UINT16 mechanism, TW_UINT16& condition, std::vector<TW_UINT16>& events);
    void _RaiseDeviceEvent(TW_UINT16 event, std::vector<TW_UINT16>& events);
    void _EndTransfer();
    int _FirstSheet() const;
    TW_UINT32 _CounterOf(int sheet) const;
    ZK_SIM_IMAGE_FACTS _Facts() const;
    TW_SETUPFILEXFER _DefaultFileSetup() const;
    std::string _Camera(const ZK_SIM_IMAGE& image) const;
    TW_UINT16 _Compression() const;

    const CZKSimProfile& m_profile;
    CZKSimFeeder& m_feeder;
    ZK_SIM_SCAN_SETTINGS m_settings;
    std::deque<ZK_SIM_IMAGE> m_images; // the front one is under way
    bool m_sheetStarted = false;       // an image of the front sheet was delivered
    TW_UINT32 m_batchCounter = 0; // CAP_PRINTERINDEX when the batch began
    int m_batchFirstSheet = 1;
    int m_reportedSheet = 0;           // the sheet whose fault raised its device event
    bool m_online = true;
    TW_UINT32 m_pagesDelivered = 0;
    CZKSimMemoryTransfer m_memory;
    TW_SETUPFILEXFER m_fileSetup{};
    bool m_fileSetupChosen = false;
    std::deque<TW_DEVICEEVENT> m_deviceEvents;
};
