#include "QXTWAINVendorCommands.h"

#include "QXTWAINMakerConfig.h"

#include <fennick/ZKTWSourceManager.h>
#include <hollin/ZKCommon.h>
#include <hollin/ZKGBuffer.h>
#include <twaindefs/ZKTwainConstants.h>
#include <wincompat/ZKGlobalMemory.h>

#include <cstdint>
#include <cstring>

namespace
{
// The text of a fixed field [offset, end) of a block; FALSE when the field
// lies outside the block or has no terminator.
BOOL FieldText(const BYTE* block, size_t size, size_t offset, size_t end, std::string& text)
{
    if (end > size || offset >= end)
        return FALSE;
    const char* field = reinterpret_cast<const char*>(block + offset);
    const size_t length = strnlen(field, end - offset);
    if (length == end - offset)
        return FALSE;
    text.assign(field, length);
    return TRUE;
}

template <class T> T ReadAt(const BYTE* block, size_t offset)
{
    T value;
    std::memcpy(&value, block + offset, sizeof(T));
    return value;
}

template <class T> void WriteAt(std::vector<BYTE>& block, size_t offset, T value)
{
    std::memcpy(block.data() + offset, &value, sizeof(T));
}
} // namespace

uint32_t CQXTWAINVendorCommands::HandleToField(HGLOBAL handle)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}

HGLOBAL CQXTWAINVendorCommands::FieldToHandle(uint32_t field)
{
    return reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(field));
}

BOOL CQXTWAINVendorCommands::ParseDeviceInfo(const BYTE* block, size_t size,
                                             QX_SCANNER_DEVICE_INFO& info)
{
    std::string text;
    std::string product;
    if (!block || size < DEVICEINFO_NUMBER + sizeof(int32_t) ||
        !FieldText(block, size, DEVICEINFO_INFO, DEVICEINFO_PRODUCT, text) ||
        !FieldText(block, size, DEVICEINFO_PRODUCT, DEVICEINFO_NUMBER, product))
        return FALSE;
    info.nModel = ReadAt<int32_t>(block, DEVICEINFO_MODEL);
    info.strInfo = SZKCommon::MBStoWCS(text);
    const std::wstring displayName = SQXTWAINMakerConfig::DisplayNameForModel(info.nModel);
    info.strProduct = displayName.empty() ? SZKCommon::MBStoWCS(product) : displayName;
    // The narrow code page is UTF-8 here, so both readings agree.
    info.strProductAnsi = SZKCommon::MBStoWCS(product, SZKCommon::CodePageUTF8);
    info.nInfo = ReadAt<int32_t>(block, DEVICEINFO_NUMBER);
    return TRUE;
}

BOOL CQXTWAINVendorCommands::ParseProfiles(const BYTE* block, size_t size,
                                           std::vector<QX_TWAIN_DRIVER_PROFILE>& profiles)
{
    profiles.clear();
    if (!block)
        return FALSE;
    for (size_t at = 0; at + PROFILE_RECORD_SIZE <= size; at += PROFILE_RECORD_SIZE)
    {
        const BYTE* record = block + at;
        if (record[PROFILE_TEXT] == 0 || record[PROFILE_NAME] == 0)
            return TRUE;
        QX_TWAIN_DRIVER_PROFILE profile;
        profile.index = ReadAt<WORD>(record, 0);
        if (!FieldText(record, PROFILE_RECORD_SIZE, PROFILE_ID, PROFILE_NAME, profile.id) ||
            !FieldText(record, PROFILE_RECORD_SIZE, PROFILE_NAME, PROFILE_TEXT, profile.name) ||
            !FieldText(record, PROFILE_RECORD_SIZE, PROFILE_TEXT, PROFILE_RECORD_SIZE,
                       profile.text))
            return FALSE;
        profiles.push_back(profile);
    }
    // A list must end with its terminating record inside the block.
    return FALSE;
}

BOOL CQXTWAINVendorCommands::ReadDeviceInfo(QX_SCANNER_DEVICE_INFO& info)
{
    std::vector<BYTE> block(DEVICEINFO_SIZE, 0);
    if (ZKTWReturnCode(m_manager->InvokeDSCommand(DG_CONTROL, DAT_DEVICEINFO, MSG_GET, block.data(),
                                                  FALSE)) != 0)
        return FALSE;
    return ParseDeviceInfo(block.data(), block.size(), info);
}

BOOL CQXTWAINVendorCommands::ReadProfiles(std::vector<QX_TWAIN_DRIVER_PROFILE>& profiles)
{
    profiles.clear();
    HGLOBAL handle = nullptr;
    if (ZKTWReturnCode(
            m_manager->InvokeDSCommand(DG_CONTROL, DAT_PROFILES, MSG_GET, &handle, FALSE)) != 0)
        return FALSE;
    CZKGBuffer list;
    if (!handle || !list.Attach(handle))
        return FALSE;
    const BYTE* bytes = list.Lock();
    const BOOL parsed = bytes ? ParseProfiles(bytes, list.GetSize(), profiles) : FALSE;
    list.Unlock();
    return parsed;
}

BOOL CQXTWAINVendorCommands::_SettingsCall(WORD msg, std::vector<BYTE>& block)
{
    return ZKTWSucceeded(m_manager->InvokeDSCommand(DG_CONTROL, DAT_INDEXEDSETTINGS, msg,
                                                    block.data(), FALSE))
               ? TRUE
               : FALSE;
}

BOOL CQXTWAINVendorCommands::IsIndexedSettingsAvailable()
{
    std::vector<BYTE> block(SETTINGS_BLOCK_SIZE, 0);
    const BOOL available = _SettingsCall(MSG_GET, block);
    if (const uint32_t handle = ReadAt<uint32_t>(block.data(), SETTINGS_HANDLE))
        CZKGlobalMemory::Free(FieldToHandle(handle));
    return available;
}

BOOL CQXTWAINVendorCommands::WriteIndexedSettings(WORD index, const CZKBuffer& data)
{
    CZKGBuffer copy;
    if (!copy.CopyFrom(data) || !copy.GetHandle())
        return FALSE;
    std::vector<BYTE> block(SETTINGS_BLOCK_SIZE, 0);
    WriteAt<uint32_t>(block, SETTINGS_SIZE, static_cast<uint32_t>(copy.GetSize()));
    WriteAt<uint32_t>(block, SETTINGS_HANDLE, HandleToField(copy.GetHandle()));
    WriteAt<WORD>(block, SETTINGS_INDEX, index);
    return ZKTWReturnCode(m_manager->InvokeDSCommand(DG_CONTROL, DAT_INDEXEDSETTINGS, MSG_SET,
                                                     block.data(), FALSE)) == 0
               ? TRUE
               : FALSE;
}

BOOL CQXTWAINVendorCommands::ReadIndexedSettings(WORD index, CZKBuffer& data)
{
    std::vector<BYTE> block(SETTINGS_BLOCK_SIZE, 0);
    WriteAt<WORD>(block, SETTINGS_INDEX, index);
    if (ZKTWReturnCode(m_manager->InvokeDSCommand(DG_CONTROL, DAT_INDEXEDSETTINGS, MSG_GET,
                                                  block.data(), FALSE)) != 0)
        return FALSE;
    CZKGBuffer answer;
    const uint32_t handle = ReadAt<uint32_t>(block.data(), SETTINGS_HANDLE);
    if (!handle || !answer.Attach(FieldToHandle(handle)))
        return FALSE;
    // The count is the driver's word; the block is what it really gave.
    const uint32_t count = ReadAt<uint32_t>(block.data(), SETTINGS_SIZE);
    if (count > answer.GetSize())
        return FALSE;
    return data.CopyFrom(answer.GetPtr(), count);
}
