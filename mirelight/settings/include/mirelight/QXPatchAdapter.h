// The scanner's patch-code reader: which patch sheets it recognises, the
// toggle behaviour, the alarm and the transfer of patch sheets.
#pragma once

#include <mirelight/QXTWAINSettingsAdapter.h>
#include <mirelight/mirelight_export.h>

#include <vector>

template <class RECORD>
class CQXSettingsFieldTable;

class MIRELIGHT_EXPORT CQXPatchAdapter : public CQXTWAINSettingsAdapter
{
public:
    // The patch-code alarm in the source's alarm list.
    static constexpr WORD PATCH_ALARM = 6;

    // A new adapter of the family's leaf class, or null; the caller owns it.
    static CQXPatchAdapter* GenerateAdapter(EQXScannerFamily family);
    static CQXPatchAdapter* GenerateAdapter(const wchar_t* scannerName);

    int getEnable() const { return m_settings.enable; }
    void setEnable(int enable) { m_settings.enable = enable ? 1 : 0; }
    int getLevel2() const { return m_settings.level2; }
    void setLevel2(int level2) { m_settings.level2 = level2 ? 1 : 0; }
    int getLevel3() const { return m_settings.level3; }
    void setLevel3(int level3) { m_settings.level3 = level3 ? 1 : 0; }
    // The patch type code of the transfer patch; 0 is off.
    unsigned short getTransfer() const { return m_settings.transfer; }
    void setTransfer(unsigned short transfer) { m_settings.transfer = transfer; }
    int IsTranferEnable() const { return m_settings.transfer != 0 ? 1 : 0; }
    int getFeature() const { return m_settings.feature; }
    void setFeature(int feature) { m_settings.feature = feature ? 1 : 0; }
    unsigned short getToggle() const { return m_settings.toggle; }
    void setToggle(unsigned short toggle) { m_settings.toggle = toggle; }
    int getAlarm() const { return m_settings.alarm; }
    void setAlarm(int alarm) { m_settings.alarm = alarm ? 1 : 0; }

    // 0 equal, -1 otherwise; every field counts, the alarm included.
    int Compare(const CQXScannerSettingsAdapter& other) const override;
    void Copy(const CQXScannerSettingsAdapter& other) override;

protected:
    CQXPatchAdapter() = default;

    int _DoReadFromBuffer(CZKBuffer& buffer) override;
    int _DoWriteToBuffer(CZKBuffer& buffer) override;
    int _DoReadFromScript(CZKScript& script) override;
    int _DoWriteToScript(CZKScript& script) override;
    // Patch types, toggle, alarm and enable, whatever the enable flag.
    int _DoWriteConfigToScanner(CZKTWSourceManager* sourceManager) override;

    // The patch types the reader is to recognise, in the order they go out.
    std::vector<WORD> _PatchTypes() const;
    int _WriteToggle(CZKTWSourceManager* sourceManager) const;
    int _WriteAlarm(CZKTWSourceManager* sourceManager) const;

    struct SETTINGS
    {
        int enable = 0;
        int level2 = 0;
        int level3 = 0;
        WORD transfer = 0;
        int feature = 0;
        WORD toggle = 0;
        int alarm = 0;
    };
    SETTINGS m_settings;

private:
    static const CQXSettingsFieldTable<SETTINGS>& _Fields();
};
