#include <brackwater/QXTimeInputMaskItemList.h>

#include "MaskLengths.h"

using masklengths::SumLengths;

int CQXTimeInputMaskItemList::GetItemsLength() const
{
    return SumLengths(Items(),
                      [](const CQXTimeInputMaskItem& item) { return item.GetItemLength(); });
}

int CQXTimeInputMaskItemList::GetItemsMaxLength() const
{
    return SumLengths(Items(),
                      [](const CQXTimeInputMaskItem& item) { return item.GetItemMaxLength(); });
}

int CQXTimeInputMaskItemList::GetItemsMinLength() const
{
    return SumLengths(Items(),
                      [](const CQXTimeInputMaskItem& item) { return item.GetItemMinLength(); });
}
