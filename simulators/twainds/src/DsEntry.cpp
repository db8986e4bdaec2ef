// The entry point of the virtual source engine. Each data-source file is a
// small loader (../file/) that passes its own path along, so one engine
// serves every scanner file.
#include <twaindefs/ZKTwainDefs.h>

#include "ZKSimDataSource.h"
#include "ZKSimInjectedFault.h"

// Only an injected fault leaves the entry as an exception; anything else that
// goes wrong inside the source is a plain failure.
extern "C" __attribute__((visibility("default"))) TW_UINT16 ZKSimVirtualSource_Entry(const char* sourceFile,
                                                                                    pTW_IDENTITY origin,
                                                                                    TW_UINT32 dg, TW_UINT16 dat,
                                                                                    TW_UINT16 msg, TW_MEMREF data)
{
    try
    {
        if (!sourceFile)
            return TWRC_FAILURE;
        return CZKSimDataSource::ForFile(sourceFile).Entry(origin, dg, dat, msg, data);
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
