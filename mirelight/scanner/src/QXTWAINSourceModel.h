// What one open TWAIN scanner can do beyond the standard capabilities: the
// maker's scanners answer vendor capabilities and data-source commands,
// every other scanner gets the generic answers. One object per open source;
// it borrows the source manager.
#pragma once

#include <mirelight/QX_SCANNER_CAMERAINFO.h>
#include <mirelight/QX_SCANNER_DEVICE_INFO.h>
#include <mirelight/QX_SCANNER_PROFILE.h>
#include <wincompat/WinTypes.h>

#include <string>

class CZKBuffer;
class CZKStringList;
class CZKTWSourceManager;
class IZKTWInterceptor;

class CQXTWAINSourceModel
{
public:
    explicit CQXTWAINSourceModel(CZKTWSourceManager* manager) : m_manager(manager) {}
    virtual ~CQXTWAINSourceModel() = default;
    CQXTWAINSourceModel(const CQXTWAINSourceModel&) = delete;
    CQXTWAINSourceModel& operator=(const CQXTWAINSourceModel&) = delete;

    // The maker class for the maker's scanners, the generic one otherwise;
    // nullptr when out of memory.
    static CQXTWAINSourceModel* Create(CZKTWSourceManager* manager,
                                       const std::wstring& scannerName);

    virtual BOOL QueryDriverProfiles(int& value) = 0;
    virtual BOOL QueryVendor8015(int& value) = 0;
    virtual BOOL QueryIndexedSettingsCommand(int& value) = 0;
    // A new interceptor for the manager to own, or nullptr.
    virtual IZKTWInterceptor* CreateInterceptor() = 0;
    virtual BOOL IsAsyncMode() = 0;
    virtual BOOL GetCaptureSide(int& side) = 0;
    virtual BOOL ReadCameraInfo(QX_SCANNER_CAMERAINFO& info) = 0;
    virtual BOOL WriteCameraInfo(const QX_SCANNER_CAMERAINFO& info, DWORD options) = 0;
    virtual BOOL GetProfileIds(CZKStringList& ids) = 0;
    // In: the record's identifier; out: its name and text.
    virtual BOOL GetProfile(QX_SCANNER_PROFILE& profile) = 0;
    virtual BOOL GetCurrentProfileId(std::wstring& id) = 0;
    virtual BOOL SelectProfileById(const std::wstring& id) = 0;
    virtual BOOL SelectProfileByName(const std::wstring& name) = 0;
    virtual BOOL WriteIndexedSettings(DWORD index, const CZKBuffer& data) = 0;
    virtual BOOL ReadIndexedSettings(DWORD index, CZKBuffer& data) = 0;
    virtual BOOL ReadCameraSide(int& side) = 0;
    virtual BOOL WriteCameraSide(int side) = 0;
    // Whether the source reports the maker's extended feature set (tag 15).
    virtual BOOL GetExtendedFeatures(int& value) = 0;
    // The vendor colour-pairing flag (tag 1014) and whether it pairs streams
    // (tag 1015).
    virtual BOOL GetColorPairing(int& value) = 0;
    virtual BOOL GetColorPairingActive(int& value) = 0;
    virtual BOOL GetDeviceInfo(QX_SCANNER_DEVICE_INFO& info) = 0;
    virtual void NormalizeScannerName(std::wstring& name) = 0;

protected:
    CZKTWSourceManager* m_manager;
};
