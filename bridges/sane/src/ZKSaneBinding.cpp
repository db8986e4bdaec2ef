#include "ZKSaneBinding.h"

#include <sys/stat.h>

#include <fstream>

namespace
{
std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool IsRegularFile(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
} // namespace

ZK_SANE_BINDING ZK_SANE_BINDING::ForSourceFile(const std::string& path)
{
    ZK_SANE_BINDING binding;
    const size_t dot = path.rfind(".ds");
    const std::string file = (dot == std::string::npos ? path : path.substr(0, dot)) + ".device";
    // Only a regular file: a FIFO named like one would block the manager.
    if (!IsRegularFile(file))
        return binding;
    std::ifstream in(file);
    std::string line;
    for (int lines = 0; lines < 64 && std::getline(in, line); ++lines)
    {
        const size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string::npos)
            continue;
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = Trim(line.substr(equals + 1));
        if (key == "device")
            binding.device = value;
        else if (key == "name")
            binding.productName = value;
    }
    return binding;
}
