// Connection to an add-on plug-in: a shared library that identifies itself
// through two exported C functions returning UTF-8 texts:
//
//   extern "C" const char* ZKPluginGetName(void);
//   extern "C" const char* ZKPluginGetDescription(void);
//
// Further entry points are the business of whoever uses the plug-in
// (GetEntryPoint). The library stays loaded while connected.
#pragma once

#include <hollin/ZKObject.h>
#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <memory>
#include <string>

class CZKDynamicLibrary;
class CZKScript;

#define ZK_PLUGIN_NAME_ENTRY "ZKPluginGetName"
#define ZK_PLUGIN_DESCRIPTION_ENTRY "ZKPluginGetDescription"

class HOLLIN_EXPORT CZKAPIPluginConnector : public CZKObject
{
public:
    CZKAPIPluginConnector();
    ~CZKAPIPluginConnector() override;
    // A copy connects to the same plug-in file.
    CZKAPIPluginConnector(const CZKAPIPluginConnector& other);
    CZKAPIPluginConnector& operator=(const CZKAPIPluginConnector& other);
    CZKObject* Clone() const override { return new CZKAPIPluginConnector(*this); }

    // Loads the plug-in and reads its two texts; FALSE (and disconnected)
    // when the file does not load or lacks either entry point.
    virtual BOOL Connect(const std::wstring& pluginPath);
    virtual void Disconnect();
    BOOL IsConnected() const;

    // Empty while disconnected.
    const std::wstring& GetPluginPath() const { return m_path; }
    const std::wstring& GetPluginName() const { return m_name; }
    const std::wstring& GetPluginDescription() const { return m_description; }
    // Another exported function of the connected plug-in, or nullptr.
    void* GetEntryPoint(const char* name) const;

    // Saves the plug-in path and its two texts ("PluginPath", "PluginName",
    // "PluginDescription") in a sub-section: flag non-zero: the script's
    // default section + "." + name; flag 0: the section name itself. A
    // disconnected connector saves an empty path.
    BOOL ToScript(CZKScript& script, const wchar_t* name, int flag = 1) const;
    // Reads what ToScript wrote and connects to that plug-in (an empty path
    // means disconnected, and succeeds). FALSE, disconnected, when the
    // items are missing or the plug-in does not connect.
    BOOL FromScript(CZKScript& script, const wchar_t* name, int flag = 1);

    // Same plug-in file and connection state.
    bool operator==(const CZKAPIPluginConnector& other) const;
    bool operator!=(const CZKAPIPluginConnector& other) const { return !(*this == other); }

private:
    std::unique_ptr<CZKDynamicLibrary> m_library;
    std::wstring m_path;
    std::wstring m_name;
    std::wstring m_description;
};
