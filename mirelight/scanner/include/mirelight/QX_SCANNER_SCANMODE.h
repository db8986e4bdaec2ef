// A scan mode with its resolution.
#pragma once

#include <brackwater/QXNumberTypes.h>
#include <mirelight/mirelight_export.h>
#include <wincompat/WinTypes.h>

struct MIRELIGHT_EXPORT QX_SCANNER_SCANMODE
{
    int32_t nMode;
    QX_RES_TYPE XResolution;
    QX_RES_TYPE YResolution;

    QX_SCANNER_SCANMODE();
    QX_SCANNER_SCANMODE(const QX_SCANNER_SCANMODE& other);
    QX_SCANNER_SCANMODE& operator=(const QX_SCANNER_SCANMODE& other);

    void reset();
    void set(const QX_SCANNER_SCANMODE& other);
    int compare(const QX_SCANNER_SCANMODE& other) const;
    bool operator==(const QX_SCANNER_SCANMODE& other) const { return compare(other) == 0; }
    BOOL check() const;
    void normalize();

protected:
    void init();
};
