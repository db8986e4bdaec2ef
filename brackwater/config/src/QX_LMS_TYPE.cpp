#include <brackwater/QXByteTypes.h>

#include <orrin/ZKRCM.h>

namespace
{
struct UnitInfo
{
    BYTE unit;
    double factor; // thousandths of a centimetre per unit
    const wchar_t* labelKey;
};

const UnitInfo kUnits[] = {
    {0, 2540.0, L"STR_LMS_IN"},
    {1, 1000.0, L"STR_LMS_CM"},
    {11, 2540000.0, L"STR_LMS_IN_1000_1"},
    {12, 254000.0, L"STR_LMS_IN_100_1"},
    {13, 25400.0, L"STR_LMS_IN_10_1"},
    {14, 254.0, L"STR_LMS_IN_1_10"},
    {15, 25.4, L"STR_LMS_IN_1_100"},
    {16, 2.54, L"STR_LMS_IN_1_1000"},
    {21, 1000000.0, L"STR_LMS_CM_1000_1"},
    {22, 100000.0, L"STR_LMS_CM_100_1"},
    {23, 10000.0, L"STR_LMS_CM_10_1"},
    {24, 100.0, L"STR_LMS_CM_1_10"},
    {25, 10.0, L"STR_LMS_CM_1_100"},
    {26, 1.0, L"STR_LMS_CM_1_1000"},
};

const UnitInfo* FindUnit(BYTE unit)
{
    for (const UnitInfo& info : kUnits)
    {
        if (info.unit == unit)
            return &info;
    }
    return nullptr;
}
} // namespace

double QX_LMS_TYPE::FactorOf(BYTE unit)
{
    const UnitInfo* info = FindUnit(unit);
    return info ? info->factor : 0.0;
}

std::wstring QX_LMS_TYPE::LabelKeyOf(BYTE unit)
{
    const UnitInfo* info = FindUnit(unit);
    return info ? info->labelKey : L"";
}

std::wstring QX_LMS_TYPE::GetLabel() const
{
    const std::wstring key = GetLabelKey();
    std::wstring text;
    if (key.empty() || !SZKRCM::LoadText(key.c_str(), text))
        text.clear();
    return text;
}
