#include <mirelight/QXImprinterMoraineAdapter.h>

#include "QXImprinterMessageSlots.h"

CQXImprinterMoraineAdapter::CQXImprinterMoraineAdapter()
    : CQXImprinterRidgePartialAdapter(std::make_unique<CQXImprinterMessageList>(kSixMessageSlots))
{
}
