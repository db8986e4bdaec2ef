// The scanner part of a job: the scanner, its advanced configuration and a
// few settings the application interprets.
#pragma once

#include <brackwater/QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE.h>
#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_SCANNER_GROUP_TYPE
{
    static constexpr int SETTING_COUNT = 6;

    std::wstring strScannerName;
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE advancedConfig;
    int32_t nSettings[SETTING_COUNT]; // defaults 1, 0, 0, 0, 0, 0
    std::wstring strExtra;

    QX_JOBCFG_SCANNER_GROUP_TYPE();
    QX_JOBCFG_SCANNER_GROUP_TYPE(const QX_JOBCFG_SCANNER_GROUP_TYPE& other);
    QX_JOBCFG_SCANNER_GROUP_TYPE& operator=(const QX_JOBCFG_SCANNER_GROUP_TYPE& other);

    void reset();
    void set(const QX_JOBCFG_SCANNER_GROUP_TYPE& other);
    int compare(const QX_JOBCFG_SCANNER_GROUP_TYPE& other) const;
    bool operator==(const QX_JOBCFG_SCANNER_GROUP_TYPE& other) const { return compare(other) == 0; }
    bool operator!=(const QX_JOBCFG_SCANNER_GROUP_TYPE& other) const { return compare(other) != 0; }
    BOOL check() const;
    void normalize();

    // The group lives in its own file, not in the job script.
    BOOL toscript(CZKScript&) const { return TRUE; }
    BOOL fromscript(CZKScript&) { return TRUE; }

    BOOL tofile(const std::wstring& path) const;
    BOOL fromfile(const std::wstring& path);

protected:
    void init();
};
