#include "TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

CTempFolder::CTempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zkconfig-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

CTempFolder::~CTempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::wstring CTempFolder::File(const std::string& name) const
{
    const std::string full = m_path + "/" + name;
    return std::wstring(full.begin(), full.end());
}
