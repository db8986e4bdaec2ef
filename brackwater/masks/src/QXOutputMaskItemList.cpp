#include <brackwater/QXOutputMaskItemList.h>

CQXOutputMaskItemList::CQXOutputMaskItemList(const CQXOutputMaskItemList& other)
{
    *this = other;
}

CQXOutputMaskItemList& CQXOutputMaskItemList::operator=(const CQXOutputMaskItemList& other)
{
    if (this == &other)
        return *this;
    std::vector<std::unique_ptr<CQXOutputMaskItem>> copies;
    copies.reserve(other.m_items.size());
    for (const auto& item : other.m_items)
        copies.push_back(std::make_unique<CQXOutputMaskItem>(*item));
    m_items.swap(copies);
    return *this;
}

BOOL CQXOutputMaskItemList::Add(CQXOutputMaskItem* item)
{
    if (item == nullptr)
        return FALSE;
    m_items.emplace_back(item);
    return TRUE;
}

CQXOutputMaskItem* CQXOutputMaskItemList::Get(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}
