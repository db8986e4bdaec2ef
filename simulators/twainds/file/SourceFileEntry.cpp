// A virtual scanner's data-source file: DS_Entry of a standard TWAIN source.
// The file is copied once per profile and named after it; it tells the engine
// which copy was called by handing over the path it was loaded from.
#include <dlfcn.h>

#include <string>

#include <twaindefs/ZKTwainDefs.h>

extern "C" TW_UINT16 ZKSimVirtualSource_Entry(const char* sourceFile, pTW_IDENTITY origin, TW_UINT32 dg,
                                              TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);

extern "C" __attribute__((visibility("default"))) TW_UINT16 DS_Entry(pTW_IDENTITY origin, TW_UINT32 dg,
                                                                    TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);

namespace
{
std::string OwnPath()
{
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&DS_Entry), &info) && info.dli_fname)
        return info.dli_fname;
    return std::string();
}
} // namespace

TW_UINT16 DS_Entry(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    static const std::string path = OwnPath();
    return ZKSimVirtualSource_Entry(path.empty() ? nullptr : path.c_str(), origin, dg, dat, msg, data);
}
