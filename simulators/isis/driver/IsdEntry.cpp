// The entry points every driver file exports.
#include <cstring>

#include "ZKSimIsisDriver.h"
#include "ZKSimIsisProfileReader.h"

extern "C" {

ZKISIS_API int32_t ZKISIS_DriverModel(const char* driverPath, int32_t index, char* model, uint32_t size)
{
    ZK_SIM_ISIS_PROFILE profile;
    std::string error;
    if (!driverPath || !model || size == 0 ||
        !SZKSimIsisProfileReader::Read(SZKSimIsisProfileReader::ProfilePath(driverPath), profile, error))
        return ZKISIS_ERR_BAD_DRIVER;
    if (index < 0 || static_cast<size_t>(index) >= profile.models.size())
        return ZKISIS_ERR_NO_MODEL;
    const std::string& name = profile.models[static_cast<size_t>(index)];
    if (name.size() >= size)
        return ZKISIS_ERR_BUFFER_TOO_SMALL;
    std::memcpy(model, name.c_str(), name.size() + 1);
    return ZKISIS_OK;
}

ZKISIS_API void* ZKISIS_DriverCreate(const char* driverPath)
{
    return driverPath ? CZKSimIsisDriver::Create(driverPath) : nullptr;
}

ZKISIS_API void ZKISIS_DriverDestroy(void* driver)
{
    delete static_cast<CZKSimIsisDriver*>(driver);
}

ZKISIS_API int32_t ZKISIS_DriverMessage(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data)
{
    if (!module || !module->userData)
        return ZKISIS_ERR_BAD_PARAMETER;
    return static_cast<CZKSimIsisDriver*>(module->userData)->Message(module, message, param, data);
}

} // extern "C"
