#include <brackwater/QX_RANGE_D_TYPE.h>

#include <brackwater/QXRecordScript.h>

#include <cstdlib>
#include <iomanip>
#include <locale>
#include <sstream>

namespace
{
// Leading integer of a part, 0 when there is none (as the C conversions do).
long LeadingInt(const std::wstring& part)
{
    return std::wcstol(part.c_str(), nullptr, 10);
}

// Leading real of a part in the classic locale, 0 when there is none.
double LeadingReal(const std::wstring& part)
{
    std::wistringstream in(part);
    in.imbue(std::locale::classic());
    double value = 0.0;
    if (!(in >> value))
        return 0.0;
    return value;
}
} // namespace

std::wstring QX_RANGE_D_TYPE::ToText() const
{
    std::wostringstream out;
    out.imbue(std::locale::classic());
    out << static_cast<int>(byLowMode) << L", " << std::fixed << std::setprecision(12) << low
        << L", " << static_cast<int>(byHighMode) << L", " << high;
    return out.str();
}

void QX_RANGE_D_TYPE::FromText(const std::wstring& text)
{
    std::wstring parts[4];
    size_t start = 0;
    for (int i = 0; i < 4 && start <= text.size(); ++i)
    {
        const size_t comma = text.find(L", ", start);
        parts[i] =
            text.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
        start = comma == std::wstring::npos ? text.size() + 1 : comma + 2;
    }
    byLowMode = ModeFromStored(LeadingInt(parts[0]));
    low = LeadingReal(parts[1]);
    byHighMode = ModeFromStored(LeadingInt(parts[2]));
    high = LeadingReal(parts[3]);
}

BOOL QX_RANGE_D_TYPE::toscript(CZKScript& script, const wchar_t* key) const
{
    return SQXRecordScript::WriteText(script, key, ToText());
}

BOOL QX_RANGE_D_TYPE::fromscript(CZKScript& script, const wchar_t* key)
{
    std::wstring text;
    if (!SQXRecordScript::ReadText(script, key, text))
    {
        reset();
        return FALSE;
    }
    FromText(text);
    normalize();
    return TRUE;
}
