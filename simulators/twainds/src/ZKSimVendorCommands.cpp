#include "ZKSimVendorCommands.h"

#include <algorithm>
#include <cstring>

#include <twaindefs/ZKTwainConstants.h>
#include <wincompat/ZKGlobalMemory.h>

namespace
{
constexpr size_t kDeviceInfoSize = 66292;
constexpr size_t kDeviceInfoModel = 4;
constexpr size_t kDeviceInfoText = 8;
constexpr size_t kDeviceInfoProduct = 520;
constexpr size_t kDeviceInfoNumber = 1040;

constexpr size_t kProfileRecordSize = 2320;
constexpr size_t kProfileId = 258;
constexpr size_t kProfileName = 514;
constexpr size_t kProfileText = 770;

constexpr size_t kSettingsCount = 0;
constexpr size_t kSettingsHandle = 4;
constexpr size_t kSettingsIndex = 8;

TW_UINT16 Refuse(TW_UINT16& condition, TW_UINT16 code)
{
    condition = code;
    return TWRC_FAILURE;
}

// A text in the field [offset, end): terminated, or (for a broken driver)
// filling the field to its last byte.
void PutText(uint8_t* block, size_t offset, size_t end, const std::string& text, bool terminated)
{
    const size_t room = end - offset;
    if (terminated)
        std::memcpy(block + offset, text.data(), std::min(text.size(), room - 1));
    else
        for (size_t i = 0; i < room; ++i)
            block[offset + i] = static_cast<uint8_t>(text.empty() ? 'x' : text[i % text.size()]);
}

template <class T> void Put(uint8_t* block, size_t offset, T value)
{
    std::memcpy(block + offset, &value, sizeof(T));
}

template <class T> T Get(const uint8_t* block, size_t offset)
{
    T value;
    std::memcpy(&value, block + offset, sizeof(T));
    return value;
}

// Handles travel in the blocks' 32-bit fields.
uint32_t HandleField(HGLOBAL handle)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}
HGLOBAL FieldHandle(uint32_t field)
{
    return reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(field));
}
} // namespace

bool CZKSimVendorCommands::Handles(TW_UINT32 dg, TW_UINT16 dat)
{
    return dg == DG_CONTROL &&
           (dat == DAT_DEVICEINFO || dat == DAT_PROFILES || dat == DAT_INDEXEDSETTINGS);
}

bool CZKSimVendorCommands::AnswersBusy(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, bool noWait)
{
    if (dg != DG_CONTROL || dat != DAT_PENDINGXFERS || msg != MSG_ENDXFER || !noWait)
        return false;
    if (m_busyAnswered < m_vendor.busyAnswers)
    {
        ++m_busyAnswered;
        return true;
    }
    m_busyAnswered = 0;
    return false;
}

TW_UINT16 CZKSimVendorCommands::Entry(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data,
                                      TW_UINT16& condition)
{
    if (!data)
        return Refuse(condition, TWCC_BADVALUE);
    switch (dat)
    {
    case DAT_DEVICEINFO:
        return _DeviceInfo(msg, data, condition);
    case DAT_PROFILES:
        return _Profiles(msg, data, condition);
    default:
        return _Settings(msg, data, condition);
    }
}

TW_UINT16 CZKSimVendorCommands::_DeviceInfo(TW_UINT16 msg, TW_MEMREF data, TW_UINT16& condition)
{
    if (msg != MSG_GET)
        return Refuse(condition, TWCC_BADPROTOCOL);
    auto* block = static_cast<uint8_t*>(data);
    std::memset(block, 0, kDeviceInfoSize);
    const bool terminated = !m_vendor.unterminatedDeviceInfo;
    Put<int32_t>(block, kDeviceInfoModel, m_vendor.model);
    PutText(block, kDeviceInfoText, kDeviceInfoProduct, m_vendor.info, terminated);
    PutText(block, kDeviceInfoProduct, kDeviceInfoNumber, m_vendor.product, terminated);
    Put<int32_t>(block, kDeviceInfoNumber, m_vendor.number);
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSimVendorCommands::_Profiles(TW_UINT16 msg, TW_MEMREF data, TW_UINT16& condition)
{
    if (msg != MSG_GET)
        return Refuse(condition, TWCC_BADPROTOCOL);
    // The list ends with an empty record; a broken driver leaves it out.
    const size_t records = m_vendor.profiles.size() + (m_vendor.unterminatedProfileList ? 0 : 1);
    HGLOBAL handle = CZKGlobalMemory::Alloc(records * kProfileRecordSize);
    auto* block = static_cast<uint8_t*>(handle ? CZKGlobalMemory::Lock(handle) : nullptr);
    if (!block)
    {
        CZKGlobalMemory::Free(handle);
        return Refuse(condition, TWCC_LOWMEMORY);
    }
    for (size_t i = 0; i < m_vendor.profiles.size(); ++i)
    {
        const ZK_SIM_VENDOR_PROFILE& profile = m_vendor.profiles[i];
        uint8_t* record = block + i * kProfileRecordSize;
        Put<TW_UINT16>(record, 0, profile.index);
        PutText(record, kProfileId, kProfileName, profile.id, true);
        PutText(record, kProfileName, kProfileText, profile.name, true);
        PutText(record, kProfileText, kProfileRecordSize, profile.text, true);
    }
    CZKGlobalMemory::Unlock(handle);
    *static_cast<HGLOBAL*>(data) = handle;
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSimVendorCommands::_Settings(TW_UINT16 msg, TW_MEMREF data, TW_UINT16& condition)
{
    auto* block = static_cast<uint8_t*>(data);
    const TW_UINT16 index = Get<TW_UINT16>(block, kSettingsIndex);
    if (msg == MSG_SET)
    {
        const HGLOBAL handle = FieldHandle(Get<uint32_t>(block, kSettingsHandle));
        const uint32_t count = Get<uint32_t>(block, kSettingsCount);
        const auto* bytes = static_cast<const uint8_t*>(CZKGlobalMemory::Lock(handle));
        if (!bytes || count > CZKGlobalMemory::Size(handle))
        {
            if (bytes)
                CZKGlobalMemory::Unlock(handle);
            return Refuse(condition, TWCC_BADVALUE);
        }
        m_settings[index].assign(bytes, bytes + count);
        CZKGlobalMemory::Unlock(handle);
        return TWRC_SUCCESS;
    }
    if (msg != MSG_GET)
        return Refuse(condition, TWCC_BADPROTOCOL);
    static const std::vector<uint8_t> kNone;
    const auto found = m_settings.find(index);
    const std::vector<uint8_t>& bytes = found != m_settings.end() ? found->second : kNone;
    HGLOBAL handle = CZKGlobalMemory::Alloc(bytes.size());
    void* target = handle ? CZKGlobalMemory::Lock(handle) : nullptr;
    if (!target)
    {
        CZKGlobalMemory::Free(handle);
        return Refuse(condition, TWCC_LOWMEMORY);
    }
    if (!bytes.empty())
        std::memcpy(target, bytes.data(), bytes.size());
    CZKGlobalMemory::Unlock(handle);
    const size_t count = bytes.size() + (m_vendor.overstatedSettings ? 64 : 0);
    Put<uint32_t>(block, kSettingsCount, static_cast<uint32_t>(count));
    Put<uint32_t>(block, kSettingsHandle, HandleField(handle));
    return TWRC_SUCCESS;
}
