// index.jsonl of an output folder as the tests read it.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

class CIndexFile
{
public:
    // Every line, parsed.
    static std::vector<nlohmann::json> Read(const std::string& folder);
    // Complete lines only, so it may be called while the tool is still
    // writing the next one.
    static int CompleteLines(const std::string& folder);
};
