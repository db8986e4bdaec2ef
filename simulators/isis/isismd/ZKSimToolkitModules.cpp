#include "ZKSimToolkitModules.h"

namespace
{
ZK_SIM_PAGE_MODULE* PageData(ZKISIS_MODULE* module)
{
    return static_cast<ZK_SIM_PAGE_MODULE*>(module->toolkitData);
}

int32_t PassOn(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data)
{
    return module->next && module->next->proc ? module->next->proc(module->next, message, param, data) : ZKISIS_OK;
}

int32_t SetCallbacks(ZKISIS_MODULE* module, void* data)
{
    if (!data)
        return ZKISIS_ERR_BAD_PARAMETER;
    PageData(module)->callbacks = *static_cast<const ZKISIS_PAGE_CALLBACKS*>(data);
    return ZKISIS_OK;
}

int32_t OpenImageFile(ZK_SIM_PAGE_MODULE& page)
{
    if (page.file)
        std::fclose(page.file);
    const std::string name = page.tags.Text(ZKISIS_TAG_FILE_NAME);
    page.file = name.empty() ? nullptr : std::fopen(name.c_str(), "wb");
    return page.file ? ZKISIS_OK : ZKISIS_ERR_FILE;
}

int32_t CloseImageFile(ZK_SIM_PAGE_MODULE& page)
{
    if (!page.file)
        return ZKISIS_ERR_FILE;
    const bool written = std::fclose(page.file) == 0;
    page.file = nullptr;
    return written ? ZKISIS_OK : ZKISIS_ERR_FILE;
}
} // namespace

void ZKSimApplyImageTags(CZKSimTagStore& tags, const ZKISIS_IMAGE_TAGS* image)
{
    for (uint32_t i = 0; image && i < image->count; ++i)
    {
        const ZKISIS_IMAGE_TAG& source = image->tags[i];
        if (source.count <= 0 || !source.values)
            continue;
        ZK_SIM_TAG tag;
        tag.type = source.type;
        tag.values.clear();
        for (int32_t v = 0; v < source.count; ++v)
        {
            ZK_SIM_TAG_VALUE value;
            if (source.type == ZKISIS_TYPE_RATIONAL)
                value.rational = {source.values[2 * v], source.values[2 * v + 1]};
            else
                value.longValue = source.values[v];
            tag.values.push_back(value);
        }
        tag.defaults = tag.values;
        tags.Define(source.tag, tag);
    }
}

int32_t ZKSimPageModuleProc(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data)
{
    ZK_SIM_PAGE_MODULE& page = *PageData(module);
    const ZKISIS_PAGE_CALLBACKS& cb = page.callbacks;
    switch (message)
    {
    case ZKISIS_MSG_SET_PAGE_CALLBACKS: return SetCallbacks(module, data);
    case ZKISIS_MSG_IMAGE_BEGIN:
        ZKSimApplyImageTags(page.tags, static_cast<const ZKISIS_IMAGE_TAGS*>(data));
        if (cb.imageBegin)
            cb.imageBegin(cb.context, module);
        return PassOn(module, message, param, data);
    case ZKISIS_MSG_IMAGE_DATA:
    {
        const ZKISIS_BLOCK* block = static_cast<const ZKISIS_BLOCK*>(data);
        if (!block)
            return ZKISIS_ERR_BAD_PARAMETER;
        if (cb.imageData)
            cb.imageData(cb.context, block->data, block->length);
        return PassOn(module, message, param, data);
    }
    case ZKISIS_MSG_IMAGE_END:
        if (cb.imageEnd)
            cb.imageEnd(cb.context, module);
        return PassOn(module, message, param, data);
    default: return ZKISIS_MD_Default(module, message, param, data);
    }
}

int32_t ZKSimFileOutputModuleProc(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data)
{
    ZK_SIM_PAGE_MODULE& page = *PageData(module);
    const ZKISIS_PAGE_CALLBACKS& cb = page.callbacks;
    switch (message)
    {
    case ZKISIS_MSG_SET_PAGE_CALLBACKS: return SetCallbacks(module, data);
    case ZKISIS_MSG_IMAGE_BEGIN:
        // The application names the file before it is opened.
        if (cb.imageBegin)
            cb.imageBegin(cb.context, module);
        ZKSimApplyImageTags(page.tags, static_cast<const ZKISIS_IMAGE_TAGS*>(data));
        return OpenImageFile(page);
    case ZKISIS_MSG_IMAGE_DATA:
    {
        const ZKISIS_BLOCK* block = static_cast<const ZKISIS_BLOCK*>(data);
        if (!block || !page.file)
            return ZKISIS_ERR_BAD_PARAMETER;
        return std::fwrite(block->data, 1, block->length, page.file) == block->length ? ZKISIS_OK : ZKISIS_ERR_FILE;
    }
    case ZKISIS_MSG_IMAGE_END:
    {
        const int32_t status = CloseImageFile(page);
        if (cb.imageEnd)
            cb.imageEnd(cb.context, module);
        return status;
    }
    default: return ZKISIS_MD_Default(module, message, param, data);
    }
}
