#include <brackwater/QXDefaultValueOptionList.h>

#include "DeepCopy.h"

CQXDefaultValueOptionList::CQXDefaultValueOptionList(const CQXDefaultValueOptionList& other)
    : m_options(DeepCopy(other.m_options))
{
}

CQXDefaultValueOptionList&
CQXDefaultValueOptionList::operator=(const CQXDefaultValueOptionList& other)
{
    if (this != &other)
        m_options = DeepCopy(other.m_options);
    return *this;
}

BOOL CQXDefaultValueOptionList::Add(CQXDefaultValueItemList* option)
{
    if (option == nullptr)
        return FALSE;
    m_options.emplace_back(option);
    return TRUE;
}

CQXDefaultValueItemList* CQXDefaultValueOptionList::Get(int index) const
{
    return ElementAt(m_options, index);
}
