#include "TwainTempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

CTwainTempFolder::CTwainTempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zktwainsim-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

CTwainTempFolder::~CTwainTempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void CTwainTempFolder::Write(const std::string& name, const std::string& text) const
{
    std::ofstream(m_path + "/" + name, std::ios::binary) << text;
}

void CTwainTempFolder::CopyFrom(const std::string& path, const std::string& name) const
{
    std::filesystem::copy_file(path, m_path + "/" + name, std::filesystem::copy_options::overwrite_existing);
}
