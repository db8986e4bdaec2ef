#include "ZKISISOptions.h"

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <mutex>
#include <vector>

#include <hollin/ZKCommon.h>
#include <hollin/ZKScript.h>

namespace
{
std::mutex g_lock;
bool g_loaded = false;
std::wstring g_loadedPath;
std::vector<std::wstring> g_compressionDrivers;

std::wstring OptionFilePath()
{
    if (const char* path = std::getenv("ZK_ISIS_OPTION_FILE"))
        if (*path)
            return SZKCommon::MBStoWCS(path);
    std::wstring folder;
    SZKCommon::GetModuleFolderPath(folder);
    return folder + L"/ISISOption.cfg";
}

std::wstring Normalised(std::wstring name)
{
    name.erase(0, name.find_first_not_of(L" \t"));
    name.erase(name.find_last_not_of(L" \t") + 1);
    std::transform(name.begin(), name.end(), name.begin(), ::towupper);
    return name;
}

void LoadLocked(const std::wstring& path)
{
    g_loaded = true;
    g_loadedPath = path;
    g_compressionDrivers.clear();
    CZKScript script;
    std::wstring list;
    if (!script.Load(path) || !script.GetKeyValue(L"CompressionOptionDriver", list, 0, L"General"))
        return;
    for (const std::wstring& item : SZKCommon::SplitCommandLine(list, L';'))
        if (!Normalised(item).empty())
            g_compressionDrivers.push_back(Normalised(item));
}
} // namespace

bool SZKISISOptions::IsCompressionOptionDriver(const std::wstring& driverName)
{
    const std::wstring path = OptionFilePath();
    std::lock_guard<std::mutex> hold(g_lock);
    if (!g_loaded || path != g_loadedPath)
        LoadLocked(path);
    return std::find(g_compressionDrivers.begin(), g_compressionDrivers.end(), Normalised(driverName)) !=
           g_compressionDrivers.end();
}
