#include <hollin/ZKBuffer.h>

#include <cstdlib>
#include <cstring>

CZKBuffer::~CZKBuffer() { std::free(m_heap); }

const BYTE* CZKBuffer::_Data() const { return m_heapSize ? m_heap : nullptr; }

size_t CZKBuffer::_Size() const { return m_heapSize; }

BOOL CZKBuffer::_Resize(size_t size)
{
    if (size > m_heapCapacity) {
        // Geometric growth keeps appends by the serialiser linear overall.
        size_t capacity = m_heapCapacity < 64 ? 64 : m_heapCapacity;
        while (capacity < size)
            capacity = capacity > SIZE_MAX / 2 ? size : capacity * 2;
        auto* block = static_cast<BYTE*>(std::realloc(m_heap, capacity));
        if (!block)
            return FALSE;
        m_heap = block;
        m_heapCapacity = capacity;
    }
    if (size > m_heapSize)
        std::memset(m_heap + m_heapSize, 0, size - m_heapSize);
    m_heapSize = size;
    return TRUE;
}

void CZKBuffer::_HeapAttach(BYTE* block, size_t size)
{
    std::free(m_heap);
    m_heap = block;
    m_heapSize = m_heapCapacity = block ? size : 0;
}

BYTE* CZKBuffer::_HeapDetach()
{
    BYTE* block = m_heapSize ? m_heap : nullptr;
    if (!block)
        std::free(m_heap);
    m_heap = nullptr;
    m_heapSize = m_heapCapacity = 0;
    return block;
}

BYTE* CZKBuffer::AllocPtr(size_t size)
{
    const size_t oldSize = _Size();
    if (!_Resize(size))
        return nullptr;
    if (size == 0)
        return nullptr;
    // _Resize zeroes only what it adds; old bytes must be cleared too.
    std::memset(GetPtr(), 0, size < oldSize ? size : oldSize);
    return GetPtr();
}

BOOL CZKBuffer::Append(const void* data, size_t size)
{
    if (size == 0)
        return TRUE;
    const size_t oldSize = _Size();
    if (!data || size > SIZE_MAX - oldSize)
        return FALSE;
    // data may point into this buffer, which a resize can move.
    const BYTE* begin = GetPtr();
    const auto* source = static_cast<const BYTE*>(data);
    if (begin && source >= begin && source < begin + oldSize) {
        const size_t offset = static_cast<size_t>(source - begin);
        if (!_Resize(oldSize + size))
            return FALSE;
        std::memmove(GetPtr() + oldSize, GetPtr() + offset, size);
        return TRUE;
    }
    if (!_Resize(oldSize + size))
        return FALSE;
    std::memcpy(GetPtr() + oldSize, source, size);
    return TRUE;
}

BOOL CZKBuffer::CopyFrom(const CZKBuffer& source)
{
    if (&source == this)
        return TRUE;
    return CopyFrom(source.GetPtr(), source.GetSize());
}

BOOL CZKBuffer::CopyFrom(const void* data, size_t size)
{
    if (size && !data)
        return FALSE;
    const BYTE* begin = GetPtr();
    const auto* source = static_cast<const BYTE*>(data);
    if (size && begin && source >= begin && source < begin + _Size()) {
        // Copying a part of ourselves: move it to the front, then cut.
        std::memmove(GetPtr(), source, size);
        return _Resize(size);
    }
    if (!_Resize(size))
        return FALSE;
    if (size)
        std::memcpy(GetPtr(), data, size);
    return TRUE;
}

int CZKBuffer::Compare(const CZKBuffer& other) const
{
    const size_t mine = GetSize();
    const size_t theirs = other.GetSize();
    const size_t common = mine < theirs ? mine : theirs;
    if (common) {
        const int order = std::memcmp(GetPtr(), other.GetPtr(), common);
        if (order != 0)
            return order < 0 ? -1 : 1;
    }
    return mine == theirs ? 0 : (mine < theirs ? -1 : 1);
}
