#include "SettingsTestSystem.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

CSettingsTestSystem::CSettingsTestSystem(const std::vector<std::string>& profiles)
{
    std::string pattern = (fs::temp_directory_path() / "zksettings-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
    fs::create_directories(m_path + "/twain_32/profiles");
    fs::create_symlink(std::string(ZK_SETTINGS_SIM_DIR) + "/libtwaindsm.so", m_path + "/libtwaindsm.so");
    for (const std::string& profile : profiles)
        AddProfile(profile, SampleProfile(profile));
    setenv("ZK_SYSTEM_DIR", m_path.c_str(), 1);
    setenv("ZK_TWAIN_DS_DIR", (m_path + "/twain_32").c_str(), 1);
    setenv("ZK_TWAIN_PROFILE_DIR", (m_path + "/twain_32/profiles").c_str(), 1);
    unsetenv("ZK_TWAIN_DSM");
}

CSettingsTestSystem::~CSettingsTestSystem()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::string CSettingsTestSystem::SampleProfile(const std::string& name)
{
    std::ifstream in(std::string(ZK_SETTINGS_SIM_DIR) + "/twain_32/profiles/" + name + ".profile",
                     std::ios::binary);
    if (!in)
        throw std::runtime_error("no sample profile " + name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void CSettingsTestSystem::AddProfile(const std::string& name, const std::string& text) const
{
    std::ofstream(m_path + "/twain_32/profiles/" + name + ".profile", std::ios::binary) << text;
    // One data-source file per scanner, named after its profile. A copy, not
    // a link: links to one file would load as one library, one scanner.
    fs::copy_file(std::string(ZK_SETTINGS_SIM_DIR) + "/zkvirtualsource.so", m_path + "/twain_32/" + name + ".ds",
                  fs::copy_options::overwrite_existing);
}
