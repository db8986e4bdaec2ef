// One loaded driver file: the shared object and its four entry points. A
// file missing any of them is not a driver.
#pragma once

#include <string>

#include <isisdefs/ZKIsisToolkit.h>

#include "ZKSimModuleData.h"

class CZKSimDriverFile
{
public:
    CZKSimDriverFile() = default;
    ~CZKSimDriverFile();
    CZKSimDriverFile(const CZKSimDriverFile&) = delete;
    CZKSimDriverFile& operator=(const CZKSimDriverFile&) = delete;

    // ZKISIS_ERR_DRIVER_NOT_FOUND or ZKISIS_ERR_BAD_DRIVER on failure.
    int32_t Load(const std::string& path);
    const std::string& Path() const { return m_path; }

    ZKISIS_DRIVER_MODEL model = nullptr;
    ZKISIS_DRIVER_CREATE create = nullptr;
    ZKISIS_DRIVER_DESTROY destroy = nullptr;
    ZKISIS_MSGPROC message = nullptr;

private:
    void* m_handle = nullptr;
    std::string m_path;
};

// What the toolkit keeps for a driver module it loaded.
struct ZK_SIM_DRIVER_MODULE : ZK_SIM_MODULE_DATA
{
    CZKSimDriverFile file;
};
