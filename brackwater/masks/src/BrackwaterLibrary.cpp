// Load-time steps of the library: the process-wide tables that must exist
// before any call can reach them.
#include <brackwater/QXDefaultValueTags.h>
#include <brackwater/QXImageSourceErrorHelper.h>

#include <orrin/ZKDLLHelperEx.h>

namespace
{
CZKDLLHelperEx& LibraryHelper()
{
    static CZKDLLHelperEx helper(L"BRACKWATER");
    return helper;
}

struct LibraryLoader
{
    LibraryLoader()
    {
        LibraryHelper().AddStep(L"default-value tags", &SQXDefaultValueTags::ResetTags);
        LibraryHelper().AddStep(L"image-source errors", &SQXImageSourceErrorHelper::BuildErrorMap,
                                &SQXImageSourceErrorHelper::ClearErrorMap);
        LibraryHelper().DllMain(nullptr, ZK_DLL_PROCESS_ATTACH, nullptr);
    }
    ~LibraryLoader() { LibraryHelper().DllMain(nullptr, ZK_DLL_PROCESS_DETACH, nullptr); }
} g_libraryLoader;
} // namespace
