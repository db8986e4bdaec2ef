// A scanner's protocol-qualified name.
#pragma once

#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

struct BRACKWATER_EXPORT QX_SCNCFG_SCANNERNAME_TYPE
{
    std::wstring strName;

    QX_SCNCFG_SCANNERNAME_TYPE();
    explicit QX_SCNCFG_SCANNERNAME_TYPE(const std::wstring& name);
    QX_SCNCFG_SCANNERNAME_TYPE(const QX_SCNCFG_SCANNERNAME_TYPE& other);
    QX_SCNCFG_SCANNERNAME_TYPE& operator=(const QX_SCNCFG_SCANNERNAME_TYPE& other);

    void reset();
    void set(const QX_SCNCFG_SCANNERNAME_TYPE& other);
    // Case-insensitive.
    int compare(const QX_SCNCFG_SCANNERNAME_TYPE& other) const;
    bool operator==(const QX_SCNCFG_SCANNERNAME_TYPE& other) const { return compare(other) == 0; }
    bool operator!=(const QX_SCNCFG_SCANNERNAME_TYPE& other) const { return compare(other) != 0; }
    BOOL check() const { return strName.empty() ? FALSE : TRUE; }
    // Trims white space at both ends.
    void normalize();

protected:
    void init() {}
};
