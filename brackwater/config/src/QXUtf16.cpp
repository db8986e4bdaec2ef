#include "QXUtf16.h"

namespace
{
bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}
const wchar_t kReplacement = 0xFFFD;
} // namespace

std::u16string SQXUtf16::FromWide(const std::wstring& text)
{
    std::u16string out;
    out.reserve(text.size());
    for (wchar_t wc : text)
    {
        const uint32_t c = static_cast<uint32_t>(wc);
        if (c > 0x10FFFF)
            out.push_back(static_cast<char16_t>(kReplacement));
        else if (c >= 0x10000)
        {
            const uint32_t v = c - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        }
        else
            out.push_back(static_cast<char16_t>(c));
    }
    return out;
}

std::wstring SQXUtf16::ToWide(const std::u16string& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        const char16_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
        {
            const uint32_t v = 0x10000 + ((static_cast<uint32_t>(c) - 0xD800) << 10) +
                               (static_cast<uint32_t>(text[i + 1]) - 0xDC00);
            out.push_back(static_cast<wchar_t>(v));
            ++i;
        }
        else if (IsHighSurrogate(c) || IsLowSurrogate(c))
            out.push_back(kReplacement);
        else
            out.push_back(static_cast<wchar_t>(c));
    }
    return out;
}

std::u16string SQXUtf16::Left(const std::u16string& text, size_t count)
{
    if (text.size() <= count)
        return text;
    if (count > 0 && IsHighSurrogate(text[count - 1]))
        --count;
    return text.substr(0, count);
}
