// The toolkit's own modules: the page module "ISISPAGE", which hands each
// image to the application's callbacks, and the file output module
// "ISISFPACK", which writes each image to the file its tags name.
#pragma once

#include <cstdio>

#include "ZKSimModuleData.h"

struct ZK_SIM_PAGE_MODULE : ZK_SIM_MODULE_DATA
{
    ZKISIS_PAGE_CALLBACKS callbacks = {};
    FILE* file = nullptr; // file output only
    ~ZK_SIM_PAGE_MODULE() override
    {
        if (file)
            std::fclose(file);
    }
};

int32_t ZKSimPageModuleProc(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data);
int32_t ZKSimFileOutputModuleProc(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data);
// Sets an image's tags on a module's default store.
void ZKSimApplyImageTags(CZKSimTagStore& tags, const ZKISIS_IMAGE_TAGS* image);
