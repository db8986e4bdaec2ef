#include <mirelight/QXImageAddressAdapter.h>
#include <mirelight/QXImprinterTarnAdapter.h>
#include <mirelight/QXScannerSettingsManipulator.h>

#include "QXImprinterCommandTable.h"
#include "QXImprinterMessageList.h"
#include "QXImprinterMessageSlots.h"
#include "QXSettingsCaps.h"
#include "QXSettingsScript.h"

#include <brackwater/QXScriptSectionGuard.h>
#include <hollin/ZKBuffer.h>
#include <hollin/ZKScript.h>

#include <algorithm>

namespace
{
constexpr WORD CAP_USE_UNIFORM_PRINT_STRING = 0x8047;
constexpr unsigned kPrintLineLength = 20;

const SQXImprinterCommandTable::COMMAND kCommands[] = {
    {L"IA_FIXED_FIELD", 'A', -1}, {L"IA_LEVEL_3", 'B', -1},  {L"IA_LEVEL_2", 'C', -1}, {L"IA_LEVEL_1", 'D', -1},
    {L"SCANNER_DATE", 'Y', 8},    {L"SCANNER_TIME", 'T', 8}, {L"SCANNER_COUNTER", 'S', 1},
    {L"MESSAGE_1", '1', -1},      {L"MESSAGE_2", '2', -1},   {L"MESSAGE_3", '3', -1},  {L"MESSAGE_4", '4', -1},
    {L"MESSAGE_5", '5', -1},      {L"MESSAGE_6", '6', -1},   {L"SPACE", ' ', 1},
};


const wchar_t* const kPrintStringKeys[] = {L"PrintStringLevel1", L"PrintStringLevel2", L"PrintStringLevel3",
                                           L"PrintStringAllLevels"};

// Slot i of the image-address layout is printed through replace key i.
const wchar_t* const kReplaceKeys[] = {L"<IA_FIXED_FIELD.REPLACE>", L"<IA_LEVEL_3.REPLACE>", L"<IA_LEVEL_2.REPLACE>",
                                       L"<IA_LEVEL_1.REPLACE>"};

const wchar_t* TagOfMark(WORD mark)
{
    switch (mark)
    {
    case '1':
        return L"<IA_LEVEL_1>";
    case '2':
        return L"<IA_LEVEL_2>";
    case '3':
        return L"<IA_LEVEL_3>";
    case 'F':
        return L"<IA_FIXED_FIELD>";
    default:
        return nullptr;
    }
}

void ReplaceAll(std::wstring& text, const std::wstring& key, const std::wstring& value)
{
    if (key.empty())
        return;
    for (size_t at = text.find(key); at != std::wstring::npos; at = text.find(key, at + value.size()))
        text.replace(at, key.size(), value);
}
} // namespace

CQXImprinterTarnAdapter::CQXImprinterTarnAdapter()
    : CQXImprinterRidgeFullAdapter(0.5), m_messages(std::make_unique<CQXImprinterMessageList>(kSixMessageSlots))
{
}

CQXImprinterTarnAdapter::~CQXImprinterTarnAdapter() = default;

void CQXImprinterTarnAdapter::GetSupportedCommands(std::vector<QX_IMPRINTER_EXPRESSION>& commands) const
{
    SQXImprinterCommandTable::Fill(kCommands, commands);
}

void CQXImprinterTarnAdapter::getWriteSequenceMessage(int index, std::wstring& text) const
{
    if (index >= 1 && index <= static_cast<int>(m_messages->Count()))
        text = m_messages->Text(index - 1);
}

int CQXImprinterTarnAdapter::setWriteSequenceMessage(int index, const std::wstring& text)
{
    if (index < 1 || index > static_cast<int>(m_messages->Count()))
        return 0;
    m_messages->SetText(index - 1, text);
    return 1;
}

int CQXImprinterTarnAdapter::_GetPrintString(EPrintLine line, std::wstring& formula) const
{
    formula = m_tarn.printStrings[line];
    return 1;
}

int CQXImprinterTarnAdapter::_SetPrintStringField(EPrintLine line, const std::wstring& formula)
{
    m_tarn.printStrings[line] = formula;
    return 1;
}

int CQXImprinterTarnAdapter::Compare(const CQXScannerSettingsAdapter& other) const
{
    const auto* tarn = dynamic_cast<const CQXImprinterTarnAdapter*>(&other);
    if (!tarn || CQXImprinterRidgeFullAdapter::Compare(other) != 0 || !(*tarn->m_messages == *m_messages))
        return -1;
    const TARN_SETTINGS& a = m_tarn;
    const TARN_SETTINGS& b = tarn->m_tarn;
    bool equal = a.dateFormat == b.dateFormat && a.imageAddressFormat == b.imageAddressFormat &&
                 a.useUniformPrintString == b.useUniformPrintString;
    for (int i = 0; i < PRINT_LINE_COUNT; ++i)
        equal = equal && a.printStrings[i] == b.printStrings[i];
    return equal ? 0 : -1;
}

void CQXImprinterTarnAdapter::Copy(const CQXScannerSettingsAdapter& other)
{
    const auto* tarn = dynamic_cast<const CQXImprinterTarnAdapter*>(&other);
    if (!tarn)
        return;
    CQXImprinterRidgeFullAdapter::Copy(other);
    m_tarn = tarn->m_tarn;
    *m_messages = *tarn->m_messages;
}

int CQXImprinterTarnAdapter::_DoReadFromBuffer(CZKBuffer& buffer)
{
    if (!CQXImprinterRidgeFullAdapter::_DoReadFromBuffer(buffer))
        return 0;
    TARN_SETTINGS read;
    LONG uniform = 0;
    if (!buffer.RW_R_WORD(read.dateFormat) || !buffer.RW_R_WORD(read.imageAddressFormat) ||
        !buffer.RW_R_long(uniform))
        return 0;
    CQXImprinterMessageList messages = *m_messages;
    if (!messages.ReadBuffer(buffer))
        return 0;
    for (std::wstring& formula : read.printStrings)
        if (!buffer.RW_R_string(formula))
            return 0;
    read.useUniformPrintString = uniform ? 1 : 0;
    m_tarn = read;
    *m_messages = messages;
    return 1;
}

int CQXImprinterTarnAdapter::_DoWriteToBuffer(CZKBuffer& buffer)
{
    if (!CQXImprinterRidgeFullAdapter::_DoWriteToBuffer(buffer) || !buffer.RW_W_WORD(m_tarn.dateFormat) ||
        !buffer.RW_W_WORD(m_tarn.imageAddressFormat) || !buffer.RW_W_long(m_tarn.useUniformPrintString) ||
        !m_messages->WriteBuffer(buffer))
        return 0;
    for (const std::wstring& formula : m_tarn.printStrings)
        if (!buffer.RW_W_string(formula))
            return 0;
    return 1;
}

int CQXImprinterTarnAdapter::_DoReadFromScript(CZKScript& script)
{
    if (!CQXImprinterRidgeFullAdapter::_DoReadFromScript(script))
        return 0;
    CQXScriptSectionGuard section(script);
    section.Enter(L"Imprinter");
    TARN_SETTINGS read;
    read.imageAddressFormat = m_tarn.imageAddressFormat;
    if (!SQXSettingsScript::ReadWord(script, L"DateFormat", read.dateFormat) ||
        !SQXSettingsScript::ReadFlag(script, L"UseUniformPrintString", read.useUniformPrintString))
        return 0;
    CQXImprinterMessageList messages = *m_messages;
    if (!messages.ReadScript(script))
        return 0;
    for (int i = 0; i < PRINT_LINE_COUNT; ++i)
        if (!script.GetKeyValue(kPrintStringKeys[i], read.printStrings[i]))
            return 0;
    m_tarn = read;
    *m_messages = messages;
    return 1;
}

int CQXImprinterTarnAdapter::_DoWriteToScript(CZKScript& script)
{
    if (!CQXImprinterRidgeFullAdapter::_DoWriteToScript(script))
        return 0;
    CQXScriptSectionGuard section(script);
    section.Enter(L"Imprinter");
    if (!SQXSettingsScript::WriteInt(script, L"DateFormat", m_tarn.dateFormat) ||
        !SQXSettingsScript::WriteFlag(script, L"UseUniformPrintString", m_tarn.useUniformPrintString) ||
        !m_messages->WriteScript(script))
        return 0;
    for (int i = 0; i < PRINT_LINE_COUNT; ++i)
        if (!script.SetKeyValue(kPrintStringKeys[i], m_tarn.printStrings[i]))
            return 0;
    return 1;
}

int CQXImprinterTarnAdapter::_DoWriteConfigToScanner(CZKTWSourceManager* sourceManager)
{
    return CQXImprinterRidgeFullAdapter::_DoWriteConfigToScanner(sourceManager) &&
                   _WriteDateFormat(sourceManager, m_tarn.dateFormat) &&
                   SQXSettingsCaps::WriteWord(sourceManager, CAP_USE_UNIFORM_PRINT_STRING,
                                              static_cast<WORD>(m_tarn.useUniformPrintString)) &&
                   _WriteMessages(sourceManager, *m_messages)
               ? 1
               : 0;
}

int CQXImprinterTarnAdapter::_GetWriteSequenceString(char (&text)[256])
{
    for (int i = 0; i < PRINT_LINE_COUNT; ++i)
        if (!_SetPrintString(m_tarn.printStrings[i].c_str(), i * kPrintLineLength, text))
            return 0;
    return 1;
}

int CQXImprinterTarnAdapter::_SetPrintString(const wchar_t* formula, unsigned offset, char* out)
{
    std::map<std::wstring, std::wstring> tags;
    _GetReplaceTags(tags);
    std::wstring replaced = formula ? formula : L"";
    _ReplaceTags(replaced, tags);
    return _ConvertFormulaToPrintString(replaced.c_str(), out + offset, kPrintLineLength);
}

void CQXImprinterTarnAdapter::_GetReplaceTags(std::map<std::wstring, std::wstring>& tags) const
{
    tags.clear();
    CQXImageAddressAdapter* address = m_manipulator ? m_manipulator->GetImageAddressAdapter() : nullptr;
    if (!address)
        return;
    for (const wchar_t* tag : {L"<IA_FIXED_FIELD>", L"<IA_LEVEL_3>", L"<IA_LEVEL_2>", L"<IA_LEVEL_1>"})
        tags[tag] = L"";
    const QX_IMAGEADDRESS_FORMAT format = address->getAddressFormat();
    for (int i = 0; i < QX_IMAGEADDRESS_FORMAT::SLOT_COUNT; ++i)
        if (const wchar_t* tag = TagOfMark(format.slots[i].mark))
            tags[kReplaceKeys[i]] = tag;
}

// One pass over the text: a tag put in by a replacement is never replaced
// again, so a slot that prints its own part (the fixed field of slot 1, say)
// keeps it.
void CQXImprinterTarnAdapter::_ReplaceTags(std::wstring& text, const std::map<std::wstring, std::wstring>& tags)
{
    std::wstring result;
    for (size_t at = 0; at < text.size();)
    {
        const auto match = std::find_if(tags.begin(), tags.end(), [&](const auto& tag) {
            return !tag.first.empty() && text.compare(at, tag.first.size(), tag.first) == 0;
        });
        if (match == tags.end())
        {
            result += text[at++];
            continue;
        }
        result += match->second;
        at += match->first.size();
    }
    ReplaceAll(result, L".REPLACE", L"");
    text = result;
}
