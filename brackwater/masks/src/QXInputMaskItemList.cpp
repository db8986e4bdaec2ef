#include <brackwater/QXInputMaskItemList.h>

#include "MaskLengths.h"

using masklengths::SumLengths;

int CQXInputMaskItemList::GetItemsLength() const
{
    return SumLengths(Items(), [](const CQXInputMaskItem& item) { return item.GetItemLength(); });
}

int CQXInputMaskItemList::GetItemsMaxLength() const
{
    return SumLengths(Items(),
                      [](const CQXInputMaskItem& item) { return item.GetItemMaxLength(); });
}

int CQXInputMaskItemList::GetItemsMinLength() const
{
    int sum = 0;
    for (const auto& item : Items())
    {
        const int length = item->GetItemMinLength();
        if (length < 0)
            break;
        sum += length;
    }
    return sum;
}
