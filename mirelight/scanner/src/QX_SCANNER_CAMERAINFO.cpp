#include <mirelight/QX_SCANNER_CAMERAINFO.h>

const wchar_t* const QX_SCANNER_CAMERAINFO::FILESYSTEM_NAMES[FILESYSTEM_NAME_COUNT] = {
    L"/Camera_Color_Top",    L"/Camera_Bitonal_Top",  L"/Camera_Color_Bottom",
    L"/Camera_Bitonal_Bottom", L"/Camera_Color_Both", L"/Camera_Bitonal_Both"};

QX_SCANNER_CAMERAINFO::QX_SCANNER_CAMERAINFO() { init(); }

QX_SCANNER_CAMERAINFO::QX_SCANNER_CAMERAINFO(const QX_SCANNER_CAMERAINFO& other)
{
    init();
    set(other);
}

QX_SCANNER_CAMERAINFO& QX_SCANNER_CAMERAINFO::operator=(const QX_SCANNER_CAMERAINFO& other)
{
    set(other);
    return *this;
}

void QX_SCANNER_CAMERAINFO::init()
{
    bAutoColorDetect = FALSE;
    bDuplex = FALSE;
    bMultiStream = FALSE;
    bVendorFlag = TRUE;
    nVendorValue = 0;
    for (QX_SCANNER_CAMERA& camera : cameras)
        camera.reset();
}

void QX_SCANNER_CAMERAINFO::reset() { init(); }

void QX_SCANNER_CAMERAINFO::set(const QX_SCANNER_CAMERAINFO& other)
{
    bAutoColorDetect = other.bAutoColorDetect;
    bDuplex = other.bDuplex;
    bMultiStream = other.bMultiStream;
    bVendorFlag = other.bVendorFlag;
    nVendorValue = other.nVendorValue;
    for (int i = 0; i < CAMERA_COUNT; ++i)
        cameras[i].set(other.cameras[i]);
}

int QX_SCANNER_CAMERAINFO::compare(const QX_SCANNER_CAMERAINFO& other) const
{
    if (bAutoColorDetect != other.bAutoColorDetect || bDuplex != other.bDuplex ||
        bMultiStream != other.bMultiStream || bVendorFlag != other.bVendorFlag ||
        nVendorValue != other.nVendorValue)
        return -1;
    for (int i = 0; i < CAMERA_COUNT; ++i)
    {
        if (cameras[i].compare(other.cameras[i]) != 0)
            return -1;
    }
    return 0;
}

BOOL QX_SCANNER_CAMERAINFO::check() const
{
    for (const QX_SCANNER_CAMERA& camera : cameras)
    {
        if (!camera.check())
            return FALSE;
    }
    return TRUE;
}

void QX_SCANNER_CAMERAINFO::normalize()
{
    for (QX_SCANNER_CAMERA& camera : cameras)
        camera.normalize();
}

unsigned int QX_SCANNER_CAMERAINFO::GetColorModeMask() const
{
    if (bAutoColorDetect)
        return 0;
    unsigned int mask = 0;
    for (const QX_SCANNER_CAMERA& camera : cameras)
    {
        if (camera.bEnabled && (camera.IsBitonal() || camera.IsGrayOrColor()))
            mask |= static_cast<unsigned int>(camera.nColorMode);
    }
    return mask;
}

EQXCaptureSide QX_SCANNER_CAMERAINFO::GetCaptureSide() const
{
    int side = QX_SCANNER_SIDE_NONE;
    if (cameras[0].bEnabled || cameras[1].bEnabled)
        side |= QX_SCANNER_SIDE_FRONT;
    if (cameras[2].bEnabled || cameras[3].bEnabled)
        side |= QX_SCANNER_SIDE_BACK;
    return static_cast<EQXCaptureSide>(side);
}

const QX_SCANNER_CAMERA* QX_SCANNER_CAMERAINFO::GetCamera(EQXScannerCameraID id) const
{
    if (id < QX_SCANNER_CAMERA_FRONT_COLOR || id > QX_SCANNER_CAMERA_REAR_BITONAL)
        return nullptr;
    const int first = id < QX_SCANNER_CAMERA_REAR_COLOR ? 0 : 2;
    const bool wantBitonal = id == QX_SCANNER_CAMERA_FRONT_BITONAL || id == QX_SCANNER_CAMERA_REAR_BITONAL;
    for (int slot = first; slot < first + 2; ++slot)
    {
        const QX_SCANNER_CAMERA& camera = cameras[slot];
        if (wantBitonal ? camera.IsBitonal() : camera.IsGrayOrColor())
            return &camera;
    }
    return nullptr;
}

QX_SCANNER_CAMERA* QX_SCANNER_CAMERAINFO::GetCamera(EQXScannerCameraID id)
{
    return const_cast<QX_SCANNER_CAMERA*>(static_cast<const QX_SCANNER_CAMERAINFO*>(this)->GetCamera(id));
}
