// Links the installed libraries and uses each of them once: the scanner
// list (installed simulated system folder), an input mask and a resource
// text found beside the installed libraries. Exit 0 when all three work.
#include <brackwater/QXIOMask.h>
#include <mirelight/QXScanner.h>
#include <orrin/ZKRCM.h>

#include <cstdio>
#include <vector>

int main()
{
    CQXScanner scanner;
    scanner.Initialize();
    std::vector<QX_SCANNER_NAMELIST_ITEM> scanners;
    const bool listed = scanner.QueryAvailableScanners(scanners) && !scanners.empty();
    scanner.Uninitialize();

    DWORD code = 0;
    const bool mask = SQXIOMask::ValidateInputMask(L"999", code) != 0;

    std::wstring text;
    const bool resources = SZKRCM::LoadText(L"STR_IM_ERR_EMPTY", text, L"BRACKWATER") && !text.empty();

    std::printf("scanners %zu, mask %s, resources %s\n", scanners.size(), mask ? "ok" : "failed",
                resources ? "ok" : "missing");
    return listed && mask && resources ? 0 : 1;
}
