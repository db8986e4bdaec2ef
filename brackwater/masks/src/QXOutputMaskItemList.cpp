#include <brackwater/QXOutputMaskItemList.h>

#include "DeepCopy.h"

CQXOutputMaskItemList::CQXOutputMaskItemList(const CQXOutputMaskItemList& other)
    : m_items(DeepCopy(other.m_items))
{
}

CQXOutputMaskItemList& CQXOutputMaskItemList::operator=(const CQXOutputMaskItemList& other)
{
    if (this != &other)
        m_items = DeepCopy(other.m_items);
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
    return ElementAt(m_items, index);
}
