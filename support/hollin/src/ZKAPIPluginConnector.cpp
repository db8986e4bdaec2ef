#include <hollin/ZKAPIPluginConnector.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKPath.h>
#include <hollin/ZKScript.h>
#include <wincompat/ZKDynamicLibrary.h>

namespace
{
typedef const char* (*TextEntry)();

bool ReadText(CZKDynamicLibrary& library, const char* entry, std::wstring& text)
{
    const auto function = library.SymbolAs<TextEntry>(entry);
    if (!function)
        return false;
    const char* value = function();
    text = value ? SZKCommon::MBStoWCS(value) : std::wstring();
    return true;
}

std::wstring SectionFor(const CZKScript& script, const wchar_t* name, int flag)
{
    const std::wstring own = name ? name : L"";
    if (!flag)
        return own;
    const std::wstring& current = script.GetDefaultSection();
    return current.empty() ? own : current + L"." + own;
}
} // namespace

CZKAPIPluginConnector::CZKAPIPluginConnector() = default;

CZKAPIPluginConnector::~CZKAPIPluginConnector() = default;

CZKAPIPluginConnector::CZKAPIPluginConnector(const CZKAPIPluginConnector& other) : CZKObject(other)
{
    if (other.IsConnected())
        Connect(other.m_path);
}

CZKAPIPluginConnector& CZKAPIPluginConnector::operator=(const CZKAPIPluginConnector& other)
{
    if (this == &other)
        return *this;
    if (other.IsConnected())
        Connect(other.m_path);
    else
        Disconnect();
    return *this;
}

BOOL CZKAPIPluginConnector::Connect(const std::wstring& pluginPath)
{
    Disconnect();
    auto library = std::make_unique<CZKDynamicLibrary>();
    if (pluginPath.empty() || !library->Load(SZKPath::ToNative(pluginPath)))
        return FALSE;
    std::wstring name, description;
    if (!ReadText(*library, ZK_PLUGIN_NAME_ENTRY, name) || !ReadText(*library, ZK_PLUGIN_DESCRIPTION_ENTRY, description))
        return FALSE;
    m_library = std::move(library);
    m_path = pluginPath;
    m_name = name;
    m_description = description;
    return TRUE;
}

void CZKAPIPluginConnector::Disconnect()
{
    m_library.reset();
    m_path.clear();
    m_name.clear();
    m_description.clear();
}

BOOL CZKAPIPluginConnector::IsConnected() const
{
    return m_library && m_library->IsLoaded() ? TRUE : FALSE;
}

void* CZKAPIPluginConnector::GetEntryPoint(const char* name) const
{
    return IsConnected() && name ? m_library->Symbol(name) : nullptr;
}

BOOL CZKAPIPluginConnector::ToScript(CZKScript& script, const wchar_t* name, int flag) const
{
    const std::wstring section = SectionFor(script, name, flag);
    return script.SetKeyValue(L"PluginPath", m_path, 0, section.c_str()) &&
                   script.SetKeyValue(L"PluginName", m_name, 0, section.c_str()) &&
                   script.SetKeyValue(L"PluginDescription", m_description, 0, section.c_str())
               ? TRUE
               : FALSE;
}

BOOL CZKAPIPluginConnector::FromScript(CZKScript& script, const wchar_t* name, int flag)
{
    Disconnect();
    const std::wstring section = SectionFor(script, name, flag);
    std::wstring path;
    if (!script.GetKeyValue(L"PluginPath", path, 0, section.c_str()))
        return FALSE;
    return path.empty() ? TRUE : Connect(path);
}

bool CZKAPIPluginConnector::operator==(const CZKAPIPluginConnector& other) const
{
    return IsConnected() == other.IsConnected() && m_path == other.m_path;
}
