#include <hollin/ZKEnvResource.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKPath.h>
#include <hollin/ZKScript.h>

#include <sys/stat.h>

#include <cstdlib>
#include <vector>

namespace
{
constexpr const wchar_t* kFileName = L"environment.zks";

bool IsRegularFile(const std::wstring& path)
{
    struct stat info{};
    return ::stat(SZKPath::ToNative(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::wstring Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? SZKCommon::MBStoWCS(value) : std::wstring();
}

std::vector<std::wstring> Candidates()
{
    std::vector<std::wstring> paths;
    const std::wstring explicitFile = Variable("ZK_ENV_RESOURCE");
    if (!explicitFile.empty())
        paths.push_back(explicitFile);
    // A resource folder named by the variable is the only one, as for the
    // resource texts.
    const std::wstring resourceDir = Variable("ZK_RESOURCE_DIR");
    if (!resourceDir.empty())
    {
        paths.push_back(SZKPath::MergePath_PNF(resourceDir, kFileName, L""));
        return paths;
    }
    std::wstring moduleDir;
    if (SZKCommon::GetModuleFolderPath(moduleDir))
    {
        paths.push_back(SZKPath::MergePath_PNF(moduleDir, kFileName, L""));
        paths.push_back(SZKPath::MergePath_PNF(
            moduleDir, std::wstring(L"../share/capturecore/resources/") + kFileName, L""));
        paths.push_back(SZKPath::MergePath_PNF(moduleDir, std::wstring(L"../resources/") + kFileName, L""));
    }
    return paths;
}
} // namespace

BOOL SZKEnvResource::GetResourcePath(std::wstring& path)
{
    for (const auto& candidate : Candidates())
    {
        if (IsRegularFile(candidate))
        {
            path = candidate;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL SZKEnvResource::GetEnvStringValue(const wchar_t* name, std::wstring& value)
{
    std::wstring path;
    if (!name || !*name || !GetResourcePath(path))
        return FALSE;
    CZKScript script;
    if (!script.Load(path))
        return FALSE;
    return script.GetKeyValue(name, value, 0, SectionName);
}

BOOL SZKEnvResource::GetEnvStringValueA(const char* name, std::string& value)
{
    if (!name)
        return FALSE;
    std::wstring wide;
    if (!GetEnvStringValue(SZKCommon::MBStoWCS(name).c_str(), wide))
        return FALSE;
    value = SZKCommon::WCStoMBS(wide);
    return TRUE;
}
