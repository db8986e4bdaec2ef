// The six fixed messages of the tarn, corrie and moraine imprinters: script
// keys, capabilities and the resource texts that name them.
#pragma once

#include "QXImprinterMessageList.h"

inline const CQXImprinterMessageList::SLOT kSixMessageSlots[] = {
    {L"WriteSequenceMessage0", 0x800C, L"QX_IMPRINTER_EXPRESSION_MESSAGE_1"},
    {L"WriteSequenceMessage1", 0x800D, L"QX_IMPRINTER_EXPRESSION_MESSAGE_2"},
    {L"WriteSequenceMessage2", 0x800E, L"QX_IMPRINTER_EXPRESSION_MESSAGE_3"},
    {L"WriteSequenceMessage3", 0x800F, L"QX_IMPRINTER_EXPRESSION_MESSAGE_4"},
    {L"WriteSequenceMessage4", 0x8010, L"QX_IMPRINTER_EXPRESSION_MESSAGE_5"},
    {L"WriteSequenceMessage5", 0x8011, L"QX_IMPRINTER_EXPRESSION_MESSAGE_6"},
};
