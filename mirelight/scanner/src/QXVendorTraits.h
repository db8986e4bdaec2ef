// Item types and containers of the maker's vendor capabilities and
// extended-image-info items, which the TWAIN layer must know to decode them.
#pragma once

#include <mirelight/mirelight_export.h>
#include <wincompat/WinTypes.h>

#include <cstddef>

struct QX_VENDOR_CAP_TRAIT
{
    WORD cap;
    WORD itemType;
    WORD conMask; // 1 array, 2 enumeration, 4 one value, 8 range; get and set alike
};

struct QX_VENDOR_EI_TRAIT
{
    WORD infoId;
    WORD itemType;
};

class MIRELIGHT_EXPORT SQXVendorTraits
{
public:
    static const QX_VENDOR_CAP_TRAIT* CapTraits(size_t& count);
    static const QX_VENDOR_EI_TRAIT* EITraits(size_t& count);

    // Hand both tables to the TWAIN layer's registries.
    static BOOL RegisterCapTraits();
    static BOOL RegisterEITraits();

protected:
    SQXVendorTraits() = default;
};
