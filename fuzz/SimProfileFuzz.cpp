// Scanner profiles of the virtual TWAIN source, as people write them. What
// reads must serve its capabilities: every get answers with a container the
// caller can free.
#include "ZKSimProfileReader.h"

#include <hollin/ZKScript.h>

#include "common/FuzzInput.h"

#include <cstdlib>

namespace
{
void GetEveryValue(CZKSimCapability& capability)
{
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT})
    {
        TW_CAPABILITY cap = {};
        cap.Cap = capability.GetId();
        TW_UINT16 condition = TWCC_SUCCESS;
        if (capability.Get(msg, cap, condition) == TWRC_SUCCESS)
            std::free(cap.hContainer);
    }
    TW_CAPABILITY cap = {};
    cap.Cap = capability.GetId();
    TW_UINT16 condition = TWCC_SUCCESS;
    if (capability.QuerySupport(cap, condition) == TWRC_SUCCESS)
        std::free(cap.hContainer);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CZKScript script;
    if (!script.LoadFromText(std::string(reinterpret_cast<const char*>(data), size)))
        return 0;
    CZKSimProfile profile;
    std::string error;
    if (!SZKSimProfileReader::Read(script, profile, error))
        return 0;
    for (CZKSimCapability& capability : profile.capabilities)
        GetEveryValue(capability);
    return 0;
}
