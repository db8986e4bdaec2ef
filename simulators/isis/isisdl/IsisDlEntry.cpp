// The driver loader's entry points: driver-file search, models, loading,
// error texts and the default driver.
#include <dirent.h>
#include <fnmatch.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include <wincompat/ZKKnownFolders.h>

#include "ZKSimDriverFile.h"
#include "ZKSimErrorTexts.h"

struct ZKISIS_FIND
{
    std::vector<std::string> names;
    size_t next = 0;
};

namespace
{
std::atomic<int> g_initialised{0};
std::mutex g_defaultLock;
std::string g_defaultDriver;

int32_t CopyOut(const std::string& text, char* buffer, uint32_t size)
{
    if (!buffer || size == 0)
        return ZKISIS_ERR_BAD_PARAMETER;
    if (text.size() >= size)
        return ZKISIS_ERR_BUFFER_TOO_SMALL;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return ZKISIS_OK;
}

std::string DriverFolder()
{
    std::string folder;
    for (wchar_t c : CZKKnownFolders::SystemFolder())
        folder += static_cast<char>(c < 0x80 ? c : '?');
    return folder + "/isisdrv";
}

// The driver file for a name, matched without regard to case as on the
// platform the drivers come from.
std::string FindDriverFile(const std::string& driverName)
{
    const std::string folder = DriverFolder();
    const std::string wanted = driverName + ".isd";
    std::string found;
    if (DIR* dir = opendir(folder.c_str()))
    {
        while (dirent* entry = readdir(dir))
            if (strcasecmp(entry->d_name, wanted.c_str()) == 0)
            {
                found = folder + "/" + entry->d_name;
                break;
            }
        closedir(dir);
    }
    return found;
}

int32_t NextName(ZKISIS_FIND* find, char* name, uint32_t size)
{
    if (find->next >= find->names.size())
        return ZKISIS_ERR_NO_MORE_FILES;
    return CopyOut(find->names[find->next++], name, size);
}
} // namespace

extern "C" {

ZKISIS_API int32_t ZKISIS_DL_Initialize(void)
{
    ++g_initialised;
    return ZKISIS_OK;
}

ZKISIS_API int32_t ZKISIS_DL_Terminate(void)
{
    int current = g_initialised.load();
    while (current > 0 && !g_initialised.compare_exchange_weak(current, current - 1))
    {
    }
    return current > 0 ? ZKISIS_OK : ZKISIS_ERR_NOT_INITIALISED;
}

ZKISIS_API int32_t ZKISIS_DL_FindFirst(const char* pattern, char* name, uint32_t size, ZKISIS_FIND** find)
{
    if (!pattern || !find)
        return ZKISIS_ERR_BAD_PARAMETER;
    *find = nullptr;
    const std::string full(pattern);
    const size_t slash = full.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : full.substr(0, slash);
    const std::string filePattern = slash == std::string::npos ? full : full.substr(slash + 1);
    ZKISIS_FIND* search = new (std::nothrow) ZKISIS_FIND;
    if (!search)
        return ZKISIS_ERR_OUT_OF_MEMORY;
    if (DIR* dir = opendir(folder.c_str()))
    {
        while (dirent* entry = readdir(dir))
            if (fnmatch(filePattern.c_str(), entry->d_name, FNM_CASEFOLD) == 0)
                search->names.push_back(entry->d_name);
        closedir(dir);
    }
    std::sort(search->names.begin(), search->names.end());
    const int32_t status = NextName(search, name, size);
    if (status != ZKISIS_OK)
    {
        delete search;
        return status;
    }
    *find = search;
    return ZKISIS_OK;
}

ZKISIS_API int32_t ZKISIS_DL_FindNext(ZKISIS_FIND* find, char* name, uint32_t size)
{
    return find ? NextName(find, name, size) : ZKISIS_ERR_BAD_PARAMETER;
}

ZKISIS_API void ZKISIS_DL_FindClose(ZKISIS_FIND* find)
{
    delete find;
}

ZKISIS_API int32_t ZKISIS_DL_ModelName(const char* driverPath, int32_t index, char* model, uint32_t size)
{
    if (!driverPath || !model || size == 0 || index < 0)
        return ZKISIS_ERR_BAD_PARAMETER;
    CZKSimDriverFile file;
    const int32_t status = file.Load(driverPath);
    if (status != ZKISIS_OK)
        return status;
    try
    {
        return file.model(driverPath, index, model, size);
    }
    catch (...)
    {
        return ZKISIS_ERR_BAD_DRIVER;
    }
}

ZKISIS_API int32_t ZKISIS_DL_LoadDriver(const char* driverName, ZKISIS_MODULE** module)
{
    if (!driverName || !module)
        return ZKISIS_ERR_BAD_PARAMETER;
    *module = nullptr;
    if (g_initialised.load() <= 0)
        return ZKISIS_ERR_NOT_INITIALISED;
    const std::string path = FindDriverFile(driverName);
    if (path.empty())
        return ZKISIS_ERR_DRIVER_NOT_FOUND;
    ZK_SIM_DRIVER_MODULE* data = new (std::nothrow) ZK_SIM_DRIVER_MODULE;
    if (!data)
        return ZKISIS_ERR_OUT_OF_MEMORY;
    int32_t status = data->file.Load(path);
    void* driver = nullptr;
    if (status == ZKISIS_OK)
    {
        try
        {
            driver = data->file.create(path.c_str());
        }
        catch (...)
        {
        }
        status = driver ? ZKISIS_OK : ZKISIS_ERR_BAD_DRIVER;
    }
    ZKISIS_MODULE* loaded = status == ZKISIS_OK ? new (std::nothrow) ZKISIS_MODULE{data->file.message, driver, nullptr, data}
                                                : nullptr;
    if (!loaded)
    {
        if (driver)
            data->file.destroy(driver);
        delete data;
        return status == ZKISIS_OK ? ZKISIS_ERR_OUT_OF_MEMORY : status;
    }
    *module = loaded;
    return ZKISIS_OK;
}

ZKISIS_API int32_t ZKISIS_DL_UnloadDriver(ZKISIS_MODULE* module)
{
    if (!module)
        return ZKISIS_ERR_BAD_PARAMETER;
    ZK_SIM_DRIVER_MODULE* data = static_cast<ZK_SIM_DRIVER_MODULE*>(module->toolkitData);
    if (data && module->userData)
        data->file.destroy(module->userData);
    delete data;
    delete module;
    return ZKISIS_OK;
}

ZKISIS_API int32_t ZKISIS_DL_ErrorText(int32_t id, char* text, uint32_t size)
{
    return CopyOut(ZKSimIsisErrorText(id), text, size);
}

// The driver last chosen in the selection dialog, else the first installed.
ZKISIS_API int32_t ZKISIS_DL_DefaultDriver(char* name, uint32_t size)
{
    std::string chosen;
    {
        std::lock_guard<std::mutex> hold(g_defaultLock);
        chosen = g_defaultDriver;
    }
    if (chosen.empty())
    {
        ZKISIS_FIND* find = nullptr;
        char first[256];
        if (ZKISIS_DL_FindFirst((DriverFolder() + "/*.isd").c_str(), first, sizeof first, &find) != ZKISIS_OK)
            return ZKISIS_ERR_DRIVER_NOT_FOUND;
        ZKISIS_DL_FindClose(find);
        chosen.assign(first, std::strlen(first) - 4);
    }
    return CopyOut(chosen, name, size);
}

// There is no desktop: the simulated user's choice comes from the variable
// ZK_ISIS_SELECT_DRIVER; unset or empty means the user cancelled.
ZKISIS_API int32_t ZKISIS_DL_SelectDriver(void* /*parent*/)
{
    const char* choice = std::getenv("ZK_ISIS_SELECT_DRIVER");
    if (!choice || !*choice)
        return ZKISIS_ERR_DIALOG_CANCELLED;
    if (FindDriverFile(choice).empty())
        return ZKISIS_ERR_DRIVER_NOT_FOUND;
    std::lock_guard<std::mutex> hold(g_defaultLock);
    g_defaultDriver = choice;
    return ZKISIS_OK;
}

} // extern "C"
