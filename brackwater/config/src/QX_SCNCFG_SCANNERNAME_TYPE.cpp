#include <brackwater/QX_SCNCFG_SCANNERNAME_TYPE.h>

#include "QXText.h"

QX_SCNCFG_SCANNERNAME_TYPE::QX_SCNCFG_SCANNERNAME_TYPE()
{
    init();
}

QX_SCNCFG_SCANNERNAME_TYPE::QX_SCNCFG_SCANNERNAME_TYPE(const std::wstring& name) : strName(name) {}

QX_SCNCFG_SCANNERNAME_TYPE::QX_SCNCFG_SCANNERNAME_TYPE(const QX_SCNCFG_SCANNERNAME_TYPE& other)
{
    init();
    set(other);
}

QX_SCNCFG_SCANNERNAME_TYPE&
QX_SCNCFG_SCANNERNAME_TYPE::operator=(const QX_SCNCFG_SCANNERNAME_TYPE& other)
{
    set(other);
    return *this;
}

void QX_SCNCFG_SCANNERNAME_TYPE::reset()
{
    strName.clear();
}

void QX_SCNCFG_SCANNERNAME_TYPE::set(const QX_SCNCFG_SCANNERNAME_TYPE& other)
{
    strName = other.strName;
}

int QX_SCNCFG_SCANNERNAME_TYPE::compare(const QX_SCNCFG_SCANNERNAME_TYPE& other) const
{
    return SQXText::EqualNoCase(strName, other.strName) ? 0 : -1;
}

void QX_SCNCFG_SCANNERNAME_TYPE::normalize()
{
    strName = SQXText::Trim(strName);
}
