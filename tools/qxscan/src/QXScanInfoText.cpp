#include "QXScanInfoText.h"

#include <string>

namespace
{
constexpr int kIndentStep = 2;

bool AllScalars(const nlohmann::ordered_json& array)
{
    for (const nlohmann::ordered_json& item : array)
        if (item.is_structured())
            return false;
    return true;
}
} // namespace

void CQXScanInfoText::Print(const nlohmann::ordered_json& facts, std::FILE* out)
{
    _PrintObject(facts, 0, out);
}

void CQXScanInfoText::_PrintObject(const nlohmann::ordered_json& object, int indent, std::FILE* out)
{
    for (auto entry = object.begin(); entry != object.end(); ++entry)
    {
        const nlohmann::ordered_json& value = entry.value();
        if (value.is_object())
        {
            std::fprintf(out, "%*s%s:\n", indent, "", entry.key().c_str());
            _PrintObject(value, indent + kIndentStep, out);
        }
        else if (value.is_array())
            _PrintArray(entry.key(), value, indent, out);
        else
            std::fprintf(out, "%*s%s: %s\n", indent, "", entry.key().c_str(),
                         _Scalar(value).c_str());
    }
}

// Lists of plain values on one line; lists of records one block each.
void CQXScanInfoText::_PrintArray(const std::string& name, const nlohmann::ordered_json& array,
                                  int indent, std::FILE* out)
{
    if (AllScalars(array))
    {
        std::string line;
        for (const nlohmann::ordered_json& item : array)
            line += (line.empty() ? "" : ", ") + _Scalar(item);
        std::fprintf(out, "%*s%s: %s\n", indent, "", name.c_str(),
                     array.empty() ? "none" : line.c_str());
        return;
    }
    for (size_t i = 0; i < array.size(); ++i)
    {
        std::fprintf(out, "%*s%s #%zu:\n", indent, "", name.c_str(), i + 1);
        _PrintObject(array[i], indent + kIndentStep, out);
    }
}

std::string CQXScanInfoText::_Scalar(const nlohmann::ordered_json& value)
{
    if (value.is_null())
        return "not reported";
    if (value.is_string())
        return value.get<std::string>().empty() ? "-" : value.get<std::string>();
    if (value.is_boolean())
        return value.get<bool>() ? "yes" : "no";
    return value.dump();
}
