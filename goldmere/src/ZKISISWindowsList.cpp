#include <goldmere/ZKISISWindowsList.h>

#include "ZKISISScannerDriver.h"

namespace
{
const long kWindowIds[] = {1, 2, -1, -2};

int EntryIndex(long windowId)
{
    return windowId > 0 ? static_cast<int>(windowId - 1) : static_cast<int>(1 - windowId);
}

// The scan modes asked of each window and the flag each one sets: bitonal,
// grey (8 or 4 bits), colour.
struct ModeFlag
{
    int samplesPerPixel, bitsPerSample, flag;
};
const ModeFlag kModeFlags[] = {{1, 1, 1 << 0}, {1, 8, 1 << 2}, {1, 4, 1 << 2}, {3, 8, 1 << 3}};
} // namespace

CZKISISWindowsList::CZKISISWindowsList() : m_windows(4)
{
    for (int i = 0; i < 4; ++i)
        m_windows[i].WindowId = static_cast<int32_t>(kWindowIds[i]);
}

ZK_ISIS_WINDOWSINFO* CZKISISWindowsList::Find(long windowId)
{
    if (windowId == 0 || windowId > 2 || windowId < -2)
        return nullptr;
    return &m_windows[EntryIndex(windowId)];
}

BOOL CZKISISWindowsList::CreateList(CZKISISScannerDriver* driver)
{
    if (!driver || !driver->Supported(ZKISIS_TAG_WINDOW))
        return FALSE;
    long current = 0;
    if (!driver->GetLong(current, ZKISIS_TAG_WINDOW))
        return FALSE;
    const long count = driver->ChoiceCount(ZKISIS_TAG_WINDOW);
    BOOL read = count >= 0;
    for (long i = 0; read && i < count; ++i)
    {
        long windowId = 0;
        if (!driver->ChoiceLong(windowId, ZKISIS_TAG_WINDOW, static_cast<WORD>(i)))
            read = FALSE;
        else if (windowId != 0 && Find(windowId))
        {
            ZK_ISIS_WINDOWSINFO info;
            read = _GetCurrentScanOneWindow(info, driver, windowId);
            if (read)
                *Find(windowId) = info;
        }
    }
    driver->SetLong(current, ZKISIS_TAG_WINDOW);
    return read && _MarkEnabled(driver);
}

BOOL CZKISISWindowsList::_GetCurrentScanOneWindow(ZK_ISIS_WINDOWSINFO& info, CZKISISScannerDriver* driver,
                                                  long windowId)
{
    info = ZK_ISIS_WINDOWSINFO();
    info.WindowId = static_cast<int32_t>(windowId);
    if (!driver->SetLong(windowId, ZKISIS_TAG_WINDOW))
        return FALSE;
    long samples = 0, bits = 0, photometric = 0, compression = 0;
    float xResolution = 0, yResolution = 0;
    if (!driver->GetLong(samples, ZKISIS_TAG_SAMPLES_PER_PIXEL) || !driver->GetLong(bits, ZKISIS_TAG_BITS_PER_SAMPLE) ||
        !driver->GetLong(photometric, ZKISIS_TAG_PHOTOMETRIC) || !driver->GetLong(compression, ZKISIS_TAG_COMPRESSION) ||
        !driver->GetFloat(xResolution, ZKISIS_TAG_XRESOLUTION) || !driver->GetFloat(yResolution, ZKISIS_TAG_YRESOLUTION))
        return FALSE;
    info.SamplesPerPixel = static_cast<int32_t>(samples);
    info.BitsPerSample = static_cast<int32_t>(bits);
    info.Photometric = static_cast<int32_t>(photometric);
    info.Compression = static_cast<int32_t>(compression);
    info.XResolution = static_cast<int32_t>(xResolution);
    info.YResolution = static_cast<int32_t>(yResolution);
    const long choices = driver->ChoiceCount(ZKISIS_TAG_COMPRESSION);
    for (long i = 0; i < choices; ++i)
    {
        long choice = 0;
        if (!driver->ChoiceLong(choice, ZKISIS_TAG_COMPRESSION, static_cast<WORD>(i)))
            return FALSE;
        info.CompressionChoices.push_back(static_cast<int32_t>(choice));
    }
    info.Available = TRUE;
    info.Enabled = FALSE;
    return TRUE;
}

BOOL CZKISISWindowsList::_MarkEnabled(CZKISISScannerDriver* driver)
{
    const int scanType = driver->ScanType();
    long front = 0, back = 0;
    const bool needsFront = scanType >= 0 && scanType <= 5;
    const bool needsBack = scanType == 0 || scanType >= 4;
    if ((needsFront && !driver->GetLong(front, ZKISIS_TAG_FRONT_WINDOWS)) ||
        (needsBack && scanType != 0 && !driver->GetLong(back, ZKISIS_TAG_BACK_WINDOWS)))
        return FALSE;
    switch (scanType)
    {
    case 2:
    case 3: _EnableFirst(true, front); break;
    case 4:
    case 5:
        _EnableFirst(true, front);
        _EnableFirst(false, back);
        break;
    case 6: _EnableFirst(false, back); break;
    case 0:
        if (driver->SupportScanType(3) || driver->SupportScanType(2))
            _EnableFirst(true, front);
        else if (driver->GetLong(back, ZKISIS_TAG_BACK_WINDOWS))
            _EnableFirst(false, back);
        else
            return FALSE;
        break;
    default:
        // Other scan types are the driver's own; no window is known to be in use.
        return FALSE;
    }
    return TRUE;
}

void CZKISISWindowsList::_EnableFirst(bool front, long count)
{
    for (long n = 1; n <= count && n <= 2; ++n)
    {
        ZK_ISIS_WINDOWSINFO* window = Find(front ? n : -n);
        if (window->Available)
            window->Enabled = TRUE;
    }
}

BOOL CZKISISWindowsList::RetrieveExtraInfo(CZKISISScannerDriver* driver)
{
    if (!driver || !driver->Supported(ZKISIS_TAG_WINDOW))
        return FALSE;
    driver->SendPlain(ZKISIS_MSG_SAVE_TAGS);
    for (ZK_ISIS_WINDOWSINFO& window : m_windows)
    {
        if (!window.Available)
            continue;
        for (const ModeFlag& mode : kModeFlags)
            if (driver->ScanModeLegal(window.WindowId, mode.samplesPerPixel, mode.bitsPerSample))
                window.Flags |= mode.flag;
    }
    driver->SendPlain(ZKISIS_MSG_RESTORE_TAGS);
    return TRUE;
}

BOOL CZKISISWindowsList::GetAllWinodws(std::vector<ZK_ISIS_WINDOWSINFO>& windows) const
{
    windows = m_windows;
    return TRUE;
}

BOOL CZKISISWindowsList::GetAllAvailableWindows(std::vector<ZK_ISIS_WINDOWSINFO>& windows) const
{
    windows.clear();
    for (const ZK_ISIS_WINDOWSINFO& window : m_windows)
        if (window.Available)
            windows.push_back(window);
    return TRUE;
}

BOOL CZKISISWindowsList::GetAllEnableWindows(std::vector<ZK_ISIS_WINDOWSINFO>& windows) const
{
    windows.clear();
    for (const ZK_ISIS_WINDOWSINFO& window : m_windows)
        if (window.Enabled)
            windows.push_back(window);
    return TRUE;
}

int CZKISISWindowsList::GetAllAvailableWindowsCount() const
{
    std::vector<ZK_ISIS_WINDOWSINFO> windows;
    GetAllAvailableWindows(windows);
    return static_cast<int>(windows.size());
}

int CZKISISWindowsList::GetAllEnableWindowsCount() const
{
    std::vector<ZK_ISIS_WINDOWSINFO> windows;
    GetAllEnableWindows(windows);
    return static_cast<int>(windows.size());
}

CZKISISWindowsList& CZKISISWindowsList::CopyFrom(const CZKISISWindowsList& other)
{
    m_windows = other.m_windows;
    return *this;
}

// Entries are kept in their fixed places; records of unknown ids are ignored.
CZKISISWindowsList& CZKISISWindowsList::CopyFrom(const std::vector<ZK_ISIS_WINDOWSINFO>& windows)
{
    *this = CZKISISWindowsList();
    for (const ZK_ISIS_WINDOWSINFO& window : windows)
        if (ZK_ISIS_WINDOWSINFO* entry = Find(window.WindowId))
            *entry = window;
    return *this;
}
