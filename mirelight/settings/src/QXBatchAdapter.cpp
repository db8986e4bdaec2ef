#include <mirelight/QXBatchAdapter.h>
#include <mirelight/QXBatchTarnAdapter.h>
#include <mirelight/QXScannerHelper.h>

#include "QXSettingsCaps.h"
#include "QXSettingsFieldTable.h"

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

const CQXSettingsFieldTable<CQXBatchAdapter::SETTINGS>& CQXBatchAdapter::_Fields()
{
    static const CQXSettingsFieldTable<SETTINGS> fields(L"Batch", {{L"Enable", &SETTINGS::enable},
                                                                   {L"Count", &SETTINGS::count},
                                                                   {L"Level", &SETTINGS::level},
                                                                   {L"StartFunction", &SETTINGS::startFunction},
                                                                   {L"EndFunction", &SETTINGS::endFunction}});
    return fields;
}

int CQXBatchAdapter::Compare(const CQXScannerSettingsAdapter& other) const
{
    const auto* batch = dynamic_cast<const CQXBatchAdapter*>(&other);
    return batch && _Fields().Equal(m_settings, batch->m_settings) ? 0 : -1;
}

void CQXBatchAdapter::Copy(const CQXScannerSettingsAdapter& other)
{
    if (const auto* batch = dynamic_cast<const CQXBatchAdapter*>(&other))
        m_settings = batch->m_settings;
}

int CQXBatchAdapter::_DoReadFromBuffer(CZKBuffer& buffer) { return _Fields().ReadBuffer(buffer, m_settings); }

int CQXBatchAdapter::_DoWriteToBuffer(CZKBuffer& buffer) { return _Fields().WriteBuffer(buffer, m_settings); }

int CQXBatchAdapter::_DoReadFromScript(CZKScript& script) { return _Fields().ReadScript(script, m_settings); }

int CQXBatchAdapter::_DoWriteToScript(CZKScript& script) { return _Fields().WriteScript(script, m_settings); }

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
