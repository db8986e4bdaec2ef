// An observer of the TWAIN layer for the bridge's tests: the images with
// their rows joined, the errors and device events, and a bounded wait for
// the end of a batch.
#pragma once

#include <fennick/ZKTWEventObserver.h>
#include <fennick/ZKTWExtraImageInfo.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

struct SANE_TWAIN_IMAGE
{
    ZKTWIMAGEINFO info;
    std::vector<uint8_t> rows; // packed rows as the strips carried them
};

class CSaneTwainRecorder : public IZKTWEventObserver
{
public:
    void OnAcquireBegin() override {}
    void OnAcquireEnd(BOOL) override { ++acquireEnds; }
    void OnDeviceEvent(TW_DEVICEEVENT* event) override;
    void OnTWAINError(DWORD, WORD, WORD, WORD, WORD cc) override;
    void OnCreateExtraImageInfo(CZKTWExtraImageInfo*&) override {}
    void OnNativeImage(HGLOBAL dib, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra) override;
    void OnSetupFileTransfer(TW_SETUPFILEXFER*) override {}
    void OnFileTransferred(TW_SETUPFILEXFER*) override {}
    void OnMemoryBlock(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra) override;

    // Up to ten seconds for the n-th end of a batch.
    bool WaitForEnds(int count);
    std::vector<SANE_TWAIN_IMAGE> Images();
    std::vector<WORD> Errors();
    std::vector<WORD> DeviceEvents();

    std::atomic<int> acquireEnds{0};
    std::atomic<int> images{0};
    std::function<void()> onImage; // after each image, on the window thread

private:
    std::mutex m_lock;
    std::vector<uint8_t> m_strips;
    std::vector<SANE_TWAIN_IMAGE> m_images;
    std::vector<WORD> m_errors;
    std::vector<WORD> m_events;
};
