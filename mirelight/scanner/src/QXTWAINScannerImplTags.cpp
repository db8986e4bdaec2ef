// The numbered tags of the TWAIN-backed scanner: scanner-side values read
// and written through standard and vendor capabilities and the source model.
#include "QXTWAINScannerImpl.h"

#include "QXLanguageTable.h"
#include "QXTWAINMakerConfig.h"
#include "QXTWAINSourceModel.h"

#include <mirelight/QXImageAddressAdapter.h>

#include <brackwater/QX_IMAGEADDRESS.h>
#include <hollin/ZKCommon.h>
#include <hollin/ZKGBuffer.h>
#include <hollin/ZKStringList.h>
#include <twaindefs/ZKTwainConstants.h>

#include <cstdlib>
#include <cstring>
#include <exception>

namespace
{
constexpr size_t kMaxProfilesDirLength = 520;

int& IntAt(void* value)
{
    return *static_cast<int*>(value);
}

std::wstring Trimmed(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return std::wstring();
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}
} // namespace

BOOL CQXTWAINScannerImpl::_SetTag(DWORD tag, DWORD index, void* value)
{
    switch (tag)
    {
    case 0:
        return _SetLanguage(static_cast<DWORD>(IntAt(value)));
    case 1:
    {
        const TW_BOOL enabled = IntAt(value) != 0 ? 1 : 0;
        return m_manager->SetCapOnevalue(CAP_DUPLEXENABLED, TWTY_BOOL, &enabled) == ZKTW_CAP_SUCCESS
                   ? TRUE
                   : FALSE;
    }
    case 7:
        m_repeatMode = IntAt(value) != 0 ? TRUE : FALSE;
        return TRUE;
    case 8:
        m_pause = static_cast<DWORD>(IntAt(value));
        return TRUE;
    case 9:
        return m_model
                   ? m_model->WriteCameraInfo(*static_cast<QX_SCANNER_CAMERAINFO*>(value), index)
                   : FALSE;
    case 11:
        return _SetCaptureSide(IntAt(value));
    case 12:
    case 1011:
        return _SetCustomData(*static_cast<CZKBuffer*>(value));
    case 14:
        m_manager->SetTransferMode(static_cast<WORD>(IntAt(value)));
        return TRUE;
    case 1003:
        return m_model ? m_model->SelectProfileById(static_cast<const wchar_t*>(value)) : FALSE;
    case 1004:
        return m_model ? m_model->SelectProfileByName(static_cast<const wchar_t*>(value)) : FALSE;
    case 1006:
        return _SetProfilesDirectory(static_cast<const wchar_t*>(value));
    case 1008:
        return CQXImageAddressAdapter::SetImageAddress(m_manager.get(),
                                                       *static_cast<const QX_IMAGEADDRESS*>(value))
                   ? TRUE
                   : FALSE;
    case 1010:
        return _SetImprinterCounter(*static_cast<DWORD*>(value));
    case 1012:
        return m_model ? m_model->WriteIndexedSettings(index, *static_cast<CZKBuffer*>(value))
                       : FALSE;
    default:
        return FALSE;
    }
}

BOOL CQXTWAINScannerImpl::_GetTag(DWORD tag, DWORD index, void* result)
{
    switch (tag)
    {
    case 0:
        IntAt(result) = static_cast<int>(m_language);
        return TRUE;
    case 1:
        return _GetBoolCap(CAP_DUPLEXENABLED, ZKTW_GETCAP_GET, IntAt(result));
    case 2:
        return _GetDuplexFlags(IntAt(result));
    case 3:
        return m_model ? m_model->GetCaptureSide(IntAt(result)) : FALSE;
    case 4:
        return _GetBoolCap(CAP_PRINTERENABLED, ZKTW_GETCAP_CURRENT, IntAt(result));
    case 5:
        return _GetImagesPerSheet(IntAt(result));
    case 6:
    {
        auto& info = *static_cast<QX_SCANNER_DEVICE_INFO*>(result);
        info.Reset();
        return m_model ? m_model->GetDeviceInfo(info) : FALSE;
    }
    case 7:
        IntAt(result) = m_repeatMode;
        return TRUE;
    case 8:
        IntAt(result) = static_cast<int>(m_pause);
        return TRUE;
    case 9:
        return _GetCameraInfo(*static_cast<QX_SCANNER_CAMERAINFO*>(result));
    case 11:
        return _GetCaptureSideTag(IntAt(result));
    case 12:
    case 1011:
        return _GetCustomData(*static_cast<CZKBuffer*>(result));
    case 15:
        return m_model ? m_model->GetExtendedFeatures(IntAt(result)) : FALSE;
    case 1001:
        return _GetSerialNumber(*static_cast<std::wstring*>(result));
    case 1002:
        return m_model ? m_model->GetProfileIds(*static_cast<CZKStringList*>(result)) : FALSE;
    case 1003:
        return m_model ? m_model->GetCurrentProfileId(*static_cast<std::wstring*>(result)) : FALSE;
    case 1005:
        return m_model ? m_model->GetProfile(*static_cast<QX_SCANNER_PROFILE*>(result)) : FALSE;
    case 1006:
        return _GetProfilesDirectory(*static_cast<std::wstring*>(result));
    case 1007:
        return _IsImageAddressingActive(IntAt(result));
    case 1008:
        return CQXImageAddressAdapter::GetImageAddress(m_manager.get(),
                                                       *static_cast<QX_IMAGEADDRESS*>(result))
                   ? TRUE
                   : FALSE;
    case 1009:
        return CQXImageAddressAdapter::GetImageAddressFormat(
                   m_manager.get(), *static_cast<QX_IMAGEADDRESS_FORMAT*>(result))
                   ? TRUE
                   : FALSE;
    case 1010:
        return _GetImprinterCounter(*static_cast<DWORD*>(result));
    case 1012:
        return m_model ? m_model->ReadIndexedSettings(index, *static_cast<CZKBuffer*>(result))
                       : FALSE;
    case 1014:
        return m_model ? m_model->GetColorPairing(IntAt(result)) : FALSE;
    case 1015:
        return m_model ? m_model->GetColorPairingActive(IntAt(result)) : FALSE;
    default:
        return FALSE;
    }
}

BOOL CQXTWAINScannerImpl::_SetLanguage(DWORD language)
{
    m_language = language;
    WORD country = 0;
    WORD twainLanguage = 0;
    CQXLanguageTable::Instance().Lookup(language, country, twainLanguage);
    m_manager->SetLocale(twainLanguage, country);
    return TRUE;
}

BOOL CQXTWAINScannerImpl::_GetBoolCap(WORD cap, EZKTWGetCapOp op, int& value)
{
    TW_BOOL current = 0;
    if (m_manager->GetCapOnevalue(cap, op, TWTY_BOOL, &current) != ZKTW_CAP_SUCCESS)
        return FALSE;
    value = current != 0 ? 1 : 0;
    return TRUE;
}

BOOL CQXTWAINScannerImpl::_GetDuplexFlags(int& flags)
{
    if (!_HasCapability(QX_SCANNER_CAP_DUPLEX))
    {
        flags = 1;
        return TRUE;
    }
    flags = 5;
    std::wstring name;
    GetCurrentScanner(name);
    const std::wstring genericSource = SQXTWAINMakerConfig::GenericSourceName();
    if (genericSource.empty() || !SZKCommon::EqualNoCase(Trimmed(name), genericSource))
        flags += 2;
    return TRUE;
}

BOOL CQXTWAINScannerImpl::_GetImagesPerSheet(int& count)
{
    QX_SCANNER_CAMERAINFO info;
    if (!_GetCameraInfo(info))
    {
        count = 1;
        return TRUE;
    }
    const auto enabled = [&info](int camera) { return info.cameras[camera].bEnabled != 0; };
    int total = 0;
    for (int camera = 0; camera < QX_SCANNER_CAMERAINFO::CAMERA_COUNT; ++camera)
        total += enabled(camera) ? 1 : 0;
    const bool pairedRearColour =
        !info.bVendorFlag && enabled(QX_SCANNER_CAMERA_REAR_COLOR) &&
        (enabled(QX_SCANNER_CAMERA_FRONT_COLOR) || enabled(QX_SCANNER_CAMERA_REAR_BITONAL));
    if (total != 4 && pairedRearColour)
        total = info.nVendorValue != 0 ? 1 : 2;
    count = total;
    return TRUE;
}

BOOL CQXTWAINScannerImpl::_GetCameraInfo(QX_SCANNER_CAMERAINFO& info)
{
    if (!m_model)
        return FALSE;
    info.bAutoColorDetect = 0;
    TW_UINT16 duplex = 0;
    if (m_manager->GetCapOnevalue(CAP_DUPLEX, ZKTW_GETCAP_GET, TWTY_UINT16, &duplex) ==
        ZKTW_CAP_SUCCESS)
        info.bDuplex = duplex != 0 ? 1 : 0;
    info.bMultiStream = 1;
    if (!m_model->ReadCameraInfo(info))
        return FALSE;
    int duplexEnabled = 1;
    const bool topEnabled = info.cameras[0].bEnabled || info.cameras[1].bEnabled;
    const bool bottomEnabled = info.cameras[2].bEnabled || info.cameras[3].bEnabled;
    // A simplex run leaves the rear cameras idle whatever they are set to.
    if (_GetBoolCap(CAP_DUPLEXENABLED, ZKTW_GETCAP_GET, duplexEnabled) && !duplexEnabled &&
        topEnabled && bottomEnabled)
    {
        info.cameras[2].bEnabled = 0;
        info.cameras[3].bEnabled = 0;
    }
    return TRUE;
}

BOOL CQXTWAINScannerImpl::_SetCaptureSide(int side)
{
    TW_UINT16 duplex = 0;
    if (!m_model || m_manager->GetCapOnevalue(CAP_DUPLEX, ZKTW_GETCAP_GET, TWTY_UINT16, &duplex) !=
                        ZKTW_CAP_SUCCESS)
        return FALSE;
    if (duplex == 0 && (side == 2 || side == 3))
        return FALSE;
    int current = 0;
    if (_GetCaptureSideTag(current) && current == side)
        return TRUE;
    if (!m_model->WriteCameraSide(side))
        return FALSE;
    if (side == 3 || side == 1)
    {
        const TW_BOOL enabled = side == 3 ? 1 : 0;
        m_manager->SetCapOnevalue(CAP_DUPLEXENABLED, TWTY_BOOL, &enabled);
    }
    return TRUE;
}

BOOL CQXTWAINScannerImpl::_GetCaptureSideTag(int& side)
{
    if (!m_model || !m_model->ReadCameraSide(side))
        return FALSE;
    int duplexEnabled = 1;
    if (side == 3 && _GetBoolCap(CAP_DUPLEXENABLED, ZKTW_GETCAP_GET, duplexEnabled) &&
        !duplexEnabled)
        side = 1;
    return TRUE;
}

BOOL CQXTWAINScannerImpl::_SetCustomData(const CZKBuffer& data)
{
    CZKGBuffer block;
    if (!block.CopyFrom(data) || !block.GetHandle())
        return FALSE;
    return m_manager->SetCustomDSData(block.GetHandle());
}

BOOL CQXTWAINScannerImpl::_GetCustomData(CZKBuffer& data)
{
    HGLOBAL handle = nullptr;
    if (!m_manager->GetCustomDSData(handle))
        return FALSE;
    CZKGBuffer block(handle);
    return data.CopyFrom(block);
}

BOOL CQXTWAINScannerImpl::_GetSerialNumber(std::wstring& serial)
{
    serial.clear();
    TW_STR255 text = {};
    const WORD result =
        m_manager->GetCapOnevalue(CAP_SERIALNUMBER, ZKTW_GETCAP_GET, TWTY_STR255, text);
    if (result == ZKTW_CAP_SUCCESS)
        serial = SZKCommon::MBStoWCS(std::string(text, strnlen(text, sizeof(text))));
    // An unsupported serial number is no failure: the scanner just has none.
    return result == ZKTW_CAP_FAILURE ? FALSE : TRUE;
}

BOOL CQXTWAINScannerImpl::_SetProfilesDirectory(const wchar_t* folder)
{
    return setenv("RIDGE_PROFILESDIR", SZKCommon::WCStoMBS(folder).c_str(), 1) == 0 ? TRUE : FALSE;
}

BOOL CQXTWAINScannerImpl::_GetProfilesDirectory(std::wstring& folder)
{
    const char* value = std::getenv("RIDGE_PROFILESDIR");
    if (!value)
        return FALSE;
    folder = SZKCommon::MBStoWCS(value);
    if (folder.size() > kMaxProfilesDirLength)
        folder.resize(kMaxProfilesDirLength);
    return TRUE;
}

BOOL CQXTWAINScannerImpl::_IsImageAddressingActive(int& active)
{
    // Active when the scanner's layout uses at least one slot.
    QX_IMAGEADDRESS_FORMAT format;
    if (!GetTagValue(1009, 0, &format))
    {
        active = 0;
        return FALSE;
    }
    active = 0;
    for (const QX_IMAGEADDRESS_FORMAT::SLOT& slot : format.slots)
        if (slot.mark != QX_IMAGEADDRESS_FORMAT::MARK_NONE)
            active = 1;
    return TRUE;
}

BOOL CQXTWAINScannerImpl::_SetImprinterCounter(DWORD counter)
{
    if (!_ImprinterOrVendorCounter())
        return TRUE;
    const TW_UINT32 value = counter;
    return m_manager->SetCapOnevalue(CAP_PRINTERINDEX, TWTY_UINT32, &value) == ZKTW_CAP_SUCCESS
               ? TRUE
               : FALSE;
}

BOOL CQXTWAINScannerImpl::_GetImprinterCounter(DWORD& counter)
{
    TW_UINT32 value = 0;
    if (m_manager->GetCapOnevalue(CAP_PRINTERINDEX, ZKTW_GETCAP_CURRENT, TWTY_UINT32, &value) !=
        ZKTW_CAP_SUCCESS)
        return FALSE;
    counter = value;
    return TRUE;
}
