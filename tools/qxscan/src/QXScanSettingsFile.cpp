#include "QXScanSettingsFile.h"

#include <mirelight/QXScanner.h>
#include <mirelight/QXScannerHelper.h>

#include <hollin/ZKCommon.h>

EQXScanExitCode CQXScanSettingsFile::Load(const std::string& path, std::string& error)
{
    m_path = path;
    const std::wstring file = SZKCommon::MBStoWCS(path);
    if (m_config.fromfile(file))
        return QXSCAN_EXIT_OK;
    m_isGroup = m_group.fromfile(file) != FALSE;
    if (m_isGroup)
        return QXSCAN_EXIT_OK;
    error = path + " is neither a scanner configuration nor a job scanner group file";
    return QXSCAN_EXIT_BAD_ARGUMENTS;
}

// Stored names may carry their protocol ("twain:..."); the scanner compares
// bare names, so the record gets the bare one. An empty name fits any scanner.
bool CQXScanSettingsFile::_IsForScanner(std::wstring& named, const std::wstring& current,
                                        std::string& error) const
{
    EQXScannerProtocol protocol = QX_SCANNER_PROTOCOL_TWAIN;
    std::wstring bare;
    if (named.empty() || !CQXScannerHelper::ExtractProtocolAndName(named.c_str(), protocol, bare))
        return true;
    if (bare != current)
    {
        error = m_path + " is for " + SZKCommon::WCStoMBS(named) + ", not for this scanner";
        return false;
    }
    named = bare;
    return true;
}

EQXScanExitCode CQXScanSettingsFile::Apply(CQXScanner& scanner, std::string& error)
{
    std::wstring current;
    scanner.GetCurrentScanner(current);
    if (!m_isGroup)
    {
        if (!_IsForScanner(m_config.strScannerName, current, error))
            return QXSCAN_EXIT_BAD_ARGUMENTS;
        if (scanner.SetConfig(m_config))
            return QXSCAN_EXIT_OK;
        error = "the scanner refused the configuration " + m_path;
        return QXSCAN_EXIT_FAILURE;
    }
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& advanced = m_group.advancedConfig;
    if (!_IsForScanner(m_group.strScannerName, current, error) ||
        !_IsForScanner(advanced.strScannerName, current, error))
        return QXSCAN_EXIT_BAD_ARGUMENTS;
    std::wstring refusal;
    if (scanner.SetAdvancedConfig(advanced, refusal))
        return QXSCAN_EXIT_OK;
    error = "the scanner refused the settings of " + m_path +
            (refusal.empty() ? "" : ": " + SZKCommon::WCStoMBS(refusal));
    return QXSCAN_EXIT_FAILURE;
}
