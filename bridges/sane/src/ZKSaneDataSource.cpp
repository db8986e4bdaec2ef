#include "ZKSaneDataSource.h"

#include <algorithm>
#include <cstring>

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
    static std::mutex lock;
    static std::map<std::string, std::unique_ptr<CZKSaneDataSource>> sources;
    std::lock_guard<std::mutex> guard(lock);
    std::unique_ptr<CZKSaneDataSource>& source = sources[sourceFile];
    if (!source)
        source = std::make_unique<CZKSaneDataSource>(sourceFile);
    return *source;
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
            return m_conditions.Fail(origin, TWCC_BADVALUE);
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
    auto found = m_sessions.find(CZKTWSourceConditions::IdOf(origin));
    if (dg == DG_CONTROL && dat == DAT_STATUS && msg == MSG_GET &&
        (found == m_sessions.end() || m_conditions.Has(origin)))
        return m_conditions.Answer(origin, static_cast<TW_STATUS*>(data));
    if (found == m_sessions.end())
        return m_conditions.Fail(origin, TWCC_SEQERROR);
    const TW_UINT16 rc = found->second->Entry(dg, dat, msg, data);
    if (dg == DG_CONTROL && dat == DAT_IDENTITY && msg == MSG_CLOSEDS && rc == TWRC_SUCCESS)
        m_sessions.erase(found);
    return rc;
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
    if (!identity)
        return m_conditions.Fail(origin, TWCC_BADVALUE);
    if (origin)
    {
        auto found = m_sessions.find(CZKTWSourceConditions::IdOf(origin));
        if (found != m_sessions.end())
        {
            *identity = found->second->GetSource();
            return TWRC_SUCCESS;
        }
    }
    if (m_sessions.empty() || !m_identified)
        m_identified = _Discover(m_identity, m_device);
    if (!m_identified)
        return m_conditions.Fail(origin, TWCC_NODS);
    *identity = m_identity;
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSaneDataSource::_Open(pTW_IDENTITY origin, pTW_IDENTITY identity)
{
    if (!identity)
        return m_conditions.Fail(origin, TWCC_BADVALUE);
    if (m_sessions.count(CZKTWSourceConditions::IdOf(origin)))
        return m_conditions.Fail(origin, TWCC_MAXCONNECTIONS);
    if (!m_identified)
        m_identified = _Discover(m_identity, m_device);
    if (!m_identified)
        return m_conditions.Fail(origin, TWCC_NODS);
    auto library = std::make_unique<CZKSaneLibrary>();
    if (!library->IsReady())
        return m_conditions.Fail(origin, TWCC_NODS);
    SANE_Status status = SANE_STATUS_GOOD;
    std::unique_ptr<CZKSaneDevice> device = CZKSaneDevice::Open(m_device, status);
    if (!device)
        return m_conditions.Fail(origin, status == SANE_STATUS_DEVICE_BUSY ? TWCC_MAXCONNECTIONS : TWCC_NODS);
    TW_IDENTITY source = m_identity;
    source.Id = identity->Id;
    m_sessions[CZKTWSourceConditions::IdOf(origin)] =
        std::make_unique<CZKSaneSession>(std::move(library), std::move(device), source, *origin, m_dsmEntry);
    m_conditions.Forget(origin);
    *identity = source;
    return TWRC_SUCCESS;
}
