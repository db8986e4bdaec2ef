#include <brackwater/QXInputMaskItemList.h>

#include "MaskLengths.h"

using masklengths::SumLengths;

CQXInputMaskItemList::CQXInputMaskItemList(const CQXInputMaskItemList& other)
{
    *this = other;
}

CQXInputMaskItemList& CQXInputMaskItemList::operator=(const CQXInputMaskItemList& other)
{
    if (this == &other)
        return *this;
    std::vector<std::unique_ptr<CQXInputMaskItem>> copy;
    copy.reserve(other.m_items.size());
    for (const auto& item : other.m_items)
        copy.push_back(std::make_unique<CQXInputMaskItem>(*item));
    m_items.swap(copy);
    return *this;
}

BOOL CQXInputMaskItemList::Add(CQXInputMaskItem* item)
{
    if (item == nullptr)
        return FALSE;
    m_items.emplace_back(item);
    return TRUE;
}

CQXInputMaskItem* CQXInputMaskItemList::Get(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}

int CQXInputMaskItemList::GetItemsLength() const
{
    return SumLengths(m_items, [](const CQXInputMaskItem& item) { return item.GetItemLength(); });
}

int CQXInputMaskItemList::GetItemsMaxLength() const
{
    return SumLengths(m_items,
                      [](const CQXInputMaskItem& item) { return item.GetItemMaxLength(); });
}

int CQXInputMaskItemList::GetItemsMinLength() const
{
    int sum = 0;
    for (const auto& item : m_items)
    {
        const int length = item->GetItemMinLength();
        if (length < 0)
            break;
        sum += length;
    }
    return sum;
}
