#include "QXISISCameraExchange.h"

#include <goldmere/ZKISISWindowsList.h>

#include <vector>

namespace
{
constexpr WORD kBitsPerSampleTag = 258;
constexpr WORD kSamplesPerPixelTag = 277;
constexpr WORD kPhotometricTag = 262;
constexpr WORD kXResolutionTag = 282;
constexpr WORD kYResolutionTag = 283;
constexpr WORD kScanTypeTag = 1300;
constexpr WORD kWindowTag = 1690;
constexpr WORD kBackWindowsTag = 1707;
constexpr WORD kFrontWindowsTag = 1708;

constexpr long kPalette = 3;

// The window of each camera slot.
const long kCameraWindows[QX_SCANNER_CAMERAINFO::CAMERA_COUNT] = {1, 2, -1, -2};
constexpr int kFrontCamera = 0;
constexpr int kBackCamera = 2;

bool Contains(const std::vector<ZK_ISIS_WINDOWSINFO>& windows, long id)
{
    for (const ZK_ISIS_WINDOWSINFO& window : windows)
        if (window.WindowId == id)
            return true;
    return false;
}

const ZK_ISIS_WINDOWSINFO* Find(const std::vector<ZK_ISIS_WINDOWSINFO>& windows, long id)
{
    for (const ZK_ISIS_WINDOWSINFO& window : windows)
        if (window.WindowId == id)
            return &window;
    return nullptr;
}

int MaskOfFlags(int32_t flags)
{
    int mask = 0;
    if (flags & 0x1)
        mask |= QX_SCANNER_CAMERA::MODE_BITONAL;
    if (flags & 0x4)
        mask |= QX_SCANNER_CAMERA::MODE_GRAY;
    if (flags & 0x8)
        mask |= QX_SCANNER_CAMERA::MODE_COLOR;
    return mask;
}

bool IsFrontScanType(int type)
{
    return type == 0 || type == 2 || type == 3 || type == 4 || type == 5;
}

bool IsBackScanType(int type)
{
    return type == 4 || type == 5 || type == 6;
}

// How many of a side's two cameras are in use: the driver enables the
// first n windows of a side.
int EnabledWindows(const QX_SCANNER_CAMERAINFO& info, int firstCamera)
{
    if (info.cameras[firstCamera + 1].bEnabled)
        return 2;
    return info.cameras[firstCamera].bEnabled ? 1 : 0;
}
} // namespace

bool CQXISISCameraExchange::ModeLayout(int mode, long& samples, long& bits)
{
    switch (mode)
    {
    case QX_SCANNER_CAMERA::MODE_BITONAL:
        samples = 1;
        bits = 1;
        return true;
    case QX_SCANNER_CAMERA::MODE_GRAY:
        samples = 1;
        bits = 8;
        return true;
    case QX_SCANNER_CAMERA::MODE_COLOR:
        samples = 3;
        bits = 8;
        return true;
    default:
        return false;
    }
}

int CQXISISCameraExchange::ModeOf(long samples, long bits, long photometric)
{
    if (samples == 1 && bits == 1)
        return QX_SCANNER_CAMERA::MODE_BITONAL;
    if (samples == 1 && (bits == 4 || bits == 8))
        return photometric == kPalette ? QX_SCANNER_CAMERA::MODE_COLOR
                                       : QX_SCANNER_CAMERA::MODE_GRAY;
    if (samples == 3 && (bits == 8 || bits == 1))
        return QX_SCANNER_CAMERA::MODE_COLOR;
    return 0;
}

BOOL CQXISISCameraExchange::Read(QX_SCANNER_CAMERAINFO& info)
{
    info.reset();
    const BOOL cameras =
        m_manager.TagSupported(kWindowTag) ? _ReadWindows(info) : _ReadSingleWindow(info);
    if (!cameras)
        return FALSE;
    info.bAutoColorDetect = m_manager.AutoColorDectect();
    info.bDuplex = m_manager.SupportScanType(4) || m_manager.SupportScanType(5) ? TRUE : FALSE;
    info.bMultiStream =
        m_manager.MultiStreamLegal(1) || m_manager.MultiStreamLegal(0) ? TRUE : FALSE;
    _ReadResolutions(info);
    return TRUE;
}

BOOL CQXISISCameraExchange::_ReadWindows(QX_SCANNER_CAMERAINFO& info)
{
    CZKISISWindowsList combined;
    if (!_CombinedWindows(combined))
        return FALSE;
    std::vector<ZK_ISIS_WINDOWSINFO> available;
    std::vector<ZK_ISIS_WINDOWSINFO> enabled;
    combined.GetAllAvailableWindows(available);
    combined.GetAllEnableWindows(enabled);
    for (int i = 0; i < QX_SCANNER_CAMERAINFO::CAMERA_COUNT; ++i)
    {
        const ZK_ISIS_WINDOWSINFO* window = Find(available, kCameraWindows[i]);
        if (!window)
            continue;
        QX_SCANNER_CAMERA& camera = info.cameras[i];
        camera.bAvailable = TRUE;
        camera.nColorMode =
            ModeOf(window->SamplesPerPixel, window->BitsPerSample, window->Photometric);
        camera.XResolution.value = static_cast<WORD>(window->XResolution);
        camera.YResolution.value = static_cast<WORD>(window->YResolution);
        camera.nColorModeMask = MaskOfFlags(window->Flags);
        camera.bEnabled = Contains(enabled, kCameraWindows[i]) ? TRUE : FALSE;
    }
    return TRUE;
}

// The current windows, completed by the driver's initial ones: a window the
// current settings leave out is still one the scanner has. Only the current
// settings say which windows are enabled.
BOOL CQXISISCameraExchange::_CombinedWindows(CZKISISWindowsList& combined)
{
    CZKISISWindowsList current;
    CZKISISWindowsList initial;
    if (!m_manager.GetWindowsList(current) || !m_manager.GetInitialWindows(initial))
        return FALSE;
    std::vector<ZK_ISIS_WINDOWSINFO> windows;
    current.GetAllWinodws(windows);
    std::vector<ZK_ISIS_WINDOWSINFO> initialWindows;
    initial.GetAllWinodws(initialWindows);
    for (ZK_ISIS_WINDOWSINFO& window : windows)
    {
        const ZK_ISIS_WINDOWSINFO* fallback = Find(initialWindows, window.WindowId);
        if (window.Available || !fallback || !fallback->Available)
            continue;
        window = *fallback;
        window.Enabled = FALSE;
    }
    combined.CopyFrom(windows);
    return TRUE;
}

BOOL CQXISISCameraExchange::_ReadSingleWindow(QX_SCANNER_CAMERAINFO& info)
{
    long samples = 0;
    long bits = 0;
    long photometric = 0;
    float x = 0;
    float y = 0;
    if (!m_manager.TagOneValueGet(samples, kSamplesPerPixelTag) ||
        !m_manager.TagOneValueGet(bits, kBitsPerSampleTag) ||
        !m_manager.TagOneValueGet(x, kXResolutionTag) ||
        !m_manager.TagOneValueGet(y, kYResolutionTag))
        return FALSE;
    if (m_manager.TagSupported(kPhotometricTag))
        m_manager.TagOneValueGet(photometric, kPhotometricTag);
    const int type = m_manager.ScanType();
    const bool sides[2] = {_CanScanFront(), _CanScanBack()};
    const bool inUse[2] = {type < 0 ? sides[0] : IsFrontScanType(type),
                           type >= 0 && IsBackScanType(type)};
    const int mask = _SingleWindowModeMask();
    for (int side = 0; side < 2; ++side)
    {
        if (!sides[side])
            continue;
        QX_SCANNER_CAMERA& camera = info.cameras[side == 0 ? kFrontCamera : kBackCamera];
        camera.bAvailable = TRUE;
        camera.bEnabled = inUse[side] ? TRUE : FALSE;
        camera.nColorMode = ModeOf(samples, bits, photometric);
        camera.nColorModeMask = mask;
        camera.XResolution.value = static_cast<WORD>(x);
        camera.YResolution.value = static_cast<WORD>(y);
    }
    return TRUE;
}

bool CQXISISCameraExchange::_CanScanFront()
{
    if (!m_manager.TagSupported(kScanTypeTag))
        return true;
    for (int type : {2, 3, 4, 5})
        if (m_manager.SupportScanType(type))
            return true;
    return false;
}

bool CQXISISCameraExchange::_CanScanBack()
{
    for (int type : {4, 5, 6})
        if (m_manager.SupportScanType(type))
            return true;
    return false;
}

// The modes the choices of the single setting allow, as the window flags
// would report them.
int CQXISISCameraExchange::_SingleWindowModeMask()
{
    int mask = 0;
    const bool oneSample = _IsChoice(kSamplesPerPixelTag, 1);
    if (oneSample && _IsChoice(kBitsPerSampleTag, 1))
        mask |= QX_SCANNER_CAMERA::MODE_BITONAL;
    if (oneSample && (_IsChoice(kBitsPerSampleTag, 8) || _IsChoice(kBitsPerSampleTag, 4)))
        mask |= QX_SCANNER_CAMERA::MODE_GRAY;
    if (_IsChoice(kSamplesPerPixelTag, 3) && _IsChoice(kBitsPerSampleTag, 8))
        mask |= QX_SCANNER_CAMERA::MODE_COLOR;
    return mask;
}

bool CQXISISCameraExchange::_IsChoice(WORD tag, long value)
{
    const long count = m_manager.TagChoiceCount(tag);
    for (long i = 0; i < count; ++i)
    {
        long choice = 0;
        if (m_manager.TagChoiceValueGet(choice, tag, static_cast<WORD>(i)) && choice == value)
            return true;
    }
    return false;
}

void CQXISISCameraExchange::_ReadResolutions(QX_SCANNER_CAMERAINFO& info)
{
    info.resolutions.clear();
    const long count = m_manager.TagChoiceCount(kXResolutionTag);
    for (long i = 0; i < count; ++i)
    {
        float value = 0;
        if (m_manager.TagChoiceValueGet(value, kXResolutionTag, static_cast<WORD>(i)))
            info.resolutions.push_back(static_cast<int32_t>(value));
    }
}

BOOL CQXISISCameraExchange::Write(const QX_SCANNER_CAMERAINFO& info)
{
    return m_manager.TagSupported(kWindowTag) ? _WriteWindows(info) : _WriteSingleWindow(info);
}

// Each available window takes its camera's mode and resolution; the enabled
// cameras decide the scan type and how many windows of each side are used.
BOOL CQXISISCameraExchange::_WriteWindows(const QX_SCANNER_CAMERAINFO& info)
{
    CZKISISWindowsList current;
    if (!m_manager.GetWindowsList(current))
        return FALSE;
    std::vector<ZK_ISIS_WINDOWSINFO> available;
    current.GetAllAvailableWindows(available);
    long selected = 0;
    const BOOL hadSelection = m_manager.TagOneValueGet(selected, kWindowTag);
    BOOL all = TRUE;
    for (int i = 0; i < QX_SCANNER_CAMERAINFO::CAMERA_COUNT; ++i)
    {
        const QX_SCANNER_CAMERA& camera = info.cameras[i];
        long samples = 0;
        long bits = 0;
        if (!camera.bAvailable || !Contains(available, kCameraWindows[i]) ||
            !ModeLayout(camera.nColorMode, samples, bits))
            continue;
        const int window = static_cast<int>(kCameraWindows[i]);
        all &= m_manager.SetScanModeEx(window, static_cast<int>(samples), static_cast<int>(bits),
                                       camera.XResolution.value, camera.YResolution.value);
    }
    all &= _WriteScanType(EnabledWindows(info, kFrontCamera), EnabledWindows(info, kBackCamera));
    if (hadSelection)
        m_manager.TagOneValueSet(selected, kWindowTag);
    return all ? TRUE : FALSE;
}

BOOL CQXISISCameraExchange::_WriteScanType(int frontWindows, int backWindows)
{
    BOOL all = TRUE;
    if (frontWindows > 0 && m_manager.TagSupported(kFrontWindowsTag))
        all &= m_manager.TagOneValueSet(static_cast<long>(frontWindows), kFrontWindowsTag);
    if (backWindows > 0 && m_manager.TagSupported(kBackWindowsTag))
        all &= m_manager.TagOneValueSet(static_cast<long>(backWindows), kBackWindowsTag);
    if (frontWindows > 0 && backWindows > 0)
        all &= m_manager.ScanAsBothSide();
    else if (frontWindows > 0)
        all &= m_manager.ScanAsFrontSide();
    else if (backWindows > 0)
        all &= m_manager.ScanAsBackSide();
    return all;
}

// The one setting serves both sides: it takes the front camera's mode and
// resolution, or the back camera's when only that one is in use.
BOOL CQXISISCameraExchange::_WriteSingleWindow(const QX_SCANNER_CAMERAINFO& info)
{
    const QX_SCANNER_CAMERA& front = info.cameras[kFrontCamera];
    const QX_SCANNER_CAMERA& back = info.cameras[kBackCamera];
    const QX_SCANNER_CAMERA& source = !front.bEnabled && back.bEnabled ? back : front;
    BOOL all = TRUE;
    long samples = 0;
    long bits = 0;
    if (source.bAvailable && ModeLayout(source.nColorMode, samples, bits))
    {
        all &= m_manager.TagOneValueSet(samples, kSamplesPerPixelTag);
        all &= m_manager.TagOneValueSet(bits, kBitsPerSampleTag);
        all &=
            m_manager.TagOneValueSet(static_cast<float>(source.XResolution.value), kXResolutionTag);
        all &=
            m_manager.TagOneValueSet(static_cast<float>(source.YResolution.value), kYResolutionTag);
    }
    if (m_manager.TagSupported(kScanTypeTag))
        all &= _WriteScanType(front.bEnabled ? 1 : 0, back.bEnabled ? 1 : 0);
    return all ? TRUE : FALSE;
}
