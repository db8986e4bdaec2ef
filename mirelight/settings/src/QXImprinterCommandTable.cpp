#include "QXImprinterCommandTable.h"

#include <orrin/ZKRCM.h>

void SQXImprinterCommandTable::Fill(const COMMAND* table, size_t count, std::vector<QX_IMPRINTER_EXPRESSION>& commands)
{
    commands.clear();
    for (size_t i = 0; i < count; ++i)
    {
        std::wstring text;
        SZKRCM::LoadText((L"QX_IMPRINTER_EXPRESSION_" + std::wstring(table[i].name)).c_str(), text);
        commands.emplace_back(table[i].code, table[i].name, text, table[i].length);
    }
}
