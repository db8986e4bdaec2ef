// The simulated TWAIN source manager: application and source tables, source
// discovery, event routing and the DSM's own condition codes. One instance
// per process. The table lock is never held while a source or an
// application callback runs, so both may call back in.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include <twaindefs/ZKTwainDefs.h>

class CZKSimDsLibrary;

class CZKSimDsm
{
public:
    static CZKSimDsm& Instance();

    TW_UINT16 Entry(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                    TW_MEMREF data);

    // The folder searched for data sources: ZK_TWAIN_DS_DIR, else twain_32
    // beside this library.
    static std::string DataSourceFolder();

private:
    struct Callback
    {
        TWAINCALLBACKPROC proc = nullptr;
        TW_MEMREF refCon = nullptr;
    };
    struct App
    {
        TW_IDENTITY identity{};
        TW_UINT16 condition = TWCC_SUCCESS;
        std::set<TW_UINT32> openSources;
        Callback callback; // for every source of this application
        std::map<TW_UINT32, Callback> sourceCallbacks;
        std::map<TW_UINT32, std::deque<TW_UINT16>> pendingEvents;
    };
    struct Source
    {
        TW_IDENTITY identity{};
        std::shared_ptr<CZKSimDsLibrary> library;
    };

    TW_UINT16 _Fail(App* app, TW_UINT16 condition);
    TW_UINT16 _ToDsm(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 _ToSource(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                        TW_MEMREF data);
    TW_UINT16 _FromSource(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT16 msg);

    TW_UINT16 _OpenDsm(pTW_IDENTITY origin);
    TW_UINT16 _CloseDsm(pTW_IDENTITY origin);
    // Adds the application under the Id given; the lock is held.
    TW_UINT16 _Register(pTW_IDENTITY origin, TW_UINT32 id);
    TW_UINT16 _Identity(pTW_IDENTITY origin, TW_UINT16 msg, pTW_IDENTITY identity);
    TW_UINT16 _OpenSource(pTW_IDENTITY origin, pTW_IDENTITY identity);
    TW_UINT16 _CloseSource(pTW_IDENTITY origin, pTW_IDENTITY identity);
    void _AdoptSourceCondition(pTW_IDENTITY origin, const CZKSimDsLibrary& library);
    TW_UINT16 _Status(pTW_IDENTITY origin, TW_STATUS* status);
    TW_UINT16 _ReadCondition(App* app, TW_STATUS* status);
    TW_UINT16 _EntryPoint(pTW_IDENTITY origin, TW_ENTRYPOINT* entryPoint);
    TW_UINT16 _RegisterCallback(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT16 dat, TW_MEMREF data);
    TW_UINT16 _ProcessEvent(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_EVENT* event);

    App* _FindApp(const TW_IDENTITY* identity);
    const Source* _FindSource(const TW_IDENTITY& wanted) const;
    const Source* _FindSourceById(TW_UINT32 id) const;
    const Source* _DefaultSource() const;
    std::vector<Source> _DiscoverSources(const TW_IDENTITY& application);
    void _InstallSources(std::vector<Source>& sources);
    std::vector<Source> _UnloadSourcesIfIdle();

    std::mutex m_lock;
    std::map<TW_UINT32, App> m_apps;
    std::vector<Source> m_sources;
    size_t m_cursor = 0;
    TW_UINT32 m_nextId = 1;
    TW_UINT32 m_lastOpened = 0;
    TW_UINT16 m_orphanCondition = TWCC_SUCCESS; // for callers the DSM does not know
};
