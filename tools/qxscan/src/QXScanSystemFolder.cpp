#include "QXScanSystemFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace
{
// Relative to the tool's folder: the build tree (bin/ beside sim/) and the
// install prefix (bin/ beside share/).
const char* const kCandidates[] = {"../sim/system", "../share/capturecore/system"};

bool LooksLikeSystemFolder(const fs::path& folder)
{
    std::error_code error;
    return fs::exists(folder / "libtwaindsm.so", error) || fs::is_directory(folder / "twain_32", error);
}
} // namespace

std::string CQXScanSystemFolder::Resolve(const std::string& option, const std::string& executable)
{
    if (!option.empty())
        return option;
    if (const char* variable = std::getenv("ZK_SYSTEM_DIR"); variable && *variable)
        return variable;
    return _NearExecutable(executable);
}

std::string CQXScanSystemFolder::_NearExecutable(const std::string& executable)
{
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error)
        self = fs::absolute(executable, error);
    for (const char* candidate : kCandidates)
    {
        const fs::path folder = (self.parent_path() / candidate).lexically_normal();
        if (LooksLikeSystemFolder(folder))
            return folder.string();
    }
    return std::string();
}

void CQXScanSystemFolder::Apply(const std::string& folder)
{
    if (!folder.empty())
        setenv("ZK_SYSTEM_DIR", folder.c_str(), 1);
}
