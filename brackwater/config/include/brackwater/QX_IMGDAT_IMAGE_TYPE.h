// Holds one image as a bitmap.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

#include <pellmark/ZKBitmapHandle.h>

struct BRACKWATER_EXPORT QX_IMGDAT_IMAGE_TYPE
{
    QX_RECORD_VALUE_OPERATIONS(QX_IMGDAT_IMAGE_TYPE)
    BOOL check() const { return TRUE; }
    void normalize() {}

    // Takes the bitmap's pixels over, leaving it empty. FALSE for an empty
    // bitmap (the holder keeps what it had).
    BOOL bitmap_attach(CZKBitmapHandle& bitmap);
    // Hands the held bitmap over; FALSE when none is held.
    BOOL bitmap_detach(CZKBitmapHandle& out);
    // A copy of the held bitmap; FALSE when none is held.
    BOOL bitmap_get(CZKBitmapHandle& out) const;
    // Holds a copy of bitmap; FALSE for an empty bitmap.
    BOOL bitmap_set(const CZKBitmapHandle& bitmap);
    BOOL bitmap_isavailable() const;
    void bitmap_reset();

protected:
    void init() {}

private:
    CZKBitmapHandle m_bitmap;
};
