#include "SaneTestSystem.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace
{
std::string NewTemporaryFolder(const char* prefix)
{
    std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    return pattern;
}

// Removed when the process ends.
struct CONFIG_FOLDER
{
    std::string path = NewTemporaryFolder("zksane-config");
    ~CONFIG_FOLDER()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};
} // namespace

std::string CSaneTestSystem::ConfigFolder()
{
    static CONFIG_FOLDER folder;
    return folder.path;
}

CSaneTestSystem::CSaneTestSystem(const std::vector<std::string>& options, const std::string& binding)
{
    m_path = NewTemporaryFolder("zksane");
    fs::create_directories(SystemFolder() + "/twain_32");
    // Copies, not links: the loader takes links to one file for one library.
    fs::copy_file(ZK_SANE_DSM_FILE, SystemFolder() + "/libtwaindsm.so");
    fs::copy_file(ZK_SANE_SOURCE_FILE, SystemFolder() + "/twain_32/sane.ds");
    if (!binding.empty())
        std::ofstream(SystemFolder() + "/twain_32/sane.device") << binding << "\n";
    std::ofstream(ConfigFolder() + "/dll.conf") << "test\n";
    std::ofstream conf(ConfigFolder() + "/test.conf");
    conf << "number_of_devices 1\n";
    for (const std::string& line : options)
        conf << line << "\n";
    setenv("SANE_CONFIG_DIR", ConfigFolder().c_str(), 1);
    setenv("ZK_SYSTEM_DIR", SystemFolder().c_str(), 1);
    setenv("ZK_TWAIN_DS_DIR", (SystemFolder() + "/twain_32").c_str(), 1);
    unsetenv("ZK_TWAIN_DSM");
}

CSaneTestSystem::~CSaneTestSystem()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}
