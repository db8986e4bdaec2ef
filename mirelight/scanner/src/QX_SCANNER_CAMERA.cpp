#include <mirelight/QX_SCANNER_CAMERA.h>

QX_SCANNER_CAMERA::QX_SCANNER_CAMERA() { init(); }

QX_SCANNER_CAMERA::QX_SCANNER_CAMERA(const QX_SCANNER_CAMERA& other)
{
    init();
    set(other);
}

QX_SCANNER_CAMERA& QX_SCANNER_CAMERA::operator=(const QX_SCANNER_CAMERA& other)
{
    set(other);
    return *this;
}

void QX_SCANNER_CAMERA::init()
{
    bAvailable = FALSE;
    bEnabled = FALSE;
    nColorMode = MODE_BITONAL;
    nColorModeMask = 0;
    XResolution.value = DEFAULT_RESOLUTION;
    YResolution.value = DEFAULT_RESOLUTION;
    advCaps.reset();
}

void QX_SCANNER_CAMERA::reset() { init(); }

void QX_SCANNER_CAMERA::set(const QX_SCANNER_CAMERA& other)
{
    bAvailable = other.bAvailable;
    bEnabled = other.bEnabled;
    nColorMode = other.nColorMode;
    nColorModeMask = other.nColorModeMask;
    XResolution = other.XResolution;
    YResolution = other.YResolution;
    advCaps.set(other.advCaps);
}

int QX_SCANNER_CAMERA::compare(const QX_SCANNER_CAMERA& other) const
{
    if (bAvailable != other.bAvailable || bEnabled != other.bEnabled ||
        nColorMode != other.nColorMode || nColorModeMask != other.nColorModeMask ||
        XResolution != other.XResolution || YResolution != other.YResolution)
        return -1;
    return advCaps.compare(other.advCaps);
}

BOOL QX_SCANNER_CAMERA::check() const
{
    return XResolution.check() && YResolution.check() ? TRUE : FALSE;
}

void QX_SCANNER_CAMERA::normalize()
{
    XResolution.normalize();
    YResolution.normalize();
}
