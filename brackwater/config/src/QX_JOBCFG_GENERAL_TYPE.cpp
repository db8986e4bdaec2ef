#include <brackwater/QX_JOBCFG_GENERAL_TYPE.h>

#include <brackwater/QXRecordScript.h>

#include "QXText.h"

namespace
{
const wchar_t kLineBreak[] = L"\r\n";
const wchar_t kEncodedLineBreak = L'\x0008';
const wchar_t kGuard = L'#';

const wchar_t kJobRoot[] = L"JobRoot";
const wchar_t kDescription[] = L"Description";
const wchar_t kAccessLevel[] = L"AccessLevel";
const wchar_t kExportRoot[] = L"ExportRoot";
const wchar_t kAutoImport[] = L"AutoImport";
const wchar_t kAutoImportDir[] = L"AutoImportDir";
const wchar_t kEmuImportPrompt[] = L"EmuImportPrompt";
const wchar_t kEmuImportDir[] = L"EmuImportDir";
const wchar_t kAutoProcess[] = L"AutoProcess";
const wchar_t kAutoClose[] = L"AutoClose";
const wchar_t kKeepBatch[] = L"KeepBatch";
const wchar_t kPageSetupID[] = L"PageSetupID";
const wchar_t kOCRLanguage[] = L"OCR Language";
const wchar_t kLayout[] = L"LayOut";
} // namespace

QX_JOBCFG_GENERAL_TYPE::QX_JOBCFG_GENERAL_TYPE()
{
    init();
}

QX_JOBCFG_GENERAL_TYPE::QX_JOBCFG_GENERAL_TYPE(const QX_JOBCFG_GENERAL_TYPE& other)
{
    init();
    set(other);
}

QX_JOBCFG_GENERAL_TYPE& QX_JOBCFG_GENERAL_TYPE::operator=(const QX_JOBCFG_GENERAL_TYPE& other)
{
    set(other);
    return *this;
}

void QX_JOBCFG_GENERAL_TYPE::init()
{
    accessLevel.reset();
    bAutoImport = FALSE;
    bEmuImportPrompt = FALSE;
    bAutoProcess = FALSE;
    bAutoClose = FALSE;
    bKeepBatch = FALSE;
    nOCRLanguage = -1;
    layout.reset();
}

void QX_JOBCFG_GENERAL_TYPE::reset()
{
    strJobRoot.clear();
    strDescription.clear();
    strExportRoot.clear();
    strAutoImportDir.clear();
    strEmuImportDir.clear();
    strPageSetupID.clear();
    init();
}

void QX_JOBCFG_GENERAL_TYPE::set(const QX_JOBCFG_GENERAL_TYPE& other)
{
    strJobRoot = other.strJobRoot;
    strDescription = other.strDescription;
    accessLevel.set(other.accessLevel);
    strExportRoot = other.strExportRoot;
    bAutoImport = other.bAutoImport;
    strAutoImportDir = other.strAutoImportDir;
    bEmuImportPrompt = other.bEmuImportPrompt;
    strEmuImportDir = other.strEmuImportDir;
    bAutoProcess = other.bAutoProcess;
    bAutoClose = other.bAutoClose;
    bKeepBatch = other.bKeepBatch;
    strPageSetupID = other.strPageSetupID;
    nOCRLanguage = other.nOCRLanguage;
    layout.set(other.layout);
}

int QX_JOBCFG_GENERAL_TYPE::compare(const QX_JOBCFG_GENERAL_TYPE& o) const
{
    const bool same = strJobRoot == o.strJobRoot && strDescription == o.strDescription &&
                      accessLevel == o.accessLevel && strExportRoot == o.strExportRoot &&
                      bAutoImport == o.bAutoImport && strAutoImportDir == o.strAutoImportDir &&
                      bEmuImportPrompt == o.bEmuImportPrompt &&
                      strEmuImportDir == o.strEmuImportDir && bAutoProcess == o.bAutoProcess &&
                      bAutoClose == o.bAutoClose && bKeepBatch == o.bKeepBatch &&
                      strPageSetupID == o.strPageSetupID && nOCRLanguage == o.nOCRLanguage &&
                      layout == o.layout;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_GENERAL_TYPE::check() const
{
    return (accessLevel.check() && layout.check()) ? TRUE : FALSE;
}

void QX_JOBCFG_GENERAL_TYPE::normalize()
{
    strJobRoot = SQXText::Trim(strJobRoot);
    strExportRoot = SQXText::Trim(strExportRoot);
    strAutoImportDir = SQXText::Trim(strAutoImportDir);
    strEmuImportDir = SQXText::Trim(strEmuImportDir);
    accessLevel.normalize();
    layout.normalize();
}

std::wstring QX_JOBCFG_GENERAL_TYPE::EncodeDescription(const std::wstring& text)
{
    return SQXText::ReplaceAll(text, kLineBreak, std::wstring(1, kEncodedLineBreak)) + kGuard;
}

std::wstring QX_JOBCFG_GENERAL_TYPE::DecodeDescription(const std::wstring& stored)
{
    std::wstring text = SQXText::ReplaceAll(stored, std::wstring(1, kEncodedLineBreak), kLineBreak);
    if (!text.empty() && text.back() == kGuard)
        text.pop_back();
    return text;
}

BOOL QX_JOBCFG_GENERAL_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordScript::WriteText(script, kJobRoot, strJobRoot) &&
           SQXRecordScript::WriteText(script, kDescription, EncodeDescription(strDescription)) &&
           accessLevel.toscript(script, kAccessLevel) &&
           SQXRecordScript::WriteText(script, kExportRoot, strExportRoot) &&
           SQXRecordScript::WriteBool(script, kAutoImport, bAutoImport) &&
           SQXRecordScript::WriteText(script, kAutoImportDir, strAutoImportDir) &&
           SQXRecordScript::WriteBool(script, kEmuImportPrompt, bEmuImportPrompt) &&
           SQXRecordScript::WriteText(script, kEmuImportDir, strEmuImportDir) &&
           SQXRecordScript::WriteBool(script, kAutoProcess, bAutoProcess) &&
           SQXRecordScript::WriteBool(script, kAutoClose, bAutoClose) &&
           SQXRecordScript::WriteBool(script, kKeepBatch, bKeepBatch);
}

BOOL QX_JOBCFG_GENERAL_TYPE::fromscript(CZKScript& script)
{
    std::wstring description;
    const bool ok = SQXRecordScript::ReadText(script, kJobRoot, strJobRoot) &&
                    SQXRecordScript::ReadText(script, kDescription, description) &&
                    accessLevel.fromscript(script, kAccessLevel) &&
                    SQXRecordScript::ReadText(script, kExportRoot, strExportRoot) &&
                    SQXRecordScript::ReadBool(script, kAutoImport, bAutoImport) &&
                    SQXRecordScript::ReadText(script, kAutoImportDir, strAutoImportDir) &&
                    SQXRecordScript::ReadBool(script, kEmuImportPrompt, bEmuImportPrompt) &&
                    SQXRecordScript::ReadText(script, kEmuImportDir, strEmuImportDir) &&
                    SQXRecordScript::ReadBool(script, kAutoProcess, bAutoProcess) &&
                    SQXRecordScript::ReadBool(script, kAutoClose, bAutoClose) &&
                    SQXRecordScript::ReadBool(script, kKeepBatch, bKeepBatch);
    if (!ok)
    {
        reset();
        return FALSE;
    }
    strDescription = DecodeDescription(description);
    return TRUE;
}

BOOL QX_JOBCFG_GENERAL_TYPE::SaveExternal(CZKScript& script) const
{
    return SQXRecordScript::WriteInt(script, kOCRLanguage, nOCRLanguage) &&
           layout.toscript(script, kLayout);
}

BOOL QX_JOBCFG_GENERAL_TYPE::LoadExternal(CZKScript& script)
{
    int language = 0;
    if (!SQXRecordScript::ReadInt(script, kOCRLanguage, language))
        return FALSE;
    nOCRLanguage = language;
    // A missing layout falls back to its default.
    return layout.fromscript(script, kLayout);
}

BOOL QX_JOBCFG_GENERAL_TYPE::SavePageSetupName(CZKScript& script) const
{
    return SQXRecordScript::WriteText(script, kPageSetupID, strPageSetupID);
}

BOOL QX_JOBCFG_GENERAL_TYPE::LoadPageSetupName(CZKScript& script)
{
    if (SQXRecordScript::ReadText(script, kPageSetupID, strPageSetupID))
        return TRUE;
    strPageSetupID.clear();
    return FALSE;
}
