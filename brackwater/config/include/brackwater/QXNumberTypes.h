// Integer value records wider than a byte that carry no conversions.
#pragma once

#include <brackwater/QXValueRecord.h>

// Identifiers are any value but -1, which marks "none"; normalize never
// invents one.
struct QXIdentifierRule
{
    typedef int32_t value_type;
    static constexpr int32_t initial = -1;
    static bool valid(int32_t v) { return v != -1; }
    static int32_t normalized(int32_t v) { return v; }
};

// Dots per inch; the script keeps the low 16 bits.
QX_DECLARE_VALUE_RECORD(QX_RES_TYPE, QXSpanRule<WORD, 0, 2400, 0, 0>);
QX_DECLARE_VALUE_RECORD(QX_IDENTIFIER_TYPE, QXIdentifierRule);
QX_DECLARE_VALUE_RECORD(QX_DURATION_TYPE, QXAnyRule<DWORD, 0>);

static_assert(sizeof(QX_RES_TYPE) == 2 && sizeof(QX_IDENTIFIER_TYPE) == 4,
              "value records keep their field size");
