// The exported entry point of the virtual data source file.
#include <twaindefs/ZKTwainDefs.h>

#include "ZKSimDataSource.h"
#include "ZKSimInjectedFault.h"

// Only an injected fault leaves DS_Entry as an exception; anything else that
// goes wrong inside the source is a plain failure.
extern "C" __attribute__((visibility("default"))) TW_UINT16 DS_Entry(pTW_IDENTITY origin, TW_UINT32 dg,
                                                                    TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    try
    {
        return CZKSimDataSource::Instance().Entry(origin, dg, dat, msg, data);
    }
    catch (const CZKSimInjectedFault&)
    {
        throw;
    }
    catch (...)
    {
        return TWRC_FAILURE;
    }
}
