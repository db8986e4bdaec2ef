#include "ZKSimDataSource.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <hollin/ZKDebugLog.h>

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

// One source per file path: a source manager may load several copies of the
// file, each of them a scanner of its own.
CZKSimDataSource& CZKSimDataSource::ForFile(const std::string& sourceFile)
{
    static std::mutex lock;
    static std::map<std::string, std::unique_ptr<CZKSimDataSource>> sources;
    std::lock_guard<std::mutex> guard(lock);
    std::unique_ptr<CZKSimDataSource>& source = sources[sourceFile];
    if (!source)
        source = std::make_unique<CZKSimDataSource>(sourceFile);
    return *source;
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
                return m_conditions.Fail(origin, TWCC_BADVALUE);
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
        auto found = m_sessions.find(CZKTWSourceConditions::IdOf(origin));
        // A refusal of the file's own (no session, one too many) is reported
        // before the session's code.
        if (dg == DG_CONTROL && dat == DAT_STATUS && msg == MSG_GET &&
            (found == m_sessions.end() || m_conditions.Has(origin)))
            return m_conditions.Answer(origin, static_cast<TW_STATUS*>(data));
        if (found == m_sessions.end())
            return m_conditions.Fail(origin, TWCC_SEQERROR);
        CZKSimSession& session = *found->second;
        rc = session.Entry(dg, dat, msg, data, events);
        if (dg == DG_CONTROL && dat == DAT_IDENTITY && msg == MSG_CLOSEDS && rc == TWRC_SUCCESS)
        {
            m_sessions.erase(found);
            return rc;
        }
        if (!events.empty())
        {
            event.dsmEntry = m_dsmEntry;
            event.source = session.GetSource();
            event.application = session.GetApplication();
            async = session.HasAsyncEvents();
        }
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
    if (m_sessions.empty() || !m_profilesLoaded)
        _LoadProfiles();
    if (m_profiles.empty())
        return m_conditions.Fail(origin, TWCC_NODS);
    *identity = m_profiles.front().identity;
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSimDataSource::_Open(pTW_IDENTITY origin, pTW_IDENTITY identity)
{
    if (!identity)
        return m_conditions.Fail(origin, TWCC_BADVALUE);
    // One scanner of this file per application at a time: DS_Entry carries no
    // source identity, so the application's Id is what tells sessions apart.
    if (m_sessions.count(CZKTWSourceConditions::IdOf(origin)))
        return m_conditions.Fail(origin, TWCC_MAXCONNECTIONS);
    if (!m_profilesLoaded)
        _LoadProfiles();
    auto profile = std::find_if(m_profiles.begin(), m_profiles.end(), [identity](const CZKSimProfile& p) {
        return std::strncmp(p.identity.ProductName, identity->ProductName, sizeof(TW_STR32)) == 0;
    });
    if (profile == m_profiles.end())
        return m_conditions.Fail(origin, TWCC_NODS);
    if (const ZK_SIM_FAULT* fault = profile->FindFault(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS))
    {
        if (fault->throws)
            throw CZKSimInjectedFault("injected fault in DS_Entry");
        return m_conditions.Fail(origin, fault->condition);
    }
    TW_IDENTITY source = profile->identity;
    source.Id = identity->Id;
    m_sessions[CZKTWSourceConditions::IdOf(origin)] = std::make_unique<CZKSimSession>(*profile, source, *origin);
    m_conditions.Forget(origin);
    *identity = source;
    return TWRC_SUCCESS;
}
