// Load-time steps of the TWAIN layer: the trait registries first, then the
// trace name tables, once per process.
#include <fennick/ZKTWHelper.h>
#include <fennick/ZKTWSourceManager.h>

#include <orrin/ZKDLLHelperEx.h>

namespace
{
CZKDLLHelperEx& LibraryHelper()
{
    static CZKDLLHelperEx helper(L"FENNICK");
    return helper;
}

struct LibraryLoader
{
    LibraryLoader()
    {
        LibraryHelper().AddStep(L"capability traits", [] {
            CZKTWHelper::InitializeTraits();
            return TRUE;
        });
        LibraryHelper().AddStep(L"trace names", [] {
            CZKTWSourceManager::InitializeDebugInfo();
            return TRUE;
        });
        LibraryHelper().DllMain(nullptr, ZK_DLL_PROCESS_ATTACH, nullptr);
    }
    ~LibraryLoader() { LibraryHelper().DllMain(nullptr, ZK_DLL_PROCESS_DETACH, nullptr); }
    LibraryLoader(const LibraryLoader&) = delete;
    LibraryLoader& operator=(const LibraryLoader&) = delete;
} g_libraryLoader;
} // namespace
