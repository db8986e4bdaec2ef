#include <mirelight/QXImprinterHolmAdapter.h>

#include <brackwater/QXScriptSectionGuard.h>
#include <hollin/ZKBuffer.h>
#include <hollin/ZKScript.h>
#include <twaindefs/ZKTwainConstants.h>

CQXImprinterHolmAdapter::CQXImprinterHolmAdapter() : CQXImprinterRidgeFullAdapter(0.35) {}

int CQXImprinterHolmAdapter::Compare(const CQXScannerSettingsAdapter& other) const
{
    const auto* holm = dynamic_cast<const CQXImprinterHolmAdapter*>(&other);
    return holm && CQXImprinterRidgeFullAdapter::Compare(other) == 0 && holm->m_holm.suffix == m_holm.suffix &&
                   holm->m_holm.printString == m_holm.printString
               ? 0
               : -1;
}

void CQXImprinterHolmAdapter::Copy(const CQXScannerSettingsAdapter& other)
{
    if (const auto* holm = dynamic_cast<const CQXImprinterHolmAdapter*>(&other))
    {
        CQXImprinterRidgeFullAdapter::Copy(other);
        m_holm = holm->m_holm;
    }
}

int CQXImprinterHolmAdapter::_DoReadFromBuffer(CZKBuffer& buffer)
{
    HOLM_SETTINGS read;
    if (!CQXImprinterRidgeFullAdapter::_DoReadFromBuffer(buffer) || !buffer.RW_R_string(read.suffix) ||
        !buffer.RW_R_string(read.printString))
        return 0;
    m_holm = read;
    return 1;
}

int CQXImprinterHolmAdapter::_DoWriteToBuffer(CZKBuffer& buffer)
{
    return CQXImprinterRidgeFullAdapter::_DoWriteToBuffer(buffer) && buffer.RW_W_string(m_holm.suffix) &&
                   buffer.RW_W_string(m_holm.printString)
               ? 1
               : 0;
}

int CQXImprinterHolmAdapter::_DoReadFromScript(CZKScript& script)
{
    if (!CQXImprinterRidgeFullAdapter::_DoReadFromScript(script))
        return 0;
    CQXScriptSectionGuard section(script);
    section.Enter(L"Imprinter");
    HOLM_SETTINGS read;
    if (!script.GetKeyValue(L"Suffix", read.suffix) || !script.GetKeyValue(L"PrintString", read.printString))
        return 0;
    m_holm = read;
    return 1;
}

int CQXImprinterHolmAdapter::_DoWriteToScript(CZKScript& script)
{
    if (!CQXImprinterRidgeFullAdapter::_DoWriteToScript(script))
        return 0;
    CQXScriptSectionGuard section(script);
    section.Enter(L"Imprinter");
    return script.SetKeyValue(L"Suffix", m_holm.suffix) && script.SetKeyValue(L"PrintString", m_holm.printString)
               ? 1
               : 0;
}

int CQXImprinterHolmAdapter::_DoWriteConfigToScanner(CZKTWSourceManager* sourceManager)
{
    if (!CQXImprinterRidgeFullAdapter::_DoWriteConfigToScanner(sourceManager))
        return 0;
    return _WriteMessage(sourceManager, CAP_PRINTERSUFFIX, L"QX_IMPRINTER_EXPRESSION_MESSAGE_1",
                         m_holm.suffix.c_str(), static_cast<unsigned short>(getSuffixLengthLimit()));
}

int CQXImprinterHolmAdapter::_GetWriteSequenceString(char (&text)[256])
{
    return _ConvertFormulaToPrintString(m_holm.printString.c_str(), text,
                                        static_cast<unsigned short>(getWriteSequenceStringLengthLimit()));
}
