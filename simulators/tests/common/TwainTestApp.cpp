#include "TwainTestApp.h"

#include "TwainTempFolder.h"

#include <dlfcn.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <thread>

void CTwainTestApp::UseFolders(const std::string& dataSourceFolder, const std::string& profileFolder)
{
    setenv("ZK_TWAIN_DS_DIR", dataSourceFolder.c_str(), 1);
    setenv("ZK_TWAIN_PROFILE_DIR", profileFolder.c_str(), 1);
}

void CTwainTestApp::UseProfiles(const std::string& profileFolder)
{
    static std::unique_ptr<CTwainTempFolder> sources;
    sources = std::make_unique<CTwainTempFolder>();
    for (const auto& entry : std::filesystem::directory_iterator(profileFolder))
        if (entry.path().extension() == ".profile")
            sources->CopyFrom(TWAIN_TEST_FOLDERS::SourceFile(), entry.path().stem().string() + ".ds");
    UseFolders(sources->Path(), profileFolder);
}

// The manager stays loaded for the whole test process, as in an application.
DSMENTRYPROC CTwainTestApp::Entry()
{
    static DSMENTRYPROC entry = [] {
        const std::string path = TWAIN_TEST_FOLDERS::System() + "/libtwaindsm.so";
        void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library)
            throw std::runtime_error("cannot load " + path);
        return reinterpret_cast<DSMENTRYPROC>(dlsym(library, "DSM_Entry"));
    }();
    return entry;
}

CTwainTestApp::CTwainTestApp(TW_UINT32 groups)
{
    m_identity.Version.MajorNum = 1;
    m_identity.Version.Language = TWLG_ENGLISH;
    m_identity.Version.Country = TWCY_USA;
    std::strcpy(m_identity.Version.Info, "test 1.0");
    m_identity.ProtocolMajor = 2;
    m_identity.ProtocolMinor = 4;
    m_identity.SupportedGroups = groups;
    std::strcpy(m_identity.Manufacturer, "Test Maker");
    std::strcpy(m_identity.ProductFamily, "Tests");
    std::strcpy(m_identity.ProductName, "Simulator Test");
}

CTwainTestApp::~CTwainTestApp()
{
    if (m_sourceOpen)
    {
        // A transfer left in state 7 ends first; a reset then drops the rest.
        TW_PENDINGXFERS pending{};
        Call(&m_source, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
        Call(&m_source, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
        Disable();
        CloseSource();
    }
    if (m_dsmOpen)
        CloseDsm();
}

TW_UINT16 CTwainTestApp::Call(pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    return Entry()(&m_identity, dest, dg, dat, msg, data);
}

TW_UINT16 CTwainTestApp::Condition(pTW_IDENTITY dest)
{
    TW_STATUS status{};
    status.ConditionCode = 0xFFFF;
    if (Call(dest, DG_CONTROL, DAT_STATUS, MSG_GET, &status) != TWRC_SUCCESS)
        return 0xFFFF;
    return status.ConditionCode;
}

TW_UINT16 CTwainTestApp::OpenDsm()
{
    TW_UINT16 rc = Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, nullptr);
    m_dsmOpen = m_dsmOpen || rc == TWRC_SUCCESS;
    return rc;
}

TW_UINT16 CTwainTestApp::CloseDsm()
{
    TW_UINT16 rc = Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, nullptr);
    m_dsmOpen = m_dsmOpen && rc != TWRC_SUCCESS;
    return rc;
}

std::vector<TW_IDENTITY> CTwainTestApp::ListSources()
{
    std::vector<TW_IDENTITY> sources;
    TW_IDENTITY identity{};
    for (TW_UINT16 msg = MSG_GETFIRST; Call(nullptr, DG_CONTROL, DAT_IDENTITY, msg, &identity) == TWRC_SUCCESS;
         msg = MSG_GETNEXT)
        sources.push_back(identity);
    return sources;
}

TW_UINT16 CTwainTestApp::OpenSource(const std::string& productName)
{
    TW_IDENTITY wanted{};
    std::strncpy(wanted.ProductName, productName.c_str(), sizeof(wanted.ProductName) - 1);
    TW_UINT16 rc = Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &wanted);
    if (rc == TWRC_SUCCESS)
    {
        m_source = wanted;
        m_sourceOpen = true;
    }
    return rc;
}

TW_UINT16 CTwainTestApp::CloseSource()
{
    TW_UINT16 rc = Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &m_source);
    m_sourceOpen = m_sourceOpen && rc != TWRC_SUCCESS;
    return rc;
}

TW_UINT16 CTwainTestApp::Enable(TW_UINT16 msg, bool showUI)
{
    TW_USERINTERFACE ui{static_cast<TW_BOOL>(showUI), static_cast<TW_BOOL>(showUI), nullptr};
    return Call(&m_source, DG_CONTROL, DAT_USERINTERFACE, msg, &ui);
}

TW_UINT16 CTwainTestApp::Disable()
{
    TW_USERINTERFACE ui{0, 0, nullptr};
    return Call(&m_source, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
}

TW_UINT16 CTwainTestApp::WaitForEvent()
{
    for (int attempt = 0; attempt < 5000; ++attempt)
    {
        TW_EVENT event{nullptr, MSG_NULL};
        if (Call(&m_source, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event) == TWRC_DSEVENT)
            return event.TWMessage;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return MSG_NULL;
}
