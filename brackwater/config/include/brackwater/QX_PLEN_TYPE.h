// A physical length in one of the QX_LMS_TYPE units.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXNumberTypes.h>
#include <brackwater/brackwater_export.h>

#include <wincompat/WinTypes.h>

class CZKScript;
struct QX_DLEN_TYPE;

struct BRACKWATER_EXPORT QX_PLEN_TYPE
{
    double value;

    QX_PLEN_TYPE();
    explicit QX_PLEN_TYPE(double v);
    QX_PLEN_TYPE(const QX_PLEN_TYPE& other);
    QX_PLEN_TYPE& operator=(const QX_PLEN_TYPE& other);

    void reset();
    void set(const QX_PLEN_TYPE& other);
    int compare(const QX_PLEN_TYPE& other) const;
    bool operator==(const QX_PLEN_TYPE& other) const { return compare(other) == 0; }
    bool operator!=(const QX_PLEN_TYPE& other) const { return compare(other) != 0; }
    BOOL check() const;
    void normalize();
    BOOL toscript(CZKScript& script, const wchar_t* key) const;
    BOOL fromscript(CZKScript& script, const wchar_t* key);

    // This length := value converted from one unit to another. Fails, leaving
    // the record unchanged, when either unit is unknown.
    BOOL from_PLEN(const QX_LMS_TYPE& fromUnit, double value, const QX_LMS_TYPE& toUnit);
    // Writes this length converted from one unit to another to out.
    BOOL to_PLEN(const QX_LMS_TYPE& fromUnit, const QX_LMS_TYPE& toUnit, double& out) const;
    // This length := dots at resolution, in unit. Fails on resolution 0.
    BOOL from_DLEN(const QX_RES_TYPE& resolution, const QX_DLEN_TYPE& dots,
                   const QX_LMS_TYPE& unit);
    // Writes this length (in unit) at resolution as a dot count, truncated.
    BOOL to_DLEN(const QX_LMS_TYPE& unit, const QX_RES_TYPE& resolution, QX_DLEN_TYPE& out) const;

    // value converted between two units; false when either is unknown.
    static bool Convert(BYTE fromUnit, double value, BYTE toUnit, double& out);

protected:
    void init();
};
