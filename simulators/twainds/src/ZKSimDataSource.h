// The virtual data source file: it presents one scanner per profile found in
// its profile folder and keeps one session per application that opened one.
// Profiles are read again whenever the manager lists the scanners while no
// session is open, so tests can switch profile folders between runs.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ZKSimEventPump.h"
#include "ZKSimProfile.h"

class CZKSimSession;

class CZKSimDataSource
{
public:
    static CZKSimDataSource& Instance();
    ~CZKSimDataSource();

    TW_UINT16 Entry(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);

    // ZK_TWAIN_PROFILE_DIR, else "profiles" beside this file.
    static std::string ProfileFolder();

private:
    CZKSimDataSource();
    TW_UINT16 _Listing(TW_UINT16 msg, pTW_IDENTITY identity);
    TW_UINT16 _Open(pTW_IDENTITY origin, pTW_IDENTITY identity);
    TW_UINT16 _Fail(pTW_IDENTITY origin, TW_UINT16 condition);
    TW_UINT16 _OwnStatus(pTW_IDENTITY origin, TW_STATUS* status);
    void _LoadProfiles();
    void _Signal(const CZKSimSession& session, const std::vector<TW_UINT16>& events);

    std::mutex m_lock;
    std::vector<CZKSimProfile> m_profiles;
    bool m_profilesLoaded = false;
    size_t m_cursor = 0;
    std::map<TW_UINT32, std::unique_ptr<CZKSimSession>> m_sessions; // by application Id
    std::map<TW_UINT32, TW_UINT16> m_conditions;                    // applications without a session
    DSMENTRYPROC m_dsmEntry = nullptr;
    CZKSimEventPump m_pump; // last member: stopped first, before the tables go
};
