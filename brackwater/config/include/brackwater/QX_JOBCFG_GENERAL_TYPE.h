// Where a job lives and exports, who may run it and how it imports.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_GENERAL_TYPE
{
    std::wstring strJobRoot;
    std::wstring strDescription;
    QX_JOBCFG_GENERAL_ACCESSLEVEL_TYPE accessLevel;
    std::wstring strExportRoot;
    BOOL bAutoImport;
    std::wstring strAutoImportDir;
    BOOL bEmuImportPrompt;
    std::wstring strEmuImportDir;
    BOOL bAutoProcess;
    BOOL bAutoClose;
    BOOL bKeepBatch;
    std::wstring strPageSetupID; // persisted only by Save/LoadPageSetupName
    int32_t nOCRLanguage;        // persisted only by Save/LoadExternal
    QX_JOBCFG_GENERAL_LAYOUT_TYPE layout;

    QX_JOBCFG_GENERAL_TYPE();
    QX_JOBCFG_GENERAL_TYPE(const QX_JOBCFG_GENERAL_TYPE& other);
    QX_JOBCFG_GENERAL_TYPE& operator=(const QX_JOBCFG_GENERAL_TYPE& other);

    void reset();
    void set(const QX_JOBCFG_GENERAL_TYPE& other);
    int compare(const QX_JOBCFG_GENERAL_TYPE& other) const;
    bool operator==(const QX_JOBCFG_GENERAL_TYPE& other) const { return compare(other) == 0; }
    bool operator!=(const QX_JOBCFG_GENERAL_TYPE& other) const { return compare(other) != 0; }
    BOOL check() const;
    void normalize();

    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);
    BOOL SaveExternal(CZKScript& script) const;
    BOOL LoadExternal(CZKScript& script);
    BOOL SavePageSetupName(CZKScript& script) const;
    BOOL LoadPageSetupName(CZKScript& script);

    // Line breaks become U+0008 and a '#' guards trailing blanks, so the
    // description survives the line-oriented script.
    static std::wstring EncodeDescription(const std::wstring& text);
    static std::wstring DecodeDescription(const std::wstring& stored);

protected:
    void init();
};
