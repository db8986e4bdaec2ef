// The scanner-side features of the open scanner as `qxscan info` shows
// them: which of imprinter, image address, batch counter and patch reader
// the scanner's family has settings for, and the current imprinter and
// image-address values where the scanner reports them.
#pragma once

#include <nlohmann/json.hpp>

class CQXScanner;

class CQXScanFeatureReport
{
public:
    static nlohmann::ordered_json Read(CQXScanner& scanner);
};
