// Which SANE device a data-source file presents. A source manager sees one
// scanner per file, so a file is bound to one device by a small text file
// beside it with the same name ending in ".device":
//   device = test:0          the SANE device name (else the first device)
//   name = Desk Scanner      the TWAIN product name (else the device's model)
#pragma once

#include <string>

struct ZK_SANE_BINDING
{
    std::string device;
    std::string productName;

    // The binding of the data-source file at path; empty when there is none.
    static ZK_SANE_BINDING ForSourceFile(const std::string& path);
};
