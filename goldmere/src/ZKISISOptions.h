// The layer's option file "ISISOption.cfg" next to the library, loaded on
// first use and shared by the process.
#pragma once

#include <string>

class SZKISISOptions
{
public:
    // The driver is listed under "CompressionOptionDriver" in [General]:
    // the layer, not the driver's tags, says which compression it delivers.
    static bool IsCompressionOptionDriver(const std::wstring& driverName);
    // Replaces the loaded options with another file's (tools and tests).
    static bool Load(const std::wstring& path);
};
