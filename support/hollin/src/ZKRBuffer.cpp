#include <hollin/ZKRBuffer.h>

CZKRBuffer::CZKRBuffer(const CZKRBuffer& other) : CZKBuffer() { CopyFrom(other); }

CZKRBuffer::CZKRBuffer(const CZKBuffer& other) : CZKBuffer() { CopyFrom(other); }

CZKRBuffer& CZKRBuffer::operator=(const CZKRBuffer& other)
{
    CopyFrom(other);
    return *this;
}

CZKRBuffer::~CZKRBuffer() = default;

BOOL CZKRBuffer::Alloc(size_t size) { return (AllocPtr(size) || size == 0) ? TRUE : FALSE; }

BOOL CZKRBuffer::Attach(void* block, size_t size)
{
    if (!block && size)
        return FALSE;
    _HeapAttach(static_cast<BYTE*>(block), size);
    return TRUE;
}

void* CZKRBuffer::Detach() { return _HeapDetach(); }
