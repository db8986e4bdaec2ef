// A plain file with BOOL results. Closing happens in the destructor too.
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <cstddef>
#include <string>

class CZKBuffer;

// Open flags: one access mode, optionally with creation flags.
enum EZKFileMode : UINT
{
    ZKFILE_READ = 0x0000,
    ZKFILE_WRITE = 0x0001,
    ZKFILE_READWRITE = 0x0002,
    ZKFILE_CREATE = 0x1000,     // create the file, truncating an existing one
    ZKFILE_NOTRUNCATE = 0x2000, // with ZKFILE_CREATE: keep an existing file's contents
};

enum EZKFileSeek
{
    ZKFILE_BEGIN = 0,
    ZKFILE_CURRENT = 1,
    ZKFILE_END = 2
};

class HOLLIN_EXPORT CZKFile
{
public:
    CZKFile() = default;
    virtual ~CZKFile();
    CZKFile(const CZKFile&) = delete;
    CZKFile& operator=(const CZKFile&) = delete;

    // Closes any file open before. FALSE for an unknown access mode or when
    // the file cannot be opened.
    BOOL Open(const std::wstring& path, UINT flags);
    BOOL Close();
    BOOL IsOpen() const { return m_fd >= 0 ? TRUE : FALSE; }
    const std::wstring& GetPath() const { return m_path; }

    // Exactly size bytes or FALSE (a short read leaves the position after
    // what was there).
    BOOL Read(void* data, size_t size);
    // Up to size bytes; the count actually read goes to got.
    BOOL ReadSome(void* data, size_t size, size_t& got);
    BOOL Write(const void* data, size_t size);
    // size bytes into the buffer (replacing its contents), or the rest of
    // the file with ReadToEnd.
    BOOL ReadBuffer(CZKBuffer& buffer, size_t size);
    BOOL ReadToEnd(CZKBuffer& buffer);
    BOOL WriteBuffer(const CZKBuffer& buffer);

    // New position from origin; FALSE (position unchanged) before the start.
    BOOL Seek(LONGLONG offset, EZKFileSeek origin = ZKFILE_BEGIN);
    LONGLONG GetPosition() const;
    LONGLONG GetLength() const;
    BOOL SetLength(LONGLONG length);
    BOOL Flush();

private:
    int m_fd = -1;
    std::wstring m_path;
};
