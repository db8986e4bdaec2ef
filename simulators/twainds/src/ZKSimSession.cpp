#include "ZKSimSession.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ZKSimInjectedFault.h"
#include "ZKSimScanSettingsReader.h"

namespace
{
// The maker's image address of the next document, "fixed.level3.level2.level1".
constexpr TW_UINT16 kImageAddressCap = 0x8015;

ZKSimItem Uint16Item(TW_UINT16 value)
{
    ZKSimItem item(sizeof(value));
    std::memcpy(item.data(), &value, sizeof(value));
    return item;
}

// The capability list every source reports; built from what the profile holds.
CZKSimCapability SupportedCaps(const std::vector<CZKSimCapability>& caps)
{
    std::vector<ZKSimItem> ids;
    for (const CZKSimCapability& cap : caps)
        ids.push_back(Uint16Item(cap.GetId()));
    ids.push_back(Uint16Item(CAP_SUPPORTEDCAPS));
    CZKSimCapability supported;
    supported.SetId(CAP_SUPPORTEDCAPS);
    supported.SetItemType(TWTY_UINT16);
    supported.SetContainer(TWON_ARRAY);
    supported.SetOperations(TWQC_GET | TWQC_GETCURRENT | TWQC_GETDEFAULT);
    supported.SetItems(ids);
    std::string unused;
    supported.Validate(unused);
    return supported;
}

std::string Bounded(const char* text, size_t size)
{
    return std::string(text, strnlen(text, size));
}

void CopyText(const std::string& text, char* target, size_t size)
{
    std::memset(target, 0, size);
    std::memcpy(target, text.data(), std::min(text.size(), size - 1));
}

TW_INT32 CameraType(const std::string& camera)
{
    if (camera.find("Top") != std::string::npos)
        return TWFY_CAMERATOP;
    if (camera.find("Bottom") != std::string::npos)
        return TWFY_CAMERABOTTOM;
    return TWFY_CAMERA;
}
} // namespace

CZKSimSession::CZKSimSession(const CZKSimProfile& profile, const TW_IDENTITY& source, const TW_IDENTITY& application)
    : m_profile(profile), m_source(source), m_application(application), m_feeder(profile.sheets),
      m_transfer(m_profile, m_feeder), m_customData(profile.customData),
      m_vendorCommands(m_profile.vendor)
{
    auto& caps = m_profile.capabilities;
    caps.erase(std::remove_if(caps.begin(), caps.end(),
                              [](const CZKSimCapability& cap) { return cap.GetId() == CAP_SUPPORTEDCAPS; }),
               caps.end());
    caps.push_back(SupportedCaps(caps));
}

TW_UINT16 CZKSimSession::_Fail(TW_UINT16 condition)
{
    m_condition = condition;
    return TWRC_FAILURE;
}

TW_UINT16 CZKSimSession::Entry(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data,
                               std::vector<TW_UINT16>& events)
{
    if (dg == DG_CONTROL && dat == DAT_STATUS)
        return _Status(static_cast<TW_STATUS*>(data));
    m_condition = TWCC_SUCCESS;
    if (const ZK_SIM_FAULT* fault = m_profile.FindFault(dg, dat, msg))
    {
        if (fault->throws)
            throw CZKSimInjectedFault("injected fault in DS_Entry");
        return _Fail(fault->condition);
    }
    return _Dispatch(dg, dat, msg, data, events);
}

TW_UINT16 CZKSimSession::_Dispatch(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data,
                                   std::vector<TW_UINT16>& events)
{
    if (m_profile.vendor.present)
    {
        // Only an image just transferred can be waiting for the feeder.
        if (m_state == 7 && m_vendorCommands.AnswersBusy(dg, dat, msg, _IsOn(CZKSimVendorCommands::CAP_NOWAIT)))
            return CZKSimVendorCommands::TWRC_BUSY;
        if (CZKSimVendorCommands::Handles(dg, dat))
            return m_vendorCommands.Entry(dat, msg, data, m_condition);
    }
    if (CZKSimTransfer::Handles(dg, dat))
    {
        _UseCurrentSettings();
        const TW_UINT16 rc = m_transfer.Entry(dg, dat, msg, data, m_state, m_condition, events);
        _RefreshLiveCapabilities();
        return rc;
    }
    if (dg != DG_CONTROL)
        return _Fail(TWCC_BADPROTOCOL);
    switch (dat)
    {
    case DAT_CAPABILITY:
        return _Capability(msg, static_cast<TW_CAPABILITY*>(data));
    case DAT_CUSTOMDSDATA:
        return _CustomData(msg, static_cast<TW_CUSTOMDSDATA*>(data));
    case DAT_FILESYSTEM:
        return _FileSystem(msg, static_cast<TW_FILESYSTEM*>(data));
    case DAT_USERINTERFACE:
        return _UserInterface(msg, static_cast<TW_USERINTERFACE*>(data), events);
    case DAT_IDENTITY:
        // Closing is allowed from state 4 only; the file drops the session.
        if (msg != MSG_CLOSEDS)
            return _Fail(TWCC_BADPROTOCOL);
        return m_state == 4 ? TWRC_SUCCESS : _Fail(TWCC_SEQERROR);
    case DAT_EVENT:
        // The manager answers for events it holds; nothing else is pending here.
        if (msg != MSG_PROCESSEVENT || !data)
            return _Fail(TWCC_BADPROTOCOL);
        static_cast<TW_EVENT*>(data)->TWMessage = MSG_NULL;
        return TWRC_NOTDSEVENT;
    default:
        return _Fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 CZKSimSession::_Status(TW_STATUS* status)
{
    if (!status)
        return _Fail(TWCC_BADVALUE);
    status->ConditionCode = m_condition;
    status->Data = 0;
    m_condition = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}

CZKSimCapability* CZKSimSession::_Find(TW_UINT16 id)
{
    // In a camera's directory its own values answer first.
    if (m_directory != "/")
        for (ZK_SIM_CAMERA_CAP& cameraCap : m_profile.cameraCapabilities)
            if (cameraCap.camera == m_directory && cameraCap.cap.GetId() == id)
                return &cameraCap.cap;
    for (CZKSimCapability& cap : m_profile.capabilities)
        if (cap.GetId() == id)
            return &cap;
    return nullptr;
}

bool CZKSimSession::_IsOn(TW_UINT16 id)
{
    const CZKSimCapability* cap = _Find(id);
    if (!cap)
        return false;
    const ZKSimItem& current = cap->GetCurrent();
    return std::any_of(current.begin(), current.end(), [](uint8_t b) { return b != 0; });
}

// The imprinter counter goes on where the batch left it, as a real
// imprinter's does.
void CZKSimSession::_AdvanceBatchCounters()
{
    if (!m_batchRan)
        return;
    m_batchRan = false;
    m_settingsStale = true;
    _AdvancePrinterIndex();
    _AdvanceImageAddress();
}

void CZKSimSession::_AdvancePrinterIndex()
{
    CZKSimCapability* index = _Find(CAP_PRINTERINDEX);
    if (!index || index->GetCurrent().size() != sizeof(TW_UINT32))
        return;
    const TW_UINT32 next = m_transfer.NextCounter();
    ZKSimItem item(sizeof(next));
    std::memcpy(item.data(), &next, sizeof(next));
    index->SetCurrent(item);
}

// The image address names the next document: its lowest level, the number
// after the last dot, counts on by the documents taken, keeping its width.
void CZKSimSession::_AdvanceImageAddress()
{
    CZKSimCapability* address = _Find(kImageAddressCap);
    if (!address || address->GetItemType() != TWTY_STR255)
        return;
    const ZKSimItem& current = address->GetCurrent();
    std::string text(current.begin(), std::find(current.begin(), current.end(), uint8_t(0)));
    const size_t digits = text.find_last_of('.') + 1;
    if (digits >= text.size() || text.find_first_not_of("0123456789", digits) != std::string::npos)
        return;
    const unsigned long long next = std::strtoull(text.c_str() + digits, nullptr, 10) + m_transfer.SheetsTaken();
    std::string number = std::to_string(next);
    const size_t width = text.size() - digits;
    if (number.size() < width)
        number.insert(0, width - number.size(), '0');
    text.replace(digits, std::string::npos, number);
    ZKSimItem item(sizeof(TW_STR255), 0);
    std::copy_n(text.begin(), std::min(text.size(), item.size() - 1), item.begin());
    address->SetCurrent(item);
}

void CZKSimSession::_RefreshLiveCapabilities()
{
    if (CZKSimCapability* loaded = _Find(CAP_FEEDERLOADED))
        loaded->SetCurrent(Uint16Item(m_feeder.HasPaper() ? 1 : 0));
    if (CZKSimCapability* online = _Find(CAP_DEVICEONLINE))
        online->SetCurrent(Uint16Item(m_transfer.IsOnline() ? 1 : 0));
}

TW_UINT16 CZKSimSession::_Capability(TW_UINT16 msg, TW_CAPABILITY* cap)
{
    if (!cap)
        return _Fail(TWCC_BADVALUE);
    const bool changes = msg == MSG_SET || msg == MSG_RESET;
    const bool reads = msg == MSG_GET || msg == MSG_GETCURRENT || msg == MSG_GETDEFAULT || msg == MSG_QUERYSUPPORT;
    if (!changes && !reads)
        return _Fail(TWCC_BADPROTOCOL);
    if (changes && m_state != 4)
        return _Fail(TWCC_SEQERROR);
    m_settingsStale = m_settingsStale || changes;
    CZKSimCapability* found = _Find(cap->Cap);
    if (!found)
        return _Fail(TWCC_CAPUNSUPPORTED);
    _RefreshLiveCapabilities();
    TW_UINT16 rc = TWRC_SUCCESS;
    if (msg == MSG_QUERYSUPPORT)
        rc = found->QuerySupport(*cap, m_condition);
    else if (msg == MSG_SET)
        rc = found->Set(*cap, m_condition);
    else
        rc = found->Get(msg, *cap, m_condition);
    return rc;
}

TW_UINT16 CZKSimSession::_CustomData(TW_UINT16 msg, TW_CUSTOMDSDATA* data)
{
    if (!data)
        return _Fail(TWCC_BADVALUE);
    if (m_state != 4)
        return _Fail(TWCC_SEQERROR);
    if (msg == MSG_GET)
    {
        void* block = std::calloc(1, m_customData.empty() ? 1 : m_customData.size());
        if (!block)
            return _Fail(TWCC_LOWMEMORY);
        if (!m_customData.empty())
            std::memcpy(block, m_customData.data(), m_customData.size());
        data->InfoLength = static_cast<TW_UINT32>(m_customData.size());
        data->hData = block;
        return TWRC_SUCCESS;
    }
    if (msg == MSG_SET)
    {
        if (data->InfoLength > 0 && !data->hData)
            return _Fail(TWCC_BADVALUE);
        const auto* bytes = static_cast<const uint8_t*>(data->hData);
        m_customData.assign(bytes, bytes + data->InfoLength);
        return TWRC_SUCCESS;
    }
    return _Fail(TWCC_BADPROTOCOL);
}

// Cameras appear as directories below the root, as scanners with several
// image paths present them.
TW_UINT16 CZKSimSession::_FileSystem(TW_UINT16 msg, TW_FILESYSTEM* fs)
{
    if (m_profile.cameras.empty())
        return _Fail(TWCC_BADPROTOCOL);
    if (!fs)
        return _Fail(TWCC_BADVALUE);
    if (m_state != 4)
        return _Fail(TWCC_SEQERROR);
    std::string name = Bounded(fs->InputName, sizeof(fs->InputName));
    switch (msg)
    {
    case MSG_CHANGEDIRECTORY:
    {
        if (!name.empty() && name[0] != '/')
            name = (m_directory == "/" ? "/" : m_directory + "/") + name;
        const auto& cameras = m_profile.cameras;
        if (name != "/" && std::find(cameras.begin(), cameras.end(), name) == cameras.end())
            return _Fail(TWCC_FILENOTFOUND);
        m_directory = name;
        CopyText(m_directory, fs->OutputName, sizeof(fs->OutputName));
        return TWRC_SUCCESS;
    }
    case MSG_GETFIRSTFILE:
        m_fileCursor = 0;
        return _NextCamera(fs);
    case MSG_GETNEXTFILE:
        return _NextCamera(fs);
    case MSG_GETCLOSE:
        m_fileCursor = 0;
        return TWRC_SUCCESS;
    default:
        return _Fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 CZKSimSession::_NextCamera(TW_FILESYSTEM* fs)
{
    if (m_directory != "/" || m_fileCursor >= m_profile.cameras.size())
        return TWRC_ENDOFLIST;
    const std::string& camera = m_profile.cameras[m_fileCursor++];
    CopyText(camera, fs->OutputName, sizeof(fs->OutputName));
    fs->FileType = CameraType(camera);
    return TWRC_SUCCESS;
}

// The settings are read again only after a capability changed.
void CZKSimSession::_UseCurrentSettings()
{
    if (!m_settingsStale)
        return;
    m_transfer.UseSettings(SZKSimScanSettingsReader::Read(m_profile, m_profile.capabilities));
    m_settingsStale = false;
}

void CZKSimSession::_StartScan(std::vector<TW_UINT16>& events)
{
    _UseCurrentSettings();
    m_transfer.BeginBatch();
    m_batchRan = true;
    events.push_back(MSG_XFERREADY);
    m_state = 6;
}

TW_UINT16 CZKSimSession::_UserInterface(TW_UINT16 msg, TW_USERINTERFACE* ui, std::vector<TW_UINT16>& events)
{
    if (!ui)
        return _Fail(TWCC_BADVALUE);
    if (msg == MSG_DISABLEDS)
    {
        if (m_state != 5)
            return _Fail(TWCC_SEQERROR);
        m_state = 4;
        _AdvanceBatchCounters();
        return TWRC_SUCCESS;
    }
    // The maker's profile and settings editors end like the settings dialog.
    if (m_profile.vendor.present &&
        (msg == CZKSimVendorCommands::MSG_PROFILEEDITOR || msg == CZKSimVendorCommands::MSG_SETTINGSEDITOR))
        msg = MSG_ENABLEDSUIONLY;
    if (msg != MSG_ENABLEDS && msg != MSG_ENABLEDSUIONLY)
        return _Fail(TWCC_BADPROTOCOL);
    if (m_state != 4)
        return _Fail(TWCC_SEQERROR);
    const bool cancelled = m_profile.uiResult == CZKSimProfile::UI_CANCEL;
    if (msg == MSG_ENABLEDSUIONLY)
    {
        m_state = 5;
        events.push_back(cancelled ? MSG_CLOSEDSREQ : MSG_CLOSEDSOK);
        return TWRC_SUCCESS;
    }
    if (!m_transfer.IsOnline())
        return _Fail(TWCC_CHECKDEVICEONLINE);
    const bool showUI = ui->ShowUI != 0;
    m_feeder.Reload(m_profile.reloadSheets);
    if (!m_feeder.HasPaper() && !showUI && m_profile.noPaper == CZKSimProfile::NOPAPER_FAIL)
        return _Fail(TWCC_NOMEDIA);
    m_state = 5;
    if (showUI && cancelled)
        events.push_back(MSG_CLOSEDSREQ);
    else if (m_feeder.HasPaper())
        _StartScan(events);
    else if (showUI || m_profile.noPaper == CZKSimProfile::NOPAPER_CLOSEDSREQ)
        events.push_back(MSG_CLOSEDSREQ);
    return TWRC_SUCCESS;
}
