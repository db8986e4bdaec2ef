// An application observer for end-to-end scanner tests: it keeps every
// record the facade hands out, in arrival order, and lets a test wait (with
// a bound) for a session to end.
#pragma once

#include <mirelight/QXScannerEventObserver.h>
#include <mirelight/QX_SCANNER_IMAGE_INFO.h>

#include <hollin/ZKTagHolder.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

struct RECORDED_SCANNER_IMAGE
{
    QX_SCANNER_IMAGE_INFO info;
    CZKTagHolder tags;
    std::vector<BYTE> bytes;
};

class CScannerRecorder : public IQXScannerEventObserver
{
public:
    void OnSessionBegin(QX_SCANNER_SESSION_BEGIN_INFO& info) override;
    void OnSessionEnd(QX_SCANNER_SESSION_END_INFO& info) override;
    void OnError(QX_SCANNER_ERROR_INFO& info) override;
    void OnImageFileBegin(QX_SCANNER_IMAGEFILE_BEGIN_INFO& info) override;
    void OnImageFileEnd(QX_SCANNER_IMAGEFILE_END_INFO& info) override;
    void OnImageData(QX_SCANNER_IMAGEDATA_INFO& info) override;

    // Up to ten seconds for the n-th session end.
    bool WaitForSessionEnds(int count);

    std::vector<RECORDED_SCANNER_IMAGE> Images();
    std::vector<QX_SCANNER_SESSION_BEGIN_INFO> Begins();
    std::vector<QX_SCANNER_SESSION_END_INFO> Ends();
    std::vector<int> Errors();
    std::vector<QX_SCANNER_IMAGEFILE_END_INFO> Files();
    // "begin", "image", "error", "file", "end" in arrival order.
    std::vector<std::string> Events();

    std::string fileFolder;        // file transfers are named here
    std::function<void()> onImage; // runs inside OnImageData
    std::atomic<int> sessionEnds{0};
    std::atomic<int> images{0};

private:
    void _Note(const char* event);

    std::mutex m_lock;
    std::vector<RECORDED_SCANNER_IMAGE> m_images;
    std::vector<QX_SCANNER_SESSION_BEGIN_INFO> m_begins;
    std::vector<QX_SCANNER_SESSION_END_INFO> m_ends;
    std::vector<int> m_errors;
    std::vector<QX_SCANNER_IMAGEFILE_END_INFO> m_files;
    std::vector<std::string> m_events;
};
