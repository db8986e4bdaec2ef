#include "QXScanSession.h"

#include "QXScanFileImage.h"
#include "QXScanInterrupt.h"
#include "QXScanProgress.h"
#include "QXScanScannerAccess.h"
#include "QXScanSettingsFile.h"

#include <mirelight/QXScanner.h>
#include <mirelight/QX_SCANNER_ERROR_INFO.h>
#include <mirelight/QX_SCANNER_IMAGEDATA_INFO.h>
#include <mirelight/QX_SCANNER_IMAGEFILE_BEGIN_INFO.h>

#include <fennick/ZKTWSourceManager.h>
#include <hollin/ZKBuffer.h>
#include <hollin/ZKCommon.h>
#include <twaindefs/ZKTwainConstants.h>
#include <wincompat/ZKThread.h>

#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace
{
// How long a cancelled or failed session may take to report its end.
constexpr int kEndWaitMs = 20000;
// After Ctrl-C, how long the last image of the sheet under way may take.
constexpr int kSheetEndWaitMs = 3000;
constexpr int kProgressEveryMs = 100;

WORD TransferMode(const std::string& name)
{
    if (name == "native")
        return TWSX_NATIVE;
    return name == "file" ? TWSX_FILE : TWSX_MEMORY;
}

WORD PixelType(const std::string& mode)
{
    if (mode == "gray")
        return TWPT_GRAY;
    return mode == "color" ? TWPT_RGB : TWPT_BW;
}

// G4 and JPEG come from the scanner, coded, when it can; otherwise raw.
// A PDF takes bitonal pages as G4 and grey or colour ones as JPEG.
WORD Compression(const QXSCAN_OPTIONS& options)
{
    const bool bitonal = options.mode.empty() || options.mode == "bw";
    if ((options.format == "tiff-g4" || options.format == "pdf") && bitonal)
        return TWCP_GROUP4;
    if (options.format == "jpeg" || options.format == "pdf")
        return TWCP_JPEG;
    return TWCP_NONE;
}

EQXScanExitCode ExitCodeOf(int scannerError)
{
    switch (scannerError)
    {
    case QX_SCANNER_ERROR_CANCELLED:
        return QXSCAN_EXIT_CANCELLED;
    case QX_SCANNER_ERROR_PAPERJAM:
        return QXSCAN_EXIT_PAPER_JAM;
    case QX_SCANNER_ERROR_DOUBLEFEED:
        return QXSCAN_EXIT_DOUBLE_FEED;
    default:
        return QXSCAN_EXIT_FAILURE;
    }
}
const char* FailureText(EQXScanExitCode code)
{
    switch (code)
    {
    case QXSCAN_EXIT_PAPER_JAM:
        return "paper jam";
    case QXSCAN_EXIT_DOUBLE_FEED:
        return "double feed";
    case QXSCAN_EXIT_OFFLINE:
        return "scanner offline or cover open";
    case QXSCAN_EXIT_CANCELLED:
        return "scan cancelled at the scanner";
    default:
        return "scanner failure";
    }
}
} // namespace

CQXScanSession::CQXScanSession(const QXSCAN_OPTIONS& options)
    : m_options(options), m_writer(options.outFolder, options.format, options.multipage)
{
}

EQXScanExitCode CQXScanSession::Run(std::string& error)
{
    EQXScanExitCode code = _PrepareOutput(error);
    if (code != QXSCAN_EXIT_OK)
        return code;
    CQXScanScannerAccess access;
    // The transfer mechanism is negotiated when the scanner opens.
    access.Scanner().SetTagValue(14, static_cast<int>(TransferMode(m_options.transfer)));
    code = access.Open(m_options.scanner, error);
    if (code != QXSCAN_EXIT_OK)
        return code;
    CQXScanner& scanner = access.Scanner();
    m_twain = scanner.GetSessionManager().GetTWAIN();
    m_scanner = &scanner;
    scanner.SetObserver(this);
    code = _Configure(scanner, error);
    if (code == QXSCAN_EXIT_OK)
        code = _Acquire(scanner, error);
    scanner.SetObserver(nullptr);
    m_scanner = nullptr;
    std::string finishError;
    if (!m_writer.Finish(finishError) && code == QXSCAN_EXIT_OK)
    {
        error = finishError;
        code = QXSCAN_EXIT_OUTPUT;
    }
    return code;
}

EQXScanExitCode CQXScanSession::_PrepareOutput(std::string& error)
{
    std::error_code fsError;
    fs::create_directories(m_options.outFolder, fsError);
    if (fsError || !fs::is_directory(m_options.outFolder) ||
        !m_index.Open(m_options.outFolder + "/index.jsonl"))
    {
        error = "cannot write to the output folder " + m_options.outFolder;
        return QXSCAN_EXIT_OUTPUT;
    }
    return QXSCAN_EXIT_OK;
}

EQXScanExitCode CQXScanSession::_Configure(CQXScanner& scanner, std::string& error)
{
    if (!m_options.settingsFile.empty())
    {
        CQXScanSettingsFile settings;
        EQXScanExitCode code = settings.Load(m_options.settingsFile, error);
        if (code == QXSCAN_EXIT_OK)
            code = settings.Apply(scanner, error);
        if (code != QXSCAN_EXIT_OK)
            return code;
    }
    if (m_options.duplex && !scanner.SetTagValue(1, 1))
    {
        error = "the scanner cannot scan duplex";
        return QXSCAN_EXIT_BAD_ARGUMENTS;
    }
    if (m_options.repeat)
    {
        scanner.SetTagValue(7, 1);
        scanner.SetTagValue(8, m_options.pauseMs);
    }
    return _SetCapabilities(scanner, error);
}

EQXScanExitCode CQXScanSession::_SetCapabilities(CQXScanner& scanner, std::string& error)
{
    CZKTWSourceManager* twain = scanner.GetSessionManager().GetTWAIN();
    if (!twain)
        return QXSCAN_EXIT_OK; // ISIS drivers keep their own settings
    if (!m_options.mode.empty())
    {
        const TW_UINT16 pixelType = PixelType(m_options.mode);
        if (twain->SetCapOnevalue(ICAP_PIXELTYPE, TWTY_UINT16, &pixelType) != ZKTW_CAP_SUCCESS)
        {
            error = "the scanner does not offer --mode " + m_options.mode;
            return QXSCAN_EXIT_BAD_ARGUMENTS;
        }
    }
    if (m_options.dpi > 0)
    {
        const TW_FIX32 dpi = {static_cast<TW_INT16>(m_options.dpi), 0};
        if (twain->SetCapOnevalue(ICAP_XRESOLUTION, TWTY_FIX32, &dpi) != ZKTW_CAP_SUCCESS ||
            twain->SetCapOnevalue(ICAP_YRESOLUTION, TWTY_FIX32, &dpi) != ZKTW_CAP_SUCCESS)
        {
            error = "the scanner does not offer --dpi " + std::to_string(m_options.dpi);
            return QXSCAN_EXIT_BAD_ARGUMENTS;
        }
    }
    // A scanner without the compression delivers raw rows; the writer codes
    // those itself where the format asks for it.
    const TW_UINT16 compression = Compression(m_options);
    twain->SetCapOnevalue(ICAP_COMPRESSION, TWTY_UINT16, &compression);
    return QXSCAN_EXIT_OK;
}

EQXScanExitCode CQXScanSession::_Acquire(CQXScanner& scanner, std::string& error)
{
    CQXScanProgress progress(stdout);
    CQXScanInterrupt::Install();
    if (!scanner.Acquire(nullptr, m_options.pages))
    {
        m_ended = true;
        if (m_scannerError == QX_SCANNER_ERROR_NONE)
            m_scannerError = QX_SCANNER_ERROR_FAILURE;
    }
    else
        _WaitForEnd(scanner, progress);
    const EQXScanExitCode code = _Outcome(scanner, error);
    std::lock_guard<std::mutex> guard(m_lock);
    progress.Summary(m_images, static_cast<int>(m_files.size()),
                     code == QXSCAN_EXIT_OK ? "done" : "stopped");
    return code;
}

void CQXScanSession::_WaitForEnd(CQXScanner& scanner, CQXScanProgress& progress)
{
    int sinceProgress = 0;
    int afterCancel = 0;
    while (!m_ended && afterCancel < kEndWaitMs)
    {
        if (CQXScanInterrupt::Requested() && !m_cancelled)
            m_cancelled = true;
        // Stopping at once would drop the rest of the sheet under way; that
        // waits for its last image, unless nothing more is coming or
        // nothing more can be kept.
        if (m_cancelled && (afterCancel >= kSheetEndWaitMs || !_StopsAtSheetEnd()))
            _StopFeeder(scanner);
        ZKSleep(1);
        if (m_cancelled)
            ++afterCancel;
        if (++sinceProgress >= kProgressEveryMs)
        {
            progress.Update(m_images, m_sheet);
            sinceProgress = 0;
        }
    }
    if (!m_ended)
        scanner.CancelAcquire(TRUE);
}

EQXScanExitCode CQXScanSession::_Outcome(CQXScanner& scanner, std::string& error) const
{
    if (!m_writeError.empty())
    {
        error = m_writeError;
        return QXSCAN_EXIT_OUTPUT;
    }
    if (m_cancelled)
    {
        error = "scan cancelled; " + std::to_string(m_images) + " pages kept";
        return QXSCAN_EXIT_CANCELLED;
    }
    const int scannerError = m_scannerError;
    if (scannerError == QX_SCANNER_ERROR_NONE)
        return QXSCAN_EXIT_OK;
    EQXScanExitCode code = ExitCodeOf(scannerError);
    if (code == QXSCAN_EXIT_FAILURE && !scanner.IsOnline())
        code = QXSCAN_EXIT_OFFLINE;
    error = std::string(FailureText(code)) + " after " + std::to_string(m_images) + " pages";
    return code;
}

void CQXScanSession::OnSessionBegin(QX_SCANNER_SESSION_BEGIN_INFO& info)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_session = info;
}

void CQXScanSession::OnSessionEnd(QX_SCANNER_SESSION_END_INFO&)
{
    m_ended = true;
}

void CQXScanSession::OnError(QX_SCANNER_ERROR_INFO& info)
{
    // The stop at --pages is the tool's own, not the operator's cancel.
    if (m_pagesStop && info.nError == QX_SCANNER_ERROR_CANCELLED)
        return;
    // The first error is the cause; later ones follow from it.
    int none = QX_SCANNER_ERROR_NONE;
    m_scannerError.compare_exchange_strong(none, info.nError);
}

void CQXScanSession::OnImageFileBegin(QX_SCANNER_IMAGEFILE_BEGIN_INFO& info)
{
    std::lock_guard<std::mutex> guard(m_lock);
    char name[32];
    std::snprintf(name, sizeof(name), "image%04d.tif", m_images.load() + 1);
    info.strFileName = SZKCommon::MBStoWCS(m_options.outFolder + "/" + name);
    info.wFormat = TWFF_TIFF;
}

void CQXScanSession::OnImageFileEnd(QX_SCANNER_IMAGEFILE_END_INFO& info)
{
    // The scanner wrote the file itself: only its index line is ours.
    const std::string path = SZKCommon::WCStoMBS(info.strFileName);
    std::lock_guard<std::mutex> guard(m_lock);
    QXSCAN_IMAGE image;
    CQXScanFileImage::Describe(path, m_twain, m_session, image);
    std::error_code sizeError;
    const uintmax_t size = fs::file_size(path, sizeError);
    _Record(image, fs::path(path).filename().string(), 0, sizeError ? 0 : static_cast<size_t>(size));
}

void CQXScanSession::OnImageData(QX_SCANNER_IMAGEDATA_INFO& info)
{
    // The records are ours now; the bytes only during the call.
    std::unique_ptr<QX_SCANNER_IMAGE_INFO> imageInfo(info.pImageInfo);
    std::unique_ptr<CZKTagHolder> tags(info.pTags);
    if (_ImageBeyondPages())
        return; // the rest of the sheet under way when the feeder stopped
    QXSCAN_IMAGE image;
    if (imageInfo)
        image.info = *imageInfo;
    if (tags)
        image.tags = *tags;
    if (info.pData && info.pData->GetPtr())
        image.bytes.assign(info.pData->GetPtr(), info.pData->GetPtr() + info.pData->GetSize());
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_writeError.empty() || _ImageBeyondPages())
            return;
        std::string file;
        int page = 0;
        std::string error;
        if (!m_writer.Write(image, file, page, error))
        {
            _WriteFailed(error);
            return;
        }
        _Record(image, file, page, image.bytes.size());
    }
    _StopAtPages();
    if (m_cancelled && _StopsAtSheetEnd() && _EndsSheet(image))
        if (CQXScanner* scanner = m_scanner.load())
            _StopFeeder(*scanner);
}

bool CQXScanSession::_StopsAtSheetEnd() const
{
    // A TWAIN source drops the pending images when stopped during an
    // image; ISIS drivers finish the sheet under way themselves.
    return m_twain && !m_writeFailed;
}

bool CQXScanSession::_EndsSheet(const QXSCAN_IMAGE& image) const
{
    return !m_options.duplex || image.info.imageSide.value == 2;
}

void CQXScanSession::_StopFeeder(CQXScanner& scanner)
{
    if (!m_feederStopped.exchange(true))
        scanner.CancelAcquire(FALSE);
}

bool CQXScanSession::_CountsPagesItself() const
{
    return !m_twain && m_options.pages > 0;
}

bool CQXScanSession::_ImageBeyondPages() const
{
    return _CountsPagesItself() && m_images >= m_options.pages;
}

void CQXScanSession::_StopAtPages()
{
    if (!_CountsPagesItself() || m_images < m_options.pages || m_pagesStop.exchange(true))
        return;
    // From the scanner's own thread: the stop takes effect after the sheet
    // under way, without waiting here for the run to end.
    if (CQXScanner* scanner = m_scanner.load())
        scanner->CancelAcquire(FALSE);
}

void CQXScanSession::_Record(const QXSCAN_IMAGE& image, const std::string& file, int page, size_t bytes)
{
    const int number = ++m_images;
    LONG sheet = 0;
    if (image.tags.GetValue(202, sheet))
        m_sheet = sheet;
    m_files.insert(file);
    if (!m_index.Add(number, image, file, page, bytes))
        _WriteFailed("cannot write index.jsonl");
}

void CQXScanSession::_WriteFailed(const std::string& error)
{
    m_writeError = error;
    m_writeFailed = true;
    // Nothing more can be kept: stop the feeder rather than lose pages.
    CQXScanInterrupt::Request();
}
