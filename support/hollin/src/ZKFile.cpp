#include <hollin/ZKFile.h>

#include <hollin/ZKBuffer.h>
#include <hollin/ZKPath.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace
{
bool AccessFlags(UINT flags, int& openFlags)
{
    switch (flags & 0x3)
    {
    case ZKFILE_READ: openFlags = O_RDONLY; break;
    case ZKFILE_WRITE: openFlags = O_WRONLY; break;
    case ZKFILE_READWRITE: openFlags = O_RDWR; break;
    default: return false;
    }
    if (flags & ZKFILE_CREATE)
    {
        if ((flags & 0x3) == ZKFILE_READ)
            return false; // creating a file only to read it is a caller error
        openFlags |= O_CREAT;
        if (!(flags & ZKFILE_NOTRUNCATE))
            openFlags |= O_TRUNC;
    }
    openFlags |= O_CLOEXEC;
    return true;
}
} // namespace

CZKFile::~CZKFile()
{
    Close();
}

BOOL CZKFile::Open(const std::wstring& path, UINT flags)
{
    Close();
    int openFlags = 0;
    if (!AccessFlags(flags, openFlags))
        return FALSE;
    const int fd = ::open(SZKPath::ToNative(path).c_str(), openFlags, 0644);
    if (fd < 0)
        return FALSE;
    struct stat info{};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))
    {
        ::close(fd);
        return FALSE;
    }
    m_fd = fd;
    m_path = path;
    return TRUE;
}

BOOL CZKFile::Close()
{
    if (m_fd < 0)
        return FALSE;
    const int result = ::close(m_fd);
    m_fd = -1;
    m_path.clear();
    return result == 0 ? TRUE : FALSE;
}

BOOL CZKFile::ReadSome(void* data, size_t size, size_t& got)
{
    got = 0;
    if (m_fd < 0 || (size > 0 && !data))
        return FALSE;
    auto* out = static_cast<BYTE*>(data);
    while (got < size)
    {
        const ssize_t n = ::read(m_fd, out + got, size - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FALSE;
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    return TRUE;
}

BOOL CZKFile::Read(void* data, size_t size)
{
    size_t got = 0;
    return ReadSome(data, size, got) && got == size ? TRUE : FALSE;
}

BOOL CZKFile::Write(const void* data, size_t size)
{
    if (m_fd < 0 || (size > 0 && !data))
        return FALSE;
    const auto* in = static_cast<const BYTE*>(data);
    while (size > 0)
    {
        const ssize_t n = ::write(m_fd, in, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return FALSE;
        in += n;
        size -= static_cast<size_t>(n);
    }
    return TRUE;
}

BOOL CZKFile::ReadBuffer(CZKBuffer& buffer, size_t size)
{
    // A size taken from damaged data must not turn into a huge allocation.
    const LONGLONG position = GetPosition();
    const LONGLONG length = GetLength();
    if (position < 0 || length < position || size > static_cast<unsigned long long>(length - position))
        return FALSE;
    std::vector<BYTE> data(size);
    if (!Read(data.data(), size))
        return FALSE;
    return buffer.CopyFrom(data.data(), size);
}

BOOL CZKFile::ReadToEnd(CZKBuffer& buffer)
{
    const LONGLONG position = GetPosition();
    const LONGLONG length = GetLength();
    if (position < 0 || length < position)
        return FALSE;
    return ReadBuffer(buffer, static_cast<size_t>(length - position));
}


BOOL CZKFile::WriteBuffer(const CZKBuffer& buffer)
{
    return Write(buffer.GetPtr(), buffer.GetSize());
}

BOOL CZKFile::Seek(LONGLONG offset, EZKFileSeek origin)
{
    if (m_fd < 0)
        return FALSE;
    int whence = SEEK_SET;
    if (origin == ZKFILE_CURRENT)
        whence = SEEK_CUR;
    else if (origin == ZKFILE_END)
        whence = SEEK_END;
    else if (origin != ZKFILE_BEGIN)
        return FALSE;
    return ::lseek(m_fd, static_cast<off_t>(offset), whence) >= 0 ? TRUE : FALSE;
}

LONGLONG CZKFile::GetPosition() const
{
    return m_fd < 0 ? -1 : static_cast<LONGLONG>(::lseek(m_fd, 0, SEEK_CUR));
}

LONGLONG CZKFile::GetLength() const
{
    struct stat info{};
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0)
        return -1;
    return static_cast<LONGLONG>(info.st_size);
}

BOOL CZKFile::SetLength(LONGLONG length)
{
    if (m_fd < 0 || length < 0)
        return FALSE;
    return ::ftruncate(m_fd, static_cast<off_t>(length)) == 0 ? TRUE : FALSE;
}

BOOL CZKFile::Flush()
{
    if (m_fd < 0)
        return FALSE;
    return ::fsync(m_fd) == 0 || errno == EINVAL ? TRUE : FALSE;
}
