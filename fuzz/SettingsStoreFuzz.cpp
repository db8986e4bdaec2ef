// The settings manager's store as the application hands it back. A damaged
// store gives an empty one; a loaded store must save and load unchanged.
#include <mirelight/QXScannerSettingsManager.h>

#include <hollin/ZKRBuffer.h>

#include "common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CZKRBuffer buffer(data, size);
    CQXScannerSettingsManager manager;
    if (!manager.Load(buffer))
    {
        if (manager.GetCount() != 0)
            FuzzFail("a refused store is not empty");
        return 0;
    }
    CZKRBuffer saved;
    if (!manager.Save(saved))
        FuzzFail("a loaded store cannot be saved");
    CQXScannerSettingsManager reloaded;
    CZKRBuffer again;
    if (!reloaded.Load(saved) || !reloaded.Save(again) || again != saved)
        FuzzFail("a store changes on a save/load round trip");
    return 0;
}
