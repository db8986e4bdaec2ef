// Scanner configurations of the TWAIN-backed scanner: the driver's own
// settings (a data block or a driver profile), the cameras, and the
// scanner-side extras of the advanced configuration.
#include "QXTWAINScannerImpl.h"

#include "QXTWAINSourceModel.h"

#include <mirelight/QXImageAddressAdapter.h>
#include <mirelight/QXScannerHelper.h>
#include <mirelight/QXScannerSettingsManipulator.h>

#include <hollin/ZKRBuffer.h>
#include <orrin/ZKRCM.h>

namespace
{
const wchar_t kDefaultProfile[] = L"default";

// Families whose scanner-side settings live in a settings-manipulator block.
bool UsesSettingsManipulator(EQXScannerFamily family)
{
    return family == QX_SCANNER_FAMILY_FELL || family == QX_SCANNER_FAMILY_TALUS ||
           family == QX_SCANNER_FAMILY_TARN;
}
} // namespace

BOOL CQXTWAINScannerImpl::GetConfig(QX_SCNCFG_CONFIGDATA_TYPE& config)
{
    if (!m_model)
        return FALSE;
    GetCurrentScanner(config.strScannerName);
    m_model->NormalizeScannerName(config.strScannerName);
    if (_HasCapability(QX_SCANNER_CAP_DSCOMMAND))
    {
        config.configMode.value = QX_SCNCFG_CONFIGDATA_TYPE::MODE_PROFILE;
        QX_SCANNER_PROFILE profile;
        if (m_model->GetCurrentProfileId(profile.strId))
        {
            config.strProfileID = profile.strId;
            if (m_model->GetProfile(profile))
                config.strProfileName = profile.strName;
        }
    }
    else
    {
        config.configMode.value = QX_SCNCFG_CONFIGDATA_TYPE::MODE_DATA;
        _GetCustomData(config.driverData);
    }
    QX_SCANNER_CAMERAINFO cameras;
    if (_GetCameraInfo(cameras))
        CQXScannerHelper::ConvertCameraInfo(cameras, config);
    return TRUE;
}

BOOL CQXTWAINScannerImpl::SetConfig(QX_SCNCFG_CONFIGDATA_TYPE& config)
{
    if (!m_model)
        return FALSE;
    std::wstring current;
    GetCurrentScanner(current);
    std::wstring normalized = current;
    m_model->NormalizeScannerName(normalized);
    if (config.strScannerName.empty())
        return _HasCapability(QX_SCANNER_CAP_DSCOMMAND)
                   ? m_model->SelectProfileByName(kDefaultProfile)
                   : TRUE;
    if (config.strScannerName != current && config.strScannerName != normalized)
        return FALSE;
    if (config.configMode.value == QX_SCNCFG_CONFIGDATA_TYPE::MODE_PROFILE)
    {
        if (!config.strProfileID.empty())
            return m_model->SelectProfileById(config.strProfileID);
        return m_model->SelectProfileByName(config.strProfileName.empty() ? kDefaultProfile
                                                                          : config.strProfileName);
    }
    if (config.driverData.IsEmpty())
        return TRUE;
    return _SetCustomData(config.driverData);
}

BOOL CQXTWAINScannerImpl::GetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& config,
                                            CZKBuffer* settings)
{
    config.reset();
    if (!m_model)
        return FALSE;
    GetCurrentScanner(config.strScannerName);
    const EQXScannerFamily family =
        CQXScannerHelper::QueryScannerInfo(config.strScannerName.c_str()).family;
    if (UsesSettingsManipulator(family))
    {
        // These families keep their settings in the manipulator's block.
        if (!settings)
            return FALSE;
        _TakeImageAddressFormat(config, *settings);
        return config.settingsBlock.CopyFrom(*settings);
    }
    if (!_HasCapability(QX_SCANNER_CAP_PROFILES))
        return TRUE;
    int active = 0;
    if (_IsImageAddressingActive(active) && active &&
        !GetTagValue(1009, 0, &config.imageAddressFormat))
        return FALSE;
    if (!m_model->ReadIndexedSettings(1, config.globalData))
        return FALSE;
    if (settings)
        return config.settingsBlock.CopyFrom(*settings);
    return TRUE;
}

BOOL CQXTWAINScannerImpl::SetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& config,
                                            std::wstring& error)
{
    if (config.isEmpty())
        return TRUE;
    std::wstring current;
    GetCurrentScanner(current);
    if (!m_model || config.strScannerName != current)
        return FALSE;
    const EQXScannerFamily family = CQXScannerHelper::QueryScannerInfo(current.c_str()).family;
    if (UsesSettingsManipulator(family))
        return _WriteSettingsBlock(config, error);
    if (!_HasCapability(QX_SCANNER_CAP_PROFILES))
        return TRUE;
    if (!m_model->WriteIndexedSettings(1, config.globalData))
        return FALSE;
    if (config.settingsBlock.IsEmpty())
        return TRUE;
    return _WriteSettingsBlock(config, error);
}

void CQXTWAINScannerImpl::_TakeImageAddressFormat(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& config,
                                                  CZKBuffer& settings)
{
    CQXScannerSettingsManipulator manipulator(config.strScannerName.c_str());
    CQXImageAddressAdapter* adapter = manipulator.GetImageAddressAdapter();
    if (adapter && manipulator.ReadFromBuffer(settings))
        config.imageAddressFormat = adapter->getAddressFormat();
}

BOOL CQXTWAINScannerImpl::_WriteSettingsBlock(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& config,
                                              std::wstring& error)
{
    CQXScannerSettingsManipulator manipulator(config.strScannerName.c_str());
    // A block of another family, or a damaged one, would otherwise write
    // the family's defaults over the scanner's settings.
    if (!manipulator.ReadFromBuffer(config.settingsBlock))
    {
        SZKRCM::LoadText(L"MSG_SCANNER_SETTINGS_READ_FAILED", error);
        return FALSE;
    }
    if (manipulator.WriteToScanner(this))
        return TRUE;
    error = manipulator.GetLastError();
    // Not every adapter names its failure; the caller still gets a text.
    if (error.empty())
        SZKRCM::LoadText(L"MSG_SCANNER_SETTINGS_WRITE_FAILED", error);
    return FALSE;
}
