// Image-address and imprint settings of one capture step.
#pragma once

#include <brackwater/QX_IMAGEADDRESS.h>
#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

struct BRACKWATER_EXPORT QX_IAIMPRINT_TYPE
{
    // Two values and a byte that only the application interprets.
    int32_t nValue1;
    int32_t nValue2;
    QX_IMAGEADDRESS imageAddress;
    int32_t nLevel; // 0..3
    BYTE byOption;
    BOOL bPrintEnable;
    std::wstring strPrint;

    QX_IAIMPRINT_TYPE();
    QX_IAIMPRINT_TYPE(const QX_IAIMPRINT_TYPE& other);
    QX_IAIMPRINT_TYPE& operator=(const QX_IAIMPRINT_TYPE& other);

    void reset();
    void set(const QX_IAIMPRINT_TYPE& other);
    int compare(const QX_IAIMPRINT_TYPE& other) const;
    bool operator==(const QX_IAIMPRINT_TYPE& other) const { return compare(other) == 0; }
    bool operator!=(const QX_IAIMPRINT_TYPE& other) const { return compare(other) != 0; }
    BOOL check() const;
    void normalize();

    BOOL IsImageAddressEnable() const { return imageAddress.IsNull() ? FALSE : TRUE; }
    BOOL IsPrintEnable() const { return (bPrintEnable || !strPrint.empty()) ? TRUE : FALSE; }

protected:
    void init();
};
