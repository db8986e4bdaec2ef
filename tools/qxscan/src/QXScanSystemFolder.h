// Which system folder (TWAIN source manager, data sources, ISIS drivers) the
// tool drives: --system, else $ZK_SYSTEM_DIR, else the simulated folder the
// build or the installation ships, so a fresh machine scans at once.
#pragma once

#include <string>

class CQXScanSystemFolder
{
public:
    // Empty when nothing fits; the libraries then use their own default.
    static std::string Resolve(const std::string& option, const std::string& executable);
    // Makes the libraries use the folder; call before a scanner is created.
    static void Apply(const std::string& folder);

private:
    static std::string _NearExecutable(const std::string& executable);
};
