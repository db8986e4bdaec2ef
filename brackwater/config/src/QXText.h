// Small text helpers shared by the records.
#pragma once

#include <string>

class SQXText
{
public:
    // Equality ignoring the case of letters.
    static bool EqualNoCase(const std::wstring& a, const std::wstring& b);
    // Without white space at both ends.
    static std::wstring Trim(const std::wstring& text);
};
