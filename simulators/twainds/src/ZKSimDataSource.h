// One virtual data-source file: the file's name selects its profile
// ("production_duplex.ds" serves "production_duplex.profile" of the profile
// folder), so every scanner is a file of its own, as a source manager expects.
// It keeps one session per application that opened it. The profile is read
// again whenever the source is identified while no session is open, so tests
// can switch profile folders between runs.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <twaindefs/ZKTWSessions.h>

#include "ZKSimEventPump.h"
#include "ZKSimProfile.h"

class CZKSimSession;

class CZKSimDataSource
{
public:
    // The source behind one data-source file (its path as it was loaded).
    static CZKSimDataSource& ForFile(const std::string& sourceFile);
    explicit CZKSimDataSource(const std::string& sourceFile);
    ~CZKSimDataSource();
    CZKSimDataSource(const CZKSimDataSource&) = delete;
    CZKSimDataSource& operator=(const CZKSimDataSource&) = delete;

    TW_UINT16 Entry(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);

    // ZK_TWAIN_PROFILE_DIR, else "profiles" beside the data-source file.
    std::string ProfileFolder() const;
    // The profile this file serves: its name up to ".ds", in the folder.
    std::string ProfilePath() const;

private:
    TW_UINT16 _Identify(pTW_IDENTITY origin, pTW_IDENTITY identity);
    TW_UINT16 _Open(pTW_IDENTITY origin, pTW_IDENTITY identity);
    // Null with the refusal's condition when no profile serves requested.
    std::unique_ptr<CZKSimSession> _OpenSession(const TW_IDENTITY& application, const TW_IDENTITY& requested,
                                                TW_UINT16& condition);
    void _LoadProfiles();

    std::mutex m_lock;
    std::string m_sourceFile;
    std::vector<CZKSimProfile> m_profiles; // the file's profile, when it reads
    bool m_profilesLoaded = false;
    CZKTWSessions<CZKSimSession> m_sessions;
    DSMENTRYPROC m_dsmEntry = nullptr;
    CZKSimEventPump m_pump; // last member: stopped first, before the tables go
};
