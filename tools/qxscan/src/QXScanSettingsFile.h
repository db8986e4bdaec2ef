// `scan --settings FILE`: a scanner configuration (driver data or a driver
// profile) or a job scanner group file (the scanner-side settings: imprinter,
// image address, batch counter, patch reader), applied to the open scanner
// before it scans. A file made for another scanner is refused rather than
// half applied.
#pragma once

#include "QXScanExitCode.h"

#include <brackwater/QX_JOBCFG_SCANNER_GROUP_TYPE.h>
#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>

#include <string>

class CQXScanner;

class CQXScanSettingsFile
{
public:
    // QXSCAN_EXIT_BAD_ARGUMENTS with a message when the file is neither kind.
    EQXScanExitCode Load(const std::string& path, std::string& error);
    EQXScanExitCode Apply(CQXScanner& scanner, std::string& error);

private:
    bool _IsForScanner(std::wstring& named, const std::wstring& current, std::string& error) const;

    std::string m_path;
    bool m_isGroup = false;
    QX_SCNCFG_CONFIGDATA_TYPE m_config;
    QX_JOBCFG_SCANNER_GROUP_TYPE m_group;
};
