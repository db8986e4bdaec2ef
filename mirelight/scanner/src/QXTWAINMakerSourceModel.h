// The source model of the maker's scanners: vendor capabilities, the vendor
// data-source commands, driver profiles and cameras as file-system
// directories.
#pragma once

#include "QXTWAINCameraAccess.h"
#include "QXTWAINSourceModel.h"
#include "QXTWAINVendorCommands.h"

#include <vector>

class CQXTWAINMakerSourceModel : public CQXTWAINSourceModel
{
public:
    static constexpr WORD CAP_VENDOR8015 = 0x8015;
    static constexpr WORD CAP_CAPTURESIDE = 0x802C;
    static constexpr WORD CAP_PROFILEINDEX = 0x809F;
    static constexpr WORD CAP_COLORPAIRING = 0x80B7;
    static constexpr WORD CAP_COLORPAIRINGMODE = 0x80C5;

    explicit CQXTWAINMakerSourceModel(CZKTWSourceManager* manager)
        : CQXTWAINSourceModel(manager), m_commands(manager), m_cameras(manager)
    {
    }

    BOOL QueryDriverProfiles(int& value) override;
    BOOL QueryVendor8015(int& value) override;
    BOOL QueryIndexedSettingsCommand(int& value) override;
    IZKTWInterceptor* CreateInterceptor() override;
    BOOL IsAsyncMode() override { return TRUE; }
    BOOL GetCaptureSide(int& side) override;
    BOOL ReadCameraInfo(QX_SCANNER_CAMERAINFO& info) override;
    BOOL WriteCameraInfo(const QX_SCANNER_CAMERAINFO& info, DWORD options) override;
    BOOL GetProfileIds(CZKStringList& ids) override;
    BOOL GetProfile(QX_SCANNER_PROFILE& profile) override;
    BOOL GetCurrentProfileId(std::wstring& id) override;
    BOOL SelectProfileById(const std::wstring& id) override;
    BOOL SelectProfileByName(const std::wstring& name) override;
    BOOL WriteIndexedSettings(DWORD index, const CZKBuffer& data) override;
    BOOL ReadIndexedSettings(DWORD index, CZKBuffer& data) override;
    BOOL ReadCameraSide(int& side) override;
    BOOL WriteCameraSide(int side) override;
    BOOL GetExtendedFeatures(int& value) override;
    BOOL GetColorPairing(int& value) override;
    BOOL GetColorPairingActive(int& value) override;
    BOOL GetDeviceInfo(QX_SCANNER_DEVICE_INFO& info) override;
    void NormalizeScannerName(std::wstring&) override {}

private:
    bool _SupportsAll(WORD cap);
    BOOL _ReadUInt16(WORD cap, WORD& value);
    BOOL _ReadBool(WORD cap, BOOL& value);
    // Selects the selectable profile whose id (byName false) or name
    // matches, ignoring case.
    BOOL _SelectProfile(const std::wstring& key, bool byName);
    static void _PairCameras(QX_SCANNER_CAMERAINFO& info, int from, int to);
    static void _ApplyCaptureSide(QX_SCANNER_CAMERAINFO& info, int side);

    CQXTWAINVendorCommands m_commands;
    CQXTWAINCameraAccess m_cameras;
};
