#include <mirelight/QXImageAddressAdapter.h>
#include <mirelight/QXImageAddressTarnAdapter.h>
#include <mirelight/QXScannerHelper.h>
#include <mirelight/QXScannerImpl.h>

#include "QXSettingsCaps.h"
#include "QXSettingsScript.h"

#include <brackwater/QXScriptSectionGuard.h>
#include <hollin/ZKBuffer.h>
#include <hollin/ZKCommon.h>

#include <algorithm>

namespace
{
constexpr WORD CAP_TEMPLATE = 0x803E;
constexpr WORD CAP_CUSTOM_SLOTS[QX_IMAGEADDRESS_FORMAT::SLOT_COUNT] = {0x804A, 0x804B, 0x804C, 0x804D};
constexpr WORD CAP_LEVELS_TO_FOLLOW[CQXImageAddressAdapter::LEVEL_COUNT] = {0x803B, 0x803C, 0x803D};
constexpr WORD CAP_LEADING_ZEROS = 0x8045;
constexpr WORD CAP_IMAGE_ADDRESS = 0x8015;

const wchar_t* const kLevelKeys[CQXImageAddressAdapter::LEVEL_COUNT] = {L"LevelToFollows0", L"LevelToFollows1",
                                                                         L"LevelToFollows2"};

struct TEMPLATE_SLOT
{
    WORD mark;
    WORD length;
};

// The built-in layouts, slots in display order.
const TEMPLATE_SLOT kTemplates[][QX_IMAGEADDRESS_FORMAT::SLOT_COUNT] = {
    {{'F', 9}, {'N', 0}, {'N', 0}, {'N', 0}},
    {{'F', 9}, {'3', 6}, {'2', 6}, {'1', 6}},
    {{'F', 9}, {'2', 9}, {'1', 9}, {'N', 0}},
    {{'F', 9}, {'1', 9}, {'N', 0}, {'N', 0}},
    {{'F', 9}, {'3', 9}, {'2', 9}, {'N', 0}},
    {{'F', 9}, {'2', 9}, {'N', 0}, {'N', 0}},
};
constexpr WORD kTemplateCount = sizeof(kTemplates) / sizeof(kTemplates[0]);
} // namespace

CQXImageAddressAdapter::CQXImageAddressAdapter()
{
    _QueryAddressFormat(m_settings.templateNumber, m_settings.format);
}

CQXImageAddressAdapter* CQXImageAddressAdapter::GenerateAdapter(EQXScannerFamily family)
{
    if (family == QX_SCANNER_FAMILY_TARN)
        return new CQXImageAddressTarnAdapter();
    return nullptr;
}

CQXImageAddressAdapter* CQXImageAddressAdapter::GenerateAdapter(const wchar_t* scannerName)
{
    return GenerateAdapter(CQXScannerHelper::QueryScannerInfo(scannerName ? scannerName : L"").family);
}

void CQXImageAddressAdapter::setTemplate(unsigned short templateNumber)
{
    m_settings.templateNumber = templateNumber;
    if (templateNumber == TEMPLATE_CUSTOM)
        return;
    _QueryAddressFormat(templateNumber, m_settings.format);
    for (WORD& level : m_settings.levels)
        level = 1;
}

int CQXImageAddressAdapter::Compare(const CQXScannerSettingsAdapter& other) const
{
    const auto* address = dynamic_cast<const CQXImageAddressAdapter*>(&other);
    if (!address)
        return -1;
    const SETTINGS& a = m_settings;
    const SETTINGS& b = address->m_settings;
    bool equal = a.templateNumber == b.templateNumber && a.format.compare(b.format) == 0 &&
                 a.imageAddressFormat == b.imageAddressFormat;
    for (int i = 0; i < LEVEL_COUNT; ++i)
        equal = equal && a.levels[i] == b.levels[i];
    return equal ? 0 : -1;
}

void CQXImageAddressAdapter::Copy(const CQXScannerSettingsAdapter& other)
{
    if (const auto* address = dynamic_cast<const CQXImageAddressAdapter*>(&other))
        m_settings = address->m_settings;
}

int CQXImageAddressAdapter::_CheckSupport(CQXScannerImpl* impl)
{
    int supported = 0;
    impl->GetCapability(QX_SCANNER_CAP_VENDOR8015, supported);
    return supported;
}

// The leading-zeros code is not part of the record: in the binary form it
// travels with the imprinter's settings.
int CQXImageAddressAdapter::_DoReadFromBuffer(CZKBuffer& buffer)
{
    SETTINGS read = m_settings;
    BYTE format[QX_IMAGEADDRESS_FORMAT::RAW_SIZE];
    if (!buffer.RW_R_WORD(read.templateNumber) || !buffer.RWRead(format, sizeof(format)))
        return 0;
    for (WORD& level : read.levels)
        if (!buffer.RW_R_WORD(level))
            return 0;
    read.format.FromBytes(format);
    m_settings = read;
    return 1;
}

int CQXImageAddressAdapter::_DoWriteToBuffer(CZKBuffer& buffer)
{
    BYTE format[QX_IMAGEADDRESS_FORMAT::RAW_SIZE];
    m_settings.format.ToBytes(format);
    if (!buffer.RW_W_WORD(m_settings.templateNumber) || !buffer.RWWrite(format, sizeof(format)))
        return 0;
    for (WORD level : m_settings.levels)
        if (!buffer.RW_W_WORD(level))
            return 0;
    return 1;
}

int CQXImageAddressAdapter::_DoReadFromScript(CZKScript& script)
{
    CQXScriptSectionGuard section(script);
    section.Enter(L"ImageAddress");
    SETTINGS read;
    if (!SQXSettingsScript::ReadWord(script, L"Template", read.templateNumber) || !read.format.fromscript(script))
        return 0;
    for (int i = 0; i < LEVEL_COUNT; ++i)
        if (!SQXSettingsScript::ReadWord(script, kLevelKeys[i], read.levels[i]))
            return 0;
    if (!SQXSettingsScript::ReadWord(script, L"ImageAddressFormat", read.imageAddressFormat))
        return 0;
    m_settings = read;
    return 1;
}

int CQXImageAddressAdapter::_DoWriteToScript(CZKScript& script)
{
    CQXScriptSectionGuard section(script);
    section.Enter(L"ImageAddress");
    if (!SQXSettingsScript::WriteInt(script, L"Template", m_settings.templateNumber) ||
        !m_settings.format.toscript(script))
        return 0;
    for (int i = 0; i < LEVEL_COUNT; ++i)
        if (!SQXSettingsScript::WriteInt(script, kLevelKeys[i], m_settings.levels[i]))
            return 0;
    return SQXSettingsScript::WriteInt(script, L"ImageAddressFormat", m_settings.imageAddressFormat) ? 1 : 0;
}

int CQXImageAddressAdapter::_DoWriteConfigToScanner(CZKTWSourceManager* sourceManager)
{
    if (m_settings.templateNumber != TEMPLATE_CUSTOM)
    {
        if (!_SetTemplate(sourceManager, m_settings.templateNumber))
            return 0;
    }
    else if (!_SetCustomFormat(sourceManager, m_settings.format) ||
             !_SetCustomLevelToFollows(sourceManager, m_settings.levels))
        return 0;
    return _WriteImageAddressFormat(sourceManager, m_settings.imageAddressFormat);
}

int CQXImageAddressAdapter::GetImageAddressFormat(CZKTWSourceManager* sourceManager, QX_IMAGEADDRESS_FORMAT& format)
{
    if (!sourceManager)
        return 0;
    WORD templateNumber = 0;
    if (!_GetTemplate(sourceManager, templateNumber))
        return 0;
    QX_IMAGEADDRESS_FORMAT read;
    if (templateNumber == TEMPLATE_CUSTOM)
    {
        if (!_GetCustomFormat(sourceManager, read))
            return 0;
    }
    else
        _QueryAddressFormat(templateNumber, read);
    WORD leadingZeros = 0;
    if (!_ReadImageAddressFormat(sourceManager, leadingZeros))
        return 0;
    read.nLeadingZerosFormat = leadingZeros;
    format = read;
    return 1;
}

int CQXImageAddressAdapter::GetImageAddress(CZKTWSourceManager* sourceManager, QX_IMAGEADDRESS& address)
{
    if (!sourceManager)
        return 0;
    std::string text;
    if (!SQXSettingsCaps::ReadString255(sourceManager, CAP_IMAGE_ADDRESS, text))
        return 0;
    std::wstring wide;
    if (!SZKCommon::MBStoWCS(text, wide, SZKCommon::CodePageUTF8))
        return 0;
    QX_IMAGEADDRESS_FORMAT format;
    if (!GetImageAddressFormat(sourceManager, format))
        return 0;
    return address.ParseString(wide, format) ? 1 : 0;
}

int CQXImageAddressAdapter::SetImageAddress(CZKTWSourceManager* sourceManager, const QX_IMAGEADDRESS& address)
{
    if (!sourceManager)
        return 0;
    QX_IMAGEADDRESS_FORMAT format;
    if (!GetImageAddressFormat(sourceManager, format))
        return 0;
    std::wstring wide;
    if (!address.ToString(format, wide) || wide.size() > SQXSettingsCaps::MAX_STRING255)
        return 0;
    std::string text;
    // UTF-8 may need more bytes than characters: the byte count is what
    // must fit, and WriteString255 refuses more.
    if (!SZKCommon::WCStoMBS(wide, text, SZKCommon::CodePageUTF8))
        return 0;
    return SQXSettingsCaps::WriteString255(sourceManager, CAP_IMAGE_ADDRESS, text) ? 1 : 0;
}

int CQXImageAddressAdapter::_ReadImageAddressFormat(CZKTWSourceManager* sourceManager, WORD& code)
{
    return SQXSettingsCaps::ReadWord(sourceManager, CAP_LEADING_ZEROS, code) ? 1 : 0;
}

int CQXImageAddressAdapter::_WriteImageAddressFormat(CZKTWSourceManager* sourceManager, WORD code)
{
    return SQXSettingsCaps::WriteWord(sourceManager, CAP_LEADING_ZEROS, code) ? 1 : 0;
}

int CQXImageAddressAdapter::_GetTemplate(CZKTWSourceManager* sourceManager, WORD& templateNumber)
{
    return SQXSettingsCaps::ReadWord(sourceManager, CAP_TEMPLATE, templateNumber) ? 1 : 0;
}

int CQXImageAddressAdapter::_SetTemplate(CZKTWSourceManager* sourceManager, WORD templateNumber)
{
    return SQXSettingsCaps::WriteWord(sourceManager, CAP_TEMPLATE, templateNumber) ? 1 : 0;
}

int CQXImageAddressAdapter::_GetCustomFormat(CZKTWSourceManager* sourceManager, QX_IMAGEADDRESS_FORMAT& format)
{
    std::string strings[QX_IMAGEADDRESS_FORMAT::SLOT_COUNT];
    for (int i = 0; i < QX_IMAGEADDRESS_FORMAT::SLOT_COUNT; ++i)
        if (!SQXSettingsCaps::ReadString255(sourceManager, CAP_CUSTOM_SLOTS[i], strings[i]))
            return 0;
    _ParseFormatString(strings, format);
    return 1;
}

// The scanner learns of a custom layout by template 1 followed by the slots.
int CQXImageAddressAdapter::_SetCustomFormat(CZKTWSourceManager* sourceManager, const QX_IMAGEADDRESS_FORMAT& format)
{
    std::string strings[QX_IMAGEADDRESS_FORMAT::SLOT_COUNT];
    if (!_BuildFormatString(format, strings) || !_SetTemplate(sourceManager, 1))
        return 0;
    for (int i = 0; i < QX_IMAGEADDRESS_FORMAT::SLOT_COUNT; ++i)
        if (!SQXSettingsCaps::WriteString255(sourceManager, CAP_CUSTOM_SLOTS[i], strings[i]))
            return 0;
    return 1;
}

int CQXImageAddressAdapter::_GetCustomLevelToFollows(CZKTWSourceManager* sourceManager, WORD levels[LEVEL_COUNT])
{
    WORD read[LEVEL_COUNT] = {};
    for (int i = 0; i < LEVEL_COUNT; ++i)
        if (!SQXSettingsCaps::ReadWord(sourceManager, CAP_LEVELS_TO_FOLLOW[i], read[i]))
            return 0;
    std::copy(read, read + LEVEL_COUNT, levels);
    return 1;
}

int CQXImageAddressAdapter::_SetCustomLevelToFollows(CZKTWSourceManager* sourceManager,
                                                     const WORD levels[LEVEL_COUNT])
{
    for (int i = 0; i < LEVEL_COUNT; ++i)
        if (!SQXSettingsCaps::WriteWord(sourceManager, CAP_LEVELS_TO_FOLLOW[i], levels[i]))
            return 0;
    return 1;
}

void CQXImageAddressAdapter::_QueryAddressFormat(WORD templateNumber, QX_IMAGEADDRESS_FORMAT& format)
{
    format.reset();
    if (templateNumber >= kTemplateCount)
        return;
    for (int i = 0; i < QX_IMAGEADDRESS_FORMAT::SLOT_COUNT; ++i)
        format.SetSlot(i, kTemplates[templateNumber][i].mark, kTemplates[templateNumber][i].length);
}

int CQXImageAddressAdapter::_BuildFormatString(const QX_IMAGEADDRESS_FORMAT& format,
                                               std::string strings[QX_IMAGEADDRESS_FORMAT::SLOT_COUNT])
{
    for (int i = 0; i < QX_IMAGEADDRESS_FORMAT::SLOT_COUNT; ++i)
    {
        const QX_IMAGEADDRESS_FORMAT::SLOT& slot = format.slots[i];
        strings[i].clear();
        if (slot.mark == QX_IMAGEADDRESS_FORMAT::MARK_NONE)
            continue;
        if (slot.mark == 0 || slot.mark > 0x7F || slot.length > SQXSettingsCaps::MAX_STRING255)
            return 0;
        strings[i].assign(slot.length, static_cast<char>(slot.mark));
    }
    return 1;
}

void CQXImageAddressAdapter::_ParseFormatString(const std::string strings[QX_IMAGEADDRESS_FORMAT::SLOT_COUNT],
                                                QX_IMAGEADDRESS_FORMAT& format)
{
    format.reset();
    for (int i = 0; i < QX_IMAGEADDRESS_FORMAT::SLOT_COUNT; ++i)
    {
        const std::string& text = strings[i];
        if (text.empty())
            continue;
        format.SetSlot(i, static_cast<BYTE>(text[0]), static_cast<WORD>(text.size()));
    }
}
