// One data-source file loaded by the simulated source manager, with the
// identity it presents: as with any TWAIN source manager, one file is one
// source.
#pragma once

#include <string>

#include <twaindefs/ZKTwainDefs.h>

class CZKSimDsLibrary
{
public:
    // Loads the file and asks it who it is (DAT_IDENTITY / MSG_GET, with a
    // copy of the application's identity as origin); null when the file is
    // not a usable data source (no DS_Entry, refuses to answer, throws).
    static CZKSimDsLibrary* Load(const std::string& path, const TW_IDENTITY& application);
    ~CZKSimDsLibrary();
    CZKSimDsLibrary(const CZKSimDsLibrary&) = delete;
    CZKSimDsLibrary& operator=(const CZKSimDsLibrary&) = delete;

    TW_UINT16 Call(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) const
    {
        return m_entry(origin, dg, dat, msg, data);
    }
    const TW_IDENTITY& GetIdentity() const { return m_identity; }
    const std::string& GetPath() const { return m_path; }

private:
    CZKSimDsLibrary(void* handle, DSENTRYPROC entry, const std::string& path);
    bool _QueryIdentity(const TW_IDENTITY& application);

    void* m_handle;
    DSENTRYPROC m_entry;
    std::string m_path;
    TW_IDENTITY m_identity{};
};
