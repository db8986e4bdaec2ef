#include <brackwater/QX_IAIMPRINT_TYPE.h>

QX_IAIMPRINT_TYPE::QX_IAIMPRINT_TYPE()
{
    init();
}

QX_IAIMPRINT_TYPE::QX_IAIMPRINT_TYPE(const QX_IAIMPRINT_TYPE& other)
{
    init();
    set(other);
}

QX_IAIMPRINT_TYPE& QX_IAIMPRINT_TYPE::operator=(const QX_IAIMPRINT_TYPE& other)
{
    set(other);
    return *this;
}

void QX_IAIMPRINT_TYPE::init()
{
    nValue1 = 0;
    nValue2 = 0;
    nLevel = 1;
    byOption = 0;
    bPrintEnable = FALSE;
}

void QX_IAIMPRINT_TYPE::reset()
{
    imageAddress.reset();
    strPrint.clear();
    init();
}

void QX_IAIMPRINT_TYPE::set(const QX_IAIMPRINT_TYPE& other)
{
    nValue1 = other.nValue1;
    nValue2 = other.nValue2;
    imageAddress.set(other.imageAddress);
    nLevel = other.nLevel;
    byOption = other.byOption;
    bPrintEnable = other.bPrintEnable;
    strPrint = other.strPrint;
}

int QX_IAIMPRINT_TYPE::compare(const QX_IAIMPRINT_TYPE& other) const
{
    const bool same = nValue1 == other.nValue1 && nValue2 == other.nValue2 &&
                      imageAddress.compare(other.imageAddress) == 0 && nLevel == other.nLevel &&
                      byOption == other.byOption && bPrintEnable == other.bPrintEnable &&
                      strPrint == other.strPrint;
    return same ? 0 : -1;
}

// A negative level is no more a level than 4 is.
BOOL QX_IAIMPRINT_TYPE::check() const
{
    return (nLevel >= 0 && nLevel <= 3) ? TRUE : FALSE;
}

void QX_IAIMPRINT_TYPE::normalize()
{
    if (!check())
        reset();
}
