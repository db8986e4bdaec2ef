#include <brackwater/QX_JOBCFG_DBLOOKUP_DBACCESSINFO.h>

#include <brackwater/QXRecordScript.h>

#include <hollin/ZKCryptograph.h>
#include <hollin/ZKDebugLog.h>

namespace
{
const wchar_t kUser[] = L"DBUser";
const wchar_t kPassword[] = L"DBPwd";

bool ReadEnciphered(CZKScript& script, const wchar_t* key, std::wstring& plain)
{
    std::wstring stored;
    if (!SQXRecordScript::ReadText(script, key, stored))
        return false;
    if (SZKCryptograph::DecryptString(stored, plain))
        return true;
    SZKDebugLog::Log(std::wstring(L"Database lookup: the stored ") + key +
                         L" does not decipher; the lookup is not read",
                     0, "BRACKWATER");
    return false;
}
} // namespace

void QX_JOBCFG_DBLOOKUP_DBACCESSINFO::reset()
{
    strUser.clear();
    strPassword.clear();
    init();
}

void QX_JOBCFG_DBLOOKUP_DBACCESSINFO::set(const QX_JOBCFG_DBLOOKUP_DBACCESSINFO& other)
{
    strUser = other.strUser;
    strPassword = other.strPassword;
}

int QX_JOBCFG_DBLOOKUP_DBACCESSINFO::compare(const QX_JOBCFG_DBLOOKUP_DBACCESSINFO& other) const
{
    return (strUser == other.strUser && strPassword == other.strPassword) ? 0 : -1;
}

BOOL QX_JOBCFG_DBLOOKUP_DBACCESSINFO::toscript(CZKScript& script) const
{
    // Both are enciphered before either is written, so a failing cipher
    // leaves no half-written pair and never a clear text.
    std::wstring user;
    std::wstring password;
    if (!SZKCryptograph::EncryptString(strUser, user) ||
        !SZKCryptograph::EncryptString(strPassword, password))
    {
        SZKDebugLog::Log("Database lookup: credentials could not be enciphered", 0, "BRACKWATER");
        return FALSE;
    }
    return SQXRecordScript::WriteText(script, kUser, user) &&
           SQXRecordScript::WriteText(script, kPassword, password);
}

BOOL QX_JOBCFG_DBLOOKUP_DBACCESSINFO::fromscript(CZKScript& script)
{
    if (ReadEnciphered(script, kUser, strUser) && ReadEnciphered(script, kPassword, strPassword))
        return TRUE;
    reset();
    return FALSE;
}
