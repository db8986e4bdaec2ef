#include <mirelight/QXScannerSettingsManager.h>

#include <hollin/ZKException.h>

CQXScannerSettingsManager::~CQXScannerSettingsManager() { _Clear(); }

void CQXScannerSettingsManager::_Clear() { m_settings.clear(); }

int CQXScannerSettingsManager::Load(CZKBuffer& buffer)
{
    _Clear();
    if (buffer.GetSize() == 0)
        return 1;
    if (!buffer.RWOpenRead())
        return 0;
    int result = 0;
    try
    {
        ULONG count = 0;
        buffer._RW_R_ulong(count);
        // Every entry takes at least its two length fields, so a count the
        // buffer cannot hold fails at once instead of after a long loop.
        for (ULONG i = 0; i < count; ++i)
        {
            std::wstring name;
            auto settings = std::make_unique<CZKRBuffer>();
            buffer._RW_R_string(name);
            buffer._RW_R_buffer(*settings);
            m_settings.emplace(name, std::move(settings));
        }
        result = 1;
    }
    catch (const CZKException& e)
    {
        CZKException::Catch(e, "CQXScannerSettingsManager::Load");
        _Clear();
        result = 0;
    }
    buffer.RWClose();
    return result;
}

int CQXScannerSettingsManager::Save(CZKBuffer& buffer)
{
    buffer.Empty();
    if (!buffer.RWOpenWrite())
        return 0;
    int result = 0;
    try
    {
        buffer._RW_W_ulong(static_cast<ULONG>(m_settings.size()));
        for (const auto& entry : m_settings)
        {
            buffer._RW_W_string(entry.first);
            buffer._RW_W_buffer(*entry.second);
        }
        result = 1;
    }
    catch (const CZKException& e)
    {
        CZKException::Catch(e, "CQXScannerSettingsManager::Save");
        result = 0;
    }
    buffer.RWClose();
    return result;
}

int CQXScannerSettingsManager::ReadScannerSettings(const wchar_t* name, CZKBuffer& out)
{
    out.Empty();
    if (!name)
        return 0;
    const auto found = m_settings.find(name);
    if (found == m_settings.end())
        return 1;
    return out.CopyFrom(*found->second) ? 1 : 0;
}

int CQXScannerSettingsManager::WriteScannerSettings(const wchar_t* name, CZKBuffer& in)
{
    if (!name)
        return 0;
    auto copy = std::make_unique<CZKRBuffer>();
    if (in.GetSize() != 0 && !copy->CopyFrom(in))
        return 0;
    m_settings[name] = std::move(copy);
    return 1;
}
