#include "TwainCapability.h"

#include <cstdlib>

CTwainCapability::CTwainCapability(TW_UINT16 id, TW_UINT16 conType, TW_HANDLE container)
    : m_cap{id, conType, container}
{
}

CTwainCapability::~CTwainCapability()
{
    std::free(m_cap.hContainer);
}

TW_HANDLE CTwainCapability::OneValue(TW_UINT16 itemType, const void* item, size_t size)
{
    auto* block = static_cast<char*>(std::calloc(1, size > 4 ? 2 + size : sizeof(TW_ONEVALUE)));
    std::memcpy(block, &itemType, sizeof(itemType));
    std::memcpy(block + offsetof(TW_ONEVALUE, Item), item, size);
    return block;
}

TW_HANDLE CTwainCapability::Array(TW_UINT16 itemType, const void* items, size_t count, size_t itemSize)
{
    auto* block = static_cast<char*>(std::calloc(1, sizeof(TW_ARRAY) + count * itemSize));
    auto* array = reinterpret_cast<TW_ARRAY*>(block);
    array->ItemType = itemType;
    array->NumItems = static_cast<TW_UINT32>(count);
    std::memcpy(block + offsetof(TW_ARRAY, ItemList), items, count * itemSize);
    return block;
}
