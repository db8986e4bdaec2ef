#include <mirelight/QXImprinterEskerAdapter.h>

#include "QXImprinterMessageList.h"

#include <twaindefs/ZKTwainConstants.h>

namespace
{
const CQXImprinterMessageList::SLOT kMessage[] = {
    {L"WriteSequenceMessage", CAP_PRINTERSUFFIX, L"QX_IMPRINTER_EXPRESSION_MESSAGE_1"},
};
} // namespace

CQXImprinterEskerAdapter::CQXImprinterEskerAdapter()
    : CQXImprinterRidgePartialAdapter(std::make_unique<CQXImprinterMessageList>(kMessage))
{
}
