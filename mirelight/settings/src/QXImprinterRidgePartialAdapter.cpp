#include <mirelight/QXImprinterRidgePartialAdapter.h>

#include "QXImprinterMessageList.h"

#include <brackwater/QXScriptSectionGuard.h>

CQXImprinterRidgePartialAdapter::CQXImprinterRidgePartialAdapter(std::unique_ptr<CQXImprinterMessageList> messages)
    : m_messages(std::move(messages))
{
}

CQXImprinterRidgePartialAdapter::~CQXImprinterRidgePartialAdapter() = default;

int CQXImprinterRidgePartialAdapter::Compare(const CQXScannerSettingsAdapter& other) const
{
    const auto* partial = dynamic_cast<const CQXImprinterRidgePartialAdapter*>(&other);
    return partial && partial->GetFamilyCode() == GetFamilyCode() && *partial->m_messages == *m_messages ? 0 : -1;
}

void CQXImprinterRidgePartialAdapter::Copy(const CQXScannerSettingsAdapter& other)
{
    const auto* partial = dynamic_cast<const CQXImprinterRidgePartialAdapter*>(&other);
    if (partial && partial->GetFamilyCode() == GetFamilyCode())
        *m_messages = *partial->m_messages;
}

int CQXImprinterRidgePartialAdapter::_DoReadFromBuffer(CZKBuffer& buffer)
{
    return m_messages->ReadBuffer(buffer) ? 1 : 0;
}

int CQXImprinterRidgePartialAdapter::_DoWriteToBuffer(CZKBuffer& buffer)
{
    return m_messages->WriteBuffer(buffer) ? 1 : 0;
}

int CQXImprinterRidgePartialAdapter::_DoReadFromScript(CZKScript& script)
{
    CQXScriptSectionGuard section(script);
    section.Enter(L"Imprinter");
    return m_messages->ReadScript(script) ? 1 : 0;
}

int CQXImprinterRidgePartialAdapter::_DoWriteToScript(CZKScript& script)
{
    CQXScriptSectionGuard section(script);
    section.Enter(L"Imprinter");
    return m_messages->WriteScript(script) ? 1 : 0;
}

int CQXImprinterRidgePartialAdapter::_WriteToScanner(CZKTWSourceManager* sourceManager)
{
    int enabled = 0;
    if (!_ReadEnable(sourceManager, enabled))
        return 0;
    if (!enabled && !_WriteEnable(sourceManager, 1))
        return 0;
    const int written = _DoWriteConfigToScanner(sourceManager);
    if (!enabled || !written)
        _WriteEnable(sourceManager, 0);
    return written;
}

int CQXImprinterRidgePartialAdapter::_DoWriteConfigToScanner(CZKTWSourceManager* sourceManager)
{
    return _WriteMessages(sourceManager, *m_messages);
}

bool CQXImprinterRidgePartialAdapter::_GetMessage(int index, std::wstring& text) const
{
    if (index < 1 || index > static_cast<int>(m_messages->Count()))
        return false;
    text = m_messages->Text(index - 1);
    return true;
}

bool CQXImprinterRidgePartialAdapter::_SetMessage(int index, const std::wstring& text)
{
    if (index < 1 || index > static_cast<int>(m_messages->Count()))
        return false;
    m_messages->SetText(index - 1, text);
    return true;
}
