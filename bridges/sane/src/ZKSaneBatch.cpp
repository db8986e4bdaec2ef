#include "ZKSaneBatch.h"

#include <algorithm>
#include <cstring>

#include "ZKSaneFrameAssembler.h"
#include "ZKSaneStatus.h"

namespace
{
constexpr SANE_Int kReadChunk = 256 * 1024;
// A page is at most a colour page and its three single-colour frames.
constexpr int kMostFrames = 4;
// Images scanned ahead of the one the application is transferring.
constexpr size_t kMostWaiting = 2;
} // namespace

CZKSaneBatch::CZKSaneBatch(CZKSaneDevice& device, const ZK_SANE_BATCH_SETTINGS& settings, FirstResult onFirst)
    : m_device(device), m_settings(settings), m_onFirst(std::move(onFirst))
{
    m_worker = std::thread(&CZKSaneBatch::_Run, this);
}

CZKSaneBatch::~CZKSaneBatch()
{
    Cancel();
    if (m_worker.joinable())
        m_worker.join();
}

// Set under the lock, so a worker between its check and its wait still
// hears of it.
void CZKSaneBatch::Cancel()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_cancel = true;
    }
    m_changed.notify_all();
}

void CZKSaneBatch::StopFeeding()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stopFeeding = true;
    }
    m_changed.notify_all();
}

bool CZKSaneBatch::_WaitForRoom()
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_changed.wait(lock, [this] { return m_cancel || m_stopFeeding || m_pages.size() < kMostWaiting; });
    return !m_cancel && !m_stopFeeding;
}

void CZKSaneBatch::_Run()
{
    int taken = 0;
    while ((m_settings.images < 0 || taken < m_settings.images) && _WaitForRoom())
    {
        const SANE_Status status = m_device.Start();
        // A feeder that runs empty ends the batch; one empty from the start
        // is the application's to hear of. A device-side cancel just ends.
        if ((status == SANE_STATUS_NO_DOCS && taken > 0) || status == SANE_STATUS_CANCELLED)
            break;
        if (status != SANE_STATUS_GOOD)
        {
            _Fail(status);
            break;
        }
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_scanning = true;
        }
        ZK_SANE_PAGE page;
        if (!_ScanImage(page) && m_cancel)
            break;
        const bool failed = page.Failed();
        _Publish(std::move(page));
        ++taken;
        if (failed || !m_settings.feeder)
            break;
    }
    // Ends the device's batch, also after the last page of a good one.
    m_device.Cancel();
    _Finish();
}

// A page that fails keeps the condition that replaces its image.
bool CZKSaneBatch::_ScanImage(ZK_SANE_PAGE& page)
{
    CZKSaneFrameAssembler assembler;
    SANE_Status status = SANE_STATUS_GOOD;
    TW_UINT16 condition = TWCC_SUCCESS;
    for (int frame = 0; frame < kMostFrames; ++frame)
    {
        if (frame > 0 && (status = m_device.Start()) != SANE_STATUS_GOOD)
            break;
        SANE_Parameters parameters{};
        if ((status = m_device.Parameters(parameters)) != SANE_STATUS_GOOD)
            break;
        if (!assembler.BeginFrame(parameters, condition))
            break;
        _Announce(parameters, page);
        if (!_ReadFrame(assembler, condition, status))
            break;
        if (parameters.last_frame)
        {
            if (assembler.Finish(m_settings.dpi, page, condition))
                return true;
            break;
        }
    }
    if (status != SANE_STATUS_GOOD && status != SANE_STATUS_EOF)
    {
        const ZK_SANE_STATUS_MEANING meaning = SZKSaneStatus::Meaning(status);
        page.condition = meaning.condition;
        page.deviceEvent = meaning.deviceEvent;
    }
    else
        page.condition = condition == TWCC_SUCCESS ? TWCC_BADVALUE : condition; // frames that never end
    return false;
}

// What the device said the image would be, kept should it fail to come.
void CZKSaneBatch::_Announce(const SANE_Parameters& parameters, ZK_SANE_PAGE& page) const
{
    int format = SANE_FRAME_GRAY;
    std::memcpy(&format, &parameters.format, sizeof(format)); // maybe a value SANE_Frame does not name
    const bool colour = format != SANE_FRAME_GRAY;
    page.width = static_cast<TW_UINT32>(parameters.pixels_per_line);
    page.height = static_cast<TW_UINT32>(std::max(parameters.lines, 0));
    page.bitsPerPixel = static_cast<TW_UINT16>(parameters.depth == 1 ? 1 : colour ? 24 : 8);
    page.pixelType = parameters.depth == 1 ? TWPT_BW : colour ? TWPT_RGB : TWPT_GRAY;
    page.xDpi = page.yDpi = m_settings.dpi;
}

bool CZKSaneBatch::_ReadFrame(CZKSaneFrameAssembler& assembler, TW_UINT16& condition, SANE_Status& status)
{
    std::vector<SANE_Byte> buffer(static_cast<size_t>(kReadChunk));
    for (;;)
    {
        if (m_cancel)
        {
            status = SANE_STATUS_CANCELLED;
            return false;
        }
        SANE_Int length = 0;
        status = m_device.Read(buffer.data(), kReadChunk, length);
        ++m_reads;
        // A backend that reports more than the buffer holds has already
        // overrun it; nothing it says can be trusted.
        if (length < 0 || length > kReadChunk)
        {
            status = SANE_STATUS_IO_ERROR;
            return false;
        }
        if (length > 0 && !assembler.Append(buffer.data(), static_cast<size_t>(length), condition))
            return false;
        if (status == SANE_STATUS_EOF)
        {
            status = SANE_STATUS_GOOD;
            return true;
        }
        if (status != SANE_STATUS_GOOD)
            return false;
    }
}

void CZKSaneBatch::_Fail(SANE_Status status)
{
    ZK_SANE_PAGE page;
    const ZK_SANE_STATUS_MEANING meaning = SZKSaneStatus::Meaning(status);
    page.condition = meaning.condition;
    page.deviceEvent = meaning.deviceEvent;
    _Publish(std::move(page));
}

void CZKSaneBatch::_Publish(ZK_SANE_PAGE page)
{
    bool first = false;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_pages.push_back(std::move(page));
        m_scanning = false;
        first = !m_firstReported;
        m_firstReported = true;
    }
    m_changed.notify_all();
    if (first && m_onFirst)
        m_onFirst(true);
}

void CZKSaneBatch::_Finish()
{
    bool first = false;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_ended = true;
        m_scanning = false;
        first = !m_firstReported;
        m_firstReported = true;
    }
    m_changed.notify_all();
    if (first && m_onFirst && !m_cancel)
        m_onFirst(false);
}

// A long page is no stall: the wait goes on while reads keep coming.
template <typename Ready> bool CZKSaneBatch::_WaitWhileProgressing(std::chrono::milliseconds timeout, Ready ready)
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;)
    {
        const unsigned reads = m_reads;
        if (m_changed.wait_for(lock, timeout, ready))
            return true;
        if (m_reads == reads || timeout.count() == 0)
            return false;
    }
}

CZKSaneBatch::EWait CZKSaneBatch::WaitFront(std::chrono::milliseconds timeout)
{
    if (!_WaitWhileProgressing(timeout, [this] { return !m_pages.empty() || m_ended; }))
        return EWait::TIMEOUT;
    std::lock_guard<std::mutex> guard(m_lock);
    return m_pages.empty() ? EWait::ENDED : EWait::IMAGE;
}

CZKSaneBatch::EWait CZKSaneBatch::WaitNext(std::chrono::milliseconds timeout)
{
    if (!_WaitWhileProgressing(timeout, [this] { return !m_pages.empty() || m_scanning || m_ended; }))
        return EWait::TIMEOUT;
    std::lock_guard<std::mutex> guard(m_lock);
    return m_pages.empty() && !m_scanning ? EWait::ENDED : EWait::IMAGE;
}

const ZK_SANE_PAGE& CZKSaneBatch::Front()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_pages.front();
}

void CZKSaneBatch::PopFront()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_pages.empty())
            m_pages.pop_front();
    }
    m_changed.notify_all();
}

int CZKSaneBatch::Pending()
{
    std::lock_guard<std::mutex> guard(m_lock);
    const int known = static_cast<int>(m_pages.size()) + (m_scanning ? 1 : 0);
    if (m_ended)
        return known;
    return known > 0 ? -1 : 0;
}
