// The strict test source installed as a data-source file in a folder, and
// held loaded so the test reads what the source manager's copy saw (the
// loader hands out one library per file).
#pragma once

#include "StrictSourceReport.h"

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>
#include <string>

class CStrictSourceFile
{
public:
    CStrictSourceFile(const std::string& builtFile, const std::string& folder)
    {
        const std::string path = folder + "/strict.ds";
        std::filesystem::copy_file(builtFile, path, std::filesystem::copy_options::overwrite_existing);
        m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!m_handle)
            throw std::runtime_error("cannot load " + path);
        reinterpret_cast<STRICT_SOURCE_RESET>(dlsym(m_handle, "StrictSource_Reset"))();
    }
    ~CStrictSourceFile() { dlclose(m_handle); }
    CStrictSourceFile(const CStrictSourceFile&) = delete;
    CStrictSourceFile& operator=(const CStrictSourceFile&) = delete;

    STRICT_SOURCE_REPORT Report() const
    {
        STRICT_SOURCE_REPORT report{};
        reinterpret_cast<STRICT_SOURCE_READ>(dlsym(m_handle, "StrictSource_Read"))(&report);
        return report;
    }

private:
    void* m_handle = nullptr;
};
