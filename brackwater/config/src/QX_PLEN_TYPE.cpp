#include <brackwater/QX_PLEN_TYPE.h>

#include <brackwater/QXRecordScript.h>
#include <brackwater/QX_DLEN_TYPE.h>

#include <cmath>
#include <limits>

namespace
{
const BYTE kInch = 0;
} // namespace

QX_PLEN_TYPE::QX_PLEN_TYPE()
{
    init();
}

QX_PLEN_TYPE::QX_PLEN_TYPE(double v) : value(v) {}

QX_PLEN_TYPE::QX_PLEN_TYPE(const QX_PLEN_TYPE& other)
{
    init();
    set(other);
}

QX_PLEN_TYPE& QX_PLEN_TYPE::operator=(const QX_PLEN_TYPE& other)
{
    set(other);
    return *this;
}

void QX_PLEN_TYPE::init()
{
    value = 0.0;
}
void QX_PLEN_TYPE::reset()
{
    init();
}
void QX_PLEN_TYPE::set(const QX_PLEN_TYPE& other)
{
    value = other.value;
}

int QX_PLEN_TYPE::compare(const QX_PLEN_TYPE& other) const
{
    return value > other.value ? 1 : (value < other.value ? -1 : 0);
}

// NaN is not a length either.
BOOL QX_PLEN_TYPE::check() const
{
    return value >= 0.0 ? TRUE : FALSE;
}

void QX_PLEN_TYPE::normalize()
{
    if (!check())
        value = 0.0;
}

BOOL QX_PLEN_TYPE::toscript(CZKScript& script, const wchar_t* key) const
{
    return SQXRecordScript::WriteDouble(script, key, value);
}

BOOL QX_PLEN_TYPE::fromscript(CZKScript& script, const wchar_t* key)
{
    if (SQXRecordScript::ReadDouble(script, key, value))
        return TRUE;
    reset();
    return FALSE;
}

bool QX_PLEN_TYPE::Convert(BYTE fromUnit, double amount, BYTE toUnit, double& out)
{
    const double fromFactor = QX_LMS_TYPE::FactorOf(fromUnit);
    const double toFactor = QX_LMS_TYPE::FactorOf(toUnit);
    if (fromFactor == 0.0 || toFactor == 0.0)
        return false;
    out = amount * fromFactor * (1.0 / toFactor);
    return true;
}

BOOL QX_PLEN_TYPE::from_PLEN(const QX_LMS_TYPE& fromUnit, double amount, const QX_LMS_TYPE& toUnit)
{
    double converted = 0.0;
    if (!Convert(fromUnit.value, amount, toUnit.value, converted))
        return FALSE;
    value = converted;
    return TRUE;
}

BOOL QX_PLEN_TYPE::to_PLEN(const QX_LMS_TYPE& fromUnit, const QX_LMS_TYPE& toUnit,
                           double& out) const
{
    return Convert(fromUnit.value, value, toUnit.value, out) ? TRUE : FALSE;
}

BOOL QX_PLEN_TYPE::from_DLEN(const QX_RES_TYPE& resolution, const QX_DLEN_TYPE& dots,
                             const QX_LMS_TYPE& unit)
{
    if (resolution.value == 0)
        return FALSE;
    double inches = static_cast<double>(dots.value) / resolution.value;
    if (inches < 0.0)
        inches = 0.0;
    return from_PLEN(QX_LMS_TYPE(kInch), inches, unit);
}

BOOL QX_PLEN_TYPE::to_DLEN(const QX_LMS_TYPE& unit, const QX_RES_TYPE& resolution,
                           QX_DLEN_TYPE& out) const
{
    double inches = 0.0;
    if (!Convert(unit.value, value, kInch, inches))
        return FALSE;
    // Truncate toward zero, kept within what a dot count can hold.
    const double dots = std::trunc(inches * resolution.value);
    if (!(dots > 0.0))
        out.value = 0;
    else if (dots >= static_cast<double>(std::numeric_limits<DWORD>::max()))
        out.value = std::numeric_limits<DWORD>::max();
    else
        out.value = static_cast<DWORD>(dots);
    return TRUE;
}
