// Private text helpers shared by the script, the serialiser, the lists and
// the log: strict UTF-8 / UTF-16 conversion and locale-independent ASCII
// case folding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class SZKText
{
public:
    // A Unicode scalar value: 0..0x10FFFF without the surrogates.
    static bool IsScalar(uint32_t c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }
    // Appends the UTF-8 form of c; false for a non-scalar value.
    static bool AppendUtf8(uint32_t c, std::string& out);
    // false when text holds a non-scalar value.
    static bool WideToUtf8(const std::wstring& text, std::string& out);
    // Lossy form for logging: non-scalar values become U+FFFD.
    static std::string WideToUtf8Lossy(const std::wstring& text);
    // Decodes one character at pos (advancing pos); false for invalid UTF-8
    // (overlong forms, surrogates, values above U+10FFFF, truncation).
    static bool DecodeUtf8(const char* data, size_t size, size_t& pos, uint32_t& c);
    static bool Utf8ToWide(const char* data, size_t size, std::wstring& out);
    static bool WideToUtf16(const std::wstring& text, std::u16string& out);
    static bool Utf16ToWide(const char16_t* units, size_t count, std::wstring& out);

    static wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }
    static bool EqualNoCaseAscii(const std::wstring& a, const std::wstring& b);
    // flag non-zero: case-insensitive for ASCII letters.
    static bool Equal(const std::wstring& a, const std::wstring& b, int flag)
    {
        return flag ? EqualNoCaseAscii(a, b) : a == b;
    }
};
