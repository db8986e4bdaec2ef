#include <fennick/ZKTWHelper.h>

#include <hollin/ZKCommon.h>

#include <twaindefs/ZKTWItemSize.h>

#include "ZKTWMemory.h"

#include <cstdint>
#include <cstring>

namespace
{
// Header sizes of the packed containers: the items start right behind them.
constexpr size_t kOnevalueHeader = 2;
constexpr size_t kArrayHeader = 6;
constexpr size_t kEnumerationHeader = 14;
// Sources fill counts and types themselves: more items than this are refused
// whatever the block holds (no capability lists anywhere near as many).
constexpr uint64_t kMaxContainerItems = uint64_t(1) << 20;

// The block really holds bytes bytes.
bool Holds(void* handle, uint64_t bytes) { return bytes <= SZKTWMemory::BlockSize(handle); }

// Allocates a container of bytes and hands out its locked memory.
BYTE* NewContainer(void*& handle, size_t bytes)
{
    handle = SZKTWMemory::Alloc(bytes);
    if (!handle)
        return nullptr;
    auto* memory = static_cast<BYTE*>(SZKTWMemory::Lock(handle));
    if (!memory)
    {
        SZKTWMemory::Free(handle);
        handle = nullptr;
    }
    return memory;
}

void WriteWord(BYTE* at, WORD value) { std::memcpy(at, &value, sizeof(value)); }
void WriteDword(BYTE* at, DWORD value) { std::memcpy(at, &value, sizeof(value)); }
WORD ReadWord(const BYTE* at)
{
    WORD value;
    std::memcpy(&value, at, sizeof(value));
    return value;
}
DWORD ReadDword(const BYTE* at)
{
    DWORD value;
    std::memcpy(&value, at, sizeof(value));
    return value;
}

// Locks a container for the lifetime of the object.
class LockedContainer
{
public:
    explicit LockedContainer(void* handle) : m_handle(handle), m_memory(static_cast<BYTE*>(SZKTWMemory::Lock(handle))) {}
    ~LockedContainer() { SZKTWMemory::Unlock(m_handle); }
    LockedContainer(const LockedContainer&) = delete;
    LockedContainer& operator=(const LockedContainer&) = delete;
    const BYTE* Memory() const { return m_memory; }

private:
    void* m_handle;
    BYTE* m_memory;
};

BOOL ExtractItems(void* handle, WORD itemType, size_t header, void* out, unsigned& count, DWORD* current,
                  DWORD* defaultIndex)
{
    count = 0;
    if (!Holds(handle, header))
        return FALSE;
    LockedContainer container(handle);
    const BYTE* memory = container.Memory();
    if (!memory)
        return FALSE;
    const DWORD claimed = ReadDword(memory + 2);
    const uint64_t itemBytes = uint64_t(claimed) * CZKTWHelper::TWSizeOf(itemType);
    if (claimed > kMaxContainerItems || !Holds(handle, header + itemBytes))
        return FALSE;
    count = claimed;
    if (current)
        *current = ReadDword(memory + 6);
    if (defaultIndex)
        *defaultIndex = ReadDword(memory + 10);
    if (out && itemBytes)
        std::memcpy(out, memory + header, static_cast<size_t>(itemBytes));
    return TRUE;
}
} // namespace

BOOL CZKTWHelper::AllocOnevalue(void*& handle, WORD itemType, const void* value)
{
    const size_t itemSize = TWSizeOf(itemType);
    // A one-value holds up to four bytes in place; longer items follow the type.
    const size_t bytes = itemSize > 4 ? itemSize + kOnevalueHeader + 4 : sizeof(TW_ONEVALUE);
    BYTE* memory = NewContainer(handle, bytes);
    if (!memory)
        return FALSE;
    WriteWord(memory, itemType);
    if (value)
        std::memcpy(memory + kOnevalueHeader, value, itemSize);
    SZKTWMemory::Unlock(handle);
    return TRUE;
}

BOOL CZKTWHelper::AllocArray(void*& handle, WORD itemType, const void* items, unsigned count)
{
    const size_t itemBytes = static_cast<size_t>(count) * TWSizeOf(itemType);
    BYTE* memory = NewContainer(handle, itemBytes + sizeof(TW_ARRAY));
    if (!memory)
        return FALSE;
    WriteWord(memory, itemType);
    WriteDword(memory + 2, count);
    if (items && itemBytes)
        std::memcpy(memory + kArrayHeader, items, itemBytes);
    SZKTWMemory::Unlock(handle);
    return TRUE;
}

BOOL CZKTWHelper::AllocEnumeration(void*& handle, WORD itemType, DWORD currentIndex, DWORD defaultIndex,
                                   const void* items, unsigned count)
{
    const size_t itemBytes = static_cast<size_t>(count) * TWSizeOf(itemType);
    BYTE* memory = NewContainer(handle, itemBytes + sizeof(TW_ENUMERATION));
    if (!memory)
        return FALSE;
    WriteWord(memory, itemType);
    WriteDword(memory + 2, count);
    WriteDword(memory + 6, currentIndex);
    WriteDword(memory + 10, defaultIndex);
    if (items && itemBytes)
        std::memcpy(memory + kEnumerationHeader, items, itemBytes);
    SZKTWMemory::Unlock(handle);
    return TRUE;
}

void CZKTWHelper::FreeContainer(void* handle)
{
    SZKTWMemory::Free(handle);
}

BOOL CZKTWHelper::ExtractOnevalue(void* handle, WORD itemType, void* out)
{
    if (!Holds(handle, kOnevalueHeader + TWSizeOf(itemType)))
        return FALSE;
    LockedContainer container(handle);
    if (!container.Memory())
        return FALSE;
    if (out)
        std::memcpy(out, container.Memory() + kOnevalueHeader, TWSizeOf(itemType));
    return TRUE;
}

BOOL CZKTWHelper::ExtractOnevalueImprecise(void* handle, unsigned, void* out)
{
    if (!Holds(handle, kOnevalueHeader))
        return FALSE;
    LockedContainer container(handle);
    if (!container.Memory())
        return FALSE;
    const unsigned itemSize = TWSizeOf(ReadWord(container.Memory()));
    if (!Holds(handle, kOnevalueHeader + itemSize))
        return FALSE;
    if (out)
        std::memcpy(out, container.Memory() + kOnevalueHeader, itemSize);
    return TRUE;
}

BOOL CZKTWHelper::ExtractArray(void* handle, WORD itemType, void* out, unsigned& count)
{
    return ExtractItems(handle, itemType, kArrayHeader, out, count, nullptr, nullptr);
}

BOOL CZKTWHelper::ExtractEnumeration(void* handle, WORD itemType, DWORD& currentIndex, DWORD& defaultIndex,
                                     void* out, unsigned& count)
{
    return ExtractItems(handle, itemType, kEnumerationHeader, out, count, &currentIndex, &defaultIndex);
}

unsigned CZKTWHelper::TWSizeOf(WORD itemType)
{
    return ZKTWItemSize(itemType);
}

WORD CZKTWHelper::_GetContainerTypeMask(WORD conType)
{
    switch (conType)
    {
    case TWON_ARRAY:
        return 1;
    case TWON_ENUMERATION:
        return 2;
    case TWON_RANGE:
        return 8;
    default:
        return 4;
    }
}

double CZKTWHelper::Fix32ToDouble(const TW_FIX32& value)
{
    const auto bits = static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint16_t>(value.Whole)) << 16) |
                                           value.Frac);
    return bits / 65536.0;
}

TW_FIX32 CZKTWHelper::DoubleToFix32(const double& value)
{
    const auto bits = static_cast<int32_t>(value * 65536.0 + 0.5);
    TW_FIX32 fix;
    fix.Whole = static_cast<TW_INT16>(bits >> 16);
    fix.Frac = static_cast<TW_UINT16>(bits & 0xFFFF);
    return fix;
}

namespace
{
// Inches per unit and units per inch, indexed by the TWAIN unit code.
constexpr double kInchesPer[] = {1.0, 1.0 / 2.54, 1.0 / 6.0, 1.0 / 72.0, 1.0 / 1440.0};
constexpr double kPerInch[] = {1.0, 2.54, 6.0, 72.0, 1440.0};

bool IsKnownUnit(EZKTWImageUnit unit) { return unit >= ZKTW_UNIT_INCHES && unit <= ZKTW_UNIT_PIXELS; }
} // namespace

double CZKTWHelper::ConvertUnit(EZKTWImageUnit from, double value, EZKTWImageUnit to)
{
    if (from == to || from == ZKTW_UNIT_PIXELS || to == ZKTW_UNIT_PIXELS)
        return value;
    if (!IsKnownUnit(from) || !IsKnownUnit(to))
        return value;
    return value * kInchesPer[from] * kPerInch[to];
}

void CZKTWHelper::ConvertType(const std::wstring& text, char (&out)[256])
{
    std::memset(out, 0, sizeof(out));
    const std::string narrow = SZKCommon::WCStoMBS(text);
    std::memcpy(out, narrow.data(), narrow.size() < 255 ? narrow.size() : 255);
}

void CZKTWHelper::ConvertType(const char (&text)[256], std::wstring& out)
{
    // The buffer may come from a source without its terminator.
    out = SZKCommon::MBStoWCS(std::string(text, strnlen(text, sizeof(text))));
}
