#include "ScannerRecorder.h"

#include <mirelight/QX_SCANNER_IMAGEDATA_INFO.h>

#include <hollin/ZKBuffer.h>
#include <hollin/ZKCommon.h>
#include <wincompat/ZKThread.h>

#include <memory>

void CScannerRecorder::_Note(const char* event)
{
    m_events.push_back(event);
}

void CScannerRecorder::OnSessionBegin(QX_SCANNER_SESSION_BEGIN_INFO& info)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_begins.push_back(info);
    _Note("begin");
}

void CScannerRecorder::OnSessionEnd(QX_SCANNER_SESSION_END_INFO& info)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_ends.push_back(info);
        _Note("end");
    }
    ++sessionEnds;
}

void CScannerRecorder::OnError(QX_SCANNER_ERROR_INFO& info)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_errors.push_back(info.nError);
    _Note("error");
}

void CScannerRecorder::OnImageFileBegin(QX_SCANNER_IMAGEFILE_BEGIN_INFO& info)
{
    std::lock_guard<std::mutex> guard(m_lock);
    info.strFileName =
        SZKCommon::MBStoWCS(fileFolder + "/image_" + std::to_string(m_files.size()) + ".tif");
    info.wFormat = 0; // TWFF_TIFF
}

void CScannerRecorder::OnImageFileEnd(QX_SCANNER_IMAGEFILE_END_INFO& info)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_files.push_back(info);
    _Note("file");
}

void CScannerRecorder::OnImageData(QX_SCANNER_IMAGEDATA_INFO& info)
{
    // The records are ours now; the bytes only during the call.
    std::unique_ptr<QX_SCANNER_IMAGE_INFO> imageInfo(info.pImageInfo);
    std::unique_ptr<CZKTagHolder> tags(info.pTags);
    RECORDED_SCANNER_IMAGE image;
    if (imageInfo)
        image.info = *imageInfo;
    if (tags)
        image.tags = *tags;
    if (info.pData && info.pData->GetPtr())
        image.bytes.assign(info.pData->GetPtr(), info.pData->GetPtr() + info.pData->GetSize());
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_images.push_back(std::move(image));
        _Note("image");
    }
    ++images;
    if (onImage)
        onImage();
}

bool CScannerRecorder::WaitForSessionEnds(int count)
{
    for (int i = 0; i < 10000 && sessionEnds < count; ++i)
        ZKSleep(1);
    return sessionEnds >= count;
}

std::vector<RECORDED_SCANNER_IMAGE> CScannerRecorder::Images()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_images;
}

std::vector<QX_SCANNER_SESSION_BEGIN_INFO> CScannerRecorder::Begins()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_begins;
}

std::vector<QX_SCANNER_SESSION_END_INFO> CScannerRecorder::Ends()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_ends;
}

std::vector<int> CScannerRecorder::Errors()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_errors;
}

std::vector<QX_SCANNER_IMAGEFILE_END_INFO> CScannerRecorder::Files()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_files;
}

std::vector<std::string> CScannerRecorder::Events()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_events;
}
