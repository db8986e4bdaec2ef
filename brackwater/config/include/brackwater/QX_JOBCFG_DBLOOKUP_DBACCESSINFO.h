// The database user and password of a lookup. They are only ever stored
// enciphered ("DBUser", "DBPwd"); a stored text that does not decipher with
// this installation's key is refused rather than taken as clear text.
#pragma once

#include <brackwater/QXRecordOperators.h>
#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_DBLOOKUP_DBACCESSINFO
{
    std::wstring strUser;
    std::wstring strPassword;

    QX_JOBCFG_DBLOOKUP_DBACCESSINFO() { init(); }
    QX_RECORD_OPERATORS(QX_JOBCFG_DBLOOKUP_DBACCESSINFO)

    void reset();
    void set(const QX_JOBCFG_DBLOOKUP_DBACCESSINFO& other);
    int compare(const QX_JOBCFG_DBLOOKUP_DBACCESSINFO& other) const;
    BOOL check() const { return TRUE; }
    void normalize() {}

    // FALSE, and nothing written, when the cipher is unavailable.
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

protected:
    void init() {}
};
