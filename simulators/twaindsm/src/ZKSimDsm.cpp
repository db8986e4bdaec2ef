#include "ZKSimDsm.h"

#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "ZKSimDsLibrary.h"
#include "ZKSimDsmMemory.h"

extern "C" TW_UINT16 DSM_Entry(pTW_IDENTITY, pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

namespace
{
// Identities are packed: their Id is copied out before a container binds a
// reference to it.
TW_UINT32 IdOf(const TW_IDENTITY* identity)
{
    return identity->Id;
}

bool IsSourceEvent(TW_UINT16 msg)
{
    return msg == MSG_XFERREADY || msg == MSG_CLOSEDSREQ || msg == MSG_CLOSEDSOK || msg == MSG_DEVICEEVENT;
}

bool HasType(const std::string& path, mode_t type)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == type;
}

// Data-source files in the folder and its direct subfolders, in name order so
// the source list is the same on every run.
void CollectSourceFiles(const std::string& folder, int depth, std::vector<std::string>& files)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    while (dirent* entry = readdir(dir))
    {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "/" + name;
        if (HasType(path, S_IFDIR))
        {
            if (depth > 0)
                CollectSourceFiles(path, depth - 1, files);
        }
        // Only regular files: loading a FIFO named like a source would block.
        else if (name.find(".ds") != std::string::npos && HasType(path, S_IFREG))
            files.push_back(path);
    }
    closedir(dir);
    std::sort(files.begin(), files.end());
}

bool SameText(const char* a, const char* b, size_t size)
{
    return std::strncmp(a, b, size) == 0;
}
} // namespace

CZKSimDsm& CZKSimDsm::Instance()
{
    static CZKSimDsm dsm;
    return dsm;
}

std::string CZKSimDsm::DataSourceFolder()
{
    if (const char* folder = std::getenv("ZK_TWAIN_DS_DIR"); folder && *folder)
        return folder;
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&DSM_Entry), &info) && info.dli_fname)
    {
        std::string self = info.dli_fname;
        size_t slash = self.rfind('/');
        return (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) + "/twain_32";
    }
    return "twain_32";
}

TW_UINT16 CZKSimDsm::Entry(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                           TW_MEMREF data)
{
    if (!origin)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_orphanCondition = TWCC_BADPROTOCOL;
        return TWRC_FAILURE;
    }
    if (dg == DG_CONTROL && dat == DAT_NULL)
        return _FromSource(origin, dest, msg);
    if (!dest)
        return _ToDsm(origin, dg, dat, msg, data);
    return _ToSource(origin, dest, dg, dat, msg, data);
}

TW_UINT16 CZKSimDsm::_Fail(App* app, TW_UINT16 condition)
{
    if (app)
        app->condition = condition;
    else
        m_orphanCondition = condition;
    return TWRC_FAILURE;
}

CZKSimDsm::App* CZKSimDsm::_FindApp(const TW_IDENTITY* identity)
{
    if (!identity)
        return nullptr;
    auto found = m_apps.find(IdOf(identity));
    return found == m_apps.end() ? nullptr : &found->second;
}

// Triplets addressed to the manager itself (destination null).
TW_UINT16 CZKSimDsm::_ToDsm(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    if (dg == DG_CONTROL && dat == DAT_PARENT && msg == MSG_OPENDSM)
        return _OpenDsm(origin);
    if (dg == DG_CONTROL && dat == DAT_PARENT && msg == MSG_CLOSEDSM)
        return _CloseDsm(origin);
    if (dg == DG_CONTROL && dat == DAT_STATUS && msg == MSG_GET)
        return _Status(origin, static_cast<TW_STATUS*>(data));
    if (dg == DG_CONTROL && dat == DAT_IDENTITY)
    {
        if (msg == MSG_OPENDS)
            return _OpenSource(origin, static_cast<pTW_IDENTITY>(data));
        if (msg == MSG_CLOSEDS)
            return _CloseSource(origin, static_cast<pTW_IDENTITY>(data));
        return _Identity(origin, msg, static_cast<pTW_IDENTITY>(data));
    }
    if (dg == DG_CONTROL && dat == DAT_ENTRYPOINT && msg == MSG_GET)
        return _EntryPoint(origin, static_cast<TW_ENTRYPOINT*>(data));
    if (dg == DG_CONTROL && (dat == DAT_CALLBACK || dat == DAT_CALLBACK2) && msg == MSG_REGISTER_CALLBACK)
        return _RegisterCallback(origin, nullptr, dat, data);
    std::lock_guard<std::mutex> guard(m_lock);
    App* app = _FindApp(origin);
    return _Fail(app, app ? TWCC_BADPROTOCOL : TWCC_SEQERROR);
}

// The first application makes the manager look for sources, identifying each
// file on that application's behalf, so its Id is given first. Loading runs
// the sources' own code, so it happens outside the lock; if another
// application got in first meanwhile, its list stands and this one is dropped.
// An application that finds others registered joins them in the same hold of
// the lock: the last of them closing meanwhile would unload the sources.
TW_UINT16 CZKSimDsm::_OpenDsm(pTW_IDENTITY origin)
{
    TW_IDENTITY application = *origin;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (App* app = _FindApp(origin))
            return _Fail(app, TWCC_SEQERROR);
        application.Id = m_nextId++;
        if (!m_apps.empty())
            return _Register(origin, application.Id);
    }
    std::vector<Source> found = _DiscoverSources(application);
    std::lock_guard<std::mutex> guard(m_lock);
    if (App* app = _FindApp(origin))
        return _Fail(app, TWCC_SEQERROR);
    if (m_apps.empty())
        _InstallSources(found);
    return _Register(origin, application.Id);
}

TW_UINT16 CZKSimDsm::_Register(pTW_IDENTITY origin, TW_UINT32 id)
{
    origin->Id = id;
    if (origin->SupportedGroups & DF_APP2)
        origin->SupportedGroups |= DF_DSM2;
    App& app = m_apps[IdOf(origin)];
    app.identity = *origin;
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSimDsm::_CloseDsm(pTW_IDENTITY origin)
{
    std::vector<Source> unloaded; // released after the lock: unloading joins source threads
    std::lock_guard<std::mutex> guard(m_lock);
    App* app = _FindApp(origin);
    if (!app)
        return _Fail(nullptr, TWCC_SEQERROR);
    if (!app->openSources.empty())
        return _Fail(app, TWCC_SEQERROR);
    m_apps.erase(IdOf(origin));
    unloaded = _UnloadSourcesIfIdle();
    return TWRC_SUCCESS;
}

std::vector<CZKSimDsm::Source> CZKSimDsm::_DiscoverSources(const TW_IDENTITY& application)
{
    std::vector<Source> sources;
    std::vector<std::string> files;
    CollectSourceFiles(DataSourceFolder(), 1, files);
    for (const std::string& file : files)
    {
        std::shared_ptr<CZKSimDsLibrary> library(CZKSimDsLibrary::Load(file, application));
        if (library)
            sources.push_back(Source{library->GetIdentity(), library});
    }
    return sources;
}

// Ids come from the counter applications use too, so no source and no
// application ever share one.
void CZKSimDsm::_InstallSources(std::vector<Source>& sources)
{
    for (Source& source : sources)
        source.identity.Id = m_nextId++;
    m_sources.swap(sources);
    m_cursor = 0;
    m_lastOpened = 0;
}

std::vector<CZKSimDsm::Source> CZKSimDsm::_UnloadSourcesIfIdle()
{
    std::vector<Source> unloaded;
    if (m_apps.empty())
    {
        unloaded.swap(m_sources);
        m_lastOpened = 0;
    }
    return unloaded;
}

const CZKSimDsm::Source* CZKSimDsm::_FindSourceById(TW_UINT32 id) const
{
    for (const Source& source : m_sources)
        if (source.identity.Id == id)
            return &source;
    return nullptr;
}

// The product name selects the source, as applications store it; an identity
// with only an Id is taken by Id.
const CZKSimDsm::Source* CZKSimDsm::_FindSource(const TW_IDENTITY& wanted) const
{
    if (wanted.ProductName[0])
    {
        for (const Source& source : m_sources)
            if (SameText(source.identity.ProductName, wanted.ProductName, sizeof(wanted.ProductName)))
                return &source;
        return nullptr;
    }
    return wanted.Id ? _FindSourceById(wanted.Id) : _DefaultSource();
}

const CZKSimDsm::Source* CZKSimDsm::_DefaultSource() const
{
    if (const Source* last = _FindSourceById(m_lastOpened))
        return last;
    return m_sources.empty() ? nullptr : &m_sources.front();
}

TW_UINT16 CZKSimDsm::_Identity(pTW_IDENTITY origin, TW_UINT16 msg, pTW_IDENTITY identity)
{
    std::lock_guard<std::mutex> guard(m_lock);
    App* app = _FindApp(origin);
    if (!app)
        return _Fail(nullptr, TWCC_SEQERROR);
    if (!identity)
        return _Fail(app, TWCC_BADVALUE);
    app->condition = TWCC_SUCCESS;
    const Source* source = nullptr;
    switch (msg)
    {
    case MSG_GETFIRST:
        m_cursor = 0;
        [[fallthrough]];
    case MSG_GETNEXT:
        if (m_cursor >= m_sources.size())
            return TWRC_ENDOFLIST;
        *identity = m_sources[m_cursor++].identity;
        return TWRC_SUCCESS;
    case MSG_GETDEFAULT:
        source = _DefaultSource();
        break;
    case MSG_USERSELECT: // no dialog here: a named source, else the default one
        source = identity->ProductName[0] ? _FindSource(*identity) : _DefaultSource();
        if (!source)
            source = _DefaultSource();
        break;
    default:
        return _Fail(app, TWCC_BADPROTOCOL);
    }
    if (!source)
        return _Fail(app, TWCC_NODS);
    *identity = source->identity;
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSimDsm::_OpenSource(pTW_IDENTITY origin, pTW_IDENTITY identity)
{
    std::shared_ptr<CZKSimDsLibrary> library;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        App* app = _FindApp(origin);
        if (!app)
            return _Fail(nullptr, TWCC_SEQERROR);
        if (!identity)
            return _Fail(app, TWCC_BADVALUE);
        const Source* source = _FindSource(*identity);
        if (!source)
            return _Fail(app, TWCC_NODS);
        if (app->openSources.count(source->identity.Id))
            return _Fail(app, TWCC_SEQERROR);
        app->condition = TWCC_SUCCESS;
        *identity = source->identity;
        library = source->library;
    }
    // TWAIN 2 sources learn the manager's entry points before they open.
    if (identity->SupportedGroups & DF_DS2)
    {
        TW_ENTRYPOINT entryPoint;
        CZKSimDsmMemory::FillEntryPoint(entryPoint, &DSM_Entry);
        library->Call(origin, DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &entryPoint);
    }
    TW_UINT16 rc = library->Call(origin, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, identity);
    if (rc != TWRC_SUCCESS)
        _AdoptSourceCondition(origin, *library);
    else
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (App* app = _FindApp(origin))
        {
            app->openSources.insert(IdOf(identity));
            m_lastOpened = identity->Id;
        }
    }
    return rc;
}

// Opening and closing are addressed to the manager, so the application asks
// the manager why they failed: it keeps the source's answer for that.
void CZKSimDsm::_AdoptSourceCondition(pTW_IDENTITY origin, const CZKSimDsLibrary& library)
{
    TW_STATUS status{};
    status.ConditionCode = TWCC_BUMMER;
    library.Call(origin, DG_CONTROL, DAT_STATUS, MSG_GET, &status);
    std::lock_guard<std::mutex> guard(m_lock);
    if (App* app = _FindApp(origin))
        app->condition = status.ConditionCode == TWCC_SUCCESS ? TWCC_BUMMER : status.ConditionCode;
}

TW_UINT16 CZKSimDsm::_CloseSource(pTW_IDENTITY origin, pTW_IDENTITY identity)
{
    std::shared_ptr<CZKSimDsLibrary> library;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        App* app = _FindApp(origin);
        if (!app)
            return _Fail(nullptr, TWCC_SEQERROR);
        if (!identity)
            return _Fail(app, TWCC_BADVALUE);
        const Source* source = _FindSourceById(identity->Id);
        if (!source || !app->openSources.count(IdOf(identity)))
            return _Fail(app, TWCC_BADDEST);
        app->condition = TWCC_SUCCESS;
        library = source->library;
    }
    TW_UINT16 rc = library->Call(origin, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, identity);
    if (rc != TWRC_SUCCESS)
        _AdoptSourceCondition(origin, *library);
    else
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (App* app = _FindApp(origin))
        {
            app->openSources.erase(IdOf(identity));
            app->sourceCallbacks.erase(IdOf(identity));
            app->pendingEvents.erase(IdOf(identity));
        }
    }
    return rc;
}

TW_UINT16 CZKSimDsm::_Status(pTW_IDENTITY origin, TW_STATUS* status)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return _ReadCondition(_FindApp(origin), status);
}

TW_UINT16 CZKSimDsm::_ReadCondition(App* app, TW_STATUS* status)
{
    if (!status)
        return _Fail(app, TWCC_BADVALUE);
    TW_UINT16& condition = app ? app->condition : m_orphanCondition;
    status->ConditionCode = condition;
    status->Data = 0;
    condition = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSimDsm::_EntryPoint(pTW_IDENTITY origin, TW_ENTRYPOINT* entryPoint)
{
    std::lock_guard<std::mutex> guard(m_lock);
    App* app = _FindApp(origin);
    if (!app)
        return _Fail(nullptr, TWCC_SEQERROR);
    if (!(app->identity.SupportedGroups & DF_APP2))
        return _Fail(app, TWCC_BADPROTOCOL);
    if (!entryPoint || entryPoint->Size != sizeof(TW_ENTRYPOINT))
        return _Fail(app, TWCC_BADVALUE);
    CZKSimDsmMemory::FillEntryPoint(*entryPoint, &DSM_Entry);
    app->condition = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}

// A callback given with a source as destination serves that source only; one
// given to the manager serves every source of the application.
TW_UINT16 CZKSimDsm::_RegisterCallback(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT16 dat, TW_MEMREF data)
{
    std::lock_guard<std::mutex> guard(m_lock);
    App* app = _FindApp(origin);
    if (!app)
        return _Fail(nullptr, TWCC_SEQERROR);
    if (!data)
        return _Fail(app, TWCC_BADVALUE);
    if (dest && !app->openSources.count(IdOf(dest)))
        return _Fail(app, TWCC_BADDEST);
    Callback callback;
    if (dat == DAT_CALLBACK2)
    {
        const auto* given = static_cast<const TW_CALLBACK2*>(data);
        callback.proc = reinterpret_cast<TWAINCALLBACKPROC>(given->CallBackProc);
        callback.refCon = reinterpret_cast<TW_MEMREF>(static_cast<uintptr_t>(given->RefCon));
    }
    else
    {
        const auto* given = static_cast<const TW_CALLBACK*>(data);
        callback.proc = reinterpret_cast<TWAINCALLBACKPROC>(given->CallBackProc);
        callback.refCon = reinterpret_cast<TW_MEMREF>(static_cast<uintptr_t>(given->RefCon));
    }
    if (dest)
        app->sourceCallbacks[IdOf(dest)] = callback;
    else
        app->callback = callback;
    app->condition = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}

// Events the source signalled while no callback was registered.
TW_UINT16 CZKSimDsm::_ProcessEvent(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_EVENT* event)
{
    std::lock_guard<std::mutex> guard(m_lock);
    App* app = _FindApp(origin);
    if (!app)
        return _Fail(nullptr, TWCC_SEQERROR);
    if (!event)
        return _Fail(app, TWCC_BADVALUE);
    if (!app->openSources.count(IdOf(dest)))
        return _Fail(app, TWCC_BADDEST);
    app->condition = TWCC_SUCCESS;
    std::deque<TW_UINT16>& pending = app->pendingEvents[IdOf(dest)];
    if (pending.empty())
    {
        event->TWMessage = MSG_NULL;
        return TWRC_NOTDSEVENT;
    }
    event->TWMessage = pending.front();
    pending.pop_front();
    return TWRC_DSEVENT;
}

TW_UINT16 CZKSimDsm::_ToSource(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat,
                               TW_UINT16 msg, TW_MEMREF data)
{
    if (dg == DG_CONTROL && (dat == DAT_CALLBACK || dat == DAT_CALLBACK2) && msg == MSG_REGISTER_CALLBACK)
        return _RegisterCallback(origin, dest, dat, data);
    if (dg == DG_CONTROL && dat == DAT_EVENT && msg == MSG_PROCESSEVENT)
        return _ProcessEvent(origin, dest, static_cast<TW_EVENT*>(data));
    std::shared_ptr<CZKSimDsLibrary> library;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        App* app = _FindApp(origin);
        if (!app)
            return _Fail(nullptr, TWCC_SEQERROR);
        // The status of an open source is the source's to tell; the manager
        // answers only for a destination it refused itself.
        const Source* source = _FindSourceById(dest->Id);
        if (!source || !app->openSources.count(IdOf(dest)))
        {
            if (dg == DG_CONTROL && dat == DAT_STATUS)
                return _ReadCondition(app, static_cast<TW_STATUS*>(data));
            return _Fail(app, TWCC_BADDEST);
        }
        library = source->library;
    }
    return library->Call(origin, dg, dat, msg, data);
}

// A source signals an event to an application (DG_CONTROL / DAT_NULL).
TW_UINT16 CZKSimDsm::_FromSource(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT16 msg)
{
    Callback callback;
    TW_IDENTITY source;
    TW_IDENTITY application;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        App* app = _FindApp(dest);
        if (!app || !app->openSources.count(IdOf(origin)))
            return _Fail(nullptr, TWCC_BADDEST);
        if (!IsSourceEvent(msg))
            return _Fail(nullptr, TWCC_BADVALUE);
        auto own = app->sourceCallbacks.find(IdOf(origin));
        callback = own != app->sourceCallbacks.end() && own->second.proc ? own->second : app->callback;
        if (!callback.proc)
        {
            app->pendingEvents[IdOf(origin)].push_back(msg);
            return TWRC_SUCCESS;
        }
        const Source* known = _FindSourceById(origin->Id);
        if (!known)
            return _Fail(nullptr, TWCC_BADDEST);
        source = known->identity;
        application = app->identity;
    }
    callback.proc(&source, &application, DG_CONTROL, DAT_NULL, msg, callback.refCon);
    return TWRC_SUCCESS;
}
