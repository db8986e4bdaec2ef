// The maker's vendor data-source commands and the blocks they exchange:
// device information (0x8005), the driver profile list (0x8007) and indexed
// settings (0x8009). The blocks come from the driver, so every text and
// count in them is checked against the block before it is used.
#pragma once

#include <mirelight/QX_SCANNER_DEVICE_INFO.h>
#include <mirelight/QX_SCANNER_PROFILE.h>
#include <wincompat/WinTypes.h>

#include <cstddef>
#include <string>
#include <vector>

class CZKBuffer;
class CZKTWSourceManager;

// One entry of the driver's profile list.
struct QX_TWAIN_DRIVER_PROFILE
{
    static constexpr WORD NOT_SELECTABLE = 0xFFFF;

    WORD index = NOT_SELECTABLE;
    std::string id; // UTF-8, as the driver holds them
    std::string name;
    std::string text;
};

class CQXTWAINVendorCommands
{
public:
    static constexpr WORD DAT_DEVICEINFO = 0x8005;
    static constexpr WORD DAT_PROFILES = 0x8007;
    static constexpr WORD DAT_INDEXEDSETTINGS = 0x8009;

    static constexpr size_t DEVICEINFO_SIZE = 66292;
    static constexpr size_t DEVICEINFO_MODEL = 4;
    static constexpr size_t DEVICEINFO_INFO = 8;
    static constexpr size_t DEVICEINFO_PRODUCT = 520;
    static constexpr size_t DEVICEINFO_NUMBER = 1040;

    static constexpr size_t PROFILE_RECORD_SIZE = 2320;
    static constexpr size_t PROFILE_ID = 258;
    static constexpr size_t PROFILE_NAME = 514;
    static constexpr size_t PROFILE_TEXT = 770;

    static constexpr size_t SETTINGS_BLOCK_SIZE = 1036;
    static constexpr size_t SETTINGS_SIZE = 0;
    static constexpr size_t SETTINGS_HANDLE = 4;
    static constexpr size_t SETTINGS_INDEX = 8;

    explicit CQXTWAINVendorCommands(CZKTWSourceManager* manager) : m_manager(manager) {}

    BOOL ReadDeviceInfo(QX_SCANNER_DEVICE_INFO& info);
    BOOL ReadProfiles(std::vector<QX_TWAIN_DRIVER_PROFILE>& profiles);
    BOOL IsIndexedSettingsAvailable();
    BOOL WriteIndexedSettings(WORD index, const CZKBuffer& data);
    BOOL ReadIndexedSettings(WORD index, CZKBuffer& data);

    // Parsers of the answer blocks, usable on their own; FALSE for a block
    // that is too short or holds a text without its terminator.
    static BOOL ParseDeviceInfo(const BYTE* block, size_t size, QX_SCANNER_DEVICE_INFO& info);
    static BOOL ParseProfiles(const BYTE* block, size_t size,
                              std::vector<QX_TWAIN_DRIVER_PROFILE>& profiles);

    // The 32-bit handle field of a settings block and back.
    static uint32_t HandleToField(HGLOBAL handle);
    static HGLOBAL FieldToHandle(uint32_t field);

private:
    BOOL _SettingsCall(WORD msg, std::vector<BYTE>& block);

    CZKTWSourceManager* m_manager;
};
