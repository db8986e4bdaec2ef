// One `qxscan scan` run: opens the scanner, applies the options, acquires,
// writes every delivered image and its index line as it arrives, and turns
// the way the session ended into an exit code and a one-line message.
#pragma once

#include "QXScanExitCode.h"
#include "QXScanImageWriter.h"
#include "QXScanIndexWriter.h"
#include "QXScanOptions.h"

#include <mirelight/QXScannerEventObserver.h>
#include <mirelight/QX_SCANNER_SESSION_BEGIN_INFO.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>

class CQXScanner;
class CQXScanProgress;
class CZKTWSourceManager;

class CQXScanSession : public IQXScannerEventObserver
{
public:
    explicit CQXScanSession(const QXSCAN_OPTIONS& options);
    EQXScanExitCode Run(std::string& error);

    void OnSessionBegin(QX_SCANNER_SESSION_BEGIN_INFO& info) override;
    void OnSessionEnd(QX_SCANNER_SESSION_END_INFO& info) override;
    void OnError(QX_SCANNER_ERROR_INFO& info) override;
    void OnImageFileBegin(QX_SCANNER_IMAGEFILE_BEGIN_INFO& info) override;
    void OnImageFileEnd(QX_SCANNER_IMAGEFILE_END_INFO& info) override;
    void OnImageData(QX_SCANNER_IMAGEDATA_INFO& info) override;

private:
    EQXScanExitCode _PrepareOutput(std::string& error);
    EQXScanExitCode _Configure(CQXScanner& scanner, std::string& error);
    EQXScanExitCode _SetCapabilities(CQXScanner& scanner, std::string& error);
    EQXScanExitCode _Acquire(CQXScanner& scanner, std::string& error);
    void _WaitForEnd(CQXScanner& scanner, CQXScanProgress& progress);
    EQXScanExitCode _Outcome(CQXScanner& scanner, std::string& error) const;
    // bytes: what the scanner sent, or the size of the file it wrote.
    void _Record(const QXSCAN_IMAGE& image, const std::string& file, int page, size_t bytes);
    void _WriteFailed(const std::string& error);
    // ISIS drivers count --pages in sheets and finish the sheet under way
    // when stopped: the tool counts images itself, stops the feeder at the
    // last one asked for and keeps no image beyond it.
    bool _CountsPagesItself() const;
    bool _ImageBeyondPages() const;
    void _StopAtPages();
    // Ctrl-C on a TWAIN scanner stops the feeder once the sheet under way
    // has been delivered whole.
    bool _StopsAtSheetEnd() const;
    bool _EndsSheet(const QXSCAN_IMAGE& image) const;
    void _StopFeeder(CQXScanner& scanner);

    QXSCAN_OPTIONS m_options;
    CQXScanImageWriter m_writer;
    CQXScanIndexWriter m_index;
    std::mutex m_lock;
    std::set<std::string> m_files;
    QX_SCANNER_SESSION_BEGIN_INFO m_session; // of the pass under way
    CZKTWSourceManager* m_twain = nullptr;   // null for ISIS drivers
    std::atomic<CQXScanner*> m_scanner{nullptr}; // while scanning
    std::string m_writeError;
    std::atomic<bool> m_writeFailed{false}; // m_writeError is set
    std::atomic<int> m_images{0};
    std::atomic<long> m_sheet{0};
    std::atomic<int> m_scannerError{0};
    std::atomic<bool> m_ended{false};
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_pagesStop{false}; // the feeder stopped at --pages
    std::atomic<bool> m_feederStopped{false}; // after Ctrl-C
};
