// One batch of scans on a worker thread of its own: sane_start, the frames
// of every page through sane_read, the next page while the feeder delivers,
// until the image count is reached, the feeder runs empty, the device fails
// or the batch is cancelled. TWAIN calls only wait on what the worker has
// published, never on the device itself. The worker feeds the next sheet
// only while few images wait for the application, so a slow application
// does not hold the whole batch in memory and a cancel loses few sheets.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "ZKSaneDevice.h"
#include "ZKSanePage.h"

struct ZK_SANE_BATCH_SETTINGS
{
    int images = -1;      // -1: as many as the device gives
    bool feeder = false;  // a flatbed gives one image per batch
    double dpi = 0;
};

class CZKSaneBatch
{
public:
    // Runs on the worker when the first image (or the failure that replaces
    // it) is ready, or when the batch ended without any.
    using FirstResult = std::function<void(bool anyImage)>;

    CZKSaneBatch(CZKSaneDevice& device, const ZK_SANE_BATCH_SETTINGS& settings, FirstResult onFirst);
    // Cancels what is still running and waits for the worker.
    ~CZKSaneBatch();
    CZKSaneBatch(const CZKSaneBatch&) = delete;
    CZKSaneBatch& operator=(const CZKSaneBatch&) = delete;

    enum class EWait
    {
        IMAGE,   // the front image is ready
        ENDED,   // no more images will come
        TIMEOUT, // the device made no progress within the wait
    };
    // Waits for the front image; the wait ends at the latest once the device
    // has gone timeout without bringing any data.
    EWait WaitFront(std::chrono::milliseconds timeout);
    // Whether another image follows the current one: waits until the worker
    // has either started the next scan or ended.
    EWait WaitNext(std::chrono::milliseconds timeout);
    // The front image; only after WaitFront answered IMAGE.
    const ZK_SANE_PAGE& Front();
    void PopFront();
    // Images ready and known to be coming; -1 while the device may feed more.
    int Pending();
    // Stops after the current read; the worker cancels the device.
    void Cancel();
    // Stops after the image under way (ADF stop feeder).
    void StopFeeding();

private:
    void _Run();
    // Waits until the application has taken enough images for another one;
    // false once the batch is to stop.
    bool _WaitForRoom();
    bool _ScanImage(ZK_SANE_PAGE& page);
    void _Announce(const SANE_Parameters& parameters, ZK_SANE_PAGE& page) const;
    bool _ReadFrame(class CZKSaneFrameAssembler& assembler, TW_UINT16& condition, SANE_Status& status);
    void _Publish(ZK_SANE_PAGE page);
    void _Fail(SANE_Status status);
    void _Finish();
    // Waits until ready() or the device stalls for timeout.
    template <typename Ready> bool _WaitWhileProgressing(std::chrono::milliseconds timeout, Ready ready);

    CZKSaneDevice& m_device;
    ZK_SANE_BATCH_SETTINGS m_settings;
    FirstResult m_onFirst;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<ZK_SANE_PAGE> m_pages;
    bool m_scanning = false; // a scan has started and its image is not published yet
    bool m_ended = false;
    bool m_firstReported = false;
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_stopFeeding{false};
    std::atomic<unsigned> m_reads{0}; // calls the device answered
    std::thread m_worker;
};
