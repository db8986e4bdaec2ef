// The alternatives of a default-value expression, in order (separated by
// OR in the expression). Add takes ownership of an option; a null one is
// refused.
#pragma once

#include <brackwater/QXDefaultValueItemList.h>
#include <brackwater/QXOwningItemList.h>
#include <brackwater/brackwater_export.h>

class BRACKWATER_EXPORT CQXDefaultValueOptionList
    : public TQXOwningItemList<CQXDefaultValueItemList>
{
};
