#include <brackwater/QXDefaultValueItemList.h>

#include "DeepCopy.h"

CQXDefaultValueItemList::CQXDefaultValueItemList(const CQXDefaultValueItemList& other)
    : m_items(DeepCopy(other.m_items))
{
}

CQXDefaultValueItemList& CQXDefaultValueItemList::operator=(const CQXDefaultValueItemList& other)
{
    if (this != &other)
        m_items = DeepCopy(other.m_items);
    return *this;
}

BOOL CQXDefaultValueItemList::Add(CQXDefaultValueItem* item)
{
    if (item == nullptr)
        return FALSE;
    m_items.emplace_back(item);
    return TRUE;
}

CQXDefaultValueItem* CQXDefaultValueItemList::Get(int index) const
{
    return ElementAt(m_items, index);
}
