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
    // Every occurrence of what replaced by with, scanning left to right.
    static std::wstring ReplaceAll(const std::wstring& text, const std::wstring& what,
                                   const std::wstring& with);
};
