// A minimal TWAIN application for the simulator tests: loads the simulated
// manager from the assembled system folder and speaks raw DSM_Entry to it.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include <twaindefs/ZKTwainDefs.h>

// The folders the tests point the simulators at.
struct TWAIN_TEST_FOLDERS
{
    static std::string System() { return ZK_TWAIN_SIM_DIR; }
    static std::string DataSources() { return System() + "/twain_32"; }
    // The virtual data-source file, to be copied as "<profile>.ds".
    static std::string SourceFile() { return System() + "/zkvirtualsource.so"; }
    static std::string SampleProfiles() { return ZK_TWAIN_SIM_PROFILES; }
};

class CTwainTestApp
{
public:
    // Points the manager at dataSourceFolder and the source at profileFolder.
    static void UseFolders(const std::string& dataSourceFolder, const std::string& profileFolder);
    // Points the manager at a scratch folder holding one virtual data-source
    // file per profile of profileFolder, and the sources at profileFolder.
    static void UseProfiles(const std::string& profileFolder);

    explicit CTwainTestApp(TW_UINT32 groups = DG_CONTROL | DG_IMAGE | DF_APP2);
    ~CTwainTestApp(); // closes what the test left open

    TW_UINT16 Call(pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    // The condition code the manager (dest null) or a source reports.
    TW_UINT16 Condition(pTW_IDENTITY dest = nullptr);

    TW_UINT16 OpenDsm();
    TW_UINT16 CloseDsm();
    std::vector<TW_IDENTITY> ListSources();
    // Keeps the source opened before when this one fails to open.
    TW_UINT16 OpenSource(const std::string& productName);
    TW_UINT16 CloseSource();
    TW_UINT16 Enable(TW_UINT16 msg, bool showUI);
    TW_UINT16 Disable();
    // Polls MSG_PROCESSEVENT until an event comes or about five seconds pass;
    // MSG_NULL when none came.
    TW_UINT16 WaitForEvent();

    TW_IDENTITY& Identity() { return m_identity; }
    TW_IDENTITY& Source() { return m_source; }

    static DSMENTRYPROC Entry();

private:
    TW_IDENTITY m_identity{};
    TW_IDENTITY m_source{};
    bool m_dsmOpen = false;
    bool m_sourceOpen = false;
};
