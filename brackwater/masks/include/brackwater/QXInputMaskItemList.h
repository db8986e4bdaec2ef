// Owning, ordered list of input mask items.
#pragma once

#include <brackwater/QXInputMaskItem.h>
#include <brackwater/QXOwningItemList.h>
#include <brackwater/brackwater_export.h>

class BRACKWATER_EXPORT CQXInputMaskItemList : public TQXOwningItemList<CQXInputMaskItem>
{
public:
    // Sum of the fixed lengths; -1 if an item varies, 0 when empty.
    int GetItemsLength() const;
    // Sum of the maximum lengths; -1 if an item has no maximum.
    int GetItemsMaxLength() const;
    // Sum of the minimum lengths up to the first item without one.
    int GetItemsMinLength() const;
};
