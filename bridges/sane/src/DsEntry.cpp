// DS_Entry of the SANE bridge. The file may be copied under several names,
// each bound to a device of its own, so it looks up which copy was called.
#include <string>

#include <twaindefs/ZKTWModulePath.h>
#include <twaindefs/ZKTwainDefs.h>

#include "ZKSaneDataSource.h"

extern "C" __attribute__((visibility("default"))) TW_UINT16 DS_Entry(pTW_IDENTITY origin, TW_UINT32 dg,
                                                                    TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);

// Nothing leaves the source as an exception: the manager is C.
TW_UINT16 DS_Entry(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    try
    {
        static const std::string path = ZKTWModulePathOf(reinterpret_cast<void*>(&DS_Entry));
        if (path.empty())
            return TWRC_FAILURE;
        return CZKSaneDataSource::ForFile(path).Entry(origin, dg, dat, msg, data);
    }
    catch (...)
    {
        return TWRC_FAILURE;
    }
}
