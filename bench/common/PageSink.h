// A TWAIN layer observer for benchmarks: joins the strips of each page into
// one buffer, as an application would, and counts the pages.
#pragma once

#include <fennick/ZKTWEventObserver.h>
#include <fennick/ZKTWExtraImageInfo.h>

#include <atomic>
#include <vector>

// Joins the strips into one page buffer, as an application would.
class CPageSink : public IZKTWEventObserver
{
public:
    void OnAcquireBegin() override {}
    void OnAcquireEnd(BOOL) override { ended = true; }
    void OnDeviceEvent(TW_DEVICEEVENT*) override {}
    void OnTWAINError(DWORD, WORD, WORD, WORD, WORD) override { ++errors; }
    void OnCreateExtraImageInfo(CZKTWExtraImageInfo*&) override {}
    void OnNativeImage(HGLOBAL, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo*) override { delete info; }
    void OnSetupFileTransfer(TW_SETUPFILEXFER*) override {}
    void OnFileTransferred(TW_SETUPFILEXFER*) override {}
    void OnMemoryBlock(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info,
                       CZKTWExtraImageInfo* extra) override
    {
        const BYTE* data = static_cast<const BYTE*>(block->Memory.TheMem);
        page.insert(page.end(), data, data + block->BytesWritten);
        if (!last)
            return;
        pageBytes = page.size();
        page.clear();
        ++pages;
        delete info;
        delete extra;
    }

    std::vector<BYTE> page;
    size_t pageBytes = 0;
    std::atomic<int> pages{0};
    std::atomic<int> errors{0};
    std::atomic<bool> ended{false};
};
