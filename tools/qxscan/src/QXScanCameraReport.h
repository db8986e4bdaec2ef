// The scanner's cameras as `qxscan info` shows them: which exist, which are
// on, their colour mode, resolution and bitonal settings.
#pragma once

#include <nlohmann/json.hpp>

class CQXScanner;

class CQXScanCameraReport
{
public:
    // null when the scanner does not report its cameras.
    static nlohmann::ordered_json Read(CQXScanner& scanner);
};
