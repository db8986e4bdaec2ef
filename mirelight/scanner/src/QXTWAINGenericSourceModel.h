// The source model of every scanner that is not the maker's: standard TWAIN
// only, so the vendor questions get fixed answers.
#pragma once

#include "QXTWAINSourceModel.h"

class CQXTWAINGenericSourceModel : public CQXTWAINSourceModel
{
public:
    using CQXTWAINSourceModel::CQXTWAINSourceModel;

    BOOL QueryDriverProfiles(int& value) override { return Answer(value, 0); }
    BOOL QueryVendor8015(int& value) override { return Answer(value, 0); }
    BOOL QueryIndexedSettingsCommand(int& value) override { return Answer(value, 0); }
    IZKTWInterceptor* CreateInterceptor() override { return nullptr; }
    BOOL IsAsyncMode() override { return FALSE; }
    BOOL GetCaptureSide(int& side) override { return Answer(side, 3); }
    BOOL ReadCameraInfo(QX_SCANNER_CAMERAINFO&) override { return FALSE; }
    BOOL WriteCameraInfo(const QX_SCANNER_CAMERAINFO&, DWORD) override { return FALSE; }
    BOOL GetProfileIds(CZKStringList&) override { return FALSE; }
    BOOL GetProfile(QX_SCANNER_PROFILE&) override { return FALSE; }
    BOOL GetCurrentProfileId(std::wstring&) override { return FALSE; }
    BOOL SelectProfileById(const std::wstring&) override { return FALSE; }
    BOOL SelectProfileByName(const std::wstring&) override { return FALSE; }
    BOOL WriteIndexedSettings(DWORD, const CZKBuffer&) override { return FALSE; }
    BOOL ReadIndexedSettings(DWORD, CZKBuffer&) override { return FALSE; }
    BOOL ReadCameraSide(int&) override { return FALSE; }
    BOOL WriteCameraSide(int) override { return FALSE; }
    BOOL GetExtendedFeatures(int& value) override { return Answer(value, 0); }
    BOOL GetColorPairing(int& value) override { return Answer(value, 1); }
    BOOL GetColorPairingActive(int& value) override { return Answer(value, 1); }
    BOOL GetDeviceInfo(QX_SCANNER_DEVICE_INFO&) override { return TRUE; }
    // The maker's devices listed through a generic source carry a "#n"
    // instance suffix that must not end up in stored configurations.
    void NormalizeScannerName(std::wstring& name) override;

private:
    static BOOL Answer(int& out, int value)
    {
        out = value;
        return TRUE;
    }
};
