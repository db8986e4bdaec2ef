#include "ZKText.h"

bool SZKText::AppendUtf8(uint32_t c, std::string& out)
{
    if (!IsScalar(c))
        return false;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return true;
}

bool SZKText::WideToUtf8(const std::wstring& text, std::string& out)
{
    std::string result;
    result.reserve(text.size());
    for (wchar_t wc : text)
        if (!AppendUtf8(static_cast<uint32_t>(wc), result))
            return false;
    out.swap(result);
    return true;
}

std::string SZKText::WideToUtf8Lossy(const std::wstring& text)
{
    std::string result;
    result.reserve(text.size());
    for (wchar_t wc : text)
        if (!AppendUtf8(static_cast<uint32_t>(wc), result))
            AppendUtf8(0xFFFD, result);
    return result;
}

bool SZKText::DecodeUtf8(const char* data, size_t size, size_t& pos, uint32_t& c)
{
    if (pos >= size)
        return false;
    const auto lead = static_cast<unsigned char>(data[pos]);
    size_t extra = 0;
    uint32_t value = 0;
    uint32_t minimum = 0;
    if (lead < 0x80) {
        c = lead;
        ++pos;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, value = lead & 0x07, minimum = 0x10000;
    } else {
        return false;
    }
    if (size - pos <= extra)
        return false;
    for (size_t i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(data[pos + i]);
        if ((next & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || !IsScalar(value))
        return false;
    c = value;
    pos += extra + 1;
    return true;
}

bool SZKText::Utf8ToWide(const char* data, size_t size, std::wstring& out)
{
    std::wstring result;
    result.reserve(size);
    size_t pos = 0;
    while (pos < size) {
        uint32_t c = 0;
        if (!DecodeUtf8(data, size, pos, c))
            return false;
        result += static_cast<wchar_t>(c);
    }
    out.swap(result);
    return true;
}

bool SZKText::WideToUtf16(const std::wstring& text, std::u16string& out)
{
    std::u16string result;
    result.reserve(text.size());
    for (wchar_t wc : text) {
        const auto c = static_cast<uint32_t>(wc);
        if (!IsScalar(c))
            return false;
        if (c < 0x10000) {
            result += static_cast<char16_t>(c);
        } else {
            result += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            result += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    out.swap(result);
    return true;
}

bool SZKText::Utf16ToWide(const char16_t* units, size_t count, std::wstring& out)
{
    std::wstring result;
    result.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t unit = units[i];
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return false;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 >= count || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF)
                return false;
            const uint32_t low = units[++i];
            result += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else {
            result += static_cast<wchar_t>(unit);
        }
    }
    out.swap(result);
    return true;
}

bool SZKText::EqualNoCaseAscii(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}
