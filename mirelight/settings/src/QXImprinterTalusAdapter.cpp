#include <mirelight/QXImprinterTalusAdapter.h>

#include "QXImprinterCommandTable.h"
#include "QXImprinterMessageList.h"
#include "QXSettingsCaps.h"
#include "QXSettingsScript.h"

#include <brackwater/QXScriptSectionGuard.h>
#include <hollin/ZKBuffer.h>

namespace
{
constexpr WORD CAP_MESSAGE_INDEX = 0x808A;

const SQXImprinterCommandTable::COMMAND kCommands[] = {
    {L"MESSAGE_1", 'S', -1},
    {L"MESSAGE_2", '2', -1},
    {L"MESSAGE_3", '3', -1},
    {L"MESSAGE_4", '4', -1},
    {L"MESSAGE_5", '5', -1},
    {L"MESSAGE_6", '6', -1},
    {L"SCANNER_COUNTER", 'C', 1},
    {L"SCANNER_DATE_MMDDYYYY", 'D', 8},
    {L"SCANNER_DATE_DDMMYYYY", 'E', 8},
    {L"SCANNER_DATE_YYYYMMDD", 'F', 8},
    {L"SCANNER_TIME", 'T', 8},
    {L"SPACE", 'B', 1},
};

const CQXImprinterMessageList::SLOT kMessages[] = {
    {L"WriteSequenceMessage2", 0x800D, L"QX_IMPRINTER_EXPRESSION_MESSAGE_2"},
    {L"WriteSequenceMessage3", 0x800E, L"QX_IMPRINTER_EXPRESSION_MESSAGE_3"},
    {L"WriteSequenceMessage4", 0x800F, L"QX_IMPRINTER_EXPRESSION_MESSAGE_4"},
    {L"WriteSequenceMessage5", 0x8010, L"QX_IMPRINTER_EXPRESSION_MESSAGE_5"},
    {L"WriteSequenceMessage6", 0x8011, L"QX_IMPRINTER_EXPRESSION_MESSAGE_6"},
};
constexpr int kFirstListedMessage = 2;
constexpr int kLastMessage = 6;
} // namespace

CQXImprinterTalusAdapter::CQXImprinterTalusAdapter() : m_messages(std::make_unique<CQXImprinterMessageList>(kMessages))
{
}

CQXImprinterTalusAdapter::~CQXImprinterTalusAdapter() = default;

void CQXImprinterTalusAdapter::GetSupportedCommands(std::vector<QX_IMPRINTER_EXPRESSION>& commands) const
{
    SQXImprinterCommandTable::Fill(kCommands, commands);
}

void CQXImprinterTalusAdapter::getWriteSequenceMessage(int index, std::wstring& text) const
{
    if (index == 1)
        text = getSuffix();
    else if (index >= kFirstListedMessage && index <= kLastMessage)
        text = m_messages->Text(index - kFirstListedMessage);
}

int CQXImprinterTalusAdapter::setWriteSequenceMessage(int index, const std::wstring& text)
{
    if (index == 1)
        setSuffix(text);
    else if (index >= kFirstListedMessage && index <= kLastMessage)
        m_messages->SetText(index - kFirstListedMessage, text);
    else
        return 0;
    return 1;
}

bool CQXImprinterTalusAdapter::_IsMessageIndexInRange(WORD index) const
{
    return index >= 1 && index <= getWriteSequenceMessageIndexLimit();
}

int CQXImprinterTalusAdapter::setWriteSequenceMessageIndex(unsigned short index)
{
    if (!_IsMessageIndexInRange(index))
        return 0;
    m_messageIndex = index;
    return 1;
}

int CQXImprinterTalusAdapter::Compare(const CQXScannerSettingsAdapter& other) const
{
    const auto* talus = dynamic_cast<const CQXImprinterTalusAdapter*>(&other);
    return talus && CQXImprinterHolmAdapter::Compare(other) == 0 && *talus->m_messages == *m_messages &&
                   talus->m_messageIndex == m_messageIndex
               ? 0
               : -1;
}

void CQXImprinterTalusAdapter::Copy(const CQXScannerSettingsAdapter& other)
{
    if (const auto* talus = dynamic_cast<const CQXImprinterTalusAdapter*>(&other))
    {
        CQXImprinterHolmAdapter::Copy(other);
        *m_messages = *talus->m_messages;
        m_messageIndex = talus->m_messageIndex;
    }
}

int CQXImprinterTalusAdapter::_DoReadFromBuffer(CZKBuffer& buffer)
{
    if (!CQXImprinterHolmAdapter::_DoReadFromBuffer(buffer))
        return 0;
    CQXImprinterMessageList messages = *m_messages;
    WORD index = 0;
    if (!messages.ReadBuffer(buffer) || !buffer.RWRead(&index, sizeof(index)) || !_IsMessageIndexInRange(index))
        return 0;
    *m_messages = messages;
    m_messageIndex = index;
    return 1;
}

int CQXImprinterTalusAdapter::_DoWriteToBuffer(CZKBuffer& buffer)
{
    return CQXImprinterHolmAdapter::_DoWriteToBuffer(buffer) && m_messages->WriteBuffer(buffer) &&
                   buffer.RWWrite(&m_messageIndex, sizeof(m_messageIndex))
               ? 1
               : 0;
}

int CQXImprinterTalusAdapter::_DoReadFromScript(CZKScript& script)
{
    if (!CQXImprinterHolmAdapter::_DoReadFromScript(script))
        return 0;
    CQXScriptSectionGuard section(script);
    section.Enter(L"Imprinter");
    CQXImprinterMessageList messages = *m_messages;
    WORD index = 0;
    if (!messages.ReadScript(script) || !SQXSettingsScript::ReadWord(script, L"WriteSequenceMessageIndex", index) ||
        !_IsMessageIndexInRange(index))
        return 0;
    *m_messages = messages;
    m_messageIndex = index;
    return 1;
}

int CQXImprinterTalusAdapter::_DoWriteToScript(CZKScript& script)
{
    if (!CQXImprinterHolmAdapter::_DoWriteToScript(script))
        return 0;
    CQXScriptSectionGuard section(script);
    section.Enter(L"Imprinter");
    return m_messages->WriteScript(script) &&
                   SQXSettingsScript::WriteInt(script, L"WriteSequenceMessageIndex", m_messageIndex)
               ? 1
               : 0;
}

int CQXImprinterTalusAdapter::_DoWriteConfigToScanner(CZKTWSourceManager* sourceManager)
{
    return CQXImprinterHolmAdapter::_DoWriteConfigToScanner(sourceManager) &&
                   SQXSettingsCaps::WriteWord(sourceManager, CAP_MESSAGE_INDEX, m_messageIndex) &&
                   _WriteMessages(sourceManager, *m_messages)
               ? 1
               : 0;
}
