// What the simulated toolkit keeps for each module it hands out: the default
// tag store behind ZKISIS_MD_Default. Driver and toolkit modules extend it.
#pragma once

#include "ZKSimTagStore.h"

struct ZK_SIM_MODULE_DATA
{
    virtual ~ZK_SIM_MODULE_DATA() = default;
    CZKSimTagStore tags;
};

inline ZK_SIM_MODULE_DATA* ZKSimModuleData(ZKISIS_MODULE* module)
{
    return module ? static_cast<ZK_SIM_MODULE_DATA*>(module->toolkitData) : nullptr;
}
