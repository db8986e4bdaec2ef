// Capability operations of CZKTWSourceManager.
#include <fennick/ZKTWHelper.h>
#include <fennick/ZKTWSourceManager.h>

#include "ZKTWMemory.h"
#include "ZKTWTrace.h"

#include <boost/format.hpp>

#include <cstdlib>
#include <cstring>

namespace
{
WORD CapResult(DWORD packed)
{
    if (ZKTWSucceeded(packed))
        return ZKTW_CAP_SUCCESS;
    return ZKTWConditionCode(packed) == TWCC_CAPUNSUPPORTED ? ZKTW_CAP_UNSUPPORTED : ZKTW_CAP_FAILURE;
}

WORD MessageFor(EZKTWGetCapOp op)
{
    switch (op)
    {
    case ZKTW_GETCAP_GET:
        return MSG_GET;
    case ZKTW_GETCAP_CURRENT:
        return MSG_GETCURRENT;
    case ZKTW_GETCAP_DEFAULT:
        return MSG_GETDEFAULT;
    default:
        return MSG_NULL;
    }
}

// Frees a container when the reading is done.
class ContainerHolder
{
public:
    explicit ContainerHolder(void* container) : m_container(container) {}
    ~ContainerHolder() { CZKTWHelper::FreeContainer(m_container); }
    ContainerHolder(const ContainerHolder&) = delete;
    ContainerHolder& operator=(const ContainerHolder&) = delete;

private:
    void* m_container;
};

// The size of a source's container is unknown, so it is only read at the
// layout of the kind it claims to be, with items of the size asked for.
bool IsReadableAs(void* container, WORD conType, WORD wantedConType, WORD itemType)
{
    if (conType != wantedConType || CZKTWHelper::TWSizeOf(itemType) == 0 ||
        SZKTWMemory::BlockSize(container) < sizeof(WORD))
        return false;
    const void* memory = SZKTWMemory::Lock(container);
    if (!memory)
        return false;
    WORD storedType;
    std::memcpy(&storedType, memory, sizeof(storedType));
    SZKTWMemory::Unlock(container);
    return CZKTWHelper::TWSizeOf(storedType) == CZKTWHelper::TWSizeOf(itemType);
}

// The answer was read, but what it holds is not what it claims.
WORD RefuseMalformed(WORD cap)
{
    SZKTWTrace::Log((boost::format("Capability 0x%04X: the source's container does not hold what it claims") % cap)
                        .str(),
                    0);
    return ZKTW_CAP_FAILURE;
}

void* AllocateItems(unsigned count, WORD itemType)
{
    const size_t bytes = static_cast<size_t>(count) * CZKTWHelper::TWSizeOf(itemType);
    return std::malloc(bytes ? bytes : 1);
}
} // namespace

WORD CZKTWSourceManager::_GetCap(WORD cap, EZKTWGetCapOp op, WORD& conType, void*& container)
{
    container = nullptr;
    const WORD msg = MessageFor(op);
    if (msg == MSG_NULL)
        return ZKTW_CAP_FAILURE;
    TW_CAPABILITY capability{};
    capability.Cap = cap;
    capability.ConType = TWON_DONTCARE16;
    const DWORD result = _SourceCall(DG_CONTROL, DAT_CAPABILITY, msg, &capability, FALSE);
    if (!ZKTWSucceeded(result))
    {
        CZKTWHelper::FreeContainer(capability.hContainer);
        return CapResult(result);
    }
    if (!capability.hContainer)
        return ZKTW_CAP_FAILURE;
    conType = capability.ConType;
    container = capability.hContainer;
    return ZKTW_CAP_SUCCESS;
}

WORD CZKTWSourceManager::_SetCap(WORD cap, WORD conType, void* container)
{
    TW_CAPABILITY capability{};
    capability.Cap = cap;
    capability.ConType = conType;
    capability.hContainer = container;
    return CapResult(_SourceCall(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability, FALSE));
}

WORD CZKTWSourceManager::ResetCap(WORD cap)
{
    TW_CAPABILITY capability{};
    capability.Cap = cap;
    capability.ConType = TWON_DONTCARE16;
    const WORD result = CapResult(_SourceCall(DG_CONTROL, DAT_CAPABILITY, MSG_RESET, &capability, FALSE));
    // A source may answer a reset with the restored value; it is ours to free.
    CZKTWHelper::FreeContainer(capability.hContainer);
    return result;
}

WORD CZKTWSourceManager::SetCapOnevalue(WORD cap, WORD itemType, const void* value)
{
    void* container = nullptr;
    if (!CZKTWHelper::AllocOnevalue(container, itemType, value))
        return ZKTW_CAP_FAILURE;
    ContainerHolder holder(container);
    return _SetCap(cap, TWON_ONEVALUE, container);
}

WORD CZKTWSourceManager::SetCapArray(WORD cap, WORD itemType, const void* items, unsigned count)
{
    void* container = nullptr;
    if (!CZKTWHelper::AllocArray(container, itemType, items, count))
        return ZKTW_CAP_FAILURE;
    ContainerHolder holder(container);
    return _SetCap(cap, TWON_ARRAY, container);
}

WORD CZKTWSourceManager::SetCapEnumeration(WORD cap, WORD itemType, DWORD currentIndex, DWORD defaultIndex,
                                           const void* items, unsigned count)
{
    void* container = nullptr;
    if (!CZKTWHelper::AllocEnumeration(container, itemType, currentIndex, defaultIndex, items, count))
        return ZKTW_CAP_FAILURE;
    ContainerHolder holder(container);
    return _SetCap(cap, TWON_ENUMERATION, container);
}

WORD CZKTWSourceManager::GetCapOnevalue(WORD cap, EZKTWGetCapOp op, WORD itemType, void* value)
{
    WORD conType = 0;
    void* container = nullptr;
    const WORD result = _GetCap(cap, op, conType, container);
    if (result != ZKTW_CAP_SUCCESS)
        return result;
    ContainerHolder holder(container);
    if (!IsReadableAs(container, conType, TWON_ONEVALUE, itemType) ||
        !CZKTWHelper::ExtractOnevalue(container, itemType, value))
        return RefuseMalformed(cap);
    return ZKTW_CAP_SUCCESS;
}

WORD CZKTWSourceManager::GetCapArray(WORD cap, EZKTWGetCapOp op, WORD itemType, void** items, unsigned& count)
{
    count = 0;
    if (items)
        *items = nullptr;
    WORD conType = 0;
    void* container = nullptr;
    const WORD result = _GetCap(cap, op, conType, container);
    if (result != ZKTW_CAP_SUCCESS)
        return result;
    ContainerHolder holder(container);
    unsigned found = 0;
    if (!items)
        return ZKTW_CAP_FAILURE;
    if (!IsReadableAs(container, conType, TWON_ARRAY, itemType) ||
        !CZKTWHelper::ExtractArray(container, itemType, nullptr, found))
        return RefuseMalformed(cap);
    void* buffer = AllocateItems(found, itemType);
    if (!buffer || !CZKTWHelper::ExtractArray(container, itemType, buffer, found))
    {
        std::free(buffer);
        return ZKTW_CAP_FAILURE;
    }
    *items = buffer;
    count = found;
    return ZKTW_CAP_SUCCESS;
}

WORD CZKTWSourceManager::GetCapEnumeration(WORD cap, EZKTWGetCapOp op, WORD itemType, DWORD& currentIndex,
                                           DWORD& defaultIndex, void** items, unsigned& count)
{
    currentIndex = 0;
    defaultIndex = 0;
    count = 0;
    if (items)
        *items = nullptr;
    WORD conType = 0;
    void* container = nullptr;
    const WORD result = _GetCap(cap, op, conType, container);
    if (result != ZKTW_CAP_SUCCESS)
        return result;
    ContainerHolder holder(container);
    unsigned found = 0;
    DWORD current = 0;
    DWORD defaultValue = 0;
    if (!items)
        return ZKTW_CAP_FAILURE;
    // Callers index the items with the two indexes.
    if (!IsReadableAs(container, conType, TWON_ENUMERATION, itemType) ||
        !CZKTWHelper::ExtractEnumeration(container, itemType, current, defaultValue, nullptr, found) ||
        (found != 0 && (current >= found || defaultValue >= found)))
        return RefuseMalformed(cap);
    void* buffer = AllocateItems(found, itemType);
    if (!buffer || !CZKTWHelper::ExtractEnumeration(container, itemType, current, defaultValue, buffer, found))
    {
        std::free(buffer);
        return ZKTW_CAP_FAILURE;
    }
    *items = buffer;
    count = found;
    currentIndex = current;
    defaultIndex = defaultValue;
    return ZKTW_CAP_SUCCESS;
}

BOOL CZKTWSourceManager::_QueryCapSupport(WORD cap, DWORD& support)
{
    support = 0;
    TW_CAPABILITY capability{};
    capability.Cap = cap;
    capability.ConType = TWON_ONEVALUE;
    const DWORD result = _SourceCall(DG_CONTROL, DAT_CAPABILITY, MSG_QUERYSUPPORT, &capability, FALSE);
    if (!ZKTWSucceeded(result))
    {
        CZKTWHelper::FreeContainer(capability.hContainer);
        return ZKTWConditionCode(result) == TWCC_CAPUNSUPPORTED ? TRUE : FALSE;
    }
    if (!capability.hContainer)
        return FALSE;
    ContainerHolder holder(capability.hContainer);
    // Room for the largest item, whatever type the source stored.
    BYTE value[1100] = {};
    if (!CZKTWHelper::ExtractOnevalueImprecise(capability.hContainer, sizeof(DWORD), value))
    {
        RefuseMalformed(cap);
        return FALSE;
    }
    std::memcpy(&support, value, sizeof(support));
    return TRUE;
}

BOOL CZKTWSourceManager::QueryCapSupport(WORD cap, ZKTW_CAPABILITY_SUPPORT& support)
{
    support.Clear();
    DWORD bits = 0;
    if (!_QueryCapSupport(cap, bits))
        return FALSE;
    support.bGet = (bits & TWQC_GET) ? TRUE : FALSE;
    support.bSet = (bits & TWQC_SET) ? TRUE : FALSE;
    support.bGetDefault = (bits & TWQC_GETDEFAULT) ? TRUE : FALSE;
    support.bGetCurrent = (bits & TWQC_GETCURRENT) ? TRUE : FALSE;
    support.bReset = (bits & TWQC_RESET) ? TRUE : FALSE;
    return TRUE;
}

BOOL CZKTWSourceManager::GetSupportedCaps(WORD** caps, unsigned& count)
{
    return GetCapArray(CAP_SUPPORTEDCAPS, ZKTW_GETCAP_GET, TWTY_UINT16, reinterpret_cast<void**>(caps), count) ==
           ZKTW_CAP_SUCCESS;
}

BOOL CZKTWSourceManager::GetUnit(EZKTWImageUnit& unit)
{
    WORD value = 0;
    if (GetCapOnevalue(ICAP_UNITS, ZKTW_GETCAP_CURRENT, TWTY_UINT16, &value) != ZKTW_CAP_SUCCESS)
        return FALSE;
    unit = static_cast<EZKTWImageUnit>(value);
    return TRUE;
}
