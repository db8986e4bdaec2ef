#include "ZKSaneSession.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ZKSaneFix32.h"
#include "ZKSaneMemory.h"
#include "ZKSaneNativeImage.h"
#include "ZKSaneStatus.h"

namespace
{
// How long a TWAIN call waits on a device that brings no data at all.
constexpr std::chrono::milliseconds kDeviceWait(30000);
constexpr TW_UINT32 kPreferredStrip = 256 * 1024;
constexpr TW_UINT32 kLargestStrip = 8 * 1024 * 1024;

const TW_UINT16 kDeviceEvents[] = {TWDE_PAPERJAM, TWDE_CHECKDEVICEONLINE, TWDE_DEVICEOFFLINE};

bool IsImageTriplet(TW_UINT32 dg, TW_UINT16 dat)
{
    return dg == DG_IMAGE || (dg == DG_CONTROL && (dat == DAT_PENDINGXFERS || dat == DAT_SETUPMEMXFER));
}
} // namespace

CZKSaneSession::CZKSaneSession(std::unique_ptr<CZKSaneLibrary> library, std::unique_ptr<CZKSaneDevice> device,
                               const TW_IDENTITY& source, const TW_IDENTITY& application, DSMENTRYPROC dsmEntry)
    : m_library(std::move(library)), m_device(std::move(device)), m_options(*m_device), m_source(source),
      m_application(application), m_dsmEntry(dsmEntry)
{
    // Document capture means the feeder: it is the source's default wherever
    // the device has one.
    TW_UINT16 ignored = TWCC_SUCCESS;
    m_options.Apply(CAP_FEEDERENABLED, 1, ignored);
    _LoadCapabilities();
    for (const CZKSaneCapability& cap : m_caps)
        if (CZKSaneOptionMap::Maps(cap.GetId()))
            m_defaults[cap.GetId()] = cap.GetCurrentArray();
}

// The batch stops before the device closes.
CZKSaneSession::~CZKSaneSession()
{
    m_batch.reset();
}

TW_UINT16 CZKSaneSession::_Fail(TW_UINT16 condition)
{
    m_condition = condition;
    return TWRC_FAILURE;
}

TW_UINT16 CZKSaneSession::Entry(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    if (dg == DG_CONTROL && dat == DAT_STATUS)
    {
        auto* status = static_cast<TW_STATUS*>(data);
        if (!status)
            return TWRC_FAILURE;
        status->ConditionCode = m_condition;
        status->Data = 0;
        m_condition = TWCC_SUCCESS;
        return TWRC_SUCCESS;
    }
    m_condition = TWCC_SUCCESS;
    if (!data && !(dg == DG_IMAGE && dat == DAT_IMAGEFILEXFER))
        return _Fail(TWCC_BADVALUE);
    if (IsImageTriplet(dg, dat))
        return _Image(dat, msg, data);
    if (dg != DG_CONTROL)
        return _Fail(TWCC_BADPROTOCOL);
    return _Control(dat, msg, data);
}

TW_UINT16 CZKSaneSession::_Control(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    switch (dat)
    {
    case DAT_CAPABILITY:
        return _Capability(msg, static_cast<TW_CAPABILITY*>(data));
    case DAT_USERINTERFACE:
        return _UserInterface(msg, static_cast<TW_USERINTERFACE*>(data));
    case DAT_DEVICEEVENT:
        return msg == MSG_GET ? _DeviceEvent(static_cast<TW_DEVICEEVENT*>(data)) : _Fail(TWCC_BADPROTOCOL);
    case DAT_XFERGROUP:
        if (msg != MSG_GET)
            return _Fail(TWCC_BADPROTOCOL);
        *static_cast<TW_UINT32*>(data) = DG_IMAGE;
        return TWRC_SUCCESS;
    case DAT_EVENT:
        // Events travel through the manager's callback; none wait here.
        if (msg != MSG_PROCESSEVENT)
            return _Fail(TWCC_BADPROTOCOL);
        static_cast<TW_EVENT*>(data)->TWMessage = MSG_NULL;
        return TWRC_NOTDSEVENT;
    case DAT_IDENTITY:
        if (msg != MSG_CLOSEDS)
            return _Fail(TWCC_BADPROTOCOL);
        return m_state == 4 ? TWRC_SUCCESS : _Fail(TWCC_SEQERROR);
    default:
        return _Fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 CZKSaneSession::_Image(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    if (dat == DAT_PENDINGXFERS)
        return _PendingTransfers(msg, static_cast<TW_PENDINGXFERS*>(data));
    if (dat == DAT_IMAGELAYOUT)
        return _ImageLayout(msg, static_cast<TW_IMAGELAYOUT*>(data));
    if (msg != MSG_GET)
        return _Fail(TWCC_BADPROTOCOL);
    switch (dat)
    {
    case DAT_SETUPMEMXFER:
        return _SetupMemory(static_cast<TW_SETUPMEMXFER*>(data));
    case DAT_IMAGEINFO:
        return _ImageInfo(static_cast<TW_IMAGEINFO*>(data));
    case DAT_IMAGEMEMXFER:
        return _MemoryTransfer(static_cast<TW_IMAGEMEMXFER*>(data));
    case DAT_IMAGENATIVEXFER:
        return _NativeTransfer(static_cast<TW_HANDLE*>(data));
    default:
        return _Fail(TWCC_BADPROTOCOL);
    }
}

// ---- Capabilities -------------------------------------------------------

// The device's capabilities are read again after every change: one option
// may change what others allow.
void CZKSaneSession::_LoadCapabilities()
{
    std::vector<CZKSaneCapability> caps = m_options.Capabilities();
    for (CZKSaneCapability& cap : caps)
    {
        auto found = m_defaults.find(cap.GetId());
        if (found != m_defaults.end() && !found->second.empty())
            cap.SetDefault(found->second.front());
    }
    // The bridge's own: kept across reloads.
    for (TW_UINT16 id : {CAP_XFERCOUNT, ICAP_XFERMECH, CAP_DEVICEEVENT, CAP_INDICATORS})
        if (CZKSaneCapability* own = _Find(id))
            caps.push_back(*own);
    if (!_Find(CAP_XFERCOUNT))
    {
        caps.push_back(CZKSaneCapability::One(CAP_XFERCOUNT, TWTY_INT16, -1, -1, 32767));
        caps.push_back(CZKSaneCapability::List(ICAP_XFERMECH, TWTY_UINT16, {TWSX_NATIVE, TWSX_MEMORY}, TWSX_NATIVE));
        caps.push_back(CZKSaneCapability::Array(CAP_DEVICEEVENT, TWTY_UINT16,
                                                std::vector<double>(std::begin(kDeviceEvents), std::end(kDeviceEvents)),
                                                {}, true));
        caps.push_back(CZKSaneCapability::List(CAP_INDICATORS, TWTY_BOOL, {0, 1}, 0));
    }
    caps.push_back(CZKSaneCapability::List(ICAP_UNITS, TWTY_UINT16, {TWUN_INCHES}, TWUN_INCHES, false));
    caps.push_back(CZKSaneCapability::List(ICAP_COMPRESSION, TWTY_UINT16, {TWCP_NONE}, TWCP_NONE, false));
    caps.push_back(CZKSaneCapability::List(ICAP_PIXELFLAVOR, TWTY_UINT16, {TWPF_CHOCOLATE}, TWPF_CHOCOLATE, false));
    caps.push_back(CZKSaneCapability::List(ICAP_PLANARCHUNKY, TWTY_UINT16, {TWPC_CHUNKY}, TWPC_CHUNKY, false));
    caps.push_back(CZKSaneCapability::One(CAP_UICONTROLLABLE, TWTY_BOOL, 1, 1, 1, false));
    caps.push_back(CZKSaneCapability::One(CAP_DEVICEONLINE, TWTY_BOOL, 1, 1, 1, false));
    std::vector<double> ids;
    for (const CZKSaneCapability& cap : caps)
        ids.push_back(cap.GetId());
    ids.push_back(CAP_SUPPORTEDCAPS);
    caps.push_back(CZKSaneCapability::Array(CAP_SUPPORTEDCAPS, TWTY_UINT16, ids, ids, false));
    m_caps.swap(caps);
}

CZKSaneCapability* CZKSaneSession::_Find(TW_UINT16 id)
{
    auto found = std::find_if(m_caps.begin(), m_caps.end(), [id](const CZKSaneCapability& c) { return c.GetId() == id; });
    return found == m_caps.end() ? nullptr : &*found;
}

TW_UINT16 CZKSaneSession::_Capability(TW_UINT16 msg, TW_CAPABILITY* cap)
{
    CZKSaneCapability* found = _Find(cap->Cap);
    if (!found)
        return _Fail(TWCC_CAPUNSUPPORTED);
    if (msg != MSG_SET && msg != MSG_RESET)
        return found->Get(msg, *cap, m_condition);
    // Settings change in state 4 only: a batch owns the device after that.
    if (m_state != 4)
        return _Fail(TWCC_SEQERROR);
    if (!found->IsSettable())
        return _Fail(TWCC_CAPBADOPERATION);
    std::vector<double> values = found->GetDefault();
    if (msg == MSG_SET && found->Requested(*cap, values, m_condition) != TWRC_SUCCESS)
        return TWRC_FAILURE;
    const TW_UINT16 id = found->GetId();
    const TW_UINT16 rc = _SetCapability(*found, values);
    if (rc != TWRC_SUCCESS || msg != MSG_RESET)
        return rc;
    // A reset answers with the value now current, like MSG_GETCURRENT.
    return _Find(id)->Get(MSG_GETCURRENT, *cap, m_condition);
}

TW_UINT16 CZKSaneSession::_SetCapability(CZKSaneCapability& cap, const std::vector<double>& values)
{
    if (!CZKSaneOptionMap::Maps(cap.GetId()))
    {
        cap.SetCurrent(values);
        return TWRC_SUCCESS;
    }
    if (values.empty())
        return _Fail(TWCC_BADVALUE);
    const TW_UINT16 id = cap.GetId();
    const double wanted = values.front();
    const TW_UINT16 rc = m_options.Apply(id, wanted, m_condition);
    _LoadCapabilities();
    if (rc != TWRC_SUCCESS)
        return rc;
    // The device may have rounded: the application learns it took another value.
    const CZKSaneCapability* now = _Find(id);
    return now && std::fabs(now->GetCurrent() - wanted) > 1e-3 ? TWRC_CHECKSTATUS : TWRC_SUCCESS;
}

// ---- Acquisition ---------------------------------------------------------

void CZKSaneSession::_Signal(TW_UINT16 msg)
{
    if (m_dsmEntry)
        m_dsmEntry(&m_source, &m_application, DG_CONTROL, DAT_NULL, msg, nullptr);
}

// On the batch's worker: the source moves to state 6 before the application
// hears of it, so its first call finds the image.
void CZKSaneSession::_OnFirstResult(bool anyImage)
{
    if (anyImage)
    {
        m_state = 6;
        _Signal(MSG_XFERREADY);
    }
    else
        _Signal(MSG_CLOSEDSREQ);
}

TW_UINT16 CZKSaneSession::_UserInterface(TW_UINT16 msg, TW_USERINTERFACE*)
{
    if (msg == MSG_DISABLEDS)
    {
        if (m_state != 5)
            return _Fail(TWCC_SEQERROR);
        _EndBatch();
        m_state = 4;
        return TWRC_SUCCESS;
    }
    if (msg != MSG_ENABLEDS)
        return _Fail(msg == MSG_ENABLEDSUIONLY ? TWCC_CAPUNSUPPORTED : TWCC_BADPROTOCOL);
    if (m_state != 4)
        return _Fail(TWCC_SEQERROR);
    ZK_SANE_BATCH_SETTINGS settings;
    settings.images = static_cast<int>(_Find(CAP_XFERCOUNT)->GetCurrent());
    settings.feeder = m_options.FeederEnabled();
    settings.dpi = m_options.Resolution();
    m_rowsSent = 0;
    m_pagesDone = 0;
    m_state = 5; // before the worker can move on to 6
    m_batch = std::make_unique<CZKSaneBatch>(*m_device, settings, [this](bool any) { _OnFirstResult(any); });
    return TWRC_SUCCESS;
}

void CZKSaneSession::_EndBatch()
{
    m_batch.reset();
    m_rowsSent = 0;
}

TW_UINT16 CZKSaneSession::_PendingTransfers(TW_UINT16 msg, TW_PENDINGXFERS* pending)
{
    pending->EOJ = 0;
    if (msg == MSG_GET)
    {
        pending->Count = static_cast<TW_UINT16>(m_batch && m_state >= 6 ? m_batch->Pending() : 0);
        return TWRC_SUCCESS;
    }
    if (m_state != 6 && m_state != 7)
        return _Fail(TWCC_SEQERROR);
    switch (msg)
    {
    case MSG_ENDXFER:
        // Ending an image not yet transferred discards it.
        if (m_state == 6 && m_batch->WaitFront(kDeviceWait) != CZKSaneBatch::EWait::IMAGE)
            break;
        m_batch->PopFront();
        m_rowsSent = 0;
        ++m_pagesDone;
        // Whether another image follows is known once the next scan started.
        m_batch->WaitNext(kDeviceWait);
        break;
    case MSG_RESET:
        if (m_state != 6)
            return _Fail(TWCC_SEQERROR);
        _EndBatch();
        break;
    case MSG_STOPFEEDER:
        if (m_state != 6)
            return _Fail(TWCC_SEQERROR);
        m_batch->StopFeeding();
        break;
    default:
        return _Fail(TWCC_BADPROTOCOL);
    }
    const int count = m_batch ? m_batch->Pending() : 0;
    pending->Count = static_cast<TW_UINT16>(count);
    if (count == 0)
    {
        _EndBatch();
        m_state = 5;
    }
    else
        m_state = 6;
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSaneSession::_DeviceEvent(TW_DEVICEEVENT* event)
{
    std::lock_guard<std::mutex> guard(m_eventLock);
    if (m_deviceEvents.empty())
        return _Fail(TWCC_SEQERROR);
    *event = m_deviceEvents.front();
    m_deviceEvents.pop_front();
    return TWRC_SUCCESS;
}

void CZKSaneSession::_RaiseDeviceEvent(TW_UINT16 code)
{
    const std::vector<double>& wanted = _Find(CAP_DEVICEEVENT)->GetCurrentArray();
    if (std::find(wanted.begin(), wanted.end(), double(code)) == wanted.end())
        return;
    TW_DEVICEEVENT event{};
    event.Event = code;
    std::memcpy(event.DeviceName, m_source.ProductName, sizeof(m_source.ProductName));
    {
        std::lock_guard<std::mutex> guard(m_eventLock);
        m_deviceEvents.push_back(event);
    }
    _Signal(MSG_DEVICEEVENT);
}

// ---- Transfers -----------------------------------------------------------

TW_UINT16 CZKSaneSession::_FrontImage(const ZK_SANE_PAGE*& page)
{
    page = nullptr;
    if ((m_state != 6 && m_state != 7) || !m_batch)
        return _Fail(TWCC_SEQERROR);
    switch (m_batch->WaitFront(kDeviceWait))
    {
    case CZKSaneBatch::EWait::TIMEOUT:
        return _Fail(TWCC_OPERATIONERROR);
    case CZKSaneBatch::EWait::ENDED:
        // The image announced did not come (the device ended the batch):
        // a cancelled transfer, which MSG_ENDXFER closes.
        m_state = 7;
        return TWRC_CANCEL;
    case CZKSaneBatch::EWait::IMAGE:
        break;
    }
    page = &m_batch->Front();
    return TWRC_SUCCESS;
}

// The transfer of an image the device failed to bring fails with its
// condition, after the device event the application asked for.
TW_UINT16 CZKSaneSession::_FailedImage(const ZK_SANE_PAGE& page)
{
    _RaiseDeviceEvent(page.deviceEvent);
    return _Fail(page.condition);
}

TW_UINT16 CZKSaneSession::_ImageInfo(TW_IMAGEINFO* info)
{
    const ZK_SANE_PAGE* page = nullptr;
    // An image that failed still tells what it was to be; its transfer fails.
    const TW_UINT16 rc = _FrontImage(page);
    if (rc != TWRC_SUCCESS)
    {
        if (rc == TWRC_CANCEL)
            m_state = 6; // only a transfer moves on to state 7
        return rc == TWRC_CANCEL ? _Fail(TWCC_SEQERROR) : rc;
    }
    std::memset(info, 0, sizeof(*info));
    info->XResolution = SZKSaneFix32::From(page->xDpi);
    info->YResolution = SZKSaneFix32::From(page->yDpi);
    info->ImageWidth = static_cast<TW_INT32>(page->width);
    info->ImageLength = static_cast<TW_INT32>(page->height);
    info->SamplesPerPixel = static_cast<TW_INT16>(page->Samples());
    for (int i = 0; i < page->Samples(); ++i)
        info->BitsPerSample[i] = static_cast<TW_INT16>(page->bitsPerPixel / page->Samples());
    info->BitsPerPixel = static_cast<TW_INT16>(page->bitsPerPixel);
    info->Planar = 0;
    info->PixelType = static_cast<TW_INT16>(page->pixelType);
    info->Compression = TWCP_NONE;
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSaneSession::_ImageLayout(TW_UINT16 msg, TW_IMAGELAYOUT* layout)
{
    if (msg == MSG_SET || msg == MSG_RESET)
    {
        if (m_state != 4)
            return _Fail(TWCC_SEQERROR);
        const TW_UINT16 rc = msg == MSG_SET ? m_options.SetFrame(layout->Frame, m_condition)
                                            : m_options.ResetFrame(m_condition);
        if (rc != TWRC_SUCCESS)
            return rc;
        _LoadCapabilities();
        const TW_FRAME wanted = layout->Frame;
        m_options.GetFrame(layout->Frame);
        const bool exact = msg == MSG_RESET || std::memcmp(&wanted, &layout->Frame, sizeof(wanted)) == 0;
        return exact ? TWRC_SUCCESS : TWRC_CHECKSTATUS;
    }
    if (msg != MSG_GET && msg != MSG_GETCURRENT && msg != MSG_GETDEFAULT)
        return _Fail(TWCC_BADPROTOCOL);
    if (!m_options.GetFrame(layout->Frame))
        return _Fail(TWCC_BADPROTOCOL);
    layout->DocumentNumber = m_pagesDone + 1;
    layout->PageNumber = m_pagesDone + 1;
    layout->FrameNumber = 1;
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSaneSession::_SetupMemory(TW_SETUPMEMXFER* setup)
{
    if (m_state < 4 || m_state > 6)
        return _Fail(TWCC_SEQERROR);
    // Before the image is known, the widest row the device can scan.
    TW_FRAME frame{};
    double row = 0;
    if (m_options.GetFrame(frame))
        row = std::ceil(SZKSaneFix32::ToDouble(frame.Right) * m_options.Resolution()) * 3;
    if (m_state == 6 && m_batch && m_batch->WaitFront(std::chrono::milliseconds(0)) == CZKSaneBatch::EWait::IMAGE &&
        !m_batch->Front().Failed())
        row = m_batch->Front().BytesPerRow();
    const auto minimum = static_cast<TW_UINT32>(std::min<double>(std::max(row, 1.0), kLargestStrip));
    setup->MinBufSize = minimum;
    setup->MaxBufSize = std::max(minimum, kLargestStrip);
    setup->Preferred = std::max(minimum, kPreferredStrip);
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSaneSession::_MemoryTransfer(TW_IMAGEMEMXFER* block)
{
    if (_Find(ICAP_XFERMECH)->GetCurrent() != TWSX_MEMORY)
        return _Fail(TWCC_SEQERROR);
    const ZK_SANE_PAGE* page = nullptr;
    const TW_UINT16 rc = _FrontImage(page);
    if (rc != TWRC_SUCCESS)
        return rc;
    if (page->Failed())
        return _FailedImage(*page);
    const TW_UINT32 rowBytes = page->BytesPerRow();
    if (!block->Memory.TheMem || block->Memory.Length < rowBytes)
        return _Fail(TWCC_BADVALUE);
    const bool handle = (block->Memory.Flags & TWMF_HANDLE) != 0;
    auto* target = static_cast<uint8_t*>(handle ? SZKSaneMemory::Lock(block->Memory.TheMem) : block->Memory.TheMem);
    if (!target)
        return _Fail(TWCC_BADVALUE);
    const TW_UINT32 rows = std::min(block->Memory.Length / rowBytes, page->height - m_rowsSent);
    std::memcpy(target, page->rows.data() + size_t(m_rowsSent) * rowBytes, size_t(rows) * rowBytes);
    if (handle)
        SZKSaneMemory::Unlock(block->Memory.TheMem);
    block->Compression = TWCP_NONE;
    block->BytesPerRow = rowBytes;
    block->Columns = page->width;
    block->Rows = rows;
    block->XOffset = 0;
    block->YOffset = m_rowsSent;
    block->BytesWritten = rows * rowBytes;
    m_rowsSent += rows;
    m_state = 7;
    return m_rowsSent >= page->height ? TWRC_XFERDONE : TWRC_SUCCESS;
}

TW_UINT16 CZKSaneSession::_NativeTransfer(TW_HANDLE* handle)
{
    *handle = nullptr;
    if (m_state != 6)
        return _Fail(TWCC_SEQERROR);
    if (_Find(ICAP_XFERMECH)->GetCurrent() != TWSX_NATIVE)
        return _Fail(TWCC_SEQERROR);
    const ZK_SANE_PAGE* page = nullptr;
    const TW_UINT16 rc = _FrontImage(page);
    if (rc != TWRC_SUCCESS)
        return rc;
    if (page->Failed())
        return _FailedImage(*page);
    *handle = SZKSaneNativeImage::Dib(*page);
    if (!*handle)
        return _Fail(TWCC_LOWMEMORY);
    m_state = 7;
    return TWRC_XFERDONE;
}
