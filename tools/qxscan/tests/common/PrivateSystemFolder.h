// A system folder of one's own holding the build's source manager and one
// virtual scanner, the production duplex profile with extra lines (faults,
// a page delay), so a test can make the scanner misbehave.
#pragma once

#include "ToolRun.h"

#include <string>

class CPrivateSystemFolder
{
public:
    // replace: "from=>to" edits of the profile text, applied in order.
    explicit CPrivateSystemFolder(const std::string& extraLines,
                                  const std::vector<std::pair<std::string, std::string>>& replace = {});
    const std::string& Path() const { return m_folder.Path(); }

private:
    CTempFolder m_folder;
};

// The production scanner's name as qxscan list prints it.
inline const char* const kProductionScanner = "twain:ZK Virtual Production Duplex";
