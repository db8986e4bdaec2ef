// A family's printer commands as a static table, turned into the
// expression records the adapters and the formula validation use.
#pragma once

#include <mirelight/QX_IMPRINTER_EXPRESSION.h>

#include <vector>

class SQXImprinterCommandTable
{
public:
    struct COMMAND
    {
        const wchar_t* name;
        char code;
        int32_t length;
    };

    // Display texts come from the resource key "QX_IMPRINTER_EXPRESSION_"
    // followed by the name.
    template <size_t N>
    static void Fill(const COMMAND (&table)[N], std::vector<QX_IMPRINTER_EXPRESSION>& commands)
    {
        Fill(table, N, commands);
    }
    static void Fill(const COMMAND* table, size_t count, std::vector<QX_IMPRINTER_EXPRESSION>& commands);

private:
    SQXImprinterCommandTable() = delete;
};
