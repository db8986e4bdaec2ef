#include "ZKSaneDataSource.h"

#include <algorithm>
#include <cstring>

#include <twaindefs/ZKTWSourceForFile.h>

#include "ZKSaneBinding.h"
#include "ZKSaneLibrary.h"
#include "ZKSaneMemory.h"
#include "ZKSaneSession.h"
#include "ZKSaneStatus.h"

namespace
{
void CopyText(const std::string& text, char* target, size_t size)
{
    std::memset(target, 0, size);
    size_t length = std::min(text.size(), size - 1);
    // Never cut a UTF-8 sequence in two.
    while (length > 0 && length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    std::memcpy(target, text.data(), length);
}
} // namespace

CZKSaneDataSource& CZKSaneDataSource::ForFile(const std::string& sourceFile)
{
    return ZKTWSourceForFile<CZKSaneDataSource>(sourceFile);
}

CZKSaneDataSource::CZKSaneDataSource(const std::string& sourceFile) : m_sourceFile(sourceFile)
{
}

CZKSaneDataSource::~CZKSaneDataSource() = default;

TW_UINT16 CZKSaneDataSource::Entry(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                                   TW_MEMREF data)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (dg == DG_CONTROL && dat == DAT_ENTRYPOINT && msg == MSG_SET)
    {
        auto* entryPoint = static_cast<TW_ENTRYPOINT*>(data);
        if (!entryPoint || entryPoint->Size != sizeof(TW_ENTRYPOINT))
            return m_sessions.Fail(origin, TWCC_BADVALUE);
        m_dsmEntry = entryPoint->DSM_Entry;
        SZKSaneMemory::Use(*entryPoint);
        return TWRC_SUCCESS;
    }
    if (dg == DG_CONTROL && dat == DAT_IDENTITY && msg == MSG_GET)
        return _Identify(origin, static_cast<pTW_IDENTITY>(data));
    if (!origin)
        return TWRC_FAILURE;
    if (dg == DG_CONTROL && dat == DAT_IDENTITY && msg == MSG_OPENDS)
        return _Open(origin, static_cast<pTW_IDENTITY>(data));
    return m_sessions.Route(origin, dg, dat, msg, data,
                            [&](CZKSaneSession& session) { return session.Entry(dg, dat, msg, data); });
}

bool CZKSaneDataSource::_Discover(TW_IDENTITY& identity, std::string& device)
{
    const ZK_SANE_BINDING binding = ZK_SANE_BINDING::ForSourceFile(m_sourceFile);
    CZKSaneLibrary library;
    const std::vector<ZK_SANE_DEVICE_INFO> devices = library.Devices();
    auto chosen = std::find_if(devices.begin(), devices.end(), [&binding](const ZK_SANE_DEVICE_INFO& d) {
        return binding.device.empty() || d.name == binding.device;
    });
    if (chosen == devices.end())
        return false;
    std::memset(&identity, 0, sizeof(identity));
    identity.Version.MajorNum = 1;
    identity.Version.Language = TWLG_ENGLISH;
    identity.Version.Country = TWCY_USA;
    CopyText(chosen->name, identity.Version.Info, sizeof(identity.Version.Info));
    identity.ProtocolMajor = 2;
    identity.ProtocolMinor = 4;
    identity.SupportedGroups = DG_CONTROL | DG_IMAGE | DF_DS2;
    CopyText(chosen->vendor, identity.Manufacturer, sizeof(identity.Manufacturer));
    CopyText(chosen->type, identity.ProductFamily, sizeof(identity.ProductFamily));
    CopyText(binding.productName.empty() ? chosen->model : binding.productName, identity.ProductName,
             sizeof(identity.ProductName));
    device = chosen->name;
    return true;
}

// An application with a session gets the identity it opened; anyone else
// the device's, looked up again while nobody has the device open.
TW_UINT16 CZKSaneDataSource::_Identify(pTW_IDENTITY origin, pTW_IDENTITY identity)
{
    return m_sessions.Identify(origin, identity, [this]() -> const TW_IDENTITY* {
        if (m_sessions.IsEmpty() || !m_identified)
            m_identified = _Discover(m_identity, m_device);
        return m_identified ? &m_identity : nullptr;
    });
}

TW_UINT16 CZKSaneDataSource::_Open(pTW_IDENTITY origin, pTW_IDENTITY identity)
{
    return m_sessions.Open(origin, identity, [this, origin](const TW_IDENTITY& requested, TW_UINT16& condition) {
        return _OpenSession(*origin, requested, condition);
    });
}

std::unique_ptr<CZKSaneSession> CZKSaneDataSource::_OpenSession(const TW_IDENTITY& application,
                                                                const TW_IDENTITY& requested,
                                                                TW_UINT16& condition)
{
    condition = TWCC_NODS;
    if (!m_identified)
        m_identified = _Discover(m_identity, m_device);
    if (!m_identified)
        return nullptr;
    auto library = std::make_unique<CZKSaneLibrary>();
    if (!library->IsReady())
        return nullptr;
    SANE_Status status = SANE_STATUS_GOOD;
    std::unique_ptr<CZKSaneDevice> device = CZKSaneDevice::Open(m_device, status);
    if (!device)
    {
        if (status == SANE_STATUS_DEVICE_BUSY)
            condition = TWCC_MAXCONNECTIONS;
        return nullptr;
    }
    TW_IDENTITY source = m_identity;
    source.Id = requested.Id;
    return std::make_unique<CZKSaneSession>(std::move(library), std::move(device), source, application,
                                            m_dsmEntry);
}
