#include "ZKISISOptions.h"

#include <algorithm>
#include <cwctype>
#include <mutex>
#include <vector>

#include <hollin/ZKCommon.h>
#include <hollin/ZKScript.h>

namespace
{
std::mutex g_lock;
bool g_loaded = false;
std::vector<std::wstring> g_compressionDrivers;

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
    std::lock_guard<std::mutex> hold(g_lock);
    if (!g_loaded)
    {
        std::wstring folder;
        SZKCommon::GetModuleFolderPath(folder);
        LoadLocked(folder + L"/ISISOption.cfg");
    }
    return std::find(g_compressionDrivers.begin(), g_compressionDrivers.end(), Normalised(driverName)) !=
           g_compressionDrivers.end();
}

bool SZKISISOptions::Load(const std::wstring& path)
{
    std::lock_guard<std::mutex> hold(g_lock);
    LoadLocked(path);
    return true;
}
