#include "IndexFile.h"

#include <fstream>

std::vector<nlohmann::json> CIndexFile::Read(const std::string& folder)
{
    std::vector<nlohmann::json> lines;
    std::ifstream in(folder + "/index.jsonl");
    for (std::string line; std::getline(in, line);)
        lines.push_back(nlohmann::json::parse(line));
    return lines;
}

int CIndexFile::CompleteLines(const std::string& folder)
{
    std::ifstream in(folder + "/index.jsonl");
    int lines = 0;
    for (std::string line; std::getline(in, line) && !in.eof();)
        ++lines;
    return lines;
}
