// One expression a scanner's imprinter understands: the command code sent
// to the printer, the name written between angle brackets in a formula, its
// display text and how many characters it prints.
#pragma once

#include <cstdint>
#include <string>

struct QX_IMPRINTER_EXPRESSION
{
    // Signed so that both ways of writing "not counted" (-1 and 0xFFFFFFFF)
    // are the same value.
    static constexpr int32_t LENGTH_NOT_COUNTED = -1;

    char chCode = 'Z';
    std::wstring strName;
    std::wstring strText;
    int32_t nLength = LENGTH_NOT_COUNTED;

    QX_IMPRINTER_EXPRESSION() = default;
    QX_IMPRINTER_EXPRESSION(char code, const std::wstring& name, const std::wstring& text, int32_t length)
        : chCode(code), strName(name), strText(text), nLength(length)
    {
    }
};
