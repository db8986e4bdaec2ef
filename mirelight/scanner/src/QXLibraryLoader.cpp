// Load-time tables of the scanner library, built in a fixed order when the
// library is attached: the vendor capability traits, the vendor header item
// traits, the language table and the scanner family table.
#include "QXLanguageTable.h"
#include "QXScannerFamilyTable.h"
#include "QXVendorTraits.h"

#include <orrin/ZKDLLHelperEx.h>

namespace
{
CZKDLLHelperEx& LibraryHelper()
{
    static CZKDLLHelperEx helper(L"MIRELIGHT");
    return helper;
}

BOOL BuildLanguageTable()
{
    CQXLanguageTable::Instance().Build();
    return TRUE;
}

BOOL BuildFamilyTable()
{
    CQXScannerFamilyTable::Instance().Build();
    return TRUE;
}

struct LibraryLoader
{
    LibraryLoader()
    {
        // The TWAIN layer's registries keep their entries for the process, so
        // the trait steps have nothing to undo.
        LibraryHelper().AddStep(L"vendor capability traits", &SQXVendorTraits::RegisterCapTraits);
        LibraryHelper().AddStep(L"vendor header item traits", &SQXVendorTraits::RegisterEITraits);
        LibraryHelper().AddStep(L"language table", &BuildLanguageTable,
                                [] { CQXLanguageTable::Instance().Clear(); });
        LibraryHelper().AddStep(L"scanner family table", &BuildFamilyTable,
                                [] { CQXScannerFamilyTable::Instance().Clear(); });
        LibraryHelper().DllMain(nullptr, ZK_DLL_PROCESS_ATTACH, nullptr);
    }
    ~LibraryLoader() { LibraryHelper().DllMain(nullptr, ZK_DLL_PROCESS_DETACH, nullptr); }
} g_libraryLoader;
} // namespace
