// The module manager's entry points.
#include <atomic>
#include <cstring>
#include <new>
#include <string>

#include "ZKSimEnvironment.h"
#include "ZKSimToolkitModules.h"

namespace
{
std::atomic<int> g_initialised{0};

ZKISIS_MODULE* NewModule(ZKISIS_MSGPROC proc, void* userData, ZK_SIM_MODULE_DATA* toolkitData)
{
    ZKISIS_MODULE* module = new (std::nothrow) ZKISIS_MODULE{proc, userData, nullptr, toolkitData};
    if (!module)
        delete toolkitData;
    return module;
}

void AddFileOutputTags(CZKSimTagStore& tags)
{
    ZK_SIM_TAG format;
    format.values.front().longValue = 0x30000;
    format.defaults = format.values;
    tags.Define(ZKISIS_TAG_FILE_FORMAT, format);
    ZK_SIM_TAG name;
    name.type = ZKISIS_TYPE_ASCII;
    tags.Define(ZKISIS_TAG_FILE_NAME, name);
}
} // namespace

extern "C" {

ZKISIS_API int32_t ZKISIS_MD_Initialize(void)
{
    ++g_initialised;
    return ZKISIS_OK;
}

ZKISIS_API int32_t ZKISIS_MD_Terminate(void)
{
    int current = g_initialised.load();
    while (current > 0 && !g_initialised.compare_exchange_weak(current, current - 1))
    {
    }
    return current > 0 ? ZKISIS_OK : ZKISIS_ERR_NOT_INITIALISED;
}

ZKISIS_API int32_t ZKISIS_MD_LoadModule(const char* name, ZKISIS_MODULE** module)
{
    if (!name || !module)
        return ZKISIS_ERR_BAD_PARAMETER;
    if (g_initialised.load() <= 0)
        return ZKISIS_ERR_NOT_INITIALISED;
    const bool page = strcasecmp(name, "ISISPAGE") == 0;
    const bool fileOutput = strcasecmp(name, "ISISFPACK") == 0;
    if (!page && !fileOutput)
        return ZKISIS_ERR_MODULE_NOT_FOUND;
    ZK_SIM_PAGE_MODULE* data = new (std::nothrow) ZK_SIM_PAGE_MODULE;
    if (!data)
        return ZKISIS_ERR_OUT_OF_MEMORY;
    if (fileOutput)
        AddFileOutputTags(data->tags);
    *module = NewModule(page ? ZKSimPageModuleProc : ZKSimFileOutputModuleProc, data, data);
    return *module ? ZKISIS_OK : ZKISIS_ERR_OUT_OF_MEMORY;
}

ZKISIS_API int32_t ZKISIS_MD_CreateModule(ZKISIS_MSGPROC proc, void* userData, ZKISIS_MODULE** module)
{
    if (!proc || !module)
        return ZKISIS_ERR_BAD_PARAMETER;
    ZK_SIM_MODULE_DATA* data = new (std::nothrow) ZK_SIM_MODULE_DATA;
    if (!data)
        return ZKISIS_ERR_OUT_OF_MEMORY;
    *module = NewModule(proc, userData, data);
    return *module ? ZKISIS_OK : ZKISIS_ERR_OUT_OF_MEMORY;
}

ZKISIS_API int32_t ZKISIS_MD_FreeModule(ZKISIS_MODULE* module)
{
    if (!module)
        return ZKISIS_ERR_BAD_PARAMETER;
    delete ZKSimModuleData(module);
    delete module;
    return ZKISIS_OK;
}

ZKISIS_API int32_t ZKISIS_MD_Link(ZKISIS_MODULE* upstream, ZKISIS_MODULE* downstream)
{
    if (!upstream || !downstream || upstream == downstream)
        return ZKISIS_ERR_BAD_PARAMETER;
    upstream->next = downstream;
    if (downstream->proc)
        downstream->proc(downstream, ZKISIS_MSG_INIT, 0, nullptr);
    return ZKISIS_OK;
}

ZKISIS_API int32_t ZKISIS_MD_Unlink(ZKISIS_MODULE* upstream)
{
    if (!upstream)
        return ZKISIS_ERR_BAD_PARAMETER;
    upstream->next = nullptr;
    return ZKISIS_OK;
}

ZKISIS_API int32_t ZKISIS_MD_Send(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data)
{
    if (!module || !module->proc)
        return ZKISIS_ERR_BAD_PARAMETER;
    return module->proc(module, message, param, data);
}

ZKISIS_API int32_t ZKISIS_MD_Default(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data)
{
    if (!module)
        return ZKISIS_ERR_BAD_PARAMETER;
    switch (message)
    {
    case ZKISIS_MSG_INIT: return ZKISIS_OK;
    case ZKISIS_MSG_IMAGE_BEGIN:
    case ZKISIS_MSG_IMAGE_DATA:
    case ZKISIS_MSG_IMAGE_END:
        return module->next && module->next->proc ? module->next->proc(module->next, message, param, data)
                                                  : ZKISIS_OK;
    default: break;
    }
    ZK_SIM_MODULE_DATA* own = ZKSimModuleData(module);
    if (own && CZKSimTagStore::IsTagMessage(message))
        return own->tags.Handle(message, param, data);
    return ZKISIS_ERR_BAD_MESSAGE;
}

ZKISIS_API int32_t ZKISIS_MD_EnvPut(const char* section, const char* key, const char* value)
{
    if (!section || !key || !value)
        return ZKISIS_ERR_BAD_PARAMETER;
    CZKSimEnvironment::Instance().Put(section, key, value);
    return ZKISIS_OK;
}

ZKISIS_API int32_t ZKISIS_MD_EnvGet(const char* section, const char* key, char* value, uint32_t size)
{
    if (!section || !key || !value || size == 0)
        return ZKISIS_ERR_BAD_PARAMETER;
    std::string found;
    if (!CZKSimEnvironment::Instance().Get(section, key, found))
        return ZKISIS_ERR_BAD_VALUE;
    if (found.size() >= size)
        return ZKISIS_ERR_BUFFER_TOO_SMALL;
    std::memcpy(value, found.c_str(), found.size() + 1);
    return ZKISIS_OK;
}

} // extern "C"
