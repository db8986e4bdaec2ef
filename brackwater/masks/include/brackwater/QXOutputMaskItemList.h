// Owning, ordered list of output mask items.
#pragma once

#include <brackwater/QXOutputMaskItem.h>
#include <brackwater/QXOwningItemList.h>
#include <brackwater/brackwater_export.h>

class BRACKWATER_EXPORT CQXOutputMaskItemList : public TQXOwningItemList<CQXOutputMaskItem>
{
};
