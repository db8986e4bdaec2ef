#include "ZKTIFFMemoryStream.h"

#include <algorithm>
#include <cstring>
#include <new>

CZKTIFFMemoryStream::CZKTIFFMemoryStream(std::vector<uint8_t> prefix, const uint8_t* data, size_t size)
    : m_writable(false), m_prefix(std::move(prefix)), m_data(data), m_dataSize(data ? size : 0)
{
}

CZKTIFFMemoryStream::CZKTIFFMemoryStream() : m_writable(true) {}

uint64_t CZKTIFFMemoryStream::_Size() const
{
    return m_writable ? m_written.size() : uint64_t(m_prefix.size()) + m_dataSize;
}

size_t CZKTIFFMemoryStream::_Read(uint8_t* out, size_t size)
{
    size_t done = 0;
    if (m_writable)
    {
        if (m_pos < m_written.size())
        {
            done = std::min<uint64_t>(size, m_written.size() - m_pos);
            std::memcpy(out, m_written.data() + m_pos, done);
        }
        m_pos += done;
        return done;
    }
    if (m_pos < m_prefix.size())
    {
        done = std::min<uint64_t>(size, m_prefix.size() - m_pos);
        std::memcpy(out, m_prefix.data() + m_pos, done);
        m_pos += done;
    }
    const uint64_t dataPos = m_pos - m_prefix.size();
    if (done < size && m_pos >= m_prefix.size() && dataPos < m_dataSize)
    {
        const size_t more = std::min<uint64_t>(size - done, m_dataSize - dataPos);
        std::memcpy(out + done, m_data + dataPos, more);
        done += more;
        m_pos += more;
    }
    return done;
}

size_t CZKTIFFMemoryStream::_Write(const uint8_t* in, size_t size)
{
    if (!m_writable)
        return 0;
    const uint64_t end = m_pos + size;
    if (end > m_written.size())
        m_written.resize(end);
    std::memcpy(m_written.data() + m_pos, in, size);
    m_pos = end;
    return size;
}

tmsize_t CZKTIFFMemoryStream::ReadProc(thandle_t h, void* buf, tmsize_t size)
{
    if (size <= 0)
        return 0;
    return static_cast<tmsize_t>(static_cast<CZKTIFFMemoryStream*>(h)->_Read(static_cast<uint8_t*>(buf), size));
}

tmsize_t CZKTIFFMemoryStream::WriteProc(thandle_t h, void* buf, tmsize_t size)
{
    if (size <= 0)
        return 0;
    try
    {
        return static_cast<tmsize_t>(
            static_cast<CZKTIFFMemoryStream*>(h)->_Write(static_cast<const uint8_t*>(buf), size));
    }
    catch (const std::bad_alloc&)
    {
        return -1;
    }
}

toff_t CZKTIFFMemoryStream::SeekProc(thandle_t h, toff_t offset, int whence)
{
    auto* self = static_cast<CZKTIFFMemoryStream*>(h);
    uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = self->m_pos;
    else if (whence == SEEK_END)
        base = self->_Size();
    // Offsets arrive unsigned; a negative relative seek wraps around, which the
    // unsigned sum undoes.
    const uint64_t target = base + offset;
    if (!self->m_writable && target > self->_Size())
        return static_cast<toff_t>(-1);
    self->m_pos = target;
    return target;
}

int CZKTIFFMemoryStream::CloseProc(thandle_t) { return 0; }

toff_t CZKTIFFMemoryStream::SizeProc(thandle_t h) { return static_cast<CZKTIFFMemoryStream*>(h)->_Size(); }

// No mapping: the virtual file is not contiguous, so the library reads.
int CZKTIFFMemoryStream::MapProc(thandle_t, void**, toff_t*) { return 0; }

void CZKTIFFMemoryStream::UnmapProc(thandle_t, void*, toff_t) {}
