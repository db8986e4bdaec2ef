// The cameras of an ISIS scanner read from and written to its driver.
// Drivers with scan windows (tag 1690) give each camera a window: camera 0
// the first front window, 1 the second, 2 the first back window, 3 the
// second. Drivers without windows have one current setting that serves
// both sides: it fills camera 0 (front) and camera 2 (back), each available
// when the driver can scan that side and enabled when the scan type does.
#pragma once

#include <mirelight/QX_SCANNER_CAMERAINFO.h>

#include <goldmere/ZKISISManager.h>

class CQXISISCameraExchange
{
public:
    explicit CQXISISCameraExchange(CZKISISManager& manager) : m_manager(manager) {}

    BOOL Read(QX_SCANNER_CAMERAINFO& info);
    BOOL Write(const QX_SCANNER_CAMERAINFO& info);

    // Samples per pixel and bits per sample of a camera colour mode; false
    // for a mode the driver cannot be given.
    static bool ModeLayout(int mode, long& samples, long& bits);
    // The camera colour mode of a window's samples, bits and photometric
    // interpretation; 0 when it is none of the three.
    static int ModeOf(long samples, long bits, long photometric);

private:
    BOOL _ReadWindows(QX_SCANNER_CAMERAINFO& info);
    BOOL _CombinedWindows(CZKISISWindowsList& combined);
    BOOL _ReadSingleWindow(QX_SCANNER_CAMERAINFO& info);
    void _ReadResolutions(QX_SCANNER_CAMERAINFO& info);
    BOOL _WriteWindows(const QX_SCANNER_CAMERAINFO& info);
    BOOL _WriteSingleWindow(const QX_SCANNER_CAMERAINFO& info);
    BOOL _WriteScanType(int frontWindows, int backWindows);
    bool _IsChoice(WORD tag, long value);
    bool _CanScanFront();
    bool _CanScanBack();
    int _SingleWindowModeMask();

    CZKISISManager& m_manager;
};
