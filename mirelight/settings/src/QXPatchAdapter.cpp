#include <mirelight/QXPatchAdapter.h>
#include <mirelight/QXPatchTarnAdapter.h>
#include <mirelight/QXScannerHelper.h>

#include "QXSettingsCaps.h"
#include "QXSettingsScript.h"

#include <brackwater/QXScriptSectionGuard.h>
#include <fennick/ZKTWSourceManager.h>
#include <hollin/ZKBuffer.h>
#include <twaindefs/ZKTwainConstants.h>

#include <set>

namespace
{
constexpr WORD CAP_PATCH_TYPES = ICAP_PATCHCODESEARCHPRIORITIES;
constexpr WORD CAP_PATCH_TOGGLE = 0x806D;
constexpr WORD CAP_PATCH_ENABLE = 0x113F;

// Patch sheet types as the reader numbers them.
constexpr WORD PATCH_TYPE_LEVEL2 = 1;
constexpr WORD PATCH_TYPE_LEVEL3 = 2;
constexpr WORD PATCH_TYPES_FEATURE[] = {0, 3, 4};
} // namespace

CQXPatchAdapter* CQXPatchAdapter::GenerateAdapter(EQXScannerFamily family)
{
    if (family == QX_SCANNER_FAMILY_TARN)
        return new CQXPatchTarnAdapter();
    return nullptr;
}

CQXPatchAdapter* CQXPatchAdapter::GenerateAdapter(const wchar_t* scannerName)
{
    return GenerateAdapter(CQXScannerHelper::QueryScannerInfo(scannerName ? scannerName : L"").family);
}

int CQXPatchAdapter::Compare(const CQXScannerSettingsAdapter& other) const
{
    const auto* patch = dynamic_cast<const CQXPatchAdapter*>(&other);
    if (!patch)
        return -1;
    const SETTINGS& a = m_settings;
    const SETTINGS& b = patch->m_settings;
    const bool equal = a.enable == b.enable && a.level2 == b.level2 && a.level3 == b.level3 &&
                       a.transfer == b.transfer && a.feature == b.feature && a.toggle == b.toggle &&
                       a.alarm == b.alarm;
    return equal ? 0 : -1;
}

void CQXPatchAdapter::Copy(const CQXScannerSettingsAdapter& other)
{
    if (const auto* patch = dynamic_cast<const CQXPatchAdapter*>(&other))
        m_settings = patch->m_settings;
}

int CQXPatchAdapter::_CheckSupport(CQXScannerImpl*) { return 1; }

int CQXPatchAdapter::_CheckPrecondition(CQXScannerImpl*) { return 1; }

int CQXPatchAdapter::_DoReadFromBuffer(CZKBuffer& buffer)
{
    LONG enable = 0, level2 = 0, level3 = 0, feature = 0, alarm = 0;
    SETTINGS read;
    if (!buffer.RW_R_long(enable) || !buffer.RW_R_long(level2) || !buffer.RW_R_long(level3) ||
        !buffer.RW_R_WORD(read.transfer) || !buffer.RW_R_long(feature) || !buffer.RW_R_WORD(read.toggle) ||
        !buffer.RW_R_long(alarm))
        return 0;
    read.enable = enable ? 1 : 0;
    read.level2 = level2 ? 1 : 0;
    read.level3 = level3 ? 1 : 0;
    read.feature = feature ? 1 : 0;
    read.alarm = alarm ? 1 : 0;
    m_settings = read;
    return 1;
}

int CQXPatchAdapter::_DoWriteToBuffer(CZKBuffer& buffer)
{
    const SETTINGS& s = m_settings;
    return buffer.RW_W_long(s.enable) && buffer.RW_W_long(s.level2) && buffer.RW_W_long(s.level3) &&
           buffer.RW_W_WORD(s.transfer) && buffer.RW_W_long(s.feature) && buffer.RW_W_WORD(s.toggle) &&
           buffer.RW_W_long(s.alarm);
}

int CQXPatchAdapter::_DoReadFromScript(CZKScript& script)
{
    CQXScriptSectionGuard section(script);
    section.Enter(L"Patch");
    SETTINGS read;
    if (!SQXSettingsScript::ReadFlag(script, L"Enable", read.enable) ||
        !SQXSettingsScript::ReadFlag(script, L"Level2", read.level2) ||
        !SQXSettingsScript::ReadFlag(script, L"Level3", read.level3) ||
        !SQXSettingsScript::ReadWord(script, L"Transfer", read.transfer) ||
        !SQXSettingsScript::ReadFlag(script, L"Feature", read.feature) ||
        !SQXSettingsScript::ReadWord(script, L"Toggle", read.toggle) ||
        !SQXSettingsScript::ReadFlag(script, L"Alarm", read.alarm))
        return 0;
    m_settings = read;
    return 1;
}

int CQXPatchAdapter::_DoWriteToScript(CZKScript& script)
{
    CQXScriptSectionGuard section(script);
    section.Enter(L"Patch");
    const SETTINGS& s = m_settings;
    return SQXSettingsScript::WriteFlag(script, L"Enable", s.enable) &&
           SQXSettingsScript::WriteFlag(script, L"Level2", s.level2) &&
           SQXSettingsScript::WriteFlag(script, L"Level3", s.level3) &&
           SQXSettingsScript::WriteInt(script, L"Transfer", s.transfer) &&
           SQXSettingsScript::WriteFlag(script, L"Feature", s.feature) &&
           SQXSettingsScript::WriteInt(script, L"Toggle", s.toggle) &&
           SQXSettingsScript::WriteFlag(script, L"Alarm", s.alarm);
}

int CQXPatchAdapter::_WriteToScanner(CZKTWSourceManager* sourceManager)
{
    return _DoWriteConfigToScanner(sourceManager);
}

int CQXPatchAdapter::_DoWriteConfigToScanner(CZKTWSourceManager* sourceManager)
{
    return SQXSettingsCaps::WriteWordArray(sourceManager, CAP_PATCH_TYPES, _PatchTypes()) &&
           _WriteToggle(sourceManager) && _WriteAlarm(sourceManager) &&
           SQXSettingsCaps::WriteBool(sourceManager, CAP_PATCH_ENABLE, m_settings.enable != 0);
}

std::vector<WORD> CQXPatchAdapter::_PatchTypes() const
{
    std::vector<WORD> types;
    if (m_settings.level2)
        types.push_back(PATCH_TYPE_LEVEL2);
    if (m_settings.level3)
        types.push_back(PATCH_TYPE_LEVEL3);
    if (m_settings.feature)
        types.insert(types.end(), std::begin(PATCH_TYPES_FEATURE), std::end(PATCH_TYPES_FEATURE));
    if (m_settings.transfer != 0)
        types.push_back(m_settings.transfer);
    return types;
}

// Not every model lets the toggle be set; those keep theirs.
int CQXPatchAdapter::_WriteToggle(CZKTWSourceManager* sourceManager) const
{
    ZKTW_CAPABILITY_SUPPORT support;
    sourceManager->QueryCapSupport(CAP_PATCH_TOGGLE, support);
    if (!support.bSet)
        return 1;
    const WORD toggle = m_settings.enable ? m_settings.toggle : 0;
    return SQXSettingsCaps::WriteWord(sourceManager, CAP_PATCH_TOGGLE, toggle) ? 1 : 0;
}

// The alarm list is shared with the scanner's other alarms: only the
// patch-code alarm is ours to add or remove.
int CQXPatchAdapter::_WriteAlarm(CZKTWSourceManager* sourceManager) const
{
    std::vector<WORD> current;
    if (!SQXSettingsCaps::ReadWordArray(sourceManager, CAP_ALARMS, current))
        return 0;
    std::set<WORD> alarms(current.begin(), current.end());
    alarms.erase(PATCH_ALARM);
    if (m_settings.enable && m_settings.alarm)
        alarms.insert(PATCH_ALARM);
    return SQXSettingsCaps::WriteWordArray(sourceManager, CAP_ALARMS, std::vector<WORD>(alarms.begin(), alarms.end()))
               ? 1
               : 0;
}
