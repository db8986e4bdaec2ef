#include "ZKSimDataSource.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <hollin/ZKDebugLog.h>
#include <twaindefs/ZKTWSourceForFile.h>

#include "ZKSimInjectedFault.h"
#include "ZKSimProfileReader.h"
#include "ZKSimSession.h"

namespace
{
const char kLogModule[] = "TWAINSIM";

bool IsRegularFile(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
} // namespace

CZKSimDataSource& CZKSimDataSource::ForFile(const std::string& sourceFile)
{
    return ZKTWSourceForFile<CZKSimDataSource>(sourceFile);
}

CZKSimDataSource::CZKSimDataSource(const std::string& sourceFile) : m_sourceFile(sourceFile)
{
}

CZKSimDataSource::~CZKSimDataSource() = default;

std::string CZKSimDataSource::ProfileFolder() const
{
    if (const char* folder = std::getenv("ZK_TWAIN_PROFILE_DIR"); folder && *folder)
        return folder;
    const size_t slash = m_sourceFile.rfind('/');
    return (slash == std::string::npos ? std::string(".") : m_sourceFile.substr(0, slash)) + "/profiles";
}

std::string CZKSimDataSource::ProfilePath() const
{
    const size_t slash = m_sourceFile.rfind('/');
    std::string name = slash == std::string::npos ? m_sourceFile : m_sourceFile.substr(slash + 1);
    name = name.substr(0, name.find(".ds"));
    return ProfileFolder() + "/" + name + ".profile";
}

// A profile that does not read leaves the file without a scanner, logged.
// Only a regular file is opened: a FIFO or device named like a profile
// would block or never end.
void CZKSimDataSource::_LoadProfiles()
{
    m_profiles.clear();
    m_profilesLoaded = true;
    const std::string file = ProfilePath();
    if (!IsRegularFile(file))
    {
        SZKDebugLog::Log("No profile file: " + file, 0, kLogModule);
        return;
    }
    CZKSimProfile profile;
    std::string error;
    if (SZKSimProfileReader::Load(file, profile, error))
        m_profiles.push_back(profile);
    else
        SZKDebugLog::Log("Profile skipped: " + error, 0, kLogModule);
}

TW_UINT16 CZKSimDataSource::Entry(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    std::vector<TW_UINT16> events;
    ZK_SIM_EVENT event;
    bool async = true;
    TW_UINT16 rc = TWRC_SUCCESS;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (dg == DG_CONTROL && dat == DAT_ENTRYPOINT && msg == MSG_SET)
        {
            auto* entryPoint = static_cast<TW_ENTRYPOINT*>(data);
            if (!entryPoint || entryPoint->Size != sizeof(TW_ENTRYPOINT))
                return m_sessions.Fail(origin, TWCC_BADVALUE);
            m_dsmEntry = entryPoint->DSM_Entry;
            return TWRC_SUCCESS;
        }
        // A source manager identifies the file with its application's
        // identity as origin, before any session and in any state.
        if (dg == DG_CONTROL && dat == DAT_IDENTITY && msg == MSG_GET)
            return _Identify(origin, static_cast<pTW_IDENTITY>(data));
        if (!origin)
            return TWRC_FAILURE;
        if (dg == DG_CONTROL && dat == DAT_IDENTITY && msg == MSG_OPENDS)
            return _Open(origin, static_cast<pTW_IDENTITY>(data));
        rc = m_sessions.Route(origin, dg, dat, msg, data, [&](CZKSimSession& session) {
            const TW_UINT16 result = session.Entry(dg, dat, msg, data, events);
            if (!events.empty())
            {
                event.dsmEntry = m_dsmEntry;
                event.source = session.GetSource();
                event.application = session.GetApplication();
                async = session.HasAsyncEvents();
            }
            return result;
        });
        // A closed session signals nothing more.
        if (CZKTWSessions<CZKSimSession>::Closes(dg, dat, msg, rc))
            return rc;
    }
    // Events go out with no lock held: the application may call straight back.
    for (TW_UINT16 msgOut : events)
    {
        event.msg = msgOut;
        if (async)
            m_pump.Post(event);
        else
            CZKSimEventPump::Deliver(event);
    }
    return rc;
}

// An application with a session gets the identity it opened (with the Id its
// manager gave); anyone else the profile's.
TW_UINT16 CZKSimDataSource::_Identify(pTW_IDENTITY origin, pTW_IDENTITY identity)
{
    return m_sessions.Identify(origin, identity, [this]() -> const TW_IDENTITY* {
        if (m_sessions.IsEmpty() || !m_profilesLoaded)
            _LoadProfiles();
        return m_profiles.empty() ? nullptr : &m_profiles.front().identity;
    });
}

TW_UINT16 CZKSimDataSource::_Open(pTW_IDENTITY origin, pTW_IDENTITY identity)
{
    return m_sessions.Open(origin, identity, [this, origin](const TW_IDENTITY& requested, TW_UINT16& condition) {
        return _OpenSession(*origin, requested, condition);
    });
}

// The profile whose product the application asked for; a fault injected
// into the open refuses it (or throws, for the entry point to contain).
std::unique_ptr<CZKSimSession> CZKSimDataSource::_OpenSession(const TW_IDENTITY& application,
                                                              const TW_IDENTITY& requested, TW_UINT16& condition)
{
    if (!m_profilesLoaded)
        _LoadProfiles();
    auto profile = std::find_if(m_profiles.begin(), m_profiles.end(), [&requested](const CZKSimProfile& p) {
        return std::strncmp(p.identity.ProductName, requested.ProductName, sizeof(TW_STR32)) == 0;
    });
    condition = TWCC_NODS;
    if (profile == m_profiles.end())
        return nullptr;
    if (const ZK_SIM_FAULT* fault = profile->FindFault(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS))
    {
        if (fault->throws)
            throw CZKSimInjectedFault("injected fault in DS_Entry");
        condition = fault->condition;
        return nullptr;
    }
    TW_IDENTITY source = profile->identity;
    source.Id = requested.Id;
    return std::make_unique<CZKSimSession>(*profile, source, application);
}
