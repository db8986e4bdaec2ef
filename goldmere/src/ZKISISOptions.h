// The layer's option file "ISISOption.cfg" next to the library (or the file
// ZK_ISIS_OPTION_FILE names), read on first use and again when that path
// changes; shared by the process.
#pragma once

#include <string>

class SZKISISOptions
{
public:
    // The driver is listed under "CompressionOptionDriver" in [General]:
    // the layer, not the driver's tags, says which compression it delivers.
    static bool IsCompressionOptionDriver(const std::wstring& driverName);
};
