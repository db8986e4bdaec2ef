#include "ZKSaneCapability.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include <twaindefs/ZKTWItemSize.h>

#include "ZKSaneFix32.h"
#include "ZKSaneMemory.h"

namespace
{
// One item in its TWAIN form at target (ZKTWItemSize bytes).
void PutItem(TW_UINT16 type, double value, void* target)
{
    const long whole = std::lround(value);
    switch (type)
    {
    case TWTY_INT8:
    case TWTY_UINT8:
    {
        const auto v = static_cast<uint8_t>(whole);
        std::memcpy(target, &v, 1);
        break;
    }
    case TWTY_INT16:
    case TWTY_UINT16:
    case TWTY_BOOL:
    {
        const auto v = static_cast<uint16_t>(whole);
        std::memcpy(target, &v, 2);
        break;
    }
    case TWTY_FIX32:
    {
        const TW_FIX32 v = SZKSaneFix32::From(value);
        std::memcpy(target, &v, 4);
        break;
    }
    default:
    {
        const auto v = static_cast<uint32_t>(whole);
        std::memcpy(target, &v, 4);
        break;
    }
    }
}

double GetItem(TW_UINT16 type, const void* source)
{
    switch (type)
    {
    case TWTY_INT8:
        return *static_cast<const int8_t*>(source);
    case TWTY_UINT8:
        return *static_cast<const uint8_t*>(source);
    case TWTY_INT16:
    {
        int16_t v;
        std::memcpy(&v, source, 2);
        return v;
    }
    case TWTY_UINT16:
    case TWTY_BOOL:
    {
        uint16_t v;
        std::memcpy(&v, source, 2);
        return v;
    }
    case TWTY_FIX32:
    {
        TW_FIX32 v;
        std::memcpy(&v, source, 4);
        return SZKSaneFix32::ToDouble(v);
    }
    case TWTY_INT32:
    {
        int32_t v;
        std::memcpy(&v, source, 4);
        return v;
    }
    default:
    {
        uint32_t v;
        std::memcpy(&v, source, 4);
        return v;
    }
    }
}

TW_UINT16 Refuse(TW_UINT16& condition, TW_UINT16 code)
{
    condition = code;
    return TWRC_FAILURE;
}
} // namespace

CZKSaneCapability CZKSaneCapability::List(TW_UINT16 id, TW_UINT16 type, std::vector<double> items,
                                          double current, bool settable)
{
    CZKSaneCapability cap;
    cap.m_id = id;
    cap.m_type = type;
    cap.m_kind = EKind::LIST;
    cap.m_items = std::move(items);
    cap.m_current = cap.m_default = {current};
    cap.m_settable = settable;
    return cap;
}

CZKSaneCapability CZKSaneCapability::Range(TW_UINT16 id, TW_UINT16 type, double min, double max,
                                           double step, double current, bool settable)
{
    CZKSaneCapability cap;
    cap.m_id = id;
    cap.m_type = type;
    cap.m_kind = EKind::RANGE;
    cap.m_min = min;
    cap.m_max = max;
    cap.m_step = step > 0 ? step : 1;
    cap.m_current = cap.m_default = {current};
    cap.m_settable = settable;
    return cap;
}

CZKSaneCapability CZKSaneCapability::One(TW_UINT16 id, TW_UINT16 type, double current, double min,
                                         double max, bool settable)
{
    CZKSaneCapability cap = Range(id, type, min, max, 1, current, settable);
    cap.m_kind = EKind::ONE;
    return cap;
}

CZKSaneCapability CZKSaneCapability::Array(TW_UINT16 id, TW_UINT16 type, std::vector<double> items,
                                           std::vector<double> current, bool settable)
{
    CZKSaneCapability cap;
    cap.m_id = id;
    cap.m_type = type;
    cap.m_kind = EKind::ARRAY;
    cap.m_items = std::move(items);
    cap.m_current = cap.m_default = std::move(current);
    cap.m_settable = settable;
    return cap;
}

TW_INT32 CZKSaneCapability::_Operations() const
{
    TW_INT32 operations = TWQC_GET | TWQC_GETCURRENT | TWQC_GETDEFAULT;
    if (m_settable)
        operations |= TWQC_SET | TWQC_RESET;
    return operations;
}

bool CZKSaneCapability::Allows(double value) const
{
    if (m_kind == EKind::RANGE || m_kind == EKind::ONE)
        return value >= m_min - 1e-6 && value <= m_max + 1e-6;
    return std::any_of(m_items.begin(), m_items.end(),
                       [value](double item) { return std::fabs(item - value) < 1e-4; });
}

TW_UINT16 CZKSaneCapability::Get(TW_UINT16 msg, TW_CAPABILITY& cap, TW_UINT16& condition) const
{
    TW_HANDLE container = nullptr;
    TW_UINT16 conType = TWON_ONEVALUE;
    switch (msg)
    {
    case MSG_QUERYSUPPORT:
        container = SZKSaneMemory::Alloc(sizeof(TW_ONEVALUE));
        if (container)
        {
            auto* one = static_cast<TW_ONEVALUE*>(SZKSaneMemory::Lock(container));
            one->ItemType = TWTY_INT32;
            const TW_INT32 operations = _Operations();
            std::memcpy(&one->Item, &operations, sizeof(operations));
            SZKSaneMemory::Unlock(container);
        }
        break;
    case MSG_GET:
        if (m_kind == EKind::ONE)
        {
            container = _OneValue(GetCurrent());
            break;
        }
        conType = m_kind == EKind::ARRAY   ? TWON_ARRAY
                  : m_kind == EKind::RANGE ? TWON_RANGE
                                           : TWON_ENUMERATION;
        container = m_kind == EKind::ARRAY   ? _ArrayOf(m_current)
                    : m_kind == EKind::RANGE ? _Range()
                                             : _Enumeration();
        break;
    case MSG_GETCURRENT:
    case MSG_GETDEFAULT:
    {
        const std::vector<double>& values = msg == MSG_GETCURRENT ? m_current : m_default;
        if (m_kind == EKind::ARRAY)
        {
            conType = TWON_ARRAY;
            container = _ArrayOf(values);
        }
        else
            container = _OneValue(values.empty() ? 0 : values.front());
        break;
    }
    default:
        return Refuse(condition, TWCC_CAPBADOPERATION);
    }
    if (!container)
        return Refuse(condition, TWCC_LOWMEMORY);
    cap.ConType = conType;
    cap.hContainer = container;
    return TWRC_SUCCESS;
}

TW_HANDLE CZKSaneCapability::_OneValue(double value) const
{
    TW_HANDLE handle = SZKSaneMemory::Alloc(sizeof(TW_ONEVALUE));
    if (!handle)
        return nullptr;
    auto* one = static_cast<TW_ONEVALUE*>(SZKSaneMemory::Lock(handle));
    one->ItemType = m_type;
    PutItem(m_type, value, &one->Item);
    SZKSaneMemory::Unlock(handle);
    return handle;
}

TW_HANDLE CZKSaneCapability::_Enumeration() const
{
    const size_t itemSize = ZKTWItemSize(m_type);
    TW_HANDLE handle =
        SZKSaneMemory::Alloc(offsetof(TW_ENUMERATION, ItemList) + m_items.size() * itemSize + 1);
    if (!handle)
        return nullptr;
    auto* block = static_cast<uint8_t*>(SZKSaneMemory::Lock(handle));
    TW_ENUMERATION header{};
    header.ItemType = m_type;
    header.NumItems = static_cast<TW_UINT32>(m_items.size());
    const double current = GetCurrent();
    const double fallback = m_default.empty() ? current : m_default.front();
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        if (std::fabs(m_items[i] - current) < 1e-4)
            header.CurrentIndex = static_cast<TW_UINT32>(i);
        if (std::fabs(m_items[i] - fallback) < 1e-4)
            header.DefaultIndex = static_cast<TW_UINT32>(i);
        PutItem(m_type, m_items[i], block + offsetof(TW_ENUMERATION, ItemList) + i * itemSize);
    }
    std::memcpy(block, &header, offsetof(TW_ENUMERATION, ItemList));
    SZKSaneMemory::Unlock(handle);
    return handle;
}

TW_HANDLE CZKSaneCapability::_Range() const
{
    TW_HANDLE handle = SZKSaneMemory::Alloc(sizeof(TW_RANGE));
    if (!handle)
        return nullptr;
    auto* range = static_cast<TW_RANGE*>(SZKSaneMemory::Lock(handle));
    range->ItemType = m_type;
    PutItem(m_type, m_min, &range->MinValue);
    PutItem(m_type, m_max, &range->MaxValue);
    PutItem(m_type, m_step, &range->StepSize);
    PutItem(m_type, m_default.empty() ? 0 : m_default.front(), &range->DefaultValue);
    PutItem(m_type, GetCurrent(), &range->CurrentValue);
    SZKSaneMemory::Unlock(handle);
    return handle;
}

TW_HANDLE CZKSaneCapability::_ArrayOf(const std::vector<double>& values) const
{
    const size_t itemSize = ZKTWItemSize(m_type);
    TW_HANDLE handle =
        SZKSaneMemory::Alloc(offsetof(TW_ARRAY, ItemList) + values.size() * itemSize + 1);
    if (!handle)
        return nullptr;
    auto* block = static_cast<uint8_t*>(SZKSaneMemory::Lock(handle));
    TW_ARRAY header{};
    header.ItemType = m_type;
    header.NumItems = static_cast<TW_UINT32>(values.size());
    std::memcpy(block, &header, offsetof(TW_ARRAY, ItemList));
    for (size_t i = 0; i < values.size(); ++i)
        PutItem(m_type, values[i], block + offsetof(TW_ARRAY, ItemList) + i * itemSize);
    SZKSaneMemory::Unlock(handle);
    return handle;
}

// The application's container is read within the block it says it is: a
// count is checked against a sane bound before any item is touched.
TW_UINT16 CZKSaneCapability::Requested(const TW_CAPABILITY& cap, std::vector<double>& values,
                                       TW_UINT16& condition) const
{
    if (!m_settable)
        return Refuse(condition, TWCC_CAPBADOPERATION);
    if (!cap.hContainer)
        return Refuse(condition, TWCC_BADVALUE);
    const auto* block = static_cast<const uint8_t*>(SZKSaneMemory::Lock(cap.hContainer));
    if (!block)
        return Refuse(condition, TWCC_BADVALUE);
    values.clear();
    TW_UINT16 rc = TWRC_SUCCESS;
    if (cap.ConType == TWON_ONEVALUE && m_kind != EKind::ARRAY)
    {
        TW_ONEVALUE one;
        std::memcpy(&one, block, sizeof(one));
        if (one.ItemType != m_type)
            rc = Refuse(condition, TWCC_BADVALUE);
        else
            values.push_back(GetItem(m_type, block + offsetof(TW_ONEVALUE, Item)));
    }
    else if (cap.ConType == TWON_ARRAY && m_kind == EKind::ARRAY)
    {
        TW_ARRAY header;
        std::memcpy(&header, block, offsetof(TW_ARRAY, ItemList));
        if (header.ItemType != m_type || header.NumItems > 256)
            rc = Refuse(condition, TWCC_BADVALUE);
        else
            for (TW_UINT32 i = 0; i < header.NumItems; ++i)
                values.push_back(GetItem(m_type, block + offsetof(TW_ARRAY, ItemList) +
                                                     i * ZKTWItemSize(m_type)));
    }
    else
        rc = Refuse(condition, TWCC_BADVALUE);
    SZKSaneMemory::Unlock(cap.hContainer);
    if (rc != TWRC_SUCCESS)
        return rc;
    for (double value : values)
        if (!Allows(value))
            return Refuse(condition, TWCC_BADVALUE);
    return TWRC_SUCCESS;
}
