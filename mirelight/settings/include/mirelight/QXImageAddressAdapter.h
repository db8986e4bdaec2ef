// The image-address layout of the scanner: a built-in template or a custom
// layout, which counter level each level follows and how numbers are
// filled. The static operations read the layout and the current image
// address of an open source, and set the address.
#pragma once

#include <mirelight/QXTWAINSettingsAdapter.h>
#include <mirelight/mirelight_export.h>

#include <brackwater/QX_IMAGEADDRESS.h>
#include <brackwater/QX_IMAGEADDRESS_FORMAT.h>

#include <string>

class MIRELIGHT_EXPORT CQXImageAddressAdapter : public CQXTWAINSettingsAdapter
{
public:
    // The template number that stands for a custom layout.
    static constexpr WORD TEMPLATE_CUSTOM = 0xFFFF;
    static constexpr int LEVEL_COUNT = 3;

    // A new adapter of the family's leaf class, or null; the caller owns it.
    static CQXImageAddressAdapter* GenerateAdapter(EQXScannerFamily family);
    static CQXImageAddressAdapter* GenerateAdapter(const wchar_t* scannerName);

    unsigned short getTemplate() const { return m_settings.templateNumber; }
    // A built-in template also sets its layout and resets the levels to
    // follow to 1; TEMPLATE_CUSTOM keeps the current layout and levels.
    void setTemplate(unsigned short templateNumber);
    QX_IMAGEADDRESS_FORMAT getAddressFormat() const { return m_settings.format; }
    void setAddressFormat(const QX_IMAGEADDRESS_FORMAT& format) { m_settings.format = format; }
    unsigned short getLevelToFollow1() const { return m_settings.levels[0]; }
    unsigned short getLevelToFollow2() const { return m_settings.levels[1]; }
    unsigned short getLevelToFollow3() const { return m_settings.levels[2]; }
    void setLevelToFollow1(unsigned short level) { m_settings.levels[0] = level; }
    void setLevelToFollow2(unsigned short level) { m_settings.levels[1] = level; }
    void setLevelToFollow3(unsigned short level) { m_settings.levels[2] = level; }
    // The leading-zeros setting sent to the scanner.
    unsigned short getImageAddressFormat() const { return m_settings.imageAddressFormat; }
    void setImageAddressFormat(unsigned short code) { m_settings.imageAddressFormat = code; }

    int Compare(const CQXScannerSettingsAdapter& other) const override;
    void Copy(const CQXScannerSettingsAdapter& other) override;

    // On an open source; 1 on success, 0 on failure.
    static int GetImageAddressFormat(CZKTWSourceManager* sourceManager, QX_IMAGEADDRESS_FORMAT& format);
    static int GetImageAddress(CZKTWSourceManager* sourceManager, QX_IMAGEADDRESS& address);
    static int SetImageAddress(CZKTWSourceManager* sourceManager, const QX_IMAGEADDRESS& address);

protected:
    CQXImageAddressAdapter();

    int _CheckSupport(CQXScannerImpl* impl) override;
    int _DoReadFromBuffer(CZKBuffer& buffer) override;
    int _DoWriteToBuffer(CZKBuffer& buffer) override;
    int _DoReadFromScript(CZKScript& script) override;
    int _DoWriteToScript(CZKScript& script) override;
    int _DoWriteConfigToScanner(CZKTWSourceManager* sourceManager) override;

public:
    // Characters per component and of the whole address.
    virtual int GetFieldLengthLimit() const = 0;
    virtual int GetImageAddressLengthLimit() const = 0;

protected:
    static int _ReadImageAddressFormat(CZKTWSourceManager* sourceManager, WORD& code);
    static int _WriteImageAddressFormat(CZKTWSourceManager* sourceManager, WORD code);
    static int _GetTemplate(CZKTWSourceManager* sourceManager, WORD& templateNumber);
    static int _SetTemplate(CZKTWSourceManager* sourceManager, WORD templateNumber);
    static int _GetCustomFormat(CZKTWSourceManager* sourceManager, QX_IMAGEADDRESS_FORMAT& format);
    static int _SetCustomFormat(CZKTWSourceManager* sourceManager, const QX_IMAGEADDRESS_FORMAT& format);
    static int _GetCustomLevelToFollows(CZKTWSourceManager* sourceManager, WORD levels[LEVEL_COUNT]);
    static int _SetCustomLevelToFollows(CZKTWSourceManager* sourceManager, const WORD levels[LEVEL_COUNT]);
    // The layout of a built-in template; the reset format for an unknown one.
    static void _QueryAddressFormat(WORD templateNumber, QX_IMAGEADDRESS_FORMAT& format);
    // One 8-bit string per slot: the mark repeated length times. Fails for a
    // slot the scanner cannot take (longer than 255, mark not one byte).
    static int _BuildFormatString(const QX_IMAGEADDRESS_FORMAT& format,
                                  std::string strings[QX_IMAGEADDRESS_FORMAT::SLOT_COUNT]);
    static void _ParseFormatString(const std::string strings[QX_IMAGEADDRESS_FORMAT::SLOT_COUNT],
                                   QX_IMAGEADDRESS_FORMAT& format);

    struct SETTINGS
    {
        WORD templateNumber = 1;
        QX_IMAGEADDRESS_FORMAT format;
        WORD levels[LEVEL_COUNT] = {1, 1, 1};
        WORD imageAddressFormat = 0;
    };
    SETTINGS m_settings;
};
