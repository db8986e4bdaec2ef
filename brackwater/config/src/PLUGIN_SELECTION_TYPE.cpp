#include <brackwater/PLUGIN_SELECTION_TYPE.h>

namespace
{
const wchar_t kLocator[] = L"Locator";
const int kBelowDefaultSection = 1;
} // namespace

void PLUGIN_SELECTION_TYPE::reset()
{
    Disconnect();
    m_settings.Free();
    init();
}

void PLUGIN_SELECTION_TYPE::set(const PLUGIN_SELECTION_TYPE& other)
{
    if (this == &other)
        return;
    CZKAPIPluginConnector::operator=(other);
    m_settings.Free();
    if (!other.m_settings.IsEmpty())
        m_settings.CopyFrom(other.m_settings);
}

int PLUGIN_SELECTION_TYPE::compare(const PLUGIN_SELECTION_TYPE& other) const
{
    const bool same = CZKAPIPluginConnector::operator==(other) &&
                      m_settings.Compare(other.m_settings) == 0;
    return same ? 0 : -1;
}

BOOL PLUGIN_SELECTION_TYPE::check() const
{
    if (!IsConnected())
        return TRUE;
    return (!GetPluginName().empty() && !GetPluginDescription().empty()) ? TRUE : FALSE;
}

void PLUGIN_SELECTION_TYPE::normalize()
{
    if (!check())
        reset();
}

BOOL PLUGIN_SELECTION_TYPE::toscript(CZKScript& script) const
{
    return ToScript(script, kLocator, kBelowDefaultSection);
}

BOOL PLUGIN_SELECTION_TYPE::fromscript(CZKScript& script)
{
    m_settings.Free();
    if (FromScript(script, kLocator, kBelowDefaultSection))
        return TRUE;
    reset();
    return FALSE;
}

BOOL PLUGIN_SELECTION_TYPE::CopyTo(CZKGBuffer& buffer) const
{
    if (!IsConnected())
        return FALSE;
    buffer.Free();
    return m_settings.IsEmpty() ? TRUE : buffer.CopyFrom(m_settings);
}

BOOL PLUGIN_SELECTION_TYPE::CopyFrom(const CZKGBuffer& buffer)
{
    if (!IsConnected())
        return FALSE;
    m_settings.Free();
    return buffer.IsEmpty() ? TRUE : m_settings.CopyFrom(buffer);
}
