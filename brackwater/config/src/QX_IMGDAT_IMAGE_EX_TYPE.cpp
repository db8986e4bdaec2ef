#include <brackwater/QX_IMGDAT_IMAGE_EX_TYPE.h>

#include "QXRecordConstruction.h"

#include <hollin/ZKPath.h>

#include <sys/stat.h>

QX_RECORD_CONSTRUCTION(QX_IMGDAT_IMAGE_EX_TYPE)

void QX_IMGDAT_IMAGE_EX_TYPE::reset()
{
    QX_IMGDAT_IMAGE_TYPE::reset();
    buffer_reset();
    disk_reset();
}

void QX_IMGDAT_IMAGE_EX_TYPE::set(const QX_IMGDAT_IMAGE_EX_TYPE& other)
{
    QX_IMGDAT_IMAGE_TYPE::set(other);
    if (!m_buffer.CopyFrom(other.m_buffer))
        m_buffer.Empty();
    m_strPath = other.m_strPath;
}

int QX_IMGDAT_IMAGE_EX_TYPE::compare(const QX_IMGDAT_IMAGE_EX_TYPE& o) const
{
    const bool same = QX_IMGDAT_IMAGE_TYPE::compare(o) == 0 && m_buffer.Compare(o.m_buffer) == 0 &&
                      m_strPath == o.m_strPath;
    return same ? 0 : -1;
}

BOOL QX_IMGDAT_IMAGE_EX_TYPE::buffer_attach(CZKRBuffer& buffer)
{
    if (buffer.IsEmpty())
        return FALSE;
    const size_t size = buffer.GetSize();
    void* block = buffer.Detach();
    return m_buffer.Attach(block, size);
}

BOOL QX_IMGDAT_IMAGE_EX_TYPE::buffer_detach(CZKRBuffer& out)
{
    if (!buffer_isavailable())
        return FALSE;
    const size_t size = m_buffer.GetSize();
    void* block = m_buffer.Detach();
    return out.Attach(block, size);
}

BOOL QX_IMGDAT_IMAGE_EX_TYPE::buffer_get(CZKBuffer& out) const
{
    return buffer_isavailable() ? out.CopyFrom(m_buffer) : FALSE;
}

BOOL QX_IMGDAT_IMAGE_EX_TYPE::buffer_set(const CZKBuffer& buffer)
{
    if (buffer.IsEmpty())
        return FALSE;
    return m_buffer.CopyFrom(buffer);
}

BOOL QX_IMGDAT_IMAGE_EX_TYPE::buffer_isavailable() const
{
    return m_buffer.IsEmpty() ? FALSE : TRUE;
}

void QX_IMGDAT_IMAGE_EX_TYPE::buffer_reset()
{
    m_buffer.Empty();
}

BOOL QX_IMGDAT_IMAGE_EX_TYPE::disk_get(std::wstring& path) const
{
    path = m_strPath;
    return m_strPath.empty() ? FALSE : TRUE;
}

BOOL QX_IMGDAT_IMAGE_EX_TYPE::disk_set(const std::wstring& path)
{
    m_strPath = path;
    return TRUE;
}

BOOL QX_IMGDAT_IMAGE_EX_TYPE::disk_isavailable() const
{
    struct stat info;
    const bool exists = !m_strPath.empty() &&
                        ::stat(SZKPath::ToNative(m_strPath).c_str(), &info) == 0 &&
                        S_ISREG(info.st_mode);
    return exists ? TRUE : FALSE;
}

void QX_IMGDAT_IMAGE_EX_TYPE::disk_reset()
{
    m_strPath.clear();
}
