// A virtual scanner's data-source file: DS_Entry of a standard TWAIN source.
// The file is copied once per profile and named after it; it tells the engine
// which copy was called by handing over the path it was loaded from.
#include <string>

#include <twaindefs/ZKTWModulePath.h>
#include <twaindefs/ZKTwainDefs.h>

extern "C" TW_UINT16 ZKSimVirtualSource_Entry(const char* sourceFile, pTW_IDENTITY origin, TW_UINT32 dg,
                                              TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);

extern "C" __attribute__((visibility("default"))) TW_UINT16 DS_Entry(pTW_IDENTITY origin, TW_UINT32 dg,
                                                                    TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);

TW_UINT16 DS_Entry(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    static const std::string path = ZKTWModulePathOf(reinterpret_cast<void*>(&DS_Entry));
    return ZKSimVirtualSource_Entry(path.empty() ? nullptr : path.c_str(), origin, dg, dat, msg, data);
}
