#include "ZKSimCapability.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{
// Records why a configuration was refused.
bool Invalid(std::string& error, const std::string& why)
{
    error = why;
    return false;
}

TW_UINT16 Refuse(TW_UINT16& condition, TW_UINT16 code)
{
    condition = code;
    return TWRC_FAILURE;
}

// A bound on items read from an application's container: the container is a
// bare heap block whose size we cannot check, so absurd counts are refused.
constexpr TW_UINT32 kMaxItems = 4096;

const uint8_t* Bytes(const void* container, size_t offset)
{
    return static_cast<const uint8_t*>(container) + offset;
}

bool IsText(TW_UINT16 itemType)
{
    return itemType >= TWTY_STR32 && itemType <= TWTY_STR255;
}
} // namespace

void CZKSimCapability::SetRange(const ZKSimItem& min, const ZKSimItem& max, const ZKSimItem& step)
{
    m_min = min;
    m_max = max;
    m_step = step;
}

TW_UINT16 CZKSimCapability::_Operation(TW_UINT16 msg)
{
    switch (msg)
    {
    case MSG_GET:
        return TWQC_GET;
    case MSG_GETCURRENT:
        return TWQC_GETCURRENT;
    case MSG_GETDEFAULT:
        return TWQC_GETDEFAULT;
    case MSG_RESET:
        return TWQC_RESET;
    case MSG_SET:
        return TWQC_SET;
    default:
        return 0;
    }
}

bool CZKSimCapability::Validate(std::string& error)
{
    const size_t size = SZKSimItemCodec::Size(m_itemType);
    if (size == 0)
        return Invalid(error, "unsupported item type");
    switch (m_conType)
    {
    case TWON_ENUMERATION:
        if (m_items.empty())
            return Invalid(error, "an enumeration needs items");
        if (m_current.empty())
            m_current = m_items.front();
        if (m_default.empty())
            m_default = m_current;
        if (_IndexOf(m_current) < 0 || _IndexOf(m_default) < 0)
            return Invalid(error, "current or default value is not among the items");
        return true;
    case TWON_RANGE:
        if (!SZKSimItemCodec::IsNumeric(m_itemType) || m_min.empty() || m_max.empty() || m_step.empty())
            return Invalid(error, "a range needs a numeric type, Min, Max and Step");
        if (m_current.empty())
            m_current = m_min;
        if (m_default.empty())
            m_default = m_current;
        if (!_Accepts(m_current) || !_Accepts(m_default))
            return Invalid(error, "current or default value is outside the range");
        return true;
    case TWON_ARRAY:
        if (m_defaultItems.empty())
            m_defaultItems = m_items;
        return true;
    case TWON_ONEVALUE:
        if (m_current.empty())
            return Invalid(error, "a one-value capability needs a current value");
        if (m_default.empty())
            m_default = m_current;
        if (!_Accepts(m_current) || !_Accepts(m_default))
            return Invalid(error, "current or default value is not accepted");
        return true;
    default:
        return Invalid(error, "unknown container");
    }
}

long CZKSimCapability::_IndexOf(const ZKSimItem& item) const
{
    const size_t size = SZKSimItemCodec::Size(m_itemType);
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        const bool same = IsText(m_itemType)
                              ? std::strncmp(reinterpret_cast<const char*>(m_items[i].data()),
                                             reinterpret_cast<const char*>(item.data()), size) == 0
                              : std::memcmp(m_items[i].data(), item.data(), size) == 0;
        if (same)
            return static_cast<long>(i);
    }
    return -1;
}

bool CZKSimCapability::_IsAllowedInArray(const ZKSimItem& item) const
{
    if (m_allowedItems.empty())
        return true;
    for (const ZKSimItem& allowed : m_allowedItems)
        if (allowed == item)
            return true;
    return false;
}

bool CZKSimCapability::_Accepts(const ZKSimItem& item) const
{
    if (item.size() != SZKSimItemCodec::Size(m_itemType))
        return false;
    if (m_conType == TWON_RANGE)
    {
        const double value = SZKSimItemCodec::ToNumber(m_itemType, item);
        const double min = SZKSimItemCodec::ToNumber(m_itemType, m_min);
        const double max = SZKSimItemCodec::ToNumber(m_itemType, m_max);
        const double step = SZKSimItemCodec::ToNumber(m_itemType, m_step);
        if (value < min || value > max)
            return false;
        if (step <= 0)
            return true;
        const double steps = (value - min) / step;
        return std::fabs(steps - std::round(steps)) < 1e-6;
    }
    if (m_conType == TWON_ENUMERATION || (m_conType == TWON_ONEVALUE && !m_items.empty()))
        return _IndexOf(item) >= 0;
    return true;
}

bool CZKSimCapability::_Store(const ZKSimItem& item)
{
    if (m_conType == TWON_ARRAY)
    {
        if (item.size() != SZKSimItemCodec::Size(m_itemType) || !_IsAllowedInArray(item))
            return false;
        m_items.assign(1, item);
        return true;
    }
    if (!_Accepts(item))
        return false;
    m_current = item;
    return true;
}

TW_HANDLE CZKSimCapability::_MakeOneValue(const ZKSimItem& item) const
{
    // Items wider than four bytes are stored inline; never less than the
    // structure itself, so reading TW_ONEVALUE.Item is always in bounds.
    const size_t size = item.size() > 4 ? 2 + item.size() : sizeof(TW_ONEVALUE);
    auto* block = static_cast<uint8_t*>(std::calloc(1, size));
    if (!block)
        return nullptr;
    std::memcpy(block, &m_itemType, sizeof(TW_UINT16));
    std::memcpy(block + 2, item.data(), item.size());
    return block;
}

TW_HANDLE CZKSimCapability::_MakeArray(const std::vector<ZKSimItem>& items) const
{
    const size_t itemSize = SZKSimItemCodec::Size(m_itemType);
    auto* block = static_cast<uint8_t*>(std::calloc(1, sizeof(TW_ARRAY) + items.size() * itemSize));
    if (!block)
        return nullptr;
    auto* array = reinterpret_cast<TW_ARRAY*>(block);
    array->ItemType = m_itemType;
    array->NumItems = static_cast<TW_UINT32>(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        std::memcpy(block + offsetof(TW_ARRAY, ItemList) + i * itemSize, items[i].data(), itemSize);
    return block;
}

TW_HANDLE CZKSimCapability::_MakeEnumeration() const
{
    const size_t itemSize = SZKSimItemCodec::Size(m_itemType);
    auto* block = static_cast<uint8_t*>(std::calloc(1, sizeof(TW_ENUMERATION) + m_items.size() * itemSize));
    if (!block)
        return nullptr;
    auto* enumeration = reinterpret_cast<TW_ENUMERATION*>(block);
    enumeration->ItemType = m_itemType;
    enumeration->NumItems = static_cast<TW_UINT32>(m_items.size());
    enumeration->CurrentIndex = static_cast<TW_UINT32>(_IndexOf(m_current));
    enumeration->DefaultIndex = static_cast<TW_UINT32>(_IndexOf(m_default));
    for (size_t i = 0; i < m_items.size(); ++i)
        std::memcpy(block + offsetof(TW_ENUMERATION, ItemList) + i * itemSize, m_items[i].data(), itemSize);
    return block;
}

// Range values sit in 4-byte slots, low bytes first.
TW_HANDLE CZKSimCapability::_MakeRange() const
{
    auto* range = static_cast<TW_RANGE*>(std::calloc(1, sizeof(TW_RANGE)));
    if (!range)
        return nullptr;
    range->ItemType = m_itemType;
    std::memcpy(&range->MinValue, m_min.data(), m_min.size());
    std::memcpy(&range->MaxValue, m_max.data(), m_max.size());
    std::memcpy(&range->StepSize, m_step.data(), m_step.size());
    std::memcpy(&range->DefaultValue, m_default.data(), m_default.size());
    std::memcpy(&range->CurrentValue, m_current.data(), m_current.size());
    return range;
}

TW_HANDLE CZKSimCapability::_MakeContainer(TW_UINT16 msg, TW_UINT16& conType) const
{
    if (m_conType == TWON_ARRAY)
    {
        conType = TWON_ARRAY;
        return _MakeArray(msg == MSG_GETDEFAULT ? m_defaultItems : m_items);
    }
    if (msg == MSG_GET || msg == MSG_RESET)
    {
        conType = m_conType;
        if (m_conType == TWON_ENUMERATION)
            return _MakeEnumeration();
        if (m_conType == TWON_RANGE)
            return _MakeRange();
    }
    conType = TWON_ONEVALUE;
    return _MakeOneValue(msg == MSG_GETDEFAULT ? m_default : m_current);
}

TW_UINT16 CZKSimCapability::Get(TW_UINT16 msg, TW_CAPABILITY& cap, TW_UINT16& condition)
{
    if (!(m_operations & _Operation(msg)))
        return Refuse(condition, TWCC_CAPBADOPERATION);
    if (msg == MSG_RESET)
    {
        m_current = m_default;
        if (m_conType == TWON_ARRAY)
            m_items = m_defaultItems;
    }
    TW_UINT16 conType = TWON_ONEVALUE;
    TW_HANDLE container = _MakeContainer(msg, conType);
    if (!container)
        return Refuse(condition, TWCC_LOWMEMORY);
    cap.ConType = conType;
    cap.hContainer = container;
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSimCapability::QuerySupport(TW_CAPABILITY& cap, TW_UINT16& condition) const
{
    auto* block = static_cast<uint8_t*>(std::calloc(1, sizeof(TW_ONEVALUE)));
    if (!block)
        return Refuse(condition, TWCC_LOWMEMORY);
    const TW_UINT16 itemType = TWTY_INT32;
    std::memcpy(block, &itemType, sizeof(itemType));
    std::memcpy(block + offsetof(TW_ONEVALUE, Item), &m_operations, sizeof(m_operations));
    cap.ConType = TWON_ONEVALUE;
    cap.hContainer = block;
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSimCapability::Set(const TW_CAPABILITY& cap, TW_UINT16& condition)
{
    if (!(m_operations & TWQC_SET))
        return Refuse(condition, TWCC_CAPBADOPERATION);
    bool stored = false;
    if (cap.hContainer)
    {
        TW_UINT16 itemType = 0;
        std::memcpy(&itemType, cap.hContainer, sizeof(itemType));
        if (itemType == m_itemType)
        {
            switch (cap.ConType)
            {
            case TWON_ONEVALUE:
                stored = _SetFromOneValue(static_cast<const TW_ONEVALUE*>(cap.hContainer));
                break;
            case TWON_ARRAY:
                stored = _SetFromArray(static_cast<const TW_ARRAY*>(cap.hContainer));
                break;
            case TWON_ENUMERATION:
                stored = _SetFromEnumeration(static_cast<const TW_ENUMERATION*>(cap.hContainer));
                break;
            case TWON_RANGE:
                stored = _SetFromRange(static_cast<const TW_RANGE*>(cap.hContainer));
                break;
            default:
                break;
            }
        }
    }
    if (!stored)
        return Refuse(condition, TWCC_BADVALUE);
    return TWRC_SUCCESS;
}

bool CZKSimCapability::_SetFromOneValue(const TW_ONEVALUE* container)
{
    const size_t size = SZKSimItemCodec::Size(m_itemType);
    const uint8_t* data = Bytes(container, offsetof(TW_ONEVALUE, Item));
    return _Store(ZKSimItem(data, data + size));
}

bool CZKSimCapability::_SetFromArray(const TW_ARRAY* container)
{
    if (m_conType != TWON_ARRAY || container->NumItems > kMaxItems)
        return false;
    const size_t size = SZKSimItemCodec::Size(m_itemType);
    std::vector<ZKSimItem> items;
    for (TW_UINT32 i = 0; i < container->NumItems; ++i)
    {
        const uint8_t* data = Bytes(container, offsetof(TW_ARRAY, ItemList) + i * size);
        items.emplace_back(data, data + size);
        // A device refuses values it does not know rather than storing them.
        if (!_IsAllowedInArray(items.back()))
            return false;
    }
    m_items = items;
    return true;
}

bool CZKSimCapability::_SetFromEnumeration(const TW_ENUMERATION* container)
{
    if (m_conType == TWON_ARRAY || container->NumItems > kMaxItems || container->CurrentIndex >= container->NumItems)
        return false;
    const size_t size = SZKSimItemCodec::Size(m_itemType);
    const uint8_t* data = Bytes(container, offsetof(TW_ENUMERATION, ItemList) + container->CurrentIndex * size);
    return _Store(ZKSimItem(data, data + size));
}

bool CZKSimCapability::_SetFromRange(const TW_RANGE* container)
{
    if (m_conType == TWON_ARRAY || !SZKSimItemCodec::IsNumeric(m_itemType))
        return false;
    const uint8_t* data = Bytes(container, offsetof(TW_RANGE, CurrentValue));
    return _Store(ZKSimItem(data, data + SZKSimItemCodec::Size(m_itemType)));
}
