#include "QXScanListCommand.h"

#include "QXScanScannerAccess.h"

#include <hollin/ZKCommon.h>

#include <nlohmann/json.hpp>

EQXScanExitCode CQXScanListCommand::Run(bool json, std::FILE* out)
{
    CQXScanScannerAccess access;
    nlohmann::json array = nlohmann::json::array();
    for (const QX_SCANNER_NAMELIST_ITEM& item : access.List())
    {
        const std::string name = CQXScanScannerAccess::QualifiedName(item);
        if (!json)
        {
            std::fprintf(out, "%s\n", name.c_str());
            continue;
        }
        array.push_back({{"name", name},
                         {"protocol", item.protocol == QX_SCANNER_PROTOCOL_ISIS ? "isis" : "twain"},
                         {"product", SZKCommon::WCStoMBS(item.name)},
                         {"driver", SZKCommon::WCStoMBS(item.driver)}});
    }
    if (json)
        std::fprintf(out, "%s\n", array.dump(2).c_str());
    return QXSCAN_EXIT_OK;
}
