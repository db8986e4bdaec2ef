#include <mirelight/QXImprinterRidgeFullAdapter.h>

#include "QXSettingsScript.h"

#include <brackwater/QXScriptSectionGuard.h>
#include <hollin/ZKBuffer.h>
#include <hollin/ZKScript.h>

#include <cmath>
#include <cstring>
#include <cwchar>
#include <string>

namespace
{
std::wstring InchesText(double inches)
{
    wchar_t text[64] = {};
    std::swprintf(text, 64, L"%.2f", inches);
    return text;
}
} // namespace

bool CQXImprinterRidgeFullAdapter::FULL_SETTINGS::operator==(const FULL_SETTINGS& o) const
{
    return enable == o.enable && index == o.index && dateDelimiter == o.dateDelimiter && font == o.font &&
           indexDigits == o.indexDigits && indexFormat == o.indexFormat && position == o.position;
}

CQXImprinterRidgeFullAdapter::CQXImprinterRidgeFullAdapter(double defaultPosition)
{
    m_full.position = defaultPosition;
}

int CQXImprinterRidgeFullAdapter::Compare(const CQXScannerSettingsAdapter& other) const
{
    const auto* full = dynamic_cast<const CQXImprinterRidgeFullAdapter*>(&other);
    return full && full->m_full == m_full ? 0 : -1;
}

void CQXImprinterRidgeFullAdapter::Copy(const CQXScannerSettingsAdapter& other)
{
    if (const auto* full = dynamic_cast<const CQXImprinterRidgeFullAdapter*>(&other))
        m_full = full->m_full;
}

int CQXImprinterRidgeFullAdapter::_DoReadFromBuffer(CZKBuffer& buffer)
{
    FULL_SETTINGS read;
    LONG enable = 0;
    LONG index = 0;
    if (!buffer.RW_R_long(enable) || !buffer.RW_R_long(index) || !buffer.RW_R_WORD(read.dateDelimiter) ||
        !buffer.RW_R_WORD(read.font) || !buffer.RW_R_WORD(read.indexDigits) || !buffer.RW_R_WORD(read.indexFormat) ||
        !buffer.RW_R_double(read.position))
        return 0;
    read.enable = enable ? 1 : 0;
    read.index = static_cast<unsigned>(index);
    m_full = read;
    return 1;
}

int CQXImprinterRidgeFullAdapter::_DoWriteToBuffer(CZKBuffer& buffer)
{
    return buffer.RW_W_long(m_full.enable) && buffer.RW_W_long(static_cast<LONG>(m_full.index)) &&
                   buffer.RW_W_WORD(m_full.dateDelimiter) && buffer.RW_W_WORD(m_full.font) &&
                   buffer.RW_W_WORD(m_full.indexDigits) && buffer.RW_W_WORD(m_full.indexFormat) &&
                   buffer.RW_W_double(m_full.position)
               ? 1
               : 0;
}

int CQXImprinterRidgeFullAdapter::_DoReadFromScript(CZKScript& script)
{
    CQXScriptSectionGuard section(script);
    section.Enter(L"Imprinter");
    FULL_SETTINGS read;
    int64_t index = 0;
    if (!SQXSettingsScript::ReadFlag(script, L"Enable", read.enable) || !script.R_int64(L"Index", index) ||
        index < 0 || index > UINT32_MAX || !SQXSettingsScript::ReadWord(script, L"DateDelimiter", read.dateDelimiter) ||
        !SQXSettingsScript::ReadWord(script, L"Font", read.font) ||
        !SQXSettingsScript::ReadWord(script, L"IndexDigits", read.indexDigits) ||
        !SQXSettingsScript::ReadWord(script, L"IndexFormat", read.indexFormat) ||
        !SQXSettingsScript::ReadDouble(script, L"Position", read.position))
        return 0;
    read.index = static_cast<unsigned>(index);
    m_full = read;
    return 1;
}

int CQXImprinterRidgeFullAdapter::_DoWriteToScript(CZKScript& script)
{
    CQXScriptSectionGuard section(script);
    section.Enter(L"Imprinter");
    // The counter goes beyond a signed int, so it is kept as a 64-bit value.
    return SQXSettingsScript::WriteFlag(script, L"Enable", m_full.enable) && script.W_int64(L"Index", m_full.index) &&
                   SQXSettingsScript::WriteInt(script, L"DateDelimiter", m_full.dateDelimiter) &&
                   SQXSettingsScript::WriteInt(script, L"Font", m_full.font) &&
                   SQXSettingsScript::WriteInt(script, L"IndexDigits", m_full.indexDigits) &&
                   SQXSettingsScript::WriteInt(script, L"IndexFormat", m_full.indexFormat) &&
                   SQXSettingsScript::WriteDouble(script, L"Position", m_full.position)
               ? 1
               : 0;
}

bool CQXImprinterRidgeFullAdapter::_CheckLimits()
{
    if (m_full.index > getIndexLimit())
    {
        _SetErrorText(L"MSG_IMPRINTER_INDEX_OUT_OF_RANGE", std::to_wstring(m_full.index).c_str(),
                      std::to_wstring(getIndexLimit()).c_str());
        return false;
    }
    if (m_full.indexDigits == 0 || m_full.indexDigits > getIndexDigitsLimit())
    {
        _SetErrorText(L"MSG_IMPRINTER_INDEXDIGITS_OUT_OF_RANGE", std::to_wstring(m_full.indexDigits).c_str(),
                      std::to_wstring(getIndexDigitsLimit()).c_str());
        return false;
    }
    double min = 0.0;
    double max = 0.0;
    getPositionLimit(min, max);
    if (!std::isfinite(m_full.position) || m_full.position < min || m_full.position > max)
    {
        _SetErrorText(L"MSG_IMPRINTER_POSITION_OUT_OF_RANGE", InchesText(m_full.position).c_str(),
                      InchesText(min).c_str(), InchesText(max).c_str());
        return false;
    }
    return true;
}

int CQXImprinterRidgeFullAdapter::_WriteToScanner(CZKTWSourceManager* sourceManager)
{
    if (!m_full.enable)
        return _WriteEnable(sourceManager, 0);

    char sequence[256] = {};
    std::memset(sequence, 'Z', getWriteSequenceStringLengthFixed());
    if (!_CheckLimits())
        return 0;
    if (!_GetWriteSequenceString(sequence))
    {
        _SetErrorText(L"MSG_IMPRINTER_WRITE_PRINTERWRITESEQUENCESTRING_FAILED",
                      static_cast<int>(getWriteSequenceStringResultLengthLimit()));
        return 0;
    }
    if (!_WriteEnable(sourceManager, 1))
        return 0;
    if (!_DoWriteConfigToScanner(sourceManager))
    {
        _WriteEnable(sourceManager, 0);
        return 0;
    }
    if (!_WriteWriteSequenceString(sourceManager, sequence))
    {
        _SetErrorText(L"MSG_IMPRINTER_WRITE_PRINTERWRITESEQUENCESTRING_FAILED",
                      static_cast<int>(getWriteSequenceStringResultLengthLimit()));
        _WriteEnable(sourceManager, 0);
        return 0;
    }
    return 1;
}

int CQXImprinterRidgeFullAdapter::_DoWriteConfigToScanner(CZKTWSourceManager* sourceManager)
{
    return _WriteIndex(sourceManager, m_full.index) && _WriteDateDelimiter(sourceManager, m_full.dateDelimiter) &&
                   _WriteFont(sourceManager, m_full.font) && _WriteIndexDigits(sourceManager, m_full.indexDigits) &&
                   _WriteIndexFormat(sourceManager, m_full.indexFormat) &&
                   _WritePosition(sourceManager, m_full.position)
               ? 1
               : 0;
}
