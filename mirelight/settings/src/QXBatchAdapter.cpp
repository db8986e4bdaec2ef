#include <mirelight/QXBatchAdapter.h>
#include <mirelight/QXBatchTarnAdapter.h>
#include <mirelight/QXScannerHelper.h>

#include "QXSettingsCaps.h"
#include "QXSettingsScript.h"

#include <brackwater/QXScriptSectionGuard.h>
#include <hollin/ZKBuffer.h>

namespace
{
constexpr WORD CAP_BATCH_COUNT = 0x802B;
constexpr WORD CAP_BATCH_LEVEL = 0x804E;
constexpr WORD CAP_BATCH_START_FUNCTION = 0x803F;
constexpr WORD CAP_BATCH_END_FUNCTION = 0x804F;
} // namespace

CQXBatchAdapter* CQXBatchAdapter::GenerateAdapter(EQXScannerFamily family)
{
    if (family == QX_SCANNER_FAMILY_TARN)
        return new CQXBatchTarnAdapter();
    return nullptr;
}

CQXBatchAdapter* CQXBatchAdapter::GenerateAdapter(const wchar_t* scannerName)
{
    return GenerateAdapter(CQXScannerHelper::QueryScannerInfo(scannerName ? scannerName : L"").family);
}

int CQXBatchAdapter::Compare(const CQXScannerSettingsAdapter& other) const
{
    const auto* batch = dynamic_cast<const CQXBatchAdapter*>(&other);
    if (!batch)
        return -1;
    const SETTINGS& a = m_settings;
    const SETTINGS& b = batch->m_settings;
    const bool equal = a.enable == b.enable && a.count == b.count && a.level == b.level &&
                       a.startFunction == b.startFunction && a.endFunction == b.endFunction;
    return equal ? 0 : -1;
}

void CQXBatchAdapter::Copy(const CQXScannerSettingsAdapter& other)
{
    if (const auto* batch = dynamic_cast<const CQXBatchAdapter*>(&other))
        m_settings = batch->m_settings;
}

int CQXBatchAdapter::_CheckSupport(CQXScannerImpl*) { return 1; }

int CQXBatchAdapter::_CheckPrecondition(CQXScannerImpl*) { return 1; }

int CQXBatchAdapter::_DoReadFromBuffer(CZKBuffer& buffer)
{
    SETTINGS read;
    LONG enable = 0;
    if (!buffer.RW_R_long(enable) || !buffer.RW_R_double(read.count) || !buffer.RW_R_short(read.level) ||
        !buffer.RW_R_short(read.startFunction) || !buffer.RW_R_short(read.endFunction))
        return 0;
    read.enable = enable ? 1 : 0;
    m_settings = read;
    return 1;
}

int CQXBatchAdapter::_DoWriteToBuffer(CZKBuffer& buffer)
{
    const SETTINGS& s = m_settings;
    return buffer.RW_W_long(s.enable) && buffer.RW_W_double(s.count) && buffer.RW_W_short(s.level) &&
           buffer.RW_W_short(s.startFunction) && buffer.RW_W_short(s.endFunction);
}

int CQXBatchAdapter::_DoReadFromScript(CZKScript& script)
{
    CQXScriptSectionGuard section(script);
    section.Enter(L"Batch");
    SETTINGS read;
    if (!SQXSettingsScript::ReadFlag(script, L"Enable", read.enable) ||
        !SQXSettingsScript::ReadDouble(script, L"Count", read.count) ||
        !SQXSettingsScript::ReadShort(script, L"Level", read.level) ||
        !SQXSettingsScript::ReadShort(script, L"StartFunction", read.startFunction) ||
        !SQXSettingsScript::ReadShort(script, L"EndFunction", read.endFunction))
        return 0;
    m_settings = read;
    return 1;
}

int CQXBatchAdapter::_DoWriteToScript(CZKScript& script)
{
    CQXScriptSectionGuard section(script);
    section.Enter(L"Batch");
    const SETTINGS& s = m_settings;
    return SQXSettingsScript::WriteFlag(script, L"Enable", s.enable) &&
           SQXSettingsScript::WriteDouble(script, L"Count", s.count) &&
           SQXSettingsScript::WriteInt(script, L"Level", s.level) &&
           SQXSettingsScript::WriteInt(script, L"StartFunction", s.startFunction) &&
           SQXSettingsScript::WriteInt(script, L"EndFunction", s.endFunction);
}

int CQXBatchAdapter::_WriteToScanner(CZKTWSourceManager* sourceManager)
{
    const double count = m_settings.enable ? m_settings.count : 0.0;
    if (!SQXSettingsCaps::WriteFix32(sourceManager, CAP_BATCH_COUNT, count))
        return 0;
    return m_settings.enable ? _DoWriteConfigToScanner(sourceManager) : 1;
}

int CQXBatchAdapter::_DoWriteConfigToScanner(CZKTWSourceManager* sourceManager)
{
    return SQXSettingsCaps::WriteShort(sourceManager, CAP_BATCH_LEVEL, m_settings.level) &&
           SQXSettingsCaps::WriteShort(sourceManager, CAP_BATCH_START_FUNCTION, m_settings.startFunction) &&
           SQXSettingsCaps::WriteShort(sourceManager, CAP_BATCH_END_FUNCTION, m_settings.endFunction);
}
