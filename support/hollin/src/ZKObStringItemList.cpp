#include <hollin/ZKObStringItemList.h>

#include "ZKText.h"

CZKObStringItemList::~CZKObStringItemList() = default;

int CZKObStringItemList::FindIndex(const std::wstring& name, int flag) const
{
    int index = 0;
    for (POSITION pos = GetHeadPosition(); pos; ++index) {
        const auto* item = dynamic_cast<const CZKObStringItem*>(GetNext(pos));
        if (item && SZKText::Equal(item->GetName(), name, flag))
            return index;
    }
    return -1;
}

CZKObStringItem* CZKObStringItemList::Find(const std::wstring& name, int flag) const
{
    const int index = FindIndex(name, flag);
    return index < 0 ? nullptr : GetAtIndexAs<CZKObStringItem>(index);
}
