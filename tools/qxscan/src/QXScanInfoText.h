// `qxscan info` for people: the same facts as the JSON, one per line,
// nested records indented under their name.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdio>

class CQXScanInfoText
{
public:
    static void Print(const nlohmann::ordered_json& facts, std::FILE* out);

private:
    static void _PrintObject(const nlohmann::ordered_json& object, int indent, std::FILE* out);
    static void _PrintArray(const std::string& name, const nlohmann::ordered_json& array,
                            int indent, std::FILE* out);
    static std::string _Scalar(const nlohmann::ordered_json& value);
};
