#include <mirelight/QXImprinterFellAdapter.h>

#include "QXImprinterCommandTable.h"

namespace
{
const SQXImprinterCommandTable::COMMAND kCommands[] = {
    {L"MESSAGE", 's', -1},
    {L"SCANNER_COUNTER", 'c', 1},
    {L"SCANNER_DATE_MMDDYYYY", 'd', 8},
    {L"SCANNER_DATE_DDMMYYYY", 'e', 8},
    {L"SCANNER_DATE_YYYYMMDD", 'f', 8},
    {L"SCANNER_TIME", 'T', 8},
    {L"SPACE", 'B', 1},
};
} // namespace

void CQXImprinterFellAdapter::GetSupportedCommands(std::vector<QX_IMPRINTER_EXPRESSION>& commands) const
{
    SQXImprinterCommandTable::Fill(kCommands, commands);
}
