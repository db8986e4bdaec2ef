// One alternative of a default-value expression: its items in order.
#pragma once

#include <brackwater/QXDefaultValueItem.h>
#include <brackwater/QXOwningItemList.h>
#include <brackwater/brackwater_export.h>

class BRACKWATER_EXPORT CQXDefaultValueItemList : public TQXOwningItemList<CQXDefaultValueItem>
{
};
