// The scanner-side extras of a scanner configuration: the image-address
// format and the scanner settings block, kept by scanner name.
#pragma once

#include <brackwater/QX_IMAGEADDRESS_FORMAT.h>
#include <brackwater/brackwater_export.h>
#include <hollin/ZKGBuffer.h>
#include <hollin/ZKRBuffer.h>
#include <wincompat/WinTypes.h>

#include <string>

struct BRACKWATER_EXPORT QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE
{
    std::wstring strScannerName;
    QX_IMAGEADDRESS_FORMAT imageAddressFormat;
    CZKGBuffer globalData;    // interpreted by the application only
    CZKRBuffer settingsBlock; // what the settings manipulator wrote

    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE();
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE(const QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& other);
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& operator=(const QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& other);

    void reset();
    void set(const QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& other);
    int compare(const QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& other) const;
    bool operator==(const QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& other) const
    {
        return compare(other) == 0;
    }
    bool operator!=(const QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& other) const
    {
        return compare(other) != 0;
    }
    BOOL check() const;
    void normalize();
    BOOL isEmpty() const { return strScannerName.empty() ? TRUE : FALSE; }

    // Name, the 20 format bytes, then both buffers nested.
    BOOL toBuffer(CZKBuffer& buffer) const;
    // An empty buffer succeeds and changes nothing; a bad one fails and
    // leaves the record at its defaults.
    BOOL fromBuffer(const CZKBuffer& buffer);

protected:
    void init();
};
