// The manager's tag and scan-setting operations: each goes to the scanner
// driver module, failing when Initialize has not created it.
#include <goldmere/ZKISISManager.h>

#include "ZKISISScannerDriver.h"

BOOL CZKISISManager::TagCreate(const WORD& tag, const EZKISISTagValueType& type)
{
    return m_scanner && m_scanner->TagCreate(tag, type);
}

BOOL CZKISISManager::TagOneValueGet(long& value, const WORD& tag, const WORD& index)
{
    return m_scanner && m_scanner->GetLong(value, tag, index);
}

BOOL CZKISISManager::TagOneValueGet(float& value, const WORD& tag, const WORD& index)
{
    return m_scanner && m_scanner->GetFloat(value, tag, index);
}

BOOL CZKISISManager::TagOneValueGet(std::wstring& value, const WORD& tag, const WORD& index)
{
    return m_scanner && m_scanner->GetText(value, tag, index);
}

long CZKISISManager::TagValueLength(const WORD& tag)
{
    return m_scanner ? m_scanner->ValueLength(tag) : -1;
}

BOOL CZKISISManager::TagOneValueSet(const std::wstring& value, const WORD& tag, const WORD& index)
{
    return m_scanner && m_scanner->SetText(value, tag, index);
}

BOOL CZKISISManager::TagOneValueSet(const long& value, const WORD& tag, const WORD& index)
{
    return m_scanner && m_scanner->SetLong(value, tag, index);
}

BOOL CZKISISManager::TagOneValueSet(const float& value, const WORD& tag, const WORD& index)
{
    return m_scanner && m_scanner->SetFloat(value, tag, index);
}

BOOL CZKISISManager::TagSupported(const WORD& tag)
{
    return m_scanner && m_scanner->Supported(tag);
}

long CZKISISManager::TagChoiceCount(const WORD& tag)
{
    return m_scanner ? m_scanner->ChoiceCount(tag) : -1;
}

BOOL CZKISISManager::TagChoiceValueGet(long& value, const WORD& tag, const WORD& index)
{
    return m_scanner && m_scanner->ChoiceLong(value, tag, index);
}

BOOL CZKISISManager::TagChoiceValueGet(float& value, const WORD& tag, const WORD& index)
{
    return m_scanner && m_scanner->ChoiceFloat(value, tag, index);
}

BOOL CZKISISManager::TagChoiceValueGet(std::wstring& value, const WORD& tag, const WORD& index)
{
    return m_scanner && m_scanner->ChoiceText(value, tag, index);
}

BOOL CZKISISManager::TagType(DWORD& type, const WORD& tag)
{
    return m_scanner && m_scanner->Type(type, tag);
}

long CZKISISManager::TagValueType(const WORD& tag)
{
    return m_scanner ? m_scanner->ValueType(tag) : -1;
}

BOOL CZKISISManager::TagRangeValueGet(long& minimum, long& maximum, long& step, const WORD& tag)
{
    return m_scanner && m_scanner->RangeGet(minimum, maximum, step, tag);
}

BOOL CZKISISManager::SetAllAsDefault()
{
    return m_scanner && m_scanner->SendPlain(ZKISIS_MSG_SET_ALL_DEFAULT);
}

BOOL CZKISISManager::SaveAllTags()
{
    return m_scanner && m_scanner->SendPlain(ZKISIS_MSG_SAVE_TAGS);
}

BOOL CZKISISManager::FlushAllTags()
{
    return m_scanner && m_scanner->SendPlain(ZKISIS_MSG_FLUSH_TAGS);
}

BOOL CZKISISManager::RestoreAllTags()
{
    return m_scanner && m_scanner->SendPlain(ZKISIS_MSG_RESTORE_TAGS);
}

int CZKISISManager::ScanType()
{
    return m_scanner ? m_scanner->ScanType() : -1;
}

BOOL CZKISISManager::QueryAllSupportedScanType(std::vector<int>& types)
{
    return m_scanner && m_scanner->QueryAllSupportedScanType(types);
}

BOOL CZKISISManager::SupportScanType(int type)
{
    return m_scanner && m_scanner->SupportScanType(type);
}

BOOL CZKISISManager::AutoColorDectect()
{
    return m_scanner && m_scanner->AutoColorDectect();
}

BOOL CZKISISManager::AutoBlankPageRemove()
{
    return m_scanner && m_scanner->AutoBlankPageRemove();
}

BOOL CZKISISManager::PageSideLegal(const int& window)
{
    return m_scanner && m_scanner->PageSideLegal(window);
}

BOOL CZKISISManager::ScanCountPerPageSide(int& front, int& back)
{
    return m_scanner && m_scanner->ScanCountPerPageSide(front, back);
}

BOOL CZKISISManager::ImagesPerPage(int& front, int& back)
{
    return m_scanner && m_scanner->ImagesPerPage(front, back);
}

BOOL CZKISISManager::ScanModeLegal(const int& window, const int& samplesPerPixel, const int& bitsPerSample)
{
    return m_scanner && m_scanner->ScanModeLegal(window, samplesPerPixel, bitsPerSample);
}

BOOL CZKISISManager::ScanModeLegalEx(const int& window, const int& samplesPerPixel, const int& bitsPerSample,
                                     const int& xResolution, const int& yResolution)
{
    return m_scanner && m_scanner->ScanModeLegalEx(window, samplesPerPixel, bitsPerSample, xResolution, yResolution);
}

BOOL CZKISISManager::SetScanMode(const int& window, const int& samplesPerPixel, const int& bitsPerSample)
{
    return m_scanner && m_scanner->SetScanMode(window, samplesPerPixel, bitsPerSample);
}

BOOL CZKISISManager::SetScanModeEx(const int& window, const int& samplesPerPixel, const int& bitsPerSample,
                                   const int& xResolution, const int& yResolution)
{
    return m_scanner && m_scanner->SetScanModeEx(window, samplesPerPixel, bitsPerSample, xResolution, yResolution);
}

BOOL CZKISISManager::MultiStreamLegal(int front)
{
    return m_scanner && m_scanner->MultiStreamLegal(front);
}

BOOL CZKISISManager::SetScannerParameters(int window, int samplesPerPixel, int bitsPerSample, int compression,
                                          unsigned xResolution, unsigned yResolution, int photometric,
                                          int frontWindows, int backWindows)
{
    return m_scanner && m_scanner->SetScannerParameters(window, samplesPerPixel, bitsPerSample, compression,
                                                        xResolution, yResolution, photometric, frontWindows,
                                                        backWindows);
}

BOOL CZKISISManager::ScanAsFrontSide()
{
    return m_scanner && m_scanner->ScanAsFrontSide();
}

BOOL CZKISISManager::ScanAsBackSide()
{
    return m_scanner && m_scanner->ScanAsBackSide();
}

BOOL CZKISISManager::ScanAsBothSide()
{
    return m_scanner && m_scanner->ScanAsBothSide();
}

BOOL CZKISISManager::ScanAheadMode()
{
    return m_scanner && m_scanner->ScanAheadMode();
}

BOOL CZKISISManager::EnableScanAhead(BOOL enable)
{
    if (!m_scanner)
        return FALSE;
    m_scanner->EnableScanAhead(enable);
    return TRUE;
}

BOOL CZKISISManager::GetWindowsList(CZKISISWindowsList& windows)
{
    return m_scanner && m_scanner->GetWindowsList(windows);
}

BOOL CZKISISManager::GetInitialWindows(CZKISISWindowsList& windows)
{
    return m_scanner && m_scanner->GetInitialWindows(windows);
}
