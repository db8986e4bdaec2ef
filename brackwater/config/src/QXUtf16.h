// Conversion between the platform's wide strings and the 16-bit character
// arrays of records whose byte layout is fixed.
#pragma once

#include <string>

class SQXUtf16
{
public:
    // Characters above U+FFFF become surrogate pairs.
    static std::u16string FromWide(const std::wstring& text);
    // Surrogate pairs are joined; a lone surrogate becomes U+FFFD.
    static std::wstring ToWide(const std::u16string& text);
    // First count units of text, without splitting a surrogate pair.
    static std::u16string Left(const std::u16string& text, size_t count);
};
