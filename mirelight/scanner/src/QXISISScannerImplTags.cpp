// The numbered tags of the ISIS-backed scanner: scan settings, the scan-mode
// record and the device information, read and written through the ISIS
// manager's tag and scan-setting operations.
#include "QXISISScannerImpl.h"

#include "QXISISCameraExchange.h"

#include <mirelight/QXScannerHelper.h>
#include <mirelight/QXVRSHelper.h>
#include <mirelight/QX_SCANNER_DEVICE_INFO.h>
#include <mirelight/QX_SCANNER_SCANMODE.h>

#include <hollin/ZKBuffer.h>

#include <cmath>
#include <cstdio>
#include <exception>

namespace
{
// ISIS tags the scanner reads and writes directly.
constexpr WORD kScanTypeTag = 1300;
constexpr WORD kWindowTag = 1690;
constexpr WORD kDriverTextTag = 1294;
constexpr WORD kSamplesPerPixelTag = 277;
constexpr WORD kBitsPerSampleTag = 258;
constexpr WORD kXResolutionTag = 282;
constexpr WORD kYResolutionTag = 283;

int& IntAt(void* value)
{
    return *static_cast<int*>(value);
}

WORD RoundedResolution(float value)
{
    return static_cast<WORD>(std::lround(value));
}

} // namespace

BOOL CQXISISScannerImpl::_SetTag(DWORD tag, DWORD, void* value)
{
    switch (tag)
    {
    case 0:
        m_manager->SetLocale(static_cast<DWORD>(IntAt(value)));
        m_language = static_cast<DWORD>(IntAt(value));
        return TRUE;
    case 1:
        return _SetDuplex(IntAt(value) != 0);
    case 7:
        m_manager->SetScanMode(IntAt(value) != 0 ? ZKISIS_SCAN_REPEATED : ZKISIS_SCAN_ONE_RUN);
        return TRUE;
    case 8:
        m_manager->SetFlabedDelay(static_cast<unsigned>(IntAt(value)));
        return TRUE;
    case 9:
        return _WriteCameraInfo(*static_cast<const QX_SCANNER_CAMERAINFO*>(value));
    case 11:
        return SwitchCaptureSide(static_cast<EQXCaptureSide>(IntAt(value)));
    case 12:
        return m_manager->WriteConfig(*static_cast<CZKBuffer*>(value));
    case 13:
        return m_manager->ResetConfig();
    case 14:
        m_manager->SetTransferType(IntAt(value) == 1 ? ZKISIS_TRANSFER_FILE : ZKISIS_TRANSFER_PAGE);
        m_transferType = IntAt(value);
        return TRUE;
    case 2002:
    {
        const int* pair = static_cast<const int*>(value);
        m_manager->SetCompression(pair[0], pair[1]);
        return TRUE;
    }
    case 2005:
        m_versionText = static_cast<const wchar_t*>(value);
        return TRUE;
    case 2006:
        return _SetScanMode(*static_cast<const QX_SCANNER_SCANMODE*>(value));
    case 2007:
        return m_manager->TagOneValueSet(std::wstring(static_cast<const wchar_t*>(value)),
                                         kDriverTextTag);
    default:
        return FALSE;
    }
}

BOOL CQXISISScannerImpl::_GetTag(DWORD tag, DWORD, void* result)
{
    switch (tag)
    {
    case 0:
        IntAt(result) = static_cast<int>(m_language);
        return TRUE;
    case 1:
        IntAt(result) = _IsDuplexScanType() ? 1 : 0;
        return TRUE;
    case 2:
        return _GetDuplexFlags(IntAt(result));
    case 3:
        return _GetCaptureSide(IntAt(result));
    case 5:
        return _GetImagesPerSheet(IntAt(result));
    case 6:
        return _GetDeviceInfo(*static_cast<QX_SCANNER_DEVICE_INFO*>(result));
    case 7:
        IntAt(result) = m_manager->GetScanMode() > 0 ? 1 : 0;
        return TRUE;
    case 8:
        IntAt(result) = static_cast<int>(m_manager->GetFlabedDelay());
        return TRUE;
    case 9:
        return _ReadCameraInfo(*static_cast<QX_SCANNER_CAMERAINFO*>(result));
    case 11:
        return _GetSidesCounted(IntAt(result));
    case 12:
        return m_manager->ReadConfig(*static_cast<CZKBuffer*>(result));
    case 14:
        IntAt(result) = m_transferType;
        return TRUE;
    case 15:
        IntAt(result) = m_manager->TagSupported(kWindowTag) ? 1 : 0;
        return TRUE;
    case 2005:
        *static_cast<std::wstring*>(result) = m_versionText;
        return TRUE;
    case 2006:
        return _GetScanMode(*static_cast<QX_SCANNER_SCANMODE*>(result));
    case 2007:
        return m_manager->TagOneValueGet(*static_cast<std::wstring*>(result), kDriverTextTag);
    default:
        return FALSE;
    }
}

BOOL CQXISISScannerImpl::_SetDuplex(bool duplex)
{
    const bool isDuplex = _IsDuplexScanType() != FALSE;
    if (!duplex)
    {
        if (!isDuplex)
            return TRUE;
        const long single = m_manager->SupportScanType(SCAN_FRONT) ? SCAN_FRONT : SCAN_BACK;
        return m_manager->TagOneValueSet(single, kScanTypeTag);
    }
    if (!_SupportsDuplex())
        return FALSE;
    if (isDuplex)
        return TRUE;
    const long both = m_manager->SupportScanType(SCAN_BOTH) ? SCAN_BOTH : SCAN_BOTH_ALTERNATIVE;
    return m_manager->TagOneValueSet(both, kScanTypeTag);
}

BOOL CQXISISScannerImpl::_GetDuplexFlags(int& flags)
{
    flags = 0;
    if (_SupportsDuplex())
        flags |= 4;
    if (m_manager->SupportScanType(SCAN_FRONT))
        flags |= 1;
    if (m_manager->SupportScanType(SCAN_BACK))
        flags |= 2;
    return TRUE;
}

BOOL CQXISISScannerImpl::_GetCaptureSide(int& side)
{
    const int type = m_manager->ScanType();
    if (type < 0)
        return FALSE;
    if (type == 0 || type == 2)
        side = type;
    else if (type >= SCAN_FRONT && type <= SCAN_BACK)
        side = 1;
    else
        side = 3;
    return TRUE;
}

BOOL CQXISISScannerImpl::_GetImagesPerSheet(int& count)
{
    int front = 0;
    int back = 0;
    if (!m_manager || !m_manager->ImagesPerPage(front, back))
        return FALSE;
    count = front + back != 0 ? front + back : 1;
    return TRUE;
}

BOOL CQXISISScannerImpl::_GetSidesCounted(int& sides)
{
    int front = 0;
    int back = 0;
    if (!m_manager->ScanCountPerPageSide(front, back))
        return FALSE;
    sides = 0;
    if (front > 0)
        sides = back >= 1 ? QX_SCANNER_SIDE_BOTH : QX_SCANNER_SIDE_FRONT;
    else if (back > 0)
        sides = QX_SCANNER_SIDE_BACK;
    return TRUE;
}

BOOL CQXISISScannerImpl::_GetDeviceInfo(QX_SCANNER_DEVICE_INFO& info)
{
    ZK_ISIS_DRIVERINFO driver;
    if (!m_manager->GetDriverInfo(driver))
        return FALSE;
    info.strProduct = driver.DriverName;
    info.strInfo = driver.Description;
    std::wstring vrsSource;
    if (CQXVRSHelper::IsVRS(driver.DriverName.c_str()))
    {
        if (CQXVRSHelper::GetDefaultSource(vrsSource) && !vrsSource.empty())
            info.strInfo = vrsSource;
    }
    else if (!m_versionText.empty())
        info.strInfo = m_versionText;
    info.nModel = 0;
    info.wReserved1 = static_cast<WORD>(driver.MajorVersion);
    info.wReserved2 = static_cast<WORD>(driver.MinorVersion);
    wchar_t version[64];
    std::swprintf(version, sizeof(version) / sizeof(version[0]), L"%d.%d.%d.%d",
                  static_cast<int>(driver.MajorVersion), static_cast<int>(driver.MinorVersion),
                  static_cast<int>(driver.Release), static_cast<int>(driver.Build));
    info.strReserved2 = version;
    info.nInfo = 0;
    info.nReserved = 1;
    info.strProductAnsi = driver.ProductName;
    return TRUE;
}

BOOL CQXISISScannerImpl::_GetScanMode(QX_SCANNER_SCANMODE& mode)
{
    long samples = 0;
    long bits = 0;
    if (!m_manager->TagOneValueGet(samples, kSamplesPerPixelTag) ||
        !m_manager->TagOneValueGet(bits, kBitsPerSampleTag))
        return FALSE;
    if (samples == 3 && bits == 8)
        mode.nMode = QX_SCANNER_CAMERA::MODE_COLOR;
    else if (samples == 1 && bits == 1)
        mode.nMode = QX_SCANNER_CAMERA::MODE_BITONAL;
    else if (samples == 1 && (bits == 4 || bits == 8))
        mode.nMode = QX_SCANNER_CAMERA::MODE_GRAY;
    else
        return FALSE;
    float x = 0;
    float y = 0;
    if (!m_manager->TagOneValueGet(x, kXResolutionTag) ||
        !m_manager->TagOneValueGet(y, kYResolutionTag))
        return FALSE;
    mode.XResolution.value = RoundedResolution(x);
    mode.YResolution.value = RoundedResolution(y);
    return TRUE;
}

BOOL CQXISISScannerImpl::_SetScanMode(const QX_SCANNER_SCANMODE& mode)
{
    long samples = 0;
    long bits = 0;
    if (!CQXISISCameraExchange::ModeLayout(mode.nMode, samples, bits))
        return FALSE;
    // All four are attempted even when one fails.
    const BOOL samplesSet = m_manager->TagOneValueSet(samples, kSamplesPerPixelTag);
    const BOOL bitsSet = m_manager->TagOneValueSet(bits, kBitsPerSampleTag);
    const BOOL xSet =
        m_manager->TagOneValueSet(static_cast<float>(mode.XResolution.value), kXResolutionTag);
    const BOOL ySet =
        m_manager->TagOneValueSet(static_cast<float>(mode.YResolution.value), kYResolutionTag);
    return samplesSet && bitsSet && xSet && ySet ? TRUE : FALSE;
}

BOOL CQXISISScannerImpl::_ReadCameraInfo(QX_SCANNER_CAMERAINFO& info)
{
    CQXISISCameraExchange exchange(*m_manager);
    return exchange.Read(info);
}

BOOL CQXISISScannerImpl::_WriteCameraInfo(const QX_SCANNER_CAMERAINFO& info)
{
    CQXISISCameraExchange exchange(*m_manager);
    return exchange.Write(info);
}

BOOL CQXISISScannerImpl::GetConfig(QX_SCNCFG_CONFIGDATA_TYPE& config)
{
    if (!m_manager)
        return FALSE;
    std::wstring current;
    GetCurrentScanner(current);
    config.strScannerName = current;
    config.configMode.value = QX_SCNCFG_CONFIGDATA_TYPE::MODE_DATA;
    config.driverData.Empty();
    config.strProfileID.clear();
    config.strProfileName.clear();
    if (!m_manager->ReadConfig(config.driverData))
        return FALSE;
    QX_SCANNER_CAMERAINFO cameras;
    if (_ReadCameraInfo(cameras) && CQXScannerHelper::ConvertCameraInfo(cameras, config))
        config.bCameraInfo = TRUE;
    return TRUE;
}

BOOL CQXISISScannerImpl::SetConfig(QX_SCNCFG_CONFIGDATA_TYPE& config)
{
    if (config.strScannerName.empty())
        return TRUE;
    std::wstring current;
    GetCurrentScanner(current);
    if (!m_manager || current.empty() || config.strScannerName != current)
        return FALSE;
    return config.driverData.IsEmpty() ? TRUE : m_manager->WriteConfig(config.driverData);
}
