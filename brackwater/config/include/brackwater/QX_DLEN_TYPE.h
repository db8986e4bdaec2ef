// A length in dots (pixels) at some resolution.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXNumberTypes.h>
#include <brackwater/QXValueRecord.h>
#include <brackwater/brackwater_export.h>

struct QX_PLEN_TYPE;

struct QX_DLEN_TYPE : TQXValueRecord<QX_DLEN_TYPE, QXAnyRule<DWORD, 0>>
{
    using TQXValueRecord<QX_DLEN_TYPE, QXAnyRule<DWORD, 0>>::TQXValueRecord;

    // Becomes the dot count of length (in unit) at resolution.
    BRACKWATER_EXPORT BOOL from_PLEN(const QX_RES_TYPE& resolution, const QX_PLEN_TYPE& length,
                                     const QX_LMS_TYPE& unit);
    // Writes this dot count at resolution, as a length in unit, to out.
    BRACKWATER_EXPORT BOOL to_PLEN(const QX_RES_TYPE& resolution, const QX_LMS_TYPE& unit,
                                   QX_PLEN_TYPE& out) const;
};
