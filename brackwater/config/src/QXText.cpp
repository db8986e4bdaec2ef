#include "QXText.h"

#include <cwctype>

bool SQXText::EqualNoCase(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (a[i] != b[i] &&
            std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i])))
            return false;
    }
    return true;
}

std::wstring SQXText::Trim(const std::wstring& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::iswspace(static_cast<wint_t>(text[begin])))
        ++begin;
    while (end > begin && std::iswspace(static_cast<wint_t>(text[end - 1])))
        --end;
    return text.substr(begin, end - begin);
}

std::wstring SQXText::ReplaceAll(const std::wstring& text, const std::wstring& what,
                                 const std::wstring& with)
{
    if (what.empty())
        return text;
    std::wstring out;
    size_t start = 0;
    for (size_t hit = text.find(what); hit != std::wstring::npos; hit = text.find(what, start))
    {
        out.append(text, start, hit - start).append(with);
        start = hit + what.size();
    }
    return out.append(text, start, std::wstring::npos);
}
