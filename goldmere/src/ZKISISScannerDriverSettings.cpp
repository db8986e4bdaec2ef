// Scan settings of the scanner driver module: scan types, windows, scan
// modes. Tag numbers and their meaning are the driver's; the layer only
// combines them.
#include <cwctype>

#include <goldmere/ZKISISWindowsList.h>

#include "ZKISISScannerDriver.h"

namespace
{
const int kFrontOnly = 3;
const int kBackOnly = 6;
const int kBothSides = 4;
const int kBothSidesAlternative = 5;
const long kAutoColorDetectTag = 1305;
const long kBlankPageRemovalTag = 1306;

bool IsDuplex(int type)
{
    return type == kBothSides || type == kBothSidesAlternative;
}
} // namespace

long CZKISISScannerDriver::_LongOr(WORD tag, long fallback)
{
    long value = fallback;
    if (!Supported(tag) || !GetLong(value, tag))
        return fallback;
    return value;
}

int CZKISISScannerDriver::ScanType()
{
    if (!m_module)
        return -1;
    long type = -1;
    if (!GetLong(type, ZKISIS_TAG_SCAN_TYPE))
        return -1;
    // This model reports its two-sided mode through tag 5440 only.
    std::wstring upper = m_driverName;
    for (wchar_t& c : upper)
        c = static_cast<wchar_t>(std::towupper(c));
    if (upper == L"DR2080C" && _LongOr(ZKISIS_TAG_SINGLE_SIDE_MODE, 0) == 1)
        return kBothSides;
    return static_cast<int>(type);
}

BOOL CZKISISScannerDriver::QueryAllSupportedScanType(std::vector<int>& types)
{
    types.clear();
    const long count = ChoiceCount(ZKISIS_TAG_SCAN_TYPE);
    if (count < 0)
        return FALSE;
    for (long i = 0; i < count; ++i)
    {
        long type = 0;
        if (!ChoiceLong(type, ZKISIS_TAG_SCAN_TYPE, static_cast<WORD>(i)))
            return FALSE;
        types.push_back(static_cast<int>(type));
    }
    return TRUE;
}

BOOL CZKISISScannerDriver::SupportScanType(int type)
{
    std::vector<int> types;
    if (!QueryAllSupportedScanType(types))
        return FALSE;
    for (int supported : types)
        if (supported == type)
            return TRUE;
    return FALSE;
}

BOOL CZKISISScannerDriver::AutoColorDectect()
{
    return _LongOr(kAutoColorDetectTag, 0) != 0;
}

BOOL CZKISISScannerDriver::AutoBlankPageRemove()
{
    return _LongOr(kBlankPageRemovalTag, 0) != 0;
}

BOOL CZKISISScannerDriver::PageSideLegal(int window)
{
    return window == 0 || IsChoice(ZKISIS_TAG_WINDOW, window);
}

// Images per side: the window counts of the sides the scan type scans.
BOOL CZKISISScannerDriver::ScanCountPerPageSide(int& front, int& back)
{
    front = back = 0;
    const int type = ScanType();
    if (type < 0)
        return FALSE;
    const bool windows = Supported(ZKISIS_TAG_WINDOW);
    const int frontWindows = windows ? static_cast<int>(_LongOr(ZKISIS_TAG_FRONT_WINDOWS, 1)) : 1;
    const int backWindows = windows ? static_cast<int>(_LongOr(ZKISIS_TAG_BACK_WINDOWS, 1)) : 1;
    if (type == 0 || type == 2 || type == kFrontOnly || IsDuplex(type))
        front = frontWindows;
    if (type == kBackOnly || IsDuplex(type))
        back = backWindows;
    return TRUE;
}

BOOL CZKISISScannerDriver::ImagesPerPage(int& front, int& back)
{
    if (_LongOr(ZKISIS_TAG_SINGLE_SIDE_MODE, 0) == 1 && !Supported(ZKISIS_TAG_PAGE_NUMBER))
    {
        front = 1;
        back = 0;
        return TRUE;
    }
    return ScanCountPerPageSide(front, back);
}

BOOL CZKISISScannerDriver::ScanModeLegal(int window, int samplesPerPixel, int bitsPerSample)
{
    if (window != 0 && (!PageSideLegal(window) || !SetLong(window, ZKISIS_TAG_WINDOW)))
        return FALSE;
    if (!IsChoice(ZKISIS_TAG_SAMPLES_PER_PIXEL, samplesPerPixel) ||
        !SetLong(samplesPerPixel, ZKISIS_TAG_SAMPLES_PER_PIXEL))
        return FALSE;
    return IsChoice(ZKISIS_TAG_BITS_PER_SAMPLE, bitsPerSample);
}

BOOL CZKISISScannerDriver::ScanModeLegalEx(int window, int samplesPerPixel, int bitsPerSample, int xResolution,
                                           int yResolution)
{
    return ScanModeLegal(window, samplesPerPixel, bitsPerSample) && IsChoice(ZKISIS_TAG_XRESOLUTION, xResolution) &&
           IsChoice(ZKISIS_TAG_YRESOLUTION, yResolution);
}

BOOL CZKISISScannerDriver::SetScanMode(int window, int samplesPerPixel, int bitsPerSample)
{
    // All three are attempted even when one fails.
    const BOOL windowSet = SetLong(window, ZKISIS_TAG_WINDOW);
    const BOOL samplesSet = SetLong(samplesPerPixel, ZKISIS_TAG_SAMPLES_PER_PIXEL);
    const BOOL bitsSet = SetLong(bitsPerSample, ZKISIS_TAG_BITS_PER_SAMPLE);
    return windowSet && samplesSet && bitsSet;
}

BOOL CZKISISScannerDriver::SetScanModeEx(int window, int samplesPerPixel, int bitsPerSample, int xResolution,
                                         int yResolution)
{
    const BOOL modeSet = SetScanMode(window, samplesPerPixel, bitsPerSample);
    const BOOL xSet = SetFloat(static_cast<float>(xResolution), ZKISIS_TAG_XRESOLUTION);
    const BOOL ySet = SetFloat(static_cast<float>(yResolution), ZKISIS_TAG_YRESOLUTION);
    return modeSet && xSet && ySet;
}

// Several images of one side: the side's window count can exceed one.
BOOL CZKISISScannerDriver::MultiStreamLegal(int front)
{
    const WORD tag = front ? ZKISIS_TAG_FRONT_WINDOWS : ZKISIS_TAG_BACK_WINDOWS;
    return Supported(ZKISIS_TAG_WINDOW) && Supported(tag) && IsChoice(tag, 2);
}

BOOL CZKISISScannerDriver::SetScannerParameters(int window, int samplesPerPixel, int bitsPerSample, int compression,
                                                unsigned xResolution, unsigned yResolution, int photometric,
                                                int frontWindows, int backWindows)
{
    BOOL all = TRUE;
    if (Supported(ZKISIS_TAG_WINDOW))
        all &= SetLong(window, ZKISIS_TAG_WINDOW);
    all &= SetLong(samplesPerPixel, ZKISIS_TAG_SAMPLES_PER_PIXEL);
    all &= SetLong(bitsPerSample, ZKISIS_TAG_BITS_PER_SAMPLE);
    all &= SetLong(compression, ZKISIS_TAG_COMPRESSION);
    all &= SetFloat(static_cast<float>(xResolution), ZKISIS_TAG_XRESOLUTION);
    all &= SetFloat(static_cast<float>(yResolution), ZKISIS_TAG_YRESOLUTION);
    all &= SetLong(photometric, ZKISIS_TAG_PHOTOMETRIC);
    if (frontWindows > 0 && Supported(ZKISIS_TAG_FRONT_WINDOWS))
        all &= SetLong(frontWindows, ZKISIS_TAG_FRONT_WINDOWS);
    if (backWindows > 0 && Supported(ZKISIS_TAG_BACK_WINDOWS))
        all &= SetLong(backWindows, ZKISIS_TAG_BACK_WINDOWS);
    return all ? TRUE : FALSE;
}

BOOL CZKISISScannerDriver::ScanAsFrontSide()
{
    return SupportScanType(kFrontOnly) && _ScanAs(kFrontOnly);
}

BOOL CZKISISScannerDriver::ScanAsBackSide()
{
    return SupportScanType(kBackOnly) && _ScanAs(kBackOnly);
}

BOOL CZKISISScannerDriver::ScanAsBothSide()
{
    if (SupportScanType(kBothSides))
        return _ScanAs(kBothSides);
    return SupportScanType(kBothSidesAlternative) && _ScanAs(kBothSidesAlternative);
}

BOOL CZKISISScannerDriver::_ScanAs(int scanType)
{
    if (!Supported(ZKISIS_TAG_WINDOW))
        return SetLong(scanType, ZKISIS_TAG_SCAN_TYPE);
    return _ScanAsThroughWindows(scanType);
}

// With windows the scan type decides which windows are in use; the type is
// set and the resulting window list must enable at least one window.
BOOL CZKISISScannerDriver::_ScanAsThroughWindows(int scanType)
{
    if (!SetLong(scanType, ZKISIS_TAG_SCAN_TYPE))
        return FALSE;
    CZKISISWindowsList windows;
    return windows.CreateList(this) && windows.GetAllEnableWindowsCount() > 0;
}

BOOL CZKISISScannerDriver::GetWindowsList(CZKISISWindowsList& windows)
{
    CZKISISWindowsList fresh;
    if (!fresh.CreateList(this) || !fresh.RetrieveExtraInfo(this))
        return FALSE;
    windows.CopyFrom(fresh);
    return TRUE;
}

// The windows as the driver's defaults have them; the current settings are
// put back before the legal scan modes are asked, which saves tags itself.
BOOL CZKISISScannerDriver::GetInitialWindows(CZKISISWindowsList& windows)
{
    if (!SendPlain(ZKISIS_MSG_SAVE_TAGS))
        return FALSE;
    SendPlain(ZKISIS_MSG_SET_ALL_DEFAULT);
    CZKISISWindowsList fresh;
    const BOOL listed = fresh.CreateList(this);
    SendPlain(ZKISIS_MSG_RESTORE_TAGS);
    if (!listed || !fresh.RetrieveExtraInfo(this))
        return FALSE;
    windows.CopyFrom(fresh);
    return TRUE;
}
