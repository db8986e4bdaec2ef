// For data-source files copied under several names: the path of the shared
// object that holds a given function, i.e. which copy the manager loaded.
#pragma once

#include <dlfcn.h>

#include <string>

inline std::string ZKTWModulePathOf(const void* function)
{
    Dl_info info;
    if (dladdr(function, &info) && info.dli_fname)
        return info.dli_fname;
    return std::string();
}
