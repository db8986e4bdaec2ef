// Settings of the auto-import plug-in: which folder it watches, which job
// and page setup it imports into, backups, retries and how imported folders
// and files become batches and documents.
#pragma once

#include <brackwater/QXRecordOperators.h>
#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <cstdint>
#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_AIPCFG_GENERAL_TYPE
{
    std::wstring strAutoImportFolder;
    int32_t nTimeout;       // default 60; valid above 4
    int32_t nFlag;          // default 1; the plug-in's own, never stored
    std::wstring strJobID;
    std::wstring strPageID; // page setup
    BOOL bIsBackup;         // default 1
    std::wstring strBackupPath;
    int32_t nMaxRetries;    // default 1; valid above 0
    std::wstring strErrorCachePath;
    int32_t nLevel1Separation; // 0..2, default 1
    int32_t nLevel2Separation; // 0..2, default 2
    int32_t nEachFileNewDoc;   // default 0

    QX_AIPCFG_GENERAL_TYPE() { init(); }
    QX_RECORD_OPERATORS(QX_AIPCFG_GENERAL_TYPE)

    void reset();
    void set(const QX_AIPCFG_GENERAL_TYPE& other);
    int compare(const QX_AIPCFG_GENERAL_TYPE& other) const;
    BOOL check() const;
    // Each invalid number returns to its default.
    void normalize();

    BOOL toscript(CZKScript& script) const;
    // Tolerant on purpose: starts from the defaults and attempts every key,
    // so a missing key keeps its default while the others are still taken.
    // TRUE only when every key was read. Scripts older than 1.1.0.0 carry
    // "NewBatchForSubfolder" instead of the two separations and the
    // file-per-document setting.
    BOOL fromscript(CZKScript& script);

protected:
    void init();

private:
    bool _ReadSeparations(CZKScript& script);
    bool _ReadLegacySeparations(CZKScript& script);
};
