#include <brackwater/QX_IMGDAT_IMAGE_TYPE.h>

#include "QXRecordConstruction.h"

#include <cstring>

namespace
{
bool SamePixels(const CZKBitmapHandle& a, const CZKBitmapHandle& b)
{
    if (a.IsEmpty() || b.IsEmpty())
        return a.IsEmpty() && b.IsEmpty();
    return a.GetWidth() == b.GetWidth() && a.GetHeight() == b.GetHeight() &&
           a.GetBitsPerPixel() == b.GetBitsPerPixel() && a.GetXResolution() == b.GetXResolution() &&
           a.GetYResolution() == b.GetYResolution() && a.GetImageSize() == b.GetImageSize() &&
           std::memcmp(a.GetPtr(), b.GetPtr(), a.GetImageSize()) == 0;
}
} // namespace

QX_RECORD_CONSTRUCTION(QX_IMGDAT_IMAGE_TYPE)

void QX_IMGDAT_IMAGE_TYPE::reset()
{
    bitmap_reset();
}

void QX_IMGDAT_IMAGE_TYPE::set(const QX_IMGDAT_IMAGE_TYPE& other)
{
    if (!other.bitmap_isavailable() || !m_bitmap.Create(other.m_bitmap))
        bitmap_reset();
}

int QX_IMGDAT_IMAGE_TYPE::compare(const QX_IMGDAT_IMAGE_TYPE& o) const
{
    return SamePixels(m_bitmap, o.m_bitmap) ? 0 : -1;
}

BOOL QX_IMGDAT_IMAGE_TYPE::bitmap_attach(CZKBitmapHandle& bitmap)
{
    if (bitmap.IsEmpty())
        return FALSE;
    return m_bitmap.Attach(bitmap);
}

BOOL QX_IMGDAT_IMAGE_TYPE::bitmap_detach(CZKBitmapHandle& out)
{
    if (!bitmap_isavailable())
        return FALSE;
    return out.Attach(m_bitmap);
}

BOOL QX_IMGDAT_IMAGE_TYPE::bitmap_get(CZKBitmapHandle& out) const
{
    return bitmap_isavailable() ? out.Create(m_bitmap) : FALSE;
}

BOOL QX_IMGDAT_IMAGE_TYPE::bitmap_set(const CZKBitmapHandle& bitmap)
{
    if (bitmap.IsEmpty())
        return FALSE;
    return m_bitmap.Create(bitmap);
}

BOOL QX_IMGDAT_IMAGE_TYPE::bitmap_isavailable() const
{
    return m_bitmap.IsEmpty() ? FALSE : TRUE;
}

void QX_IMGDAT_IMAGE_TYPE::bitmap_reset()
{
    m_bitmap.Free();
}
