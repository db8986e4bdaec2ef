#include "QXVendorTraits.h"

#include <fennick/ZKTWHelper.h>
#include <twaindefs/ZKTwainConstants.h>

namespace
{
constexpr WORD A = 1; // array
constexpr WORD E = 2; // enumeration
constexpr WORD O = 4; // one value
constexpr WORD R = 8; // range

// clang-format off
const QX_VENDOR_CAP_TRAIT kCapTraits[] = {
    // TWTY_BOOL, one value
    {0x8001, TWTY_BOOL, O}, {0x8005, TWTY_BOOL, O}, {0x8016, TWTY_BOOL, O}, {0x8018, TWTY_BOOL, O},
    {0x801D, TWTY_BOOL, O}, {0x8021, TWTY_BOOL, O}, {0x8023, TWTY_BOOL, O}, {0x8029, TWTY_BOOL, O},
    {0x802E, TWTY_BOOL, O}, {0x8030, TWTY_BOOL, O}, {0x8032, TWTY_BOOL, O}, {0x8042, TWTY_BOOL, O},
    {0x8043, TWTY_BOOL, O}, {0x8054, TWTY_BOOL, O}, {0x8055, TWTY_BOOL, O}, {0x8056, TWTY_BOOL, O},
    {0x8057, TWTY_BOOL, O}, {0x806A, TWTY_BOOL, O}, {0x806C, TWTY_BOOL, O}, {0x806E, TWTY_BOOL, O},
    {0x8074, TWTY_BOOL, O}, {0x8075, TWTY_BOOL, O}, {0x808B, TWTY_BOOL, O}, {0x80A0, TWTY_BOOL, O},
    {0x80A1, TWTY_BOOL, O}, {0x80A2, TWTY_BOOL, O}, {0x80A3, TWTY_BOOL, O}, {0x80A4, TWTY_BOOL, O},
    {0x80A5, TWTY_BOOL, O}, {0x80A6, TWTY_BOOL, O}, {0x80A7, TWTY_BOOL, O}, {0x80B7, TWTY_BOOL, O},
    // TWTY_FIX32, range
    {0x8002, TWTY_FIX32, R}, {0x8006, TWTY_FIX32, R}, {0x8007, TWTY_FIX32, R}, {0x802B, TWTY_FIX32, R},
    {0x802F, TWTY_FIX32, R}, {0x8031, TWTY_FIX32, R}, {0x8046, TWTY_FIX32, R}, {0x8096, TWTY_FIX32, R},
    {0x8097, TWTY_FIX32, R}, {0x8098, TWTY_FIX32, R}, {0x8099, TWTY_FIX32, R},
    // TWTY_FRAME, one value
    {0x8004, TWTY_FRAME, O},
    // TWTY_INT16, enumeration
    {0x803F, TWTY_INT16, E}, {0x8041, TWTY_INT16, E}, {0x804E, TWTY_INT16, E}, {0x804F, TWTY_INT16, E},
    {0x8089, TWTY_INT16, E}, {0x808C, TWTY_INT16, E}, {0x808D, TWTY_INT16, E}, {0x808E, TWTY_INT16, E},
    {0x809B, TWTY_INT16, E},
    // TWTY_INT32, one value
    {0x8086, TWTY_INT32, O}, {0x8087, TWTY_INT32, O},
    // TWTY_INT32, range
    {0x8003, TWTY_INT32, R}, {0x8092, TWTY_INT32, R}, {0x8094, TWTY_INT32, R}, {0x80B0, TWTY_INT32, R},
    {0x80B1, TWTY_INT32, R}, {0x80B2, TWTY_INT32, R}, {0x80B3, TWTY_INT32, R},
    // TWTY_STR255, one value
    {0x8009, TWTY_STR255, O}, {0x800B, TWTY_STR255, O}, {0x800C, TWTY_STR255, O}, {0x800D, TWTY_STR255, O},
    {0x800E, TWTY_STR255, O}, {0x800F, TWTY_STR255, O}, {0x8010, TWTY_STR255, O}, {0x8011, TWTY_STR255, O},
    {0x8012, TWTY_STR255, O}, {0x8013, TWTY_STR255, O}, {0x8014, TWTY_STR255, O}, {0x8015, TWTY_STR255, O},
    {0x802D, TWTY_STR255, O}, {0x8034, TWTY_STR255, O}, {0x8035, TWTY_STR255, O}, {0x8036, TWTY_STR255, O},
    {0x804A, TWTY_STR255, O}, {0x804B, TWTY_STR255, O}, {0x804C, TWTY_STR255, O}, {0x804D, TWTY_STR255, O},
    // TWTY_STR32, one value
    {0x8017, TWTY_STR32, O},
    // TWTY_UINT16, array
    {0x801E, TWTY_UINT16, A},
    // TWTY_UINT16, enumeration
    {0x8008, TWTY_UINT16, E}, {0x8019, TWTY_UINT16, E}, {0x801A, TWTY_UINT16, E}, {0x801C, TWTY_UINT16, E},
    {0x801F, TWTY_UINT16, E}, {0x8020, TWTY_UINT16, E}, {0x8022, TWTY_UINT16, E}, {0x8024, TWTY_UINT16, E},
    {0x8027, TWTY_UINT16, E}, {0x8028, TWTY_UINT16, E}, {0x802C, TWTY_UINT16, E}, {0x8033, TWTY_UINT16, E},
    {0x8037, TWTY_UINT16, E}, {0x8038, TWTY_UINT16, E}, {0x8039, TWTY_UINT16, E}, {0x803A, TWTY_UINT16, E},
    {0x803B, TWTY_UINT16, E}, {0x803C, TWTY_UINT16, E}, {0x803D, TWTY_UINT16, E}, {0x803E, TWTY_UINT16, E},
    {0x8044, TWTY_UINT16, E}, {0x8045, TWTY_UINT16, E}, {0x8047, TWTY_UINT16, E}, {0x806D, TWTY_UINT16, E},
    {0x806F, TWTY_UINT16, E}, {0x8070, TWTY_UINT16, E}, {0x8088, TWTY_UINT16, E}, {0x808F, TWTY_UINT16, E},
    {0x8090, TWTY_UINT16, E}, {0x8091, TWTY_UINT16, E}, {0x8093, TWTY_UINT16, E}, {0x8095, TWTY_UINT16, E},
    {0x809A, TWTY_UINT16, E}, {0x809F, TWTY_UINT16, E}, {0x80A8, TWTY_UINT16, E}, {0x80A9, TWTY_UINT16, E},
    {0x80AA, TWTY_UINT16, E}, {0x80AC, TWTY_UINT16, E}, {0x80AD, TWTY_UINT16, E}, {0x80AE, TWTY_UINT16, E},
    {0x80AF, TWTY_UINT16, E}, {0x80B4, TWTY_UINT16, E}, {0x80B6, TWTY_UINT16, E}, {0x80B8, TWTY_UINT16, E},
    {0x80C5, TWTY_UINT16, E},
    // TWTY_UINT16, one value
    {0x800A, TWTY_UINT16, O}, {0x8048, TWTY_UINT16, O}, {0x8049, TWTY_UINT16, O}, {0x808A, TWTY_UINT16, O},
    // TWTY_UINT16, range
    {0x801B, TWTY_UINT16, R}, {0x8025, TWTY_UINT16, R}, {0x8026, TWTY_UINT16, R}, {0x802A, TWTY_UINT16, R},
    {0x806B, TWTY_UINT16, R}, {0x8071, TWTY_UINT16, R}, {0x80B5, TWTY_UINT16, R},
    // TWTY_UINT32, range
    {0x809C, TWTY_UINT32, R}, {0x809D, TWTY_UINT32, R}, {0x809E, TWTY_UINT32, R},
};

const QX_VENDOR_EI_TRAIT kEITraits[] = {
    {0x8011, TWTY_STR255}, {0x8015, TWTY_STR255}, {0x801A, TWTY_STR255}, {0x801B, TWTY_STR255}, {0x801C, TWTY_STR255},
    {0x801D, TWTY_STR255}, {0x801E, TWTY_STR255}, {0x8022, TWTY_STR255}, {0x8028, TWTY_STR255},
    {0x802F, TWTY_UINT8}, {0x8030, TWTY_UINT8}, {0x8031, TWTY_UINT8},
    {0x8001, TWTY_UINT32}, {0x8002, TWTY_UINT32}, {0x8003, TWTY_UINT32}, {0x8004, TWTY_UINT32}, {0x8005, TWTY_UINT32},
    {0x8006, TWTY_UINT32}, {0x8007, TWTY_UINT32}, {0x8008, TWTY_UINT32}, {0x8009, TWTY_UINT32}, {0x800A, TWTY_UINT32},
    {0x800B, TWTY_UINT32}, {0x800C, TWTY_UINT32}, {0x800D, TWTY_UINT32}, {0x800E, TWTY_UINT32}, {0x800F, TWTY_UINT32},
    {0x8010, TWTY_UINT32}, {0x8012, TWTY_UINT32}, {0x8013, TWTY_UINT32}, {0x8014, TWTY_UINT32}, {0x8016, TWTY_UINT32},
    {0x8017, TWTY_UINT32}, {0x8018, TWTY_UINT32}, {0x8019, TWTY_UINT32}, {0x801F, TWTY_UINT32}, {0x8020, TWTY_UINT32},
    {0x8021, TWTY_UINT32}, {0x8029, TWTY_UINT32}, {0x802A, TWTY_UINT32}, {0x802B, TWTY_UINT32}, {0x802C, TWTY_UINT32},
    {0x802D, TWTY_UINT32}, {0x802E, TWTY_UINT32}, {0x8032, TWTY_UINT32}, {0x8033, TWTY_UINT32}, {0x8035, TWTY_UINT32},
    {0x8036, TWTY_UINT32},
};
// clang-format on

static_assert(sizeof(kCapTraits) / sizeof(kCapTraits[0]) == 143, "every vendor capability is listed");
static_assert(sizeof(kEITraits) / sizeof(kEITraits[0]) == 48, "every vendor header item is listed");
} // namespace

const QX_VENDOR_CAP_TRAIT* SQXVendorTraits::CapTraits(size_t& count)
{
    count = sizeof(kCapTraits) / sizeof(kCapTraits[0]);
    return kCapTraits;
}

const QX_VENDOR_EI_TRAIT* SQXVendorTraits::EITraits(size_t& count)
{
    count = sizeof(kEITraits) / sizeof(kEITraits[0]);
    return kEITraits;
}

BOOL SQXVendorTraits::RegisterCapTraits()
{
    for (const QX_VENDOR_CAP_TRAIT& trait : kCapTraits)
        CZKTWHelper::AddCapTrait(trait.cap, trait.itemType, trait.conMask, trait.conMask);
    return TRUE;
}

BOOL SQXVendorTraits::RegisterEITraits()
{
    for (const QX_VENDOR_EI_TRAIT& trait : kEITraits)
        CZKTWHelper::AddEITrait(trait.infoId, trait.itemType);
    return TRUE;
}
