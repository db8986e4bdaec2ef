#include "QXTWAINMakerSourceModel.h"

#include "QXTWAINMakerInterceptor.h"

#include <fennick/ZKTWSourceManager.h>
#include <hollin/ZKCommon.h>
#include <hollin/ZKStringList.h>
#include <twaindefs/ZKTwainConstants.h>

#include <new>

bool CQXTWAINMakerSourceModel::_SupportsAll(WORD cap)
{
    ZKTW_CAPABILITY_SUPPORT support;
    return m_manager->QueryCapSupport(cap, support) && support.IsSupportAll();
}

BOOL CQXTWAINMakerSourceModel::_ReadUInt16(WORD cap, WORD& value)
{
    TW_UINT16 current = 0;
    if (m_manager->GetCapOnevalue(cap, ZKTW_GETCAP_CURRENT, TWTY_UINT16, &current) !=
        ZKTW_CAP_SUCCESS)
        return FALSE;
    value = current;
    return TRUE;
}

BOOL CQXTWAINMakerSourceModel::_ReadBool(WORD cap, BOOL& value)
{
    TW_BOOL current = 0;
    if (m_manager->GetCapOnevalue(cap, ZKTW_GETCAP_CURRENT, TWTY_BOOL, &current) !=
        ZKTW_CAP_SUCCESS)
        return FALSE;
    value = current ? TRUE : FALSE;
    return TRUE;
}

BOOL CQXTWAINMakerSourceModel::QueryDriverProfiles(int& value)
{
    value = _SupportsAll(CAP_PROFILEINDEX) ? 1 : 0;
    return TRUE;
}

BOOL CQXTWAINMakerSourceModel::QueryVendor8015(int& value)
{
    value = _SupportsAll(CAP_VENDOR8015) ? 1 : 0;
    return TRUE;
}

BOOL CQXTWAINMakerSourceModel::QueryIndexedSettingsCommand(int& value)
{
    value = m_commands.IsIndexedSettingsAvailable() ? 1 : 0;
    return TRUE;
}

IZKTWInterceptor* CQXTWAINMakerSourceModel::CreateInterceptor()
{
    return new (std::nothrow) CQXTWAINMakerInterceptor;
}

BOOL CQXTWAINMakerSourceModel::GetCaptureSide(int& side)
{
    WORD value = 0;
    if (!_ReadUInt16(CAP_CAPTURESIDE, value))
        return FALSE;
    side = value <= 2 ? value : 3;
    return TRUE;
}

BOOL CQXTWAINMakerSourceModel::ReadCameraInfo(QX_SCANNER_CAMERAINFO& info)
{
    if (_ReadBool(CAP_COLORPAIRING, info.bVendorFlag))
    {
        WORD mode = 0;
        if (_ReadUInt16(CAP_COLORPAIRINGMODE, mode))
            info.nVendorValue = mode;
    }
    // A camera the scanner does not have stays unavailable.
    for (int camera = 0; camera < QX_SCANNER_CAMERAINFO::CAMERA_COUNT; ++camera)
        m_cameras.Read(camera, info.cameras[camera]);
    return TRUE;
}

BOOL CQXTWAINMakerSourceModel::WriteCameraInfo(const QX_SCANNER_CAMERAINFO& info, DWORD options)
{
    if (info.bAutoColorDetect)
        return FALSE;
    // Enabling cameras may switch the colour pairing; keep what it was.
    BOOL pairing = FALSE;
    WORD pairingMode = 0;
    const BOOL pairingRead =
        _ReadBool(CAP_COLORPAIRING, pairing) && _ReadUInt16(CAP_COLORPAIRINGMODE, pairingMode);
    BOOL written = TRUE;
    for (int camera = 0; camera < QX_SCANNER_CAMERAINFO::CAMERA_COUNT; ++camera)
        written &= m_cameras.Write(camera, info.cameras[camera], options);
    const bool bothColour = info.cameras[0].bEnabled && info.cameras[2].bEnabled;
    const bool bothBitonal = info.cameras[1].bEnabled && info.cameras[3].bEnabled;
    if ((bothColour || bothBitonal) && pairingRead)
    {
        const TW_BOOL flag = pairing ? 1 : 0;
        m_manager->SetCapOnevalue(CAP_COLORPAIRING, TWTY_BOOL, &flag);
        m_manager->SetCapOnevalue(CAP_COLORPAIRINGMODE, TWTY_UINT16, &pairingMode);
    }
    return written;
}

BOOL CQXTWAINMakerSourceModel::GetProfileIds(CZKStringList& ids)
{
    std::vector<QX_TWAIN_DRIVER_PROFILE> profiles;
    if (!m_commands.ReadProfiles(profiles))
        return FALSE;
    for (const QX_TWAIN_DRIVER_PROFILE& profile : profiles)
        if (profile.index != QX_TWAIN_DRIVER_PROFILE::NOT_SELECTABLE)
            ids.AddTail(SZKCommon::MBStoWCS(profile.id));
    return TRUE;
}

BOOL CQXTWAINMakerSourceModel::GetProfile(QX_SCANNER_PROFILE& wanted)
{
    std::vector<QX_TWAIN_DRIVER_PROFILE> profiles;
    if (!m_commands.ReadProfiles(profiles))
        return FALSE;
    for (const QX_TWAIN_DRIVER_PROFILE& profile : profiles)
        if (SZKCommon::MBStoWCS(profile.id) == wanted.strId)
        {
            wanted.strName = SZKCommon::MBStoWCS(profile.name);
            wanted.strText = SZKCommon::MBStoWCS(profile.text);
            return TRUE;
        }
    return FALSE;
}

BOOL CQXTWAINMakerSourceModel::GetCurrentProfileId(std::wstring& id)
{
    WORD index = 0;
    std::vector<QX_TWAIN_DRIVER_PROFILE> profiles;
    if (!_ReadUInt16(CAP_PROFILEINDEX, index) || !m_commands.ReadProfiles(profiles))
        return FALSE;
    for (const QX_TWAIN_DRIVER_PROFILE& profile : profiles)
    {
        const bool match = index == QX_TWAIN_DRIVER_PROFILE::NOT_SELECTABLE
                               ? SZKCommon::EqualNoCase(profile.name, "default")
                               : profile.index == index;
        if (match)
        {
            id = SZKCommon::MBStoWCS(profile.id);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CQXTWAINMakerSourceModel::_SelectProfile(const std::wstring& key, bool byName)
{
    const std::string wanted = SZKCommon::WCStoMBS(key);
    std::vector<QX_TWAIN_DRIVER_PROFILE> profiles;
    if (!m_commands.ReadProfiles(profiles))
        return FALSE;
    for (const QX_TWAIN_DRIVER_PROFILE& profile : profiles)
    {
        if (profile.index == QX_TWAIN_DRIVER_PROFILE::NOT_SELECTABLE ||
            !SZKCommon::EqualNoCase(byName ? profile.name : profile.id, wanted))
            continue;
        const TW_UINT16 index = profile.index;
        return m_manager->SetCapOnevalue(CAP_PROFILEINDEX, TWTY_UINT16, &index) == ZKTW_CAP_SUCCESS
                   ? TRUE
                   : FALSE;
    }
    return FALSE;
}

BOOL CQXTWAINMakerSourceModel::SelectProfileById(const std::wstring& id)
{
    return _SelectProfile(id, false);
}

BOOL CQXTWAINMakerSourceModel::SelectProfileByName(const std::wstring& name)
{
    return _SelectProfile(name, true);
}

BOOL CQXTWAINMakerSourceModel::WriteIndexedSettings(DWORD index, const CZKBuffer& data)
{
    return index <= 0xFFFF ? m_commands.WriteIndexedSettings(static_cast<WORD>(index), data)
                           : FALSE;
}

BOOL CQXTWAINMakerSourceModel::ReadIndexedSettings(DWORD index, CZKBuffer& data)
{
    return index <= 0xFFFF ? m_commands.ReadIndexedSettings(static_cast<WORD>(index), data) : FALSE;
}

BOOL CQXTWAINMakerSourceModel::ReadCameraSide(int& side)
{
    QX_SCANNER_CAMERAINFO info;
    if (!ReadCameraInfo(info))
        return FALSE;
    side = info.GetCaptureSide();
    return TRUE;
}

// Camera "to" is enabled when camera "from" is enabled and "to" exists.
void CQXTWAINMakerSourceModel::_PairCameras(QX_SCANNER_CAMERAINFO& info, int from, int to)
{
    info.cameras[to].bEnabled = info.cameras[from].bEnabled && info.cameras[to].bAvailable ? 1 : 0;
}

void CQXTWAINMakerSourceModel::_ApplyCaptureSide(QX_SCANNER_CAMERAINFO& info, int side)
{
    if (side == 1)
    {
        _PairCameras(info, 2, 0);
        _PairCameras(info, 3, 1);
        info.cameras[2].bEnabled = info.cameras[3].bEnabled = 0;
    }
    else if (side == 2)
    {
        _PairCameras(info, 0, 2);
        _PairCameras(info, 1, 3);
        info.cameras[0].bEnabled = info.cameras[1].bEnabled = 0;
    }
    else if (side == 3)
    {
        _PairCameras(info, 0, 2);
        _PairCameras(info, 1, 3);
        _PairCameras(info, 2, 0);
        _PairCameras(info, 3, 1);
    }
}

BOOL CQXTWAINMakerSourceModel::WriteCameraSide(int side)
{
    QX_SCANNER_CAMERAINFO info;
    if (!ReadCameraInfo(info))
        return FALSE;
    QX_SCANNER_CAMERAINFO changed = info;
    _ApplyCaptureSide(changed, side);
    // Every camera is enabled first so that the driver accepts any
    // combination, then the wanted one is written.
    QX_SCANNER_CAMERAINFO all = info;
    for (QX_SCANNER_CAMERA& camera : all.cameras)
        camera.bEnabled = camera.bAvailable;
    return WriteCameraInfo(all, CQXTWAINCameraAccess::WRITE_ENABLED) &&
                   WriteCameraInfo(changed, CQXTWAINCameraAccess::WRITE_ENABLED)
               ? TRUE
               : FALSE;
}

BOOL CQXTWAINMakerSourceModel::GetExtendedFeatures(int& value)
{
    value = 1;
    return TRUE;
}

BOOL CQXTWAINMakerSourceModel::GetColorPairing(int& value)
{
    BOOL pairing = TRUE;
    value = _ReadBool(CAP_COLORPAIRING, pairing) ? (pairing ? 1 : 0) : 1;
    return TRUE;
}

BOOL CQXTWAINMakerSourceModel::GetColorPairingActive(int& value)
{
    BOOL pairing = FALSE;
    WORD mode = 0;
    value = _ReadBool(CAP_COLORPAIRING, pairing) && pairing &&
                    _ReadUInt16(CAP_COLORPAIRINGMODE, mode) && mode != 0
                ? 1
                : 0;
    return TRUE;
}

BOOL CQXTWAINMakerSourceModel::GetDeviceInfo(QX_SCANNER_DEVICE_INFO& info)
{
    return m_commands.ReadDeviceInfo(info);
}
