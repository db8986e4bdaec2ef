// Tag values as `qxscan info` shows them: the value, or null when the
// scanner does not answer the tag.
#pragma once

#include <mirelight/QXScanner.h>

#include <nlohmann/json.hpp>

class SQXScanReportValue
{
public:
    static nlohmann::ordered_json Number(CQXScanner& scanner, DWORD tag)
    {
        int value = 0;
        return scanner.GetTagValue(tag, value) ? nlohmann::ordered_json(value)
                                               : nlohmann::ordered_json();
    }
};
