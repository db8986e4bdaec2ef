#include "PrivateSystemFolder.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

CPrivateSystemFolder::CPrivateSystemFolder(
    const std::string& extraLines, const std::vector<std::pair<std::string, std::string>>& replace)
{
    const fs::path sim(QXSCAN_SIM_DIR);
    const fs::path folder(m_folder.Path());
    fs::create_directories(folder / "twain_32" / "profiles");
    fs::copy_file(sim / "libtwaindsm.so", folder / "libtwaindsm.so");
    // The data-source file's name picks its profile.
    fs::copy_file(sim / "zkvirtualsource.so", folder / "twain_32" / "production.ds");

    std::ifstream in(sim / "twain_32" / "profiles" / "production_duplex.profile", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string profile = text.str();
    for (const auto& edit : replace)
    {
        const size_t at = profile.find(edit.first);
        if (at != std::string::npos)
            profile.replace(at, edit.first.size(), edit.second);
    }
    std::ofstream(folder / "twain_32" / "profiles" / "production.profile", std::ios::binary)
        << profile << "\n" << extraLines << "\n";
}
