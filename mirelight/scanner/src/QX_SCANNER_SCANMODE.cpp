#include <mirelight/QX_SCANNER_SCANMODE.h>

QX_SCANNER_SCANMODE::QX_SCANNER_SCANMODE() { init(); }

QX_SCANNER_SCANMODE::QX_SCANNER_SCANMODE(const QX_SCANNER_SCANMODE& other)
{
    init();
    set(other);
}

QX_SCANNER_SCANMODE& QX_SCANNER_SCANMODE::operator=(const QX_SCANNER_SCANMODE& other)
{
    set(other);
    return *this;
}

void QX_SCANNER_SCANMODE::init()
{
    nMode = 0;
    XResolution.reset();
    YResolution.reset();
}

void QX_SCANNER_SCANMODE::reset() { init(); }

void QX_SCANNER_SCANMODE::set(const QX_SCANNER_SCANMODE& other)
{
    nMode = other.nMode;
    XResolution = other.XResolution;
    YResolution = other.YResolution;
}

int QX_SCANNER_SCANMODE::compare(const QX_SCANNER_SCANMODE& other) const
{
    if (nMode != other.nMode || XResolution != other.XResolution || YResolution != other.YResolution)
        return -1;
    return 0;
}

BOOL QX_SCANNER_SCANMODE::check() const
{
    return XResolution.check() && YResolution.check() ? TRUE : FALSE;
}

void QX_SCANNER_SCANMODE::normalize()
{
    XResolution.normalize();
    YResolution.normalize();
}
