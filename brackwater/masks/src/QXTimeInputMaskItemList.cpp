#include <brackwater/QXTimeInputMaskItemList.h>

#include "MaskLengths.h"

using masklengths::SumLengths;

CQXTimeInputMaskItemList::CQXTimeInputMaskItemList(const CQXTimeInputMaskItemList& other)
{
    *this = other;
}

CQXTimeInputMaskItemList& CQXTimeInputMaskItemList::operator=(const CQXTimeInputMaskItemList& other)
{
    if (this == &other)
        return *this;
    std::vector<std::unique_ptr<CQXTimeInputMaskItem>> copy;
    copy.reserve(other.m_items.size());
    for (const auto& item : other.m_items)
        copy.push_back(std::make_unique<CQXTimeInputMaskItem>(*item));
    m_items.swap(copy);
    return *this;
}

BOOL CQXTimeInputMaskItemList::Add(CQXTimeInputMaskItem* item)
{
    if (item == nullptr)
        return FALSE;
    m_items.emplace_back(item);
    return TRUE;
}

CQXTimeInputMaskItem* CQXTimeInputMaskItemList::Get(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}

int CQXTimeInputMaskItemList::GetItemsLength() const
{
    return SumLengths(m_items,
                      [](const CQXTimeInputMaskItem& item) { return item.GetItemLength(); });
}

int CQXTimeInputMaskItemList::GetItemsMaxLength() const
{
    return SumLengths(m_items,
                      [](const CQXTimeInputMaskItem& item) { return item.GetItemMaxLength(); });
}

int CQXTimeInputMaskItemList::GetItemsMinLength() const
{
    return SumLengths(m_items,
                      [](const CQXTimeInputMaskItem& item) { return item.GetItemMinLength(); });
}
