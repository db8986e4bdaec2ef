// Reads and writes one camera of the maker's scanners: the source's current
// directory is switched to the camera's file-system entry, and the camera's
// enable flag, colour mode, resolutions and bitonal adjustments are then
// ordinary (vendor) capabilities of that directory.
#pragma once

#include <mirelight/QX_SCANNER_CAMERA.h>
#include <wincompat/WinTypes.h>

class CZKTWSourceManager;

class CQXTWAINCameraAccess
{
public:
    static constexpr WORD CAP_CAMERAENABLED = 0x801D;
    static constexpr WORD CAP_GRAYMODE = 0x802E;

    // Option bits of a camera write; 0 writes everything.
    enum : DWORD
    {
        WRITE_ALL = 0,
        WRITE_ENABLED = 0x1,
        WRITE_COLORMODE = 0x2,
        WRITE_ADJUSTMENTS = 0x4
    };

    explicit CQXTWAINCameraAccess(CZKTWSourceManager* manager) : m_manager(manager) {}

    static bool IsBitonalCamera(int camera) { return camera == 1 || camera == 3; }

    // camera: 0 top colour, 1 top bitonal, 2 bottom colour, 3 bottom bitonal.
    BOOL Read(int camera, QX_SCANNER_CAMERA& out);
    BOOL Write(int camera, const QX_SCANNER_CAMERA& in, DWORD options);

private:
    BOOL _ChangeTo(int camera);
    BOOL _ReadResolution(WORD cap, QX_RES_TYPE& resolution);
    void _ReadHalftones(QX_SCANNER_CAMERA_ADVCAP_TW& caps);
    void _ReadAdjustment(WORD cap, int32_t& value, BOOL& readOnly);
    BOOL _WriteAdjustments(const QX_SCANNER_CAMERA_ADVCAP_TW& caps);
    bool _CanSet(WORD cap);

    CZKTWSourceManager* m_manager;
};
