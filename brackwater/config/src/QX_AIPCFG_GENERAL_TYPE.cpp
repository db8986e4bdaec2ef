#include <brackwater/QX_AIPCFG_GENERAL_TYPE.h>

#include <brackwater/QXRecordScript.h>

namespace
{
const wchar_t kAutoImportFolder[] = L"AutoImportFolder";
const wchar_t kTimeout[] = L"Timeout";
const wchar_t kJobID[] = L"JobID";
const wchar_t kPageID[] = L"PageID";
const wchar_t kIsBackup[] = L"IsBackup";
const wchar_t kBackupPath[] = L"BackupPath";
const wchar_t kMaxRetries[] = L"MaxRetries";
const wchar_t kErrorCachePath[] = L"ErrorCachePath";
const wchar_t kLevel1Separation[] = L"Level1Sparation";
const wchar_t kLevel2Separation[] = L"Level2Sparation";
const wchar_t kEachFileNewDoc[] = L"EachFileNewDoc";
const wchar_t kNewBatchForSubfolder[] = L"NewBatchForSubfolder";
const wchar_t kSeparationsVersion[] = L"1.1.0.0";

const int32_t kDefaultTimeout = 60;
const int32_t kDefaultMaxRetries = 1;
const int32_t kDefaultLevel1 = 1;
const int32_t kDefaultLevel2 = 2;

bool IsSeparation(int32_t value)
{
    return value >= 0 && value <= 2;
}
} // namespace

void QX_AIPCFG_GENERAL_TYPE::init()
{
    nTimeout = kDefaultTimeout;
    nFlag = 1;
    bIsBackup = TRUE;
    nMaxRetries = kDefaultMaxRetries;
    nLevel1Separation = kDefaultLevel1;
    nLevel2Separation = kDefaultLevel2;
    nEachFileNewDoc = 0;
}

void QX_AIPCFG_GENERAL_TYPE::reset()
{
    strAutoImportFolder.clear();
    strJobID.clear();
    strPageID.clear();
    strBackupPath.clear();
    strErrorCachePath.clear();
    init();
}

void QX_AIPCFG_GENERAL_TYPE::set(const QX_AIPCFG_GENERAL_TYPE& other)
{
    strAutoImportFolder = other.strAutoImportFolder;
    nTimeout = other.nTimeout;
    nFlag = other.nFlag;
    strJobID = other.strJobID;
    strPageID = other.strPageID;
    bIsBackup = other.bIsBackup;
    strBackupPath = other.strBackupPath;
    nMaxRetries = other.nMaxRetries;
    strErrorCachePath = other.strErrorCachePath;
    nLevel1Separation = other.nLevel1Separation;
    nLevel2Separation = other.nLevel2Separation;
    nEachFileNewDoc = other.nEachFileNewDoc;
}

int QX_AIPCFG_GENERAL_TYPE::compare(const QX_AIPCFG_GENERAL_TYPE& o) const
{
    const bool same = strAutoImportFolder == o.strAutoImportFolder && nTimeout == o.nTimeout &&
                      nFlag == o.nFlag && strJobID == o.strJobID && strPageID == o.strPageID &&
                      bIsBackup == o.bIsBackup && strBackupPath == o.strBackupPath &&
                      nMaxRetries == o.nMaxRetries && strErrorCachePath == o.strErrorCachePath &&
                      nLevel1Separation == o.nLevel1Separation &&
                      nLevel2Separation == o.nLevel2Separation &&
                      nEachFileNewDoc == o.nEachFileNewDoc;
    return same ? 0 : -1;
}

BOOL QX_AIPCFG_GENERAL_TYPE::check() const
{
    return (nTimeout > 4 && nMaxRetries > 0 && IsSeparation(nLevel1Separation) &&
            IsSeparation(nLevel2Separation))
               ? TRUE
               : FALSE;
}

void QX_AIPCFG_GENERAL_TYPE::normalize()
{
    if (nTimeout <= 4)
        nTimeout = kDefaultTimeout;
    if (nMaxRetries <= 0)
        nMaxRetries = kDefaultMaxRetries;
    if (!IsSeparation(nLevel1Separation))
        nLevel1Separation = kDefaultLevel1;
    if (!IsSeparation(nLevel2Separation))
        nLevel2Separation = kDefaultLevel2;
}

BOOL QX_AIPCFG_GENERAL_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordScript::WriteText(script, kAutoImportFolder, strAutoImportFolder) &&
           SQXRecordScript::WriteInt(script, kTimeout, nTimeout) &&
           SQXRecordScript::WriteText(script, kJobID, strJobID) &&
           SQXRecordScript::WriteText(script, kPageID, strPageID) &&
           SQXRecordScript::WriteBool(script, kIsBackup, bIsBackup) &&
           SQXRecordScript::WriteText(script, kBackupPath, strBackupPath) &&
           SQXRecordScript::WriteInt(script, kMaxRetries, nMaxRetries) &&
           SQXRecordScript::WriteText(script, kErrorCachePath, strErrorCachePath) &&
           SQXRecordScript::WriteInt(script, kLevel1Separation, nLevel1Separation) &&
           SQXRecordScript::WriteInt(script, kLevel2Separation, nLevel2Separation) &&
           SQXRecordScript::WriteInt(script, kEachFileNewDoc, nEachFileNewDoc);
}

bool QX_AIPCFG_GENERAL_TYPE::_ReadSeparations(CZKScript& script)
{
    bool ok = SQXRecordScript::ReadInt(script, kLevel1Separation, nLevel1Separation);
    ok = SQXRecordScript::ReadInt(script, kLevel2Separation, nLevel2Separation) && ok;
    return SQXRecordScript::ReadInt(script, kEachFileNewDoc, nEachFileNewDoc) && ok;
}

// Before the two levels existed, one switch said whether each sub-folder
// starts a new batch.
bool QX_AIPCFG_GENERAL_TYPE::_ReadLegacySeparations(CZKScript& script)
{
    BOOL newBatchForSubfolder = FALSE;
    const bool ok = SQXRecordScript::ReadBool(script, kNewBatchForSubfolder, newBatchForSubfolder);
    nLevel1Separation = newBatchForSubfolder ? 1 : 0;
    nLevel2Separation = 0;
    nEachFileNewDoc = 0;
    return ok;
}

BOOL QX_AIPCFG_GENERAL_TYPE::fromscript(CZKScript& script)
{
    reset();
    bool ok = SQXRecordScript::ReadText(script, kAutoImportFolder, strAutoImportFolder);
    ok = SQXRecordScript::ReadInt(script, kTimeout, nTimeout) && ok;
    ok = SQXRecordScript::ReadText(script, kJobID, strJobID) && ok;
    ok = SQXRecordScript::ReadText(script, kPageID, strPageID) && ok;
    ok = SQXRecordScript::ReadBool(script, kIsBackup, bIsBackup) && ok;
    ok = SQXRecordScript::ReadText(script, kBackupPath, strBackupPath) && ok;
    ok = SQXRecordScript::ReadInt(script, kMaxRetries, nMaxRetries) && ok;
    ok = SQXRecordScript::ReadText(script, kErrorCachePath, strErrorCachePath) && ok;
    if (SQXRecordScript::IsStoredVersionAtLeast(script, kSeparationsVersion))
        ok = _ReadSeparations(script) && ok;
    else
        ok = _ReadLegacySeparations(script) && ok;
    return ok ? TRUE : FALSE;
}
