// Sequential binary serialiser over a buffer's bytes. Open for reading or for
// writing, read or write values strictly in order, then close.
//
// Encoding (little-endian, no padding, no type tags):
//   short/ushort/WORD   2 bytes        long/ulong  4 bytes (two's complement)
//   BYTE                1 byte         double      8 bytes IEEE 754 binary64
//   string              uint32 n, then n UTF-16 code units (2 bytes each);
//                       characters above U+FFFF become surrogate pairs
//   buffer (nested)     uint32 n, then n bytes
//   raw bytes (RW...)   the bytes as given, no length
//
// Failure: every RW_* returns non-zero on success and 0 on failure; the
// _RW_* forms throw CZKException(ZK_EXCEPTION_FAILED) instead. A failed read
// leaves the position and the out value unchanged (a truncated buffer, a
// nested length beyond the end, a string with an unpaired surrogate, the
// wrong mode, or not open). A failed write leaves the buffer as it was before
// that write (a string holding a value that is not a Unicode scalar value,
// or a size beyond 4 GiB, is refused).
//
// Opening for writing empties the buffer; opening again (either mode)
// restarts from the beginning, so a serialiser left open by an exception can
// be reused.
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <cstddef>
#include <string>

class CZKBuffer;

enum EZKRWMode
{
    ZKRW_MODE_CLOSED = 0,
    ZKRW_MODE_READ = 1,
    ZKRW_MODE_WRITE = 2
};

class HOLLIN_EXPORT CZKRWHelper
{
public:
    CZKRWHelper() = default;
    virtual ~CZKRWHelper();

    BOOL RWOpen(EZKRWMode mode);
    BOOL RWOpenRead() { return RWOpen(ZKRW_MODE_READ); }
    BOOL RWOpenWrite() { return RWOpen(ZKRW_MODE_WRITE); }
    BOOL RWClose();
    EZKRWMode RWGetMode() const { return m_mode; }
    BOOL RWIsOpen() const { return m_mode != ZKRW_MODE_CLOSED ? TRUE : FALSE; }
    size_t RWGetPosition() const { return m_position; }
    // Bytes left to read (0 unless open for reading).
    size_t RWGetRemaining() const;

    BOOL RW_R_long(LONG& value);
    BOOL RW_W_long(LONG value);
    BOOL RW_R_ulong(ULONG& value);
    BOOL RW_W_ulong(ULONG value);
    BOOL RW_R_short(SHORT& value);
    BOOL RW_W_short(SHORT value);
    BOOL RW_R_ushort(USHORT& value);
    BOOL RW_W_ushort(USHORT value);
    BOOL RW_R_BYTE(BYTE& value);
    BOOL RW_W_BYTE(BYTE value);
    BOOL RW_R_WORD(WORD& value) { return RW_R_ushort(value); }
    BOOL RW_W_WORD(WORD value) { return RW_W_ushort(value); }
    BOOL RW_R_double(double& value);
    BOOL RW_W_double(double value);
    BOOL RW_R_string(std::wstring& value);
    BOOL RW_W_string(const std::wstring& value);
    // The nested buffer's content replaces out's.
    BOOL RW_R_buffer(CZKBuffer& out);
    BOOL RW_W_buffer(const CZKBuffer& value);
    // Raw bytes: RW reads or writes according to the open mode.
    BOOL RW(void* data, size_t size);
    BOOL RWRead(void* data, size_t size);
    BOOL RWWrite(const void* data, size_t size);

    // Throwing forms.
    void _RW_R_long(LONG& value);
    void _RW_W_long(LONG value);
    void _RW_R_ulong(ULONG& value);
    void _RW_W_ulong(ULONG value);
    void _RW_R_short(SHORT& value);
    void _RW_W_short(SHORT value);
    void _RW_R_ushort(USHORT& value);
    void _RW_W_ushort(USHORT value);
    void _RW_R_BYTE(BYTE& value);
    void _RW_W_BYTE(BYTE value);
    void _RW_R_WORD(WORD& value);
    void _RW_W_WORD(WORD value);
    void _RW_R_double(double& value);
    void _RW_W_double(double value);
    void _RW_R_string(std::wstring& value);
    void _RW_W_string(const std::wstring& value);
    void _RW_R_buffer(CZKBuffer& out);
    void _RW_W_buffer(const CZKBuffer& value);
    void _RW(void* data, size_t size);
    void _RWRead(void* data, size_t size);
    void _RWWrite(const void* data, size_t size);

protected:
    // Storage of the bytes being serialised, supplied by the buffer.
    virtual const BYTE* _RWData() const = 0;
    virtual size_t _RWSize() const = 0;
    // Appends size bytes at the end; FALSE (nothing changed) on failure.
    virtual BOOL _RWAppend(const void* data, size_t size) = 0;
    // Drops the contents.
    virtual BOOL _RWTruncate() = 0;

private:
    // Pointer to the next size bytes to read, or nullptr when they are not
    // there (wrong mode, too short).
    const BYTE* _Peek(size_t size) const;
    BOOL _Take(void* out, size_t size);
    BOOL _CanWrite() const { return m_mode == ZKRW_MODE_WRITE ? TRUE : FALSE; }
    BOOL _Put(const void* data, size_t size);

    EZKRWMode m_mode = ZKRW_MODE_CLOSED;
    size_t m_position = 0;
};
