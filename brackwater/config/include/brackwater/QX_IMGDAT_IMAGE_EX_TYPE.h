// Holds one image as a bitmap, as encoded bytes in a buffer, or as a file
// on disk, whichever form the image is at hand in.
#pragma once

#include <brackwater/QX_IMGDAT_IMAGE_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <hollin/ZKRBuffer.h>

#include <string>

struct BRACKWATER_EXPORT QX_IMGDAT_IMAGE_EX_TYPE : QX_IMGDAT_IMAGE_TYPE
{
    QX_RECORD_VALUE_OPERATIONS(QX_IMGDAT_IMAGE_EX_TYPE)

    // Takes the buffer's block over, leaving it empty; FALSE when empty.
    BOOL buffer_attach(CZKRBuffer& buffer);
    // Hands the held block over; FALSE when none is held.
    BOOL buffer_detach(CZKRBuffer& out);
    BOOL buffer_get(CZKBuffer& out) const;
    BOOL buffer_set(const CZKBuffer& buffer);
    BOOL buffer_isavailable() const;
    void buffer_reset();

    BOOL disk_get(std::wstring& path) const;
    BOOL disk_set(const std::wstring& path);
    // True when the path names an existing file.
    BOOL disk_isavailable() const;
    void disk_reset();

protected:
    void init() {}

private:
    CZKRBuffer m_buffer;
    std::wstring m_strPath;
};
