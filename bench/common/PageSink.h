// A TWAIN layer observer for benchmarks: keeps each page in one buffer, as
// an application would, and counts the pages. By default the source writes
// the strips straight into that buffer (the layer's strip placement); with
// placeStrips off the strips are copied into it as they arrive.
#pragma once

#include <fennick/ZKTWEventObserver.h>
#include <fennick/ZKTWExtraImageInfo.h>
#include <wincompat/ZKEvent.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <new>

class CPageSink : public IZKTWEventObserver
{
public:
    void OnAcquireBegin() override {}
    void OnAcquireEnd(BOOL) override { ended.Set(); }
    void OnDeviceEvent(TW_DEVICEEVENT*) override {}
    void OnTWAINError(DWORD, WORD, WORD, WORD, WORD) override { ++errors; }
    void OnCreateExtraImageInfo(CZKTWExtraImageInfo*&) override {}
    void OnNativeImage(HGLOBAL, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo*) override { delete info; }
    void OnSetupFileTransfer(TW_SETUPFILEXFER*) override {}
    void OnFileTransferred(TW_SETUPFILEXFER*) override {}

    BOOL OnGetStripDestination(ZKTW_STRIP_DESTINATION& destination) override
    {
        if (!placeStrips || destination.ByteOffset != m_received)
            return FALSE;
        const size_t announced = AnnouncedBytes(*destination.Announced);
        if (!Reserve(std::max<size_t>(announced, m_received + destination.MinimumLength)))
            return FALSE;
        destination.Memory = m_page.get() + m_received;
        destination.Length = static_cast<TW_UINT32>(m_capacity - m_received);
        return TRUE;
    }
    void OnMemoryBlockInPlace(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info,
                              CZKTWExtraImageInfo* extra) override
    {
        m_received += block->BytesWritten;
        Finish(last, info, extra);
    }
    void OnMemoryBlock(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info,
                       CZKTWExtraImageInfo* extra) override
    {
        if (block->BytesWritten && Reserve(m_received + block->BytesWritten))
        {
            std::memcpy(m_page.get() + m_received, block->Memory.TheMem, block->BytesWritten);
            m_received += block->BytesWritten;
        }
        Finish(last, info, extra);
    }

    bool placeStrips = true;
    size_t pageBytes = 0;
    std::atomic<int> pages{0};
    std::atomic<int> errors{0};
    CZKEvent ended; // set at the end of each batch

private:
    static size_t AnnouncedBytes(const ZKTWIMAGEINFO& info)
    {
        if (info.ImageWidth <= 0 || info.ImageLength <= 0 || info.BitsPerPixel <= 0)
            return 0;
        return (static_cast<size_t>(info.ImageWidth) * static_cast<size_t>(info.BitsPerPixel) + 7) /
               8 * static_cast<size_t>(info.ImageLength);
    }

    // The page buffer is kept from page to page, as the plain copy it is
    // measured against keeps its own.
    bool Reserve(size_t bytes)
    {
        if (bytes <= m_capacity)
            return true;
        // Doubling: a copied page grows strip by strip, and growing to the
        // exact size each time would copy the page over and over.
        bytes = std::max(bytes, 2 * m_capacity);
        std::unique_ptr<BYTE[]> grown(new (std::nothrow) BYTE[bytes]);
        if (!grown)
            return false;
        if (m_received)
            std::memcpy(grown.get(), m_page.get(), m_received);
        m_page = std::move(grown);
        m_capacity = bytes;
        return true;
    }

    void Finish(BOOL last, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra)
    {
        if (!last)
            return;
        pageBytes = m_received;
        m_received = 0;
        ++pages;
        delete info;
        delete extra;
    }

    std::unique_ptr<BYTE[]> m_page;
    size_t m_capacity = 0;
    size_t m_received = 0;
};
