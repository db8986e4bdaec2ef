#include <hollin/ZKBuffer.h>
#include <hollin/ZKException.h>
#include <hollin/ZKRWHelper.h>

#include "ZKText.h"

#include <cstring>
#include <limits>
#include <vector>

namespace {

// Fixed little-endian encoding regardless of the host's byte order.
template <class T>
void PackLE(T value, BYTE* out)
{
    for (size_t i = 0; i < sizeof(T); ++i)
        out[i] = static_cast<BYTE>(static_cast<uint64_t>(value) >> (8 * i));
}

template <class T>
T UnpackLE(const BYTE* in)
{
    uint64_t value = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        value |= static_cast<uint64_t>(in[i]) << (8 * i);
    return static_cast<T>(value);
}

void ThrowUnless(BOOL ok)
{
    if (!ok)
        CZKException::Throw(ZK_EXCEPTION_FAILED);
}

constexpr size_t kMaxCount = std::numeric_limits<uint32_t>::max();

} // namespace

CZKRWHelper::~CZKRWHelper() = default;

BOOL CZKRWHelper::RWOpen(EZKRWMode mode)
{
    if (mode != ZKRW_MODE_READ && mode != ZKRW_MODE_WRITE)
        return FALSE;
    if (mode == ZKRW_MODE_WRITE && !_RWTruncate())
        return FALSE;
    m_mode = mode;
    m_position = 0;
    return TRUE;
}

BOOL CZKRWHelper::RWClose()
{
    const BOOL wasOpen = RWIsOpen();
    m_mode = ZKRW_MODE_CLOSED;
    m_position = 0;
    return wasOpen;
}

size_t CZKRWHelper::RWGetRemaining() const
{
    if (m_mode != ZKRW_MODE_READ)
        return 0;
    const size_t size = _RWSize();
    return m_position < size ? size - m_position : 0;
}

const BYTE* CZKRWHelper::_Peek(size_t size) const
{
    if (m_mode != ZKRW_MODE_READ || size > RWGetRemaining())
        return nullptr;
    const BYTE* data = _RWData();
    // An empty read of an empty buffer has no pointer but succeeds.
    static const BYTE kNothing = 0;
    return data ? data + m_position : &kNothing;
}

BOOL CZKRWHelper::_Take(void* out, size_t size)
{
    const BYTE* in = _Peek(size);
    if (!in)
        return FALSE;
    if (size)
        std::memcpy(out, in, size);
    m_position += size;
    return TRUE;
}

BOOL CZKRWHelper::_Put(const void* data, size_t size)
{
    if (!_CanWrite() || (size && !data))
        return FALSE;
    if (!_RWAppend(data, size))
        return FALSE;
    m_position += size;
    return TRUE;
}

#define ZK_RW_INTEGER(NAME, TYPE)                                                                                      \
    BOOL CZKRWHelper::RW_R_##NAME(TYPE& value)                                                                         \
    {                                                                                                                  \
        const BYTE* in = _Peek(sizeof(TYPE));                                                                          \
        if (!in)                                                                                                       \
            return FALSE;                                                                                              \
        value = UnpackLE<TYPE>(in);                                                                                    \
        m_position += sizeof(TYPE);                                                                                    \
        return TRUE;                                                                                                   \
    }                                                                                                                  \
    BOOL CZKRWHelper::RW_W_##NAME(TYPE value)                                                                          \
    {                                                                                                                  \
        BYTE out[sizeof(TYPE)];                                                                                        \
        PackLE(value, out);                                                                                            \
        return _Put(out, sizeof out);                                                                                  \
    }                                                                                                                  \
    void CZKRWHelper::_RW_R_##NAME(TYPE& value) { ThrowUnless(RW_R_##NAME(value)); }                                   \
    void CZKRWHelper::_RW_W_##NAME(TYPE value) { ThrowUnless(RW_W_##NAME(value)); }

ZK_RW_INTEGER(long, LONG)
ZK_RW_INTEGER(ulong, ULONG)
ZK_RW_INTEGER(short, SHORT)
ZK_RW_INTEGER(ushort, USHORT)
ZK_RW_INTEGER(BYTE, BYTE)

#undef ZK_RW_INTEGER

void CZKRWHelper::_RW_R_WORD(WORD& value) { ThrowUnless(RW_R_WORD(value)); }
void CZKRWHelper::_RW_W_WORD(WORD value) { ThrowUnless(RW_W_WORD(value)); }

BOOL CZKRWHelper::RW_R_double(double& value)
{
    const BYTE* in = _Peek(sizeof(uint64_t));
    if (!in)
        return FALSE;
    const uint64_t bits = UnpackLE<uint64_t>(in);
    std::memcpy(&value, &bits, sizeof value);
    m_position += sizeof bits;
    return TRUE;
}

BOOL CZKRWHelper::RW_W_double(double value)
{
    static_assert(sizeof(double) == sizeof(uint64_t), "binary64 double expected");
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    BYTE out[sizeof bits];
    PackLE(bits, out);
    return _Put(out, sizeof out);
}

void CZKRWHelper::_RW_R_double(double& value) { ThrowUnless(RW_R_double(value)); }
void CZKRWHelper::_RW_W_double(double value) { ThrowUnless(RW_W_double(value)); }

BOOL CZKRWHelper::RW_R_string(std::wstring& value)
{
    const BYTE* head = _Peek(sizeof(uint32_t));
    if (!head)
        return FALSE;
    const size_t count = UnpackLE<uint32_t>(head);
    if (count > (RWGetRemaining() - sizeof(uint32_t)) / 2)
        return FALSE;
    const BYTE* in = head + sizeof(uint32_t);
    std::u16string units(count, u'\0');
    for (size_t i = 0; i < count; ++i)
        units[i] = UnpackLE<char16_t>(in + 2 * i);
    std::wstring text;
    if (!SZKText::Utf16ToWide(units.data(), units.size(), text))
        return FALSE;
    value.swap(text);
    m_position += sizeof(uint32_t) + 2 * count;
    return TRUE;
}

BOOL CZKRWHelper::RW_W_string(const std::wstring& value)
{
    std::u16string units;
    if (!_CanWrite() || !SZKText::WideToUtf16(value, units) || units.size() > kMaxCount)
        return FALSE;
    std::vector<BYTE> out(sizeof(uint32_t) + 2 * units.size(), 0);
    PackLE(static_cast<uint32_t>(units.size()), &out[0]);
    for (size_t i = 0; i < units.size(); ++i)
        PackLE(units[i], &out[sizeof(uint32_t) + 2 * i]);
    return _Put(out.data(), out.size());
}

void CZKRWHelper::_RW_R_string(std::wstring& value) { ThrowUnless(RW_R_string(value)); }
void CZKRWHelper::_RW_W_string(const std::wstring& value) { ThrowUnless(RW_W_string(value)); }

BOOL CZKRWHelper::RW_R_buffer(CZKBuffer& out)
{
    const BYTE* head = _Peek(sizeof(uint32_t));
    if (!head || static_cast<const CZKRWHelper*>(&out) == this)
        return FALSE;
    const size_t size = UnpackLE<uint32_t>(head);
    if (size > RWGetRemaining() - sizeof(uint32_t))
        return FALSE;
    if (!out.CopyFrom(head + sizeof(uint32_t), size))
        return FALSE;
    m_position += sizeof(uint32_t) + size;
    return TRUE;
}

BOOL CZKRWHelper::RW_W_buffer(const CZKBuffer& value)
{
    const size_t size = value.GetSize();
    if (!_CanWrite() || size > kMaxCount)
        return FALSE;
    // Framed in one block so a failure leaves nothing half-written, and so
    // that writing a buffer into itself reads the bytes before they change.
    std::vector<BYTE> out(sizeof(uint32_t) + size, 0);
    PackLE(static_cast<uint32_t>(size), &out[0]);
    if (size)
        std::memcpy(&out[sizeof(uint32_t)], value.GetPtr(), size);
    return _Put(out.data(), out.size());
}

void CZKRWHelper::_RW_R_buffer(CZKBuffer& out) { ThrowUnless(RW_R_buffer(out)); }
void CZKRWHelper::_RW_W_buffer(const CZKBuffer& value) { ThrowUnless(RW_W_buffer(value)); }

BOOL CZKRWHelper::RW(void* data, size_t size)
{
    if (m_mode == ZKRW_MODE_READ)
        return RWRead(data, size);
    return RWWrite(data, size);
}

BOOL CZKRWHelper::RWRead(void* data, size_t size)
{
    if (size && !data)
        return FALSE;
    return _Take(data, size);
}

BOOL CZKRWHelper::RWWrite(const void* data, size_t size) { return _Put(data, size); }

void CZKRWHelper::_RW(void* data, size_t size) { ThrowUnless(RW(data, size)); }
void CZKRWHelper::_RWRead(void* data, size_t size) { ThrowUnless(RWRead(data, size)); }
void CZKRWHelper::_RWWrite(const void* data, size_t size) { ThrowUnless(RWWrite(data, size)); }
