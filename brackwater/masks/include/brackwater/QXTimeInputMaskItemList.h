// Owning, ordered list of time input mask items.
#pragma once

#include <brackwater/QXOwningItemList.h>
#include <brackwater/QXTimeInputMaskItem.h>
#include <brackwater/brackwater_export.h>

class BRACKWATER_EXPORT CQXTimeInputMaskItemList : public TQXOwningItemList<CQXTimeInputMaskItem>
{
public:
    // Sums of the item widths; -1 when an item has no width, 0 when empty.
    int GetItemsLength() const;
    int GetItemsMaxLength() const;
    int GetItemsMinLength() const;
};
