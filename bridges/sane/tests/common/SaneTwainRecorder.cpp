#include "SaneTwainRecorder.h"

#include <wincompat/ZKGlobalMemory.h>
#include <wincompat/ZKThread.h>

#include <memory>

void CSaneTwainRecorder::OnDeviceEvent(TW_DEVICEEVENT* event)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_events.push_back(event->Event);
}

void CSaneTwainRecorder::OnTWAINError(DWORD, WORD, WORD, WORD, WORD cc)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_errors.push_back(cc);
}

void CSaneTwainRecorder::OnNativeImage(HGLOBAL dib, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra)
{
    std::unique_ptr<ZKTWIMAGEINFO> ownedInfo(info);
    delete extra;
    SANE_TWAIN_IMAGE image;
    image.info = *info;
    if (const auto* bytes = static_cast<const uint8_t*>(CZKGlobalMemory::Lock(dib)))
    {
        image.rows.assign(bytes, bytes + CZKGlobalMemory::Size(dib));
        CZKGlobalMemory::Unlock(dib);
    }
    CZKGlobalMemory::Free(dib);
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_images.push_back(std::move(image));
    }
    ++images;
    if (onImage)
        onImage();
}

void CSaneTwainRecorder::OnMemoryBlock(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info,
                                       CZKTWExtraImageInfo* extra)
{
    std::unique_ptr<ZKTWIMAGEINFO> ownedInfo(info);
    delete extra;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        const auto* bytes = static_cast<const uint8_t*>(block->Memory.TheMem);
        m_strips.insert(m_strips.end(), bytes, bytes + block->BytesWritten);
        if (!last)
            return;
        SANE_TWAIN_IMAGE image;
        if (info)
            image.info = *info;
        image.rows.swap(m_strips);
        m_images.push_back(std::move(image));
    }
    ++images;
    if (onImage)
        onImage();
}

bool CSaneTwainRecorder::WaitForEnds(int count)
{
    for (int i = 0; i < 10000 && acquireEnds < count; ++i)
        ZKSleep(1);
    return acquireEnds >= count;
}

std::vector<SANE_TWAIN_IMAGE> CSaneTwainRecorder::Images()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_images;
}

std::vector<WORD> CSaneTwainRecorder::Errors()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_errors;
}

std::vector<WORD> CSaneTwainRecorder::DeviceEvents()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_events;
}
