// One data-source file loaded by the simulated source manager, with the
// identities it presents. A file may present several scanners.
#pragma once

#include <string>
#include <vector>

#include <twaindefs/ZKTwainDefs.h>

class CZKSimDsLibrary
{
public:
    // Loads the file and asks it for its identities; null when the file is
    // not a usable data source (no DS_Entry, refuses to answer, throws).
    static CZKSimDsLibrary* Load(const std::string& path);
    ~CZKSimDsLibrary();
    CZKSimDsLibrary(const CZKSimDsLibrary&) = delete;
    CZKSimDsLibrary& operator=(const CZKSimDsLibrary&) = delete;

    TW_UINT16 Call(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) const
    {
        return m_entry(origin, dg, dat, msg, data);
    }
    const std::vector<TW_IDENTITY>& GetIdentities() const { return m_identities; }
    const std::string& GetPath() const { return m_path; }

private:
    CZKSimDsLibrary(void* handle, DSENTRYPROC entry, const std::string& path);
    bool _QueryIdentities();

    void* m_handle;
    DSENTRYPROC m_entry;
    std::string m_path;
    std::vector<TW_IDENTITY> m_identities;
};
