// The scanner's batch counter: it counts sheets and performs a function when
// a batch of the given size starts and ends.
#pragma once

#include <mirelight/QXTWAINSettingsAdapter.h>
#include <mirelight/mirelight_export.h>

template <class RECORD>
class CQXSettingsFieldTable;

class MIRELIGHT_EXPORT CQXBatchAdapter : public CQXTWAINSettingsAdapter
{
public:
    // A new adapter of the family's leaf class, or null; the caller owns it.
    static CQXBatchAdapter* GenerateAdapter(EQXScannerFamily family);
    static CQXBatchAdapter* GenerateAdapter(const wchar_t* scannerName);

    int getEnable() const { return m_settings.enable; }
    void setEnable(int enable) { m_settings.enable = enable ? 1 : 0; }
    double getCount() const { return m_settings.count; }
    void setCount(double count) { m_settings.count = count; }
    short getLevel() const { return m_settings.level; }
    void setLevel(short level) { m_settings.level = level; }
    short getStartFunction() const { return m_settings.startFunction; }
    void setStartFunction(short function) { m_settings.startFunction = function; }
    short getEndFunction() const { return m_settings.endFunction; }
    void setEndFunction(short function) { m_settings.endFunction = function; }

    // 0 equal, -1 otherwise (the count compared exactly).
    int Compare(const CQXScannerSettingsAdapter& other) const override;
    void Copy(const CQXScannerSettingsAdapter& other) override;

protected:
    CQXBatchAdapter() = default;

    using CQXTWAINSettingsAdapter::_WriteToScanner;
    int _DoReadFromBuffer(CZKBuffer& buffer) override;
    int _DoWriteToBuffer(CZKBuffer& buffer) override;
    int _DoReadFromScript(CZKScript& script) override;
    int _DoWriteToScript(CZKScript& script) override;
    int _WriteToScanner(CZKTWSourceManager* sourceManager) override;
    // Level and the start and end functions; only while counting is on.
    int _DoWriteConfigToScanner(CZKTWSourceManager* sourceManager) override;

    struct SETTINGS
    {
        int enable = 0;
        double count = 1.0;
        short level = 1;
        short startFunction = 5;
        short endFunction = 0;
    };
    SETTINGS m_settings;

private:
    static const CQXSettingsFieldTable<SETTINGS>& _Fields();
};
