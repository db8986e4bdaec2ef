#include <mirelight/QXPatchAdapter.h>
#include <mirelight/QXPatchTarnAdapter.h>
#include <mirelight/QXScannerHelper.h>

#include "QXSettingsCaps.h"
#include "QXSettingsFieldTable.h"

#include <fennick/ZKTWSourceManager.h>
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

const CQXSettingsFieldTable<CQXPatchAdapter::SETTINGS>& CQXPatchAdapter::_Fields()
{
    static const CQXSettingsFieldTable<SETTINGS> fields(
        L"Patch", {{L"Enable", &SETTINGS::enable},
                   {L"Level2", &SETTINGS::level2},
                   {L"Level3", &SETTINGS::level3},
                   {L"Transfer", &SETTINGS::transfer},
                   {L"Feature", &SETTINGS::feature},
                   {L"Toggle", &SETTINGS::toggle},
                   {L"Alarm", &SETTINGS::alarm}});
    return fields;
}

int CQXPatchAdapter::Compare(const CQXScannerSettingsAdapter& other) const
{
    const auto* patch = dynamic_cast<const CQXPatchAdapter*>(&other);
    return patch && _Fields().Equal(m_settings, patch->m_settings) ? 0 : -1;
}

void CQXPatchAdapter::Copy(const CQXScannerSettingsAdapter& other)
{
    if (const auto* patch = dynamic_cast<const CQXPatchAdapter*>(&other))
        m_settings = patch->m_settings;
}

int CQXPatchAdapter::_DoReadFromBuffer(CZKBuffer& buffer) { return _Fields().ReadBuffer(buffer, m_settings); }

int CQXPatchAdapter::_DoWriteToBuffer(CZKBuffer& buffer) { return _Fields().WriteBuffer(buffer, m_settings); }

int CQXPatchAdapter::_DoReadFromScript(CZKScript& script) { return _Fields().ReadScript(script, m_settings); }

int CQXPatchAdapter::_DoWriteToScript(CZKScript& script) { return _Fields().WriteScript(script, m_settings); }

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
