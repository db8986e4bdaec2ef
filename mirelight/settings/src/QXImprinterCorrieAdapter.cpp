#include <mirelight/QXImprinterCorrieAdapter.h>

#include "QXImprinterMessageSlots.h"

CQXImprinterCorrieAdapter::CQXImprinterCorrieAdapter()
    : CQXImprinterRidgePartialAdapter(std::make_unique<CQXImprinterMessageList>(kSixMessageSlots))
{
}
